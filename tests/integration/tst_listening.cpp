// The program's audio commands against the real PulseAudio server of the test script: start-up
// opens the devices, "Audioeingang abhören" asks for the capture format and shows a played
// tone's spectrum, "Aufnahme" writes a file that Python's wave module reads, and "Play Wave"
// plays the loaded file while the overview and the spectra follow the play position. The
// fixture opens the sound devices at start-up because the test script's server runs.
#include "AudioTestSupport.h"

#include "support/AppFixture.h"

#include "gui/audio/SoundDevices.h"
#include "gui/audio/WaveFormatDlg.h"
#include "gui/document/GlobalFlags.h"
#include "gui/spectral/FFTFrame.h"
#include "gui/waveform/ResoniOverView.h"
#include "gui/waveform/SplitterFrame.h"

#include <QListWidget>
#include <QMdiArea>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace audiotest;

namespace {

// Switches listening on through "Audioeingang abhören"; the capture format it asks for the
// first time is 44100 Hz, 16-bit mono.
void startListening(AppFixture& f)
{
    f.dialogs().dialogActions.push_back([](QDialog& d) {
        auto& dlg = dynamic_cast<CWaveFormatDlg&>(d);
        const auto items = dlg.formatList()->findItems(QStringLiteral("44100 Hz, 16-bit Mono"), Qt::MatchExactly);
        if (items.isEmpty())
            return int(QDialog::Rejected);
        dlg.formatList()->setCurrentItem(items.front());
        return int(QDialog::Accepted);
    });
    f.run(CommandId::ToolListen);
    QVERIFY(g_bListening);
}

} // namespace

