// The sonogram window on a loaded file: a selected chirp computed on the worker thread, and a
// new selection or closing the window while a computation runs.
#include "support/AppFixture.h"
#include "support/TestWaves.h"

#include "core/spectral/SonoPalette.h"
#include "gui/document/GlobalFlags.h"
#include "gui/document/UpdateHints.h"
#include "gui/spectral/SonoFrame.h"
#include "gui/spectral/SonoView.h"

#include <QHash>
#include <QLineEdit>
#include <QtTest>

#include <cmath>
#include <numbers>

namespace {

constexpr int kRate = 44100;

// A linear chirp from f0 to f1 Hz over the given seconds, amplitude 16000.
QString writeChirp(const QString& path, double f0, double f1, double seconds)
{
    std::vector<std::int16_t> values(static_cast<std::size_t>(seconds * kRate));
    for (std::size_t i = 0; i < values.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double phase = 2 * std::numbers::pi * (f0 * t + (f1 - f0) * t * t / (2 * seconds));
        values[i] = static_cast<std::int16_t>(std::lround(16000 * std::sin(phase)));
    }
    return testwaves::writeWave(path, 1, kRate, 16, testwaves::bytes16(values));
}

CSonoFrame* openSono(AppFixture& f)
{
    f.doc().ToggleModuleWindow(Module::Sono);
    return qobject_cast<CSonoFrame*>(f.doc().moduleFrame(Module::Sono));
}

// Linear axes from 20 Hz to 20 kHz, "Farbig1", line width 2.
FixtureOptions linearAxes()
{
    FixtureOptions options;
    options.prepare = [](ProfileSettings& p) {
        SonoSettings s;
        s.nTopCutkHz = 20;
        s.bIsAmpLinear = true;
        StoreSonoSettings(s, p);
    };
    return options;
}

} // namespace

class TestSonogram : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void init() { ResetGlobalFlags(); }

    void selectedChirpRisesFromLeftToRight()
    {
        AppFixture f(linearAxes());
        CSonoFrame* frame = openSono(f);
        QCOMPARE(frame->fftSize()->text(), QStringLiteral("1024"));
        f.doc().OpenWaveFile(writeChirp(m_dir.path() + QStringLiteral("/chirp.wav"), 1000, 15000, 3.0));
        f.doc().OnSelectionChanged(0, 3 * kRate);
        CSonoView* view = frame->sonoView();
        QTRY_VERIFY_WITH_TIMEOUT(!view->isComputing(), 20000);
        QCOMPARE(view->cancelledRuns(), 0);

        // Per column, the mean row of the highest palette index. Columns run from x = 4 in steps
        // of 2 over the store's width less 70, the windows spread evenly over the 3 seconds.
        QHash<QRgb, int> index;
        for (int i = 0; i < kSonoPaletteSize; ++i)
            index.insert(SonoPixels(true)[static_cast<std::size_t>(i)], i);
        const QImage picture = view->pictureCopy();
        const int h = picture.height();
        const int last = picture.width() - 70;
        double previous = h;
        for (int x = 10; x < last; x += (last - 10) / 8) {
            int best = -1;
            double rows = 0, count = 0;
            for (int y = 0; y < h; ++y) {
                const int i = index.value(picture.pixel(x, y), -1);
                if (i > best)
                    best = i, rows = 0, count = 0;
                if (i == best)
                    rows += y, ++count;
            }
            const double row = rows / count;
            // Expected: the chirp's frequency at the window's time on the axis 20 Hz … 20 kHz.
            const double t = 3.0 * (x - 4) / (last - 4);
            const double hz = 1000 + 14000 * t / 3.0;
            QVERIFY2(std::abs(row - (1 - (hz - 20) / 19980) * h) < 0.03 * h, qPrintable(QString::number(x)));
            QVERIFY2(row < previous, qPrintable(QString::number(x)));
            previous = row;
        }

        // Listening takes the picture over: a column per new spectrum, starting at the left edge.
        g_bListening = true;
        f.doc().m_arSpectrum.assign(513, 0.0);
        f.doc().m_arSpectrum[100] = 30000.0; // 4306 Hz at the file's rate
        f.doc().UpdateAllViews(UpdateHint::kNewBlock);
        const QImage live = view->pictureCopy();
        int lit = 0, elsewhere = 0;
        for (int y = 0; y < h; ++y) {
            lit += live.pixel(4, y) == qRgb(255, 0, 0) ? 1 : 0;
            elsewhere += live.pixel(100, y) != qRgb(0, 0, 0) ? 1 : 0;
        }
        QVERIFY(lit > 0);
        QCOMPARE(elsewhere, 0);
    }

    void newSelectionOrClosingCancelsTheRunningComputation()
    {
        AppFixture f;
        CSonoFrame* frame = openSono(f);
        CSonoView* view = frame->sonoView();
        f.doc().m_nFFTSize = 32768; // long windows: the computation runs for a while
        f.doc().OpenWaveFile(
            testwaves::writeTone(m_dir.path() + QStringLiteral("/a.wav"), 440.0, 16, kRate, 10.0));
        f.doc().OnSelectionChanged(0, 10 * kRate);
        QVERIFY(view->isComputing());
        f.doc().OnSelectionChanged(0, 5 * kRate);
        QCOMPARE(view->cancelledRuns(), 1);
        QVERIFY(view->isComputing());
        QTRY_VERIFY_WITH_TIMEOUT(!view->isComputing(), 20000);
        QCOMPARE(view->cancelledRuns(), 1);

        f.doc().OnSelectionChanged(0, 10 * kRate);
        QVERIFY(view->isComputing());
        f.doc().ToggleModuleWindow(Module::Sono); // closing waits for the worker
        QVERIFY(!f.doc().moduleFrame(Module::Sono));
    }
};

QTEST_MAIN(TestSonogram)
#include "tst_sonogram.moc"
