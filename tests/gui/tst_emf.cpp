// Enhanced metafiles as other programs read them: each 2D view of resoni-render, drawn as PNG and
// as EMF, looks alike once LibreOffice has converted the EMF; the header, read by an independent
// reader (Python's struct), carries the description, the frame and the right counts; umlauts in
// text, also turned text, reach LibreOffice as text.
#include "gui/presentation/EmfPaintDevice.h"
#include "support/TestWaves.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Reads the header and walks the records; prints what it found as JSON.
const char* const kHeaderReader = R"(
import json, struct, sys
d = open(sys.argv[1], 'rb').read()
t, size = struct.unpack_from('<II', d, 0)
frame = struct.unpack_from('<4i', d, 24)
sig, ver, nbytes, nrec, nhandles, res, ndesc, offdesc = struct.unpack_from('<IIIIHHII', d, 40)
off, n, last = 0, 0, None
while off + 8 <= len(d):
    last, rs = struct.unpack_from('<II', d, off)
    n, off = n + 1, off + max(rs, 8)
print(json.dumps(dict(type=t, sig=sig, frame=frame, nbytes=nbytes, size=len(d), nrec=nrec, records=n,
    walked=off, last=last, handles=nhandles, desc=d[offdesc:offdesc + 2 * ndesc].decode('utf-16-le'))))
)";

QJsonObject ReadHeader(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("python3"), {QStringLiteral("-c"), QString::fromLatin1(kHeaderReader), path});
    p.waitForFinished(30000);
    return QJsonDocument::fromJson(p.readAllStandardOutput()).object();
}

void VerifyHeader(const QString& path, const QString& title, QList<int> frame)
{
    const QJsonObject h = ReadHeader(path);
    QCOMPARE(h.value(QStringLiteral("type")).toInt(), 1);
    QCOMPARE(h.value(QStringLiteral("sig")).toInteger(), 0x464D4520);
    QCOMPARE(h.value(QStringLiteral("desc")).toString(),
             QStringLiteral("RESONI Soundanalyse") + QChar(0) + title + QChar(0) + QChar(0));
    QList<int> read;
    for (const QJsonValue v : h.value(QStringLiteral("frame")).toArray())
        read.push_back(v.toInt());
    QCOMPARE(read, frame);
    QCOMPARE(h.value(QStringLiteral("nbytes")).toInt(), h.value(QStringLiteral("size")).toInt());
    QCOMPARE(h.value(QStringLiteral("walked")).toInt(), h.value(QStringLiteral("size")).toInt());
    QCOMPARE(h.value(QStringLiteral("records")).toInt(), h.value(QStringLiteral("nrec")).toInt());
    QCOMPARE(h.value(QStringLiteral("last")).toInt(), 14); // EMR_EOF
    // Pens, brushes and fonts are deleted once replaced: a handful of handles at most.
    QVERIFY(h.value(QStringLiteral("handles")).toInt() <= 5);
}

// One soffice start converts all files; a private profile keeps parallel runs apart.
bool Convert(const QString& format, const QStringList& files, const QString& outDir, const QString& profile)
{
    QProcess p;
    p.start(QStringLiteral("soffice"), QStringList{QStringLiteral("-env:UserInstallation=file://") + profile,
                                                   QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                                                   format, QStringLiteral("--outdir"), outDir} +
                                           files);
    return p.waitForFinished(240000) && p.exitCode() == 0;
}

// LibreOffice puts the picture at its own size (it fits) in the middle of a page of 96 dpi, give or
// take a pixel of rounding.
QImage PictureOnPage(const QImage& page, QSize size, int dx, int dy)
{
    const QPoint middle((page.width() - size.width()) / 2, (page.height() - size.height()) / 2);
    return page.convertToFormat(QImage::Format_RGB32).copy(QRect(middle + QPoint(dx, dy), size));
}

// The colour most pixels have.
QRgb Background(const QImage& img)
{
    std::map<QRgb, int> counts;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            ++counts[img.pixel(x, y) & 0xffffffu];
    return std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
}

// Cells of 16 × 16 pixels that differ: drawn on in one picture (eight pixels or more apart from the
// background) and blank in the other (fewer than two), or with mean colours more than a quarter of the range apart.
int DifferingCells(const QImage& a, const QImage& b)
{
    constexpr int kCell = 16;
    const QRgb ground = Background(a);
    const auto far = [](QRgb p, QRgb q) {
        return std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q)) > 48;
    };
    int differing = 0;
    for (int cy = 0; cy + kCell <= a.height(); cy += kCell)
        for (int cx = 0; cx + kCell <= a.width(); cx += kCell) {
            double sum[2][3] = {};
            int ink[2] = {};
            for (int y = cy; y < cy + kCell; ++y)
                for (int x = cx; x < cx + kCell; ++x)
                    for (int i = 0; i < 2; ++i) {
                        const QRgb c = (i == 0 ? a : b).pixel(x, y);
                        sum[i][0] += qRed(c), sum[i][1] += qGreen(c), sum[i][2] += qBlue(c);
                        ink[i] += far(c, ground) ? 1 : 0;
                    }
            bool bDiffers = std::max(ink[0], ink[1]) >= 8 && std::min(ink[0], ink[1]) < 2;
            for (int ch = 0; ch < 3; ++ch)
                bDiffers = bDiffers || std::abs(sum[0][ch] - sum[1][ch]) / (kCell * kCell) > 64.0;
            differing += bDiffers ? 1 : 0;
        }
    return differing;
}

} // namespace

