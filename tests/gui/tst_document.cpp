// The document's state rules: module toggles, clearing, removing a file, the FFT settings
// dialog, the palette and the idle handling.
#include "support/AppFixture.h"
#include "support/HintRecorder.h"

#include "core/audio/RiffWaveFile.h"
#include "core/audio/WaveFormat.h"
#include "gui/app/ModuleChildFrame.h"
#include "gui/document/DocView.h"
#include "gui/document/FFTSettingsDlg.h"
#include "gui/document/GlobalFlags.h"
#include "gui/document/UpdateHints.h"
#include "gui/waveform/SplitterFrame.h"

#include <QComboBox>
#include <QMdiArea>
#include <QtTest>

class TestDocument : public QObject
{
    Q_OBJECT
private slots:
    void startStateOfANewDocument()
    {
        AppFixture f;
        QVERIFY(f.started());
        CResoniDoc& d = f.doc();
        QCOMPARE(d.m_pWaveFormat->formatTag, 1);
        QCOMPARE(d.m_pWaveFormat->channels, 6); // no capture format chosen yet
        QCOMPARE(d.m_nBitsPerSample, 16);
        QCOMPARE(d.m_strShownFile, QStringLiteral("Kein File ausgewählt."));
        QCOMPARE(d.m_nFFTSize, f.app().m_nDefaultFFTSize);
        QCOMPARE(d.m_nStereoChannel, 1);
        for (const std::vector<double>* a : {&d.m_arSignal, &d.m_arSpectrum, &d.m_arSeries, &d.m_arSpare}) {
            QCOMPARE(a->size(), size_t(1));
            QCOMPARE(a->front(), 0.0);
        }
        QVERIFY(d.m_arAutoCorr.empty());
        QCOMPARE(d.m_arWavelet, std::vector<float>{0.0f});
    }

    void paletteHasSixRampsOf256()
    {
        AppFixture f;
        const auto& p = f.doc().m_Palette;
        QVERIFY(f.doc().m_bPaletteBuilt);
        QCOMPARE(p.size(), size_t(1536));
        QCOMPARE(p[0], (Rgb{255, 0, 0}));
        QCOMPARE(p[256 + 10], (Rgb{245, 255, 0}));
        QCOMPARE(p[1535], (Rgb{255, 255, 255}));
    }

    void toggleOpensOnceAndClosesOnSecondCall_data()
    {
        QTest::addColumn<int>("module");
        for (const ModuleInfo& info : moduleTable())
            QTest::newRow(info.frameClass) << int(info.module);
    }
    void toggleOpensOnceAndClosesOnSecondCall()
    {
        QFETCH(int, module);
        const Module m = static_cast<Module>(module);
        AppFixture f;
        const int before = int(f.frame().mdiArea()->subWindowList().size());
        f.doc().ToggleModuleWindow(m);
        QVERIFY(f.doc().moduleFrame(m) != nullptr);
        QCOMPARE(f.app().moduleOpenFlag(m), 1);
        QCOMPARE(int(f.frame().mdiArea()->subWindowList().size()), before + 1);
        QCOMPARE(f.doc().moduleFrame(m)->windowTitle(), QString::fromUtf8(moduleInfo(m).title));
        QCOMPARE(f.doc().moduleFrame(m)->metaObject()->className(), moduleInfo(m).frameClass);
        QCOMPARE(f.doc().moduleFrame(m)->view()->metaObject()->className(), moduleInfo(m).viewClass);

        f.doc().ToggleModuleWindow(m); // the second toggle closes: never a second window
        QVERIFY(f.doc().moduleFrame(m) == nullptr);
        QCOMPARE(f.app().moduleOpenFlag(m), 0);
        QCOMPARE(int(f.frame().mdiArea()->subWindowList().size()), before);
    }

    void closingAWindowByHandClearsItsFlagOnRefresh()
    {
        AppFixture f;
        f.doc().ToggleModuleWindow(Module::Sono);
        QPointer<CModuleChildFrame> w = f.doc().moduleFrame(Module::Sono);
        w->close(); // the user's close box
        QTRY_VERIFY(w.isNull());
        QCOMPARE(f.app().moduleOpenFlag(Module::Sono), 1); // not yet looked at
        QVERIFY(f.frame().action(CommandId::ViewSono)->isChecked());
        f.frame().UpdateCommandUI(); // as when the menu or toolbar is refreshed
        QVERIFY(!f.frame().action(CommandId::ViewSono)->isChecked());
        QCOMPARE(f.app().moduleOpenFlag(Module::Sono), 0);
    }

    void clearCapturesLeavesOneZeroInEveryArray()
    {
        AppFixture f;
        CResoniDoc& d = f.doc();
        d.m_arSignal = {1, 2, 3};
        d.m_arSpectrum = {4, 5};
        d.m_arAutoCorr = {6};
        d.m_arSeries = {7, 8};
        d.m_arWavelet = {9, 10};
        HintRecorder rec(d);
        d.OnClearCaptures();
        for (const std::vector<double>* a : {&d.m_arSignal, &d.m_arSpectrum, &d.m_arAutoCorr, &d.m_arSeries})
            QCOMPARE(*a, std::vector<double>{0.0});
        QCOMPARE(d.m_arWavelet, std::vector<float>{0.0f});
        QCOMPARE(rec.hints, std::vector<int>{UpdateHint::kRefresh});
    }