class TestListening : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        if (qEnvironmentVariable("RESONI_PULSE") != QLatin1String("1"))
            QSKIP("no PulseAudio server of the test script (run through scripts/with-pulseaudio.sh)");
    }

    void init() { ResetGlobalFlags(); }

    void listeningShowsTheSpectrumOfAPlayedToneAndRecords()
    {
        AppFixture f;
        QVERIFY(f.started());
        QVERIFY(f.app().soundDevices() && f.app().soundDevices()->IsOpen());
        CResoniDoc& d = f.doc();
        d.ToggleModuleWindow(Module::FFT);
        d.m_nFFTSize = 2048;

        const QString tone = m_dir.filePath(QStringLiteral("ton1000.wav"));
        QVERIFY(WriteSineWave(tone, 1000, 10));
        QProcess player;
        player.start(QStringLiteral("paplay"), {QStringLiteral("--device=test_out"), tone});
        QVERIFY(player.waitForStarted());

        // "Abbrechen" in the format dialog leaves listening off; the next try asks again.
        f.dialogs().dialogActions.push_back([](QDialog&) { return int(QDialog::Rejected); });
        f.run(CommandId::ToolListen);
        QVERIFY(!g_bListening);
        startListening(f);
        QCOMPARE(f.dialogs().dialogTitles, (QStringList{"Waveformat", "Waveformat"}));
        QCOMPARE(d.m_pWaveFormat->samplesPerSec, 44100u);
        const double bin = 44100.0 / 2048;
        QTRY_VERIFY2_WITH_TIMEOUT(std::abs(PeakFrequency(d.m_arSpectrum, 44100) - 1000) <= bin,
                                  qPrintable(QString::number(PeakFrequency(d.m_arSpectrum, 44100))), 10000);

        // Cancelling the record file dialog leaves recording off; listening goes on.
        f.run(CommandId::Record);
        QVERIFY(!g_bRecording && g_bListening);
        QCOMPARE(f.dialogs().fileDialogs.back().title, QStringLiteral("Wavefile auswählen oder neu benennen."));

        // Recording into a file chosen in the save dialog, then listening off completes it.
        const QString record = m_dir.filePath(QStringLiteral("aufnahme.wav"));
        f.run(CommandId::Record, record);
        QVERIFY(g_bRecording);
        QCOMPARE(f.paneTexts({7, 8}), (QStringList{"Abhören läuft...", "Aufnahme läuft..."}));
        QTest::qWait(1500);
        f.run(CommandId::ToolListen);
        QVERIFY(!g_bListening && !g_bRecording);
        QCOMPARE(f.paneTexts({7, 8}), (QStringList{"", ""}));
        player.kill();
        player.waitForFinished();

        const QString info = PythonWaveInfo(record);
        QVERIFY2(info.startsWith(QStringLiteral("1 2 44100 ")) && info.section(QLatin1Char(' '), 3).toInt() > 44100,
                 qPrintable(info)); // well over a second of sound

        // The recording holds the tone: load it and look at its spectrum.
        d.OpenWaveFile(record);
        QVERIFY(g_bWaveLoaded);
        d.OnSelectionChanged(20000, 20000 + 8192);
        QVERIFY(std::abs(PeakFrequency(d.m_arSpectrum, 44100) - 1000) <= 44100.0 / 8192);
    }

    void playWaveFollowsThePlayPosition()
    {
        AppFixture f;
        QVERIFY(f.started());
        CResoniDoc& d = f.doc();
        d.m_nFFTSize = 1024;
        const QString tone = m_dir.filePath(QStringLiteral("ton440.wav"));
        QVERIFY(WriteSineWave(tone, 440, 4));
        d.OpenWaveFile(tone);
        QVERIFY(g_bWaveLoaded);
        QVERIFY(d.m_pPlayBuffer->HasOutput());

        f.run(CommandId::PlayWave);
        QVERIFY(g_bPlaying);
        CResoniOverView* over = d.m_pWaveFrame->overView();
        QVERIFY(over->playTimerActive());
        // The overview's timer feeds the spectra from the play position.
        QTRY_VERIFY_WITH_TIMEOUT(d.m_nPlayWindowStart > 0, 5000);
        QCOMPARE(d.m_arSignal.size(), std::size_t{40000});
        QVERIFY(std::abs(PeakFrequency(d.m_arSpectrum, 44100) - 440) <= 44100.0 / 1024);

        f.run(CommandId::StopPlay);
        QVERIFY(!g_bPlaying && !over->playTimerActive());
        std::size_t stopped = 0;
        QVERIFY(SUCCEEDED(d.m_pPlayBuffer->GetCurrentPosition(0, &stopped)));
        QVERIFY(stopped > 0);
        // "Play Wave" again resumes there.
        f.run(CommandId::PlayWave);
        const std::optional<std::size_t> resumed = d.PlayCursor();
        QVERIFY(resumed && *resumed >= stopped);
        // Without "Loop Playing" the run ends by itself and the overview lets go.
        QTRY_VERIFY_WITH_TIMEOUT(!g_bPlaying, 8000);
    }

    void recordingStopsAtTheSizeLimit()
    {
        AppFixture f;
        CResoniDoc& d = f.doc();
        d.m_nFFTSize = 1024;
        d.m_nMaxRecordBytes = 10000; // a small stand-in for the 4 GiB of a WAV file
        startListening(f);
        const QString record = m_dir.filePath(QStringLiteral("grenze.wav"));
        f.run(CommandId::Record, record);
        QVERIFY(g_bRecording);
        QTRY_VERIFY_WITH_TIMEOUT(!g_bRecording, 10000);
        QVERIFY(g_bListening && f.frame().paneText(8).isEmpty());
        QCOMPARE(f.dialogs().messageTexts(), QStringList{QStringLiteral("Die Aufnahme wurde beendet: eine WAV-Datei "
                                                                        "kann höchstens 4 GiB Daten aufnehmen.")});
        f.run(CommandId::ToolListen);
        // Every whole sample frame up to the limit, and a file that other programs read.
        QCOMPARE(PythonWaveInfo(record), QStringLiteral("1 2 44100 5000"));
    }

    void interruptedPlaybackIsOver_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("Wave entfernen") << 0;
        QTest::newRow("Audioeingang abhören") << 1;
        QTest::newRow("Profil wechseln") << 2;
    }
    void interruptedPlaybackIsOver()
    {
        QFETCH(int, how);
        AppFixture f;
        CResoniDoc& d = f.doc();
        const QString tone = m_dir.filePath(QStringLiteral("ton660.wav"));
        QVERIFY(WriteSineWave(tone, 660, 4));
        d.OpenWaveFile(tone);
        f.run(CommandId::PlayWave);
        QVERIFY(g_bPlaying && d.m_pPlayBuffer->IsSoundPlaying());
        if (how == 0) {
            f.run(CommandId::RemoveWave);
        } else if (how == 1) {
            f.frame().mdiArea()->setActiveSubWindow(nullptr); // listening goes on from no window too
            QVERIFY(!f.frame().mdiArea()->activeSubWindow());
            startListening(f);
            f.run(CommandId::ToolListen);
        } else {
            f.dialogs().dialogActions.push_back(AppFixture::ownProfile(QStringLiteral("fixture")));
            f.app().OnProfileSelect();
        }
        QVERIFY(!g_bPlaying);
        d.OpenWaveFile(tone);
        QVERIFY(g_bWaveLoaded);
        f.frame().UpdateCommandUI();
        QVERIFY(f.frame().action(CommandId::LoopPlay)->isEnabled());
        // The FFT settings resume only a file that was playing.
        f.dialogs().dialogActions.push_back([](QDialog&) { return int(QDialog::Accepted); });
        f.run(CommandId::FFTSettings);
        QVERIFY(!g_bPlaying && !d.m_pPlayBuffer->IsSoundPlaying());
    }
};

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen"); // no display: the windows need none
    QApplication app(argc, argv);
    TestListening test;
    ExitWithoutAudioTeardown(QTest::qExec(&test, argc, argv));
}

#include "tst_listening.moc"
