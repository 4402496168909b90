// resoni-render, run as a user runs it: each view of a known signal as a picture of the asked
// size in which that signal can be found; SVG output and the one-line refusals.
#include "support/TestWaves.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

struct Run
{
    int exitCode = -1;
    QString err;
};

Run render(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(RESONI_RENDER_PATH), args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromLocal8Bit(p.readAllStandardError())};
}

// One second of 16-bit mono at 44100 Hz: the sum of sines (Hz, amplitude).
QString writeSines(const QString& path, const std::vector<std::pair<double, double>>& sines, double glideTo = 0.0)
{
    std::vector<std::int16_t> v(44100);
    for (std::size_t i = 0; i < v.size(); ++i) {
        const double t = static_cast<double>(i) / 44100.0;
        double s = 0.0;
        for (const auto& [hz, a] : sines) // with glideTo, a linear chirp from hz to glideTo
            s += a * std::sin(2.0 * M_PI * (glideTo > 0.0 ? hz * t + (glideTo - hz) * t * t / 2.0 : hz * t));
        v[i] = static_cast<std::int16_t>(std::lround(s));
    }
    return testwaves::writeWave(path, 1, 44100, 16, testwaves::bytes16(v));
}

// Rows of pixels matching a colour test, per column.
std::vector<int> matchingRows(const QImage& img, int x, const std::function<bool(QRgb)>& match)
{
    std::vector<int> rows;
    for (int y = 0; y < img.height(); ++y)
        if (match(img.pixel(x, y)))
            rows.push_back(y);
    return rows;
}

bool isRed(QRgb c) { return qRed(c) == 255 && qGreen(c) == 0 && qBlue(c) == 0; }

} // namespace

class TestRender : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

    QImage picture(const QString& view, const QString& wav, QStringList more = {})
    {
        const QString out = m_dir.filePath(view + QStringLiteral(".png"));
        QFile::remove(out);
        const Run r = render(QStringList{view, wav, QStringLiteral("--out"), out, QStringLiteral("--width"),
                                         QStringLiteral("640"), QStringLiteral("--height"), QStringLiteral("300")} +
                             more);
        [&] { QCOMPARE(r.exitCode, 0); }();
        QImage img(out);
        [&] { QCOMPARE(img.size(), QSize(640, 300)); }();
        return img;
    }