    void clearCapturesIsOfferedOnlyInItsWindows()
    {
        AppFixture f;
        QAction* clear = f.frame().action(CommandId::EditClearCaptures);
        struct Case { Module m; bool offered; };
        const Case cases[] = {{Module::FFT, true},      {Module::Sono, true},     {Module::Zeitreihe, true},
                              {Module::FFT3D, true},    {Module::Reko, true},    {Module::Notenbild, false},
                              {Module::Analyse, false}, {Module::Wavelet, false}};
        for (const Case& c : cases) {
            f.doc().ToggleModuleWindow(c.m);
            f.frame().mdiArea()->setActiveSubWindow(f.doc().moduleFrame(c.m));
            f.frame().UpdateCommandUI();
            QVERIFY2(clear->isEnabled() == c.offered, moduleInfo(c.m).frameClass);
            f.doc().ToggleModuleWindow(c.m);
        }
        f.frame().mdiArea()->setActiveSubWindow(f.doc().m_pWaveFrame);
        f.frame().UpdateCommandUI();
        QVERIFY(clear->isEnabled()); // the waveform window offers it too
    }

    void removeWaveResetsToTheKeptFFTSize()
    {
        AppFixture f;
        CResoniDoc& d = f.doc();
        f.app().m_nDefaultFFTSize = 2048; // kept from the profile / the previous document
        d.m_nFFTSize = 8192;              // the current one
        g_bWaveLoaded = true;
        g_bPlayCopyResampled = true;
        d.m_nSampleRate = 44100;
        d.m_nStatusBits = 16;
        d.m_strChannels = "Mono";
        d.m_strFormat = "PCM";
        d.m_strWaveFile = "/tmp/x.wav";
        d.m_pWaveData = AllocateWaveBytes(100);
        d.m_nWaveDataBytes = 100;
        d.m_dFullScale = 32767.0;
        d.m_nSelectionFFTSize = 512;
        HintRecorder rec(d);
        d.RemoveWave();
        QCOMPARE(d.m_nFFTSize, 2048);
        QVERIFY(!g_bWaveLoaded);
        QVERIFY(!g_bPlayCopyResampled);
        QCOMPARE(d.m_nSampleRate, 0u);
        QCOMPARE(d.m_nStatusBits, 0);
        QVERIFY(d.m_strChannels.empty());
        QVERIFY(d.m_strFormat.empty());
        QCOMPARE(d.waveFileName(), QStringLiteral("Kein File ausgewählt."));
        QCOMPARE(d.m_strShownFile, QStringLiteral("Kein File ausgewählt."));
        QVERIFY(!d.m_pWaveData);
        QCOMPARE(d.m_nWaveDataBytes, std::size_t{0});
        QCOMPARE(d.m_dFullScale, 0.0);
        QCOMPARE(d.m_nSelectionFFTSize, 0);
        QCOMPARE(rec.hints, (std::vector<int>{UpdateHint::kPlaybackStopped, UpdateHint::kRefresh}));
        QCOMPARE(f.frame().paneText(5), QStringLiteral("FFT Punkte: 2048"));
        QCOMPARE(f.frame().paneText(1), QStringLiteral("File: Kein File ausgewählt."));
        QVERIFY(f.frame().paneText(3).isEmpty());
    }

