// The note image's third mode: the pitch of a selection drawn over time on the staff, computed on
// a worker thread; then captured blocks of another tone (hint 12) take the trace over.
#include "support/AppFixture.h"
#include "support/TestWaves.h"

#include "gui/document/GlobalFlags.h"
#include "gui/spectral/NotenbildFrame.h"
#include "gui/spectral/NotenbildPitchPane.h"
#include "gui/spectral/NotenbildView.h"

#include <QRadioButton>
#include <QSignalSpy>
#include <QtTest>

#include <cmath>
#include <numbers>

class TestNotenbildPitch : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void init() { ResetGlobalFlags(); }

    void tracksASelectionThenTheLiveInput()
    {
        AppFixture f;
        f.doc().ToggleModuleWindow(Module::Notenbild);
        auto* frame = qobject_cast<CNotenbildFrame*>(f.doc().moduleFrame(Module::Notenbild));
        frame->resize(900, 600);
        CNotenbildView* view = frame->notenbildView();
        CNotenbildPitchPane& pane = view->pitchPane();
        frame->modeButton(2)->click();
        QSignalSpy finished(&pane, &CNotenbildPitchPane::trackFinished);
        f.doc().OpenWaveFile(testwaves::writeTone(m_dir.path() + "/a.wav", 220.0, 16, 44100, 2.0));
        f.doc().OnSelectionChanged(0, 44100);
        QVERIFY(pane.isComputing());
        QVERIFY(finished.wait(10000));
        NotenbildPitchTrace trace = pane.trace();
        QCOMPARE(trace.hops.size(), std::size_t{83}); // frames of 2048 every 512 samples in one second
        QVERIFY(std::abs(1200 * std::log2(*trace.label() / 220.0)) < 1);
        // a (220 Hz) on the top line of the bass staff, drawn in blue across the width.
        QImage image = view->grab().toImage();
        for (int x : {61, view->width() / 2, view->width() - 41})
            QCOMPARE(image.pixel(x, view->height() - 120), qRgb(0, 0, 255));

        // Listening: every block of 1024 samples (N = 2048) is captured; 8 blocks of 330 Hz give
        // one estimate of the first block alone and then the 13 hops of 8192 samples.
        g_bListening = true;
        f.doc().m_nFFTSize = 2048;
        *f.doc().m_pWaveFormat = PcmWaveFormat{1, 1, 44100, 88200, 2, 16, 0};
        std::vector<double> block(1024);
        for (int b = 0; b < 8; ++b) {
            for (std::size_t i = 0; i < block.size(); ++i)
                block[i] = std::round(12000 * std::sin(2 * std::numbers::pi * 330.0 * double(b * 1024 + i) / 44100));
            f.doc().OnCaptureBlock(block);
        }
        trace = pane.trace();
        QVERIFY(trace.bLive && trace.hops.size() == 14 && trace.nNewest == 13);
        QVERIFY(std::abs(1200 * std::log2(*trace.label() / 330.0)) < 1);
        // Two pixels per hop from x = 60: the newest at 86, nothing yet further right.
        image = view->grab().toImage();
        const int y = static_cast<int>(std::lround(NotenbildPitchRow(330.0, view->height())));
        QCOMPARE(image.pixel(84, y), qRgb(0, 0, 255));
        QVERIFY(image.pixel(90, y) != qRgb(0, 0, 255));
    }
};

QTEST_MAIN(TestNotenbildPitch)
#include "tst_notenbild_pitch.moc"