class TestEmf : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

    void requireSoffice()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty())
            QSKIP("LibreOffice (soffice) is not installed: scripts/install-deps.sh installs it");
    }

private slots:
    // An empty picture is a whole file: header with description and frame, and EMR_EOF.
    void emptyPictureHasHeaderAndEnd()
    {
        const QString path = m_dir.filePath(QStringLiteral("leer.emf"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(EmfPicture(QSize(800, 400), QStringLiteral("Wave Abbild"), [](QPainter&) {}));
        file.close();
        VerifyHeader(path, QStringLiteral("Wave Abbild"), {0, 0, 21166, 10583}); // x·2540/96
        // At 300 × 150 dpi a picture of 300 × 150 pixels is one inch square.
        file.open(QIODevice::WriteOnly);
        file.write(EmfPicture(QSize(300, 150), QString(), [](QPainter&) {}, 300.0, 150.0));
        file.close();
        VerifyHeader(path, QString(), {0, 0, 2540, 2540});
    }

    // Every 2D view: the EMF (also under .wmf) as LibreOffice draws it matches the PNG cell by cell.
    void viewsLookAlikeInLibreOffice()
    {
        requireSoffice();
        const QString wav = testwaves::writeTone(m_dir.filePath(QStringLiteral("ton.wav")), 440.0, 16, 44100, 0.5);
        const QList<std::pair<QString, QString>> views{
            {QStringLiteral("waveform"), QStringLiteral("Wave Abbild")},
            {QStringLiteral("overview"), QStringLiteral("Übersicht Abbild")},
            {QStringLiteral("fft"), QStringLiteral("FFT Abbild")},
            {QStringLiteral("sonogram"), QStringLiteral("Sonogramm Abbild")},
            {QStringLiteral("notes"), QStringLiteral("Notenbild")},
            {QStringLiteral("wavelet"), QStringLiteral("Wavelet Abbild")},
            {QStringLiteral("timeseries"), QStringLiteral("Zeitreihe Abbild")},
            {QStringLiteral("analysis"), QStringLiteral("Analyse Abbild")}};
        QStringList metafiles;
        for (const auto& [view, title] : views) {
            const QString ext = view == QStringLiteral("waveform") ? QStringLiteral(".wmf") : QStringLiteral(".emf");
            for (const QString& out : {m_dir.filePath(view + QStringLiteral(".png")), m_dir.filePath(view + ext)}) {
                QProcess p;
                p.start(QStringLiteral(RESONI_RENDER_PATH),
                        {view, wav, QStringLiteral("--to"), QStringLiteral("8192"), QStringLiteral("--width"),
                         QStringLiteral("640"), QStringLiteral("--height"), QStringLiteral("320"), QStringLiteral("--out"), out});
                QVERIFY(p.waitForFinished(120000));
                QVERIFY2(p.exitCode() == 0, p.readAllStandardError().constData());
            }
            metafiles << m_dir.filePath(view + ext);
            VerifyHeader(metafiles.back(), title, {0, 0, 16933, 8466}); // 640 × 320 at 96 dpi
            QVERIFY(!QTest::currentTestFailed());
        }
        const QString lo = m_dir.filePath(QStringLiteral("lo"));
        QVERIFY(Convert(QStringLiteral("png"), metafiles, lo, m_dir.filePath(QStringLiteral("profil"))));
        for (const auto& [view, title] : views) {
            const QImage ours = QImage(m_dir.filePath(view + QStringLiteral(".png"))).convertToFormat(QImage::Format_RGB32);
            const QImage page(lo + QLatin1Char('/') + view + QStringLiteral(".png"));
            QVERIFY2(!page.isNull(), qPrintable(view));
            int differing = 800;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    differing = std::min(differing, DifferingCells(ours, PictureOnPage(page, ours.size(), dx, dy)));
            qInfo("%s: %d of 800 cells differ", qPrintable(view), differing);
            QVERIFY2(differing <= 24, qPrintable(view));
        }
    }

    // Text with umlauts, upright and turned by 90°, reaches LibreOffice's SVG as text.
    void umlautsSurviveAsText()
    {
        requireSoffice();
        const QString path = m_dir.filePath(QStringLiteral("text.emf"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(EmfPicture(QSize(400, 300), QStringLiteral("Notenbild"), [](QPainter& painter) {
            QFont font(QStringLiteral("Arial"));
            font.setPixelSize(16);
            painter.setFont(font);
            painter.drawText(QPoint(40, 40), QStringLiteral("Hüllkurve Größe"));
            painter.translate(20, 250);
            painter.rotate(-90.0);
            painter.drawText(QPoint(0, 0), QStringLiteral("Ämplitüde"));
        }));
        file.close();
        const QString lo = m_dir.filePath(QStringLiteral("svg"));
        QVERIFY(Convert(QStringLiteral("svg"), {path}, lo, m_dir.filePath(QStringLiteral("profil"))));
        QFile svg(lo + QStringLiteral("/text.svg"));
        QVERIFY(svg.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(svg.readAll());
        QVERIFY2(text.contains(QStringLiteral("Hüllkurve")) && text.contains(QStringLiteral("Größe")),
                 qPrintable(text.left(3000)));
        QVERIFY(text.contains(QStringLiteral("Ämplitüde")));
    }
};

QTEST_MAIN(TestEmf)
#include "tst_emf.moc"