    void fftDialogOpensOnTheDocumentSize_data()
    {
        QTest::addColumn<int>("docSize");
        QTest::addColumn<QString>("shown");
        QTest::newRow("256") << 256 << "256";
        QTest::newRow("32768") << 32768 << "32768";
        QTest::newRow("4096") << 4096 << "4096";
        QTest::newRow("unlisted 1000") << 1000 << "1024";
        QTest::newRow("unlisted 65536") << 65536 << "1024";
        QTest::newRow("zero") << 0 << "1024";
    }
    void fftDialogOpensOnTheDocumentSize()
    {
        QFETCH(int, docSize);
        QFETCH(QString, shown);
        CFFTSettingsDlg dlg(docSize);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("FFT Einstellungen"));
        QCOMPARE(dlg.sizeList()->currentText(), shown);
        QCOMPARE(dlg.sizeList()->count(), 8);
    }

    void fftDialogOkSetsTheChosenSize_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < 8; ++i)
            QTest::newRow(QByteArray::number(256 << i).constData()) << i;
    }
    void fftDialogOkSetsTheChosenSize()
    {
        QFETCH(int, index);
        AppFixture f;
        f.doc().m_arSignal = {1, 2, 3};
        f.dialogs().dialogActions.push_back([index](QDialog& d) {
            auto& dlg = static_cast<CFFTSettingsDlg&>(d);
            dlg.sizeList()->setCurrentIndex(index);
            return int(QDialog::Accepted);
        });
        f.doc().OnFFTSettings();
        QCOMPARE(f.dialogs().dialogTitles, QStringList{QStringLiteral("FFT Einstellungen")});
        QCOMPARE(f.doc().m_nFFTSize, 256 << index);
        QCOMPARE(f.frame().paneText(5), QStringLiteral("FFT Punkte: %1").arg(256 << index));
        QCOMPARE(f.doc().m_arSignal, std::vector<double>{0.0}); // contents cleared
    }

    void fftDialogCancelKeepsTheSizeButClears()
    {
        AppFixture f;
        f.doc().m_nFFTSize = 4096;
        f.doc().m_arSpectrum = {1, 2};
        f.dialogs().dialogActions.push_back([](QDialog& d) {
            static_cast<CFFTSettingsDlg&>(d).sizeList()->setCurrentIndex(0);
            return int(QDialog::Rejected);
        });
        HintRecorder rec(f.doc());
        f.doc().OnFFTSettings();
        QCOMPARE(f.doc().m_nFFTSize, 4096);
        QCOMPARE(f.doc().m_arSpectrum, std::vector<double>{0.0});
        QCOMPARE(rec.hints.back(), UpdateHint::kRefresh);
    }

    void fftDialogSwitchesListeningOffAndResumesPlayback()
    {
        AppFixture f;
        g_bListening = true;
        g_bRecording = true;
        f.doc().OnFFTSettings();
        QVERIFY(!g_bListening); // and it is not switched on again
        QVERIFY(!g_bRecording);
        QVERIFY(f.frame().paneText(7).isEmpty());

        // A loaded file that plays (a buffer without an output device keeps its play state).
        const QString wave = f.tempDir() + QStringLiteral("/spiel.wav");
        {
            const WaveFormat format = MakePcmFormat(1, 8000, 8);
            CRiffWaveFile out;
            QVERIFY(SUCCEEDED(out.Open(wave.toStdString(), &format, WAVEFILE_WRITE)));
            const std::vector<std::uint8_t> bytes(800, 128);
            std::size_t wrote = 0;
            QVERIFY(SUCCEEDED(out.Write(bytes.size(), bytes.data(), &wrote)));
            QVERIFY(SUCCEEDED(out.Close()));
        }
        f.doc().OpenWaveFile(wave);
        g_bLoopPlay = true;
        f.doc().OnPlay();
        QVERIFY(g_bPlaying);
        QVERIFY(f.doc().m_pPlayBuffer->IsSoundPlaying());
        HintRecorder rec(f.doc());
        f.doc().OnFFTSettings();
        QVERIFY(g_bPlaying); // playback resumed
        QVERIFY(f.doc().m_pPlayBuffer->IsSoundPlaying());
        QCOMPARE(rec.hints.front(), UpdateHint::kPlaybackStopped);
        QVERIFY(std::find(rec.hints.begin(), rec.hints.end(), UpdateHint::kPlaybackStarted) != rec.hints.end());
        g_bPlaying = false;
        g_bLoopPlay = false;
    }

    void idleClearsAbortAndCloses3DWindowsOnRequest()
    {
        AppFixture f;
        f.doc().ToggleModuleWindow(Module::FFT3D);
        f.doc().ToggleModuleWindow(Module::Reko);
        f.doc().ToggleModuleWindow(Module::FFT);
        g_bAbort.raise();
        f.app().OnIdle();
        QVERIFY(!g_bAbort.isRaised());
        QVERIFY(f.doc().moduleFrame(Module::FFT3D)); // nothing asked for closing yet

        f.doc().m_bClose3DViews = true;
        f.app().OnIdle();
        QVERIFY(!f.doc().moduleFrame(Module::FFT3D));
        QVERIFY(!f.doc().moduleFrame(Module::Reko));
        QCOMPARE(f.app().moduleOpenFlag(Module::FFT3D), 0);
        QCOMPARE(f.app().moduleOpenFlag(Module::Reko), 0);
        QVERIFY(f.doc().moduleFrame(Module::FFT)); // other windows stay

        f.doc().ToggleModuleWindow(Module::Reko); // opening a 3D window clears the request
        QVERIFY(!f.doc().m_bClose3DViews);
        f.app().OnIdle();
        QVERIFY(f.doc().moduleFrame(Module::Reko));
    }

    void destroyingTheDocumentKeepsItsSettings()
    {
        AppFixture f;
        f.doc().m_nFFTSize = 16384;
        f.doc().m_strWaveFile = "/data/a.wav";
        f.app().DestroyDocument();
        QCOMPARE(f.app().m_nDefaultFFTSize, 16384);
        QCOMPARE(f.app().m_strLastWaveFile, QStringLiteral("/data/a.wav"));
        QVERIFY(f.app().CreateDocument()); // the next document starts from them
        QCOMPARE(f.doc().m_nFFTSize, 16384);
        QCOMPARE(f.doc().waveFileName(), QStringLiteral("/data/a.wav"));
    }
};

QTEST_MAIN(TestDocument)
#include "tst_document.moc"