private slots:
    // The waveform's red line spans the tone's amplitude; the overview shows the selection inverted.
    void waveformAndOverview()
    {
        const QString tone = writeSines(m_dir.filePath(QStringLiteral("tone.wav")), {{440.0, 16384.0}});
        const QImage wave = picture(QStringLiteral("waveform"), tone);
        std::vector<int> red = matchingRows(wave, 320, isRed);
        for (int x = 300; x < 340; ++x) {
            const std::vector<int> more = matchingRows(wave, x, isRed);
            red.insert(red.end(), more.begin(), more.end());
        }
        QVERIFY(!red.empty());
        // Half of full scale reaches half of the half height (300 − 20 drawing rows) each way.
        const auto [lo, hi] = std::minmax_element(red.begin(), red.end());
        QVERIFY2(std::abs((*hi - *lo) - 140) <= 4, qPrintable(QString::number(*hi - *lo)));

        const QImage over = picture(QStringLiteral("overview"), tone,
                                    {QStringLiteral("--from"), QStringLiteral("22050"), QStringLiteral("--to"),
                                     QStringLiteral("44100")});
        QVERIFY(!matchingRows(over, 100, isRed).empty());
        QCOMPARE(over.pixel(160, 40), qRgb(255, 255, 255)); // outside the band
        QCOMPARE(over.pixel(480, 40), qRgb(0, 0, 0));       // inside: inverted
    }

    // Three tones two octaves apart lie at equal distances on the logarithmic frequency axis.
    void fftPeaksOnTheLogAxis()
    {
        const QImage img = picture(QStringLiteral("fft"),
                                   writeSines(m_dir.filePath(QStringLiteral("three.wav")),
                                              {{250.0, 8000.0}, {1000.0, 8000.0}, {4000.0, 8000.0}}));
        std::vector<std::pair<int, int>> tops; // (topmost white row, x) of the spectrum line
        for (int x = 70; x < 630; ++x) {
            const std::vector<int> rows =
                matchingRows(img, x, [](QRgb c) { return c == qRgb(255, 255, 255); });
            const auto it = std::find_if(rows.begin(), rows.end(), [](int y) { return y > 25 && y < 280; });
            if (it != rows.end())
                tops.emplace_back(*it, x);
        }
        std::sort(tops.begin(), tops.end());
        std::vector<int> peaks;
        for (const auto& [y, x] : tops)
            if (peaks.size() < 3 &&
                std::none_of(peaks.begin(), peaks.end(), [x = x](int p) { return std::abs(p - x) < 30; }))
                peaks.push_back(x);
        QCOMPARE(peaks.size(), std::size_t{3});
        std::sort(peaks.begin(), peaks.end());
        QVERIFY2(std::abs((peaks[1] - peaks[0]) - (peaks[2] - peaks[1])) <= 3,
                 qPrintable(QStringLiteral("%1 %2 %3").arg(peaks[0]).arg(peaks[1]).arg(peaks[2])));
    }

    // A rising chirp: the hot colours sit higher on the right than on the left.
    void sonogramOfAChirp()
    {
        const QImage img = picture(QStringLiteral("sonogram"),
                                   writeSines(m_dir.filePath(QStringLiteral("chirp.wav")), {{300.0, 16000.0}}, 6000.0));
        const auto hotRow = [&](int x0, int x1) {
            double sum = 0.0;
            int n = 0;
            for (int x = x0; x < x1; ++x)
                for (int y : matchingRows(img, x, [](QRgb c) { return qRed(c) > 200 && qBlue(c) < 80; })) {
                    sum += y;
                    ++n;
                }
            return n > 0 ? sum / n : -1.0;
        };
        const double left = hotRow(60, 160), right = hotRow(450, 550);
        QVERIFY2(left > 0 && right > 0 && right < left - 50, qPrintable(QStringLiteral("%1 %2").arg(left).arg(right)));
    }

    // Five partials draw more than one: the note image shows the peaks it is given.
    void notesOfAHarmonicTone()
    {
        const auto inked = [](const QImage& img) {
            int n = 0;
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x)
                    n += img.pixel(x, y) != qRgb(255, 255, 255);
            return n;
        };
        const int one = inked(picture(QStringLiteral("notes"),
                                      writeSines(m_dir.filePath(QStringLiteral("one.wav")), {{220.0, 16000.0}})));
        const int five = inked(picture(QStringLiteral("notes"),
                                       writeSines(m_dir.filePath(QStringLiteral("five.wav")),
                                                  {{220.0, 12000.0}, {440.0, 6000.0}, {660.0, 4000.0},
                                                   {880.0, 3000.0}, {1100.0, 2400.0}})));
        QVERIFY2(one > 0 && five > one, qPrintable(QStringLiteral("%1 %2").arg(one).arg(five)));
    }

    // The time series: the green step curve spans the tone's amplitude around the middle line;
    // its mutual information is drawn too.
    void timeSeries()
    {
        const QString tone = writeSines(m_dir.filePath(QStringLiteral("ts.wav")), {{441.0, 16384.0}});
        const auto green = [](QRgb c) { return c == qRgb(0, 255, 0); };
        std::vector<int> rows;
        const QImage img = picture(QStringLiteral("timeseries"), tone);
        for (int x = 0; x < 200; ++x)
            for (int y : matchingRows(img, x, green))
                rows.push_back(y);
        QVERIFY(!rows.empty());
        const auto [lo, hi] = std::minmax_element(rows.begin(), rows.end());
        QVERIFY2(std::abs(*lo - 75) <= 2 && std::abs(*hi - 225) <= 2, qPrintable(QStringLiteral("%1 %2").arg(*lo).arg(*hi)));
        const QImage mi = picture(QStringLiteral("timeseries"), tone, {QStringLiteral("--mode"), QStringLiteral("2")});
        QVERIFY(!matchingRows(mi, 100, green).empty());
    }

    void svgAndRefusals()
    {
        const QString tone = writeSines(m_dir.filePath(QStringLiteral("svg.wav")), {{440.0, 8000.0}});
        const QString svg = m_dir.filePath(QStringLiteral("fft.svg"));
        QCOMPARE(render({QStringLiteral("fft"), tone, QStringLiteral("--out"), svg}).exitCode, 0);
        QFile file(svg);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        QVERIFY(xml.readNextStartElement());
        QCOMPARE(xml.name().toString(), QStringLiteral("svg"));
        QCOMPARE(xml.attributes().value(QStringLiteral("viewBox")).toString(), QStringLiteral("0 0 800 400"));

        const QString out = m_dir.filePath(QStringLiteral("never.png"));
        const QString junk = m_dir.filePath(QStringLiteral("junk.wav"));
        QFile(junk).open(QIODevice::WriteOnly);
        const QStringList refused[] = {
            {QStringLiteral("spectrum"), tone, QStringLiteral("--out"), out},
            {QStringLiteral("fft"), junk, QStringLiteral("--out"), out},
            {QStringLiteral("fft"), tone, QStringLiteral("--out"), m_dir.filePath(QStringLiteral("x.jpg"))},
            {QStringLiteral("fft"), tone, QStringLiteral("--out"), out, QStringLiteral("--from"), QStringLiteral("9e9")},
            {QStringLiteral("fft"), tone, QStringLiteral("--out"), out, QStringLiteral("--profile"), QStringLiteral("Nie")},
        };
        for (const QStringList& args : refused) {
            const Run r = render(args);
            QCOMPARE(r.exitCode, 1);
            QCOMPARE(r.err.count(QLatin1Char('\n')), 1);
            QVERIFY(r.err.startsWith(QLatin1String("resoni-render: ")));
        }
        QVERIFY(!QFile::exists(out));
    }
};

QTEST_GUILESS_MAIN(TestRender)
#include "tst_render.moc"
