// The document's state rules: module toggles, removing a file, the 8-bit autocorrelation and
// the FFT settings dialog.
#include "support/AppFixture.h"
#include "support/HintRecorder.h"
#include "support/TestWaves.h"

#include "gui/app/ModuleChildFrame.h"
#include "gui/waveform/SplitterFrame.h"
#include "gui/document/DocView.h"
#include "gui/document/FFTSettingsDlg.h"
#include "gui/document/GlobalFlags.h"
#include "gui/document/UpdateHints.h"

#include <QComboBox>
#include <QMdiArea>
#include <QtTest>

class TestDocument : public QObject
{
    Q_OBJECT
private slots:
    void init() { ResetGlobalFlags(); }

    void viewCommandsOpenOnceAndCloseOnTheSecondCall()
    {
        AppFixture f;
        // The "Ansicht" commands in the order of the module table.
        const CommandId views[] = {CommandId::ViewZeitreihe, CommandId::ViewFFT,   CommandId::View3DFFT,
                                   CommandId::ViewNotenbild, CommandId::ViewSono,  CommandId::ViewReko,
                                   CommandId::ViewAnalyse,   CommandId::ViewWavelet};
        const int before = int(f.frame().mdiArea()->subWindowList().size());
        for (bool open : {true, false}) { // the second call closes: never a second window
            for (const ModuleInfo& info : moduleTable()) {
                f.run(views[int(info.module)]);
                QCOMPARE(f.doc().moduleFrame(info.module) != nullptr, open);
                QCOMPARE(f.app().moduleOpenFlag(info.module), int(open));
                f.frame().UpdateCommandUI();
                QCOMPARE(f.frame().action(views[int(info.module)])->isChecked(), open);
                if (open)
                    QCOMPARE(f.doc().moduleFrame(info.module)->view()->metaObject()->className(), info.viewClass);
            }
            QCOMPARE(int(f.frame().mdiArea()->subWindowList().size()), before + (open ? 8 : 0));
        }
    }

    void closingAWindowByHandClearsItsFlagOnRefresh()
    {
        AppFixture f;
        f.doc().ToggleModuleWindow(Module::Sono);
        QPointer<CModuleChildFrame> w = f.doc().moduleFrame(Module::Sono);
        w->close(); // the user's close box
        QTRY_VERIFY(w.isNull());
        QCOMPARE(f.app().moduleOpenFlag(Module::Sono), 1); // not yet looked at
        f.frame().UpdateCommandUI(); // as when the menu or toolbar is refreshed
        QVERIFY(!f.frame().action(CommandId::ViewSono)->isChecked());
        QCOMPARE(f.app().moduleOpenFlag(Module::Sono), 0);
    }

    void removeWaveResetsToTheKeptFFTSize()
    {
        AppFixture f;
        CResoniDoc& d = f.doc();
        d.OpenWaveFile(testwaves::writeTone(f.tempDir() + QStringLiteral("/a.wav"), 440, 16, 44100));
        QVERIFY(g_bWaveLoaded);
        f.app().m_nDefaultFFTSize = 2048; // kept from the profile / the previous document
        d.m_nFFTSize = 8192;              // the current one
        d.m_nSelectionFFTSize = 512;
        HintRecorder rec(d);
        f.run(CommandId::RemoveWave);
        QCOMPARE(std::tuple(d.m_nFFTSize, d.m_nSampleRate, d.m_nWaveDataBytes, d.m_nSelectionFFTSize),
                 std::tuple(2048, 0u, std::size_t{0}, 0));
        QVERIFY(!g_bWaveLoaded && !d.m_pWaveData && !d.m_pPlayBuffer);
        QVERIFY(d.m_strChannels.empty() && d.m_strFormat.empty());
        QCOMPARE(d.m_strShownFile, QStringLiteral("Kein File ausgewählt."));
        QCOMPARE(rec.hints, (std::vector<int>{UpdateHint::kPlaybackStopped, UpdateHint::kRefresh}));
        QCOMPARE(f.paneTexts({1, 2, 3, 5}),
                 (QStringList{"File: Kein File ausgewählt.", "", "", "FFT Punkte: 2048"}));
    }

    void autocorrelationIsTheSameFor8And16Bit()
    {
        // A sine of period 100 samples: 8-bit samples lie around 128, 16-bit ones around 0;
        // both must give the first minimum of the centred signal.
        std::vector<int> lags;
        for (int bits : {8, 16}) {
            AppFixture f;
            f.doc().ToggleModuleWindow(Module::FFT);
            f.doc().OpenWaveFile(testwaves::writeTone(f.tempDir() + QStringLiteral("/p100.wav"), 441, bits, 44100));
            const int bytes = bits / 8;
            f.doc().OnSelectionChanged(0, 4096 * bytes);
            lags.push_back(f.doc().m_nFirstMinLag);
        }
        QCOMPARE(lags[0], lags[1]);
        QVERIFY2(lags[1] >= 24 && lags[1] <= 26, qPrintable(QString::number(lags[1])));
    }

    void fftDialog_data()
    {
        QTest::addColumn<int>("docSize");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("choose"); // -1: "Abbrechen"
        QTest::addColumn<int>("after");
        QTest::newRow("256, choose 32768") << 256 << "256" << 7 << 32768;
        QTest::newRow("32768, choose 256") << 32768 << "32768" << 0 << 256;
        QTest::newRow("unlisted 1000 shows 1024") << 1000 << "1024" << 3 << 2048;
        QTest::newRow("zero shows 1024, cancelled") << 0 << "1024" << -1 << 0;
        QTest::newRow("cancel keeps 4096") << 4096 << "4096" << -1 << 4096;
    }
    void fftDialog()
    {
        QFETCH(int, docSize);
        QFETCH(QString, shown);
        QFETCH(int, choose);
        QFETCH(int, after);
        AppFixture f;
        f.doc().m_nFFTSize = docSize;
        f.doc().m_arSignal = {1, 2, 3};
        QString opened;
        f.dialogs().dialogActions.push_back([&](QDialog& d) {
            auto& dlg = static_cast<CFFTSettingsDlg&>(d);
            opened = dlg.sizeList()->currentText();
            if (choose < 0)
                return int(QDialog::Rejected);
            dlg.sizeList()->setCurrentIndex(choose);
            return int(QDialog::Accepted);
        });
        HintRecorder rec(f.doc());
        f.frame().action(CommandId::FFTSettings)->trigger();
        QCOMPARE(f.dialogs().dialogTitles, QStringList{QStringLiteral("FFT Einstellungen")});
        QCOMPARE(opened, shown);
        QCOMPARE(f.doc().m_nFFTSize, after);
        if (after > 0)
            QCOMPARE(f.frame().paneText(5), QStringLiteral("FFT Punkte: %1").arg(after));
        QCOMPARE(f.doc().m_arSignal, std::vector<double>{0.0}); // contents cleared either way
        QCOMPARE(rec.hints.back(), UpdateHint::kRefresh);
    }

    void fftDialogSwitchesListeningOffAndResumesPlayback()
    {
        AppFixture f;
        g_bListening = true;
        g_bRecording = true;
        f.doc().OnFFTSettings();
        QVERIFY(!g_bListening && !g_bRecording); // and listening is not switched on again
        QVERIFY(f.frame().paneText(7).isEmpty());

        f.doc().OpenWaveFile(testwaves::writeTone(f.tempDir() + QStringLiteral("/spiel.wav"), 440, 8, 8000, 20.0));
        g_bLoopPlay = true;
        f.doc().OnPlay();
        QVERIFY(g_bPlaying && f.doc().m_pPlayBuffer->IsSoundPlaying());
        HintRecorder rec(f.doc());
        f.doc().OnFFTSettings();
        QVERIFY(g_bPlaying && f.doc().m_pPlayBuffer->IsSoundPlaying()); // playback resumed
        QCOMPARE(rec.hints.front(), UpdateHint::kPlaybackStopped);
        QVERIFY(std::find(rec.hints.begin(), rec.hints.end(), UpdateHint::kPlaybackStarted) != rec.hints.end());
        f.doc().OnStopPlay();
    }

};

QTEST_MAIN(TestDocument)
#include "tst_document.moc"
