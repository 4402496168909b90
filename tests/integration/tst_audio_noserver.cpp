// Without an audio server (PULSE_SERVER pointing nowhere): the program starts with one message,
// analyses files and switches off what needs sound; opening the devices fails at its first
// step and leaves nothing open, the format scan accepts nothing, listening ends at once with
// its set-up message, and beeps and playback buffers are refused without a crash.
#include "AudioTestSupport.h"

#include "support/AppFixture.h"

#include "core/audio/AudioTexts.h"
#include "core/audio/CaptureFormats.h"
#include "gui/audio/CaptureThread.h"
#include "gui/audio/PlaybackDevice.h"
#include "gui/audio/PlaybackManager.h"
#include "gui/audio/SoundDevices.h"
#include "gui/document/GlobalFlags.h"

#include <QApplication>
#include <QMediaDevices>
#include <QTemporaryDir>
#include <QtTest>

using namespace audiotest;

class TestAudioNoServer : public QObject
{
    Q_OBJECT
private slots:
    void programStartsWithoutSound()
    {
        QTemporaryDir dir;
        const QString tone = dir.filePath(QStringLiteral("ton.wav"));
        QVERIFY(WriteSineWave(tone, 1000, 0.5));
        FixtureOptions options;
        options.openSoundDevices = true;
        options.prepare = [&](ProfileSettings& s) { s.IniDokumentPlayFile = tone.toStdString(); };
        AppFixture f(options);
        QVERIFY(f.started());
        QCOMPARE(f.dialogs().messageTexts(), QStringList{QStringLiteral("Kein Audioserver (PulseAudio oder PipeWire) erreichbar. Abhören, "
                                                   "Aufnahme und Wiedergabe sind abgeschaltet.")});
        QVERIFY(!f.app().soundDevices());
        // The file is there and analysed; everything that needs sound is switched off.
        QVERIFY(g_bWaveLoaded);
        f.doc().ToggleModuleWindow(Module::FFT);
        f.doc().OnSelectionChanged(0, 16384);
        QCOMPARE(f.doc().m_nSelectionFFTSize, 16384);
        QVERIFY(std::abs(PeakFrequency(f.doc().m_arSpectrum, 44100) - 1000) <= 44100.0 / 16384);
        f.frame().UpdateCommandUI();
        for (CommandId id : {CommandId::ToolListen, CommandId::DataListen, CommandId::Record, CommandId::PlayWave,
                             CommandId::LoopPlay, CommandId::StopPlay})
            QVERIFY2(!f.frame().action(id)->isEnabled(), qPrintable(f.frame().action(id)->text()));
        QVERIFY(f.frame().action(CommandId::RemoveWave)->isEnabled());
        QVERIFY(f.frame().action(CommandId::SoundCard)->isEnabled());
    }

    void devicesCannotOpen()
    {
        QStringList messages;
        CSoundDevices devices([&](const QString& m) { messages << m; });
        QVERIFY(!CSoundDevices::AudioServerAnswers());
        QCOMPARE(devices.InitSoundDevices(), 1);
        QCOMPARE(messages, QStringList{QStringLiteral("FAIL: Wiedergabegerät des Audioservers in InitSoundDevices")});
        QVERIFY(!devices.IsOpen());
        QVERIFY(!devices.playbackManager());
        QVERIFY(devices.captureDevice().isNull());
        QCOMPARE(devices.primaryFormat(), -1);
        QCOMPARE(devices.SetPrimaryBufferFormat(1, 44100, 16), CO_E_NOTINITIALIZED);
        CandidateSupport supported;
        supported.fill(true);
        devices.ScanAvailableInputFormats(supported);
        QVERIFY(std::none_of(supported.begin(), supported.end(), [](bool b) { return b; }));
        devices.Beep(1000, 100); // nothing to play on: ignored
        devices.ReleaseSoundDevices();
    }

    void listeningEndsWithItsSetUpMessage()
    {
        QStringList ended;
        int blocks = 0;
        WaveFormat format;
        MakeCandidateFormat(9, format);
        CCaptureThread capture(QMediaDevices::defaultAudioInput(), format, 1024, QString(),
                               {[&](std::span<const double>) { ++blocks; }, [&](const QString& m) { ended << m; }, {}});
        capture.Start();
        QVERIFY(QTest::qWaitFor([&] { return !ended.isEmpty(); }, 5000));
        QCOMPARE(ended, QStringList{QString::fromUtf8(AudioText::kCaptureBufferFailed)});
        QVERIFY(!capture.IsRunning());
        capture.Stop(); // switching off afterwards returns at once
        QCOMPARE(blocks, 0);
    }

    void playbackBuffersAreRefused()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.wav"));
        QVERIFY(WriteSineWave(path, 440, 0.1));
        std::unique_ptr<CPlaybackBuffer> buffer;
        CPlaybackManager none(nullptr);
        QCOMPARE(none.Create(&buffer, path.toStdString(), 0, 1), CO_E_NOTINITIALIZED);
        CPlaybackManager nullDevice(std::make_shared<CPlaybackDevice>(QAudioDevice()));
        QCOMPARE(nullDevice.Create(&buffer, path.toStdString(), 0, 1), CO_E_NOTINITIALIZED);
        QVERIFY(!buffer);
    }
};

int main(int argc, char** argv)
{
    // Before Qt Multimedia connects: a server address where no server is.
    qputenv("PULSE_SERVER", "unix:/nonexistent/resoni-no-server");
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen"); // no display: the windows need none
    QApplication app(argc, argv); // the program start needs widgets
    TestAudioNoServer test;
    ExitWithoutAudioTeardown(QTest::qExec(&test, argc, argv));
}

#include "tst_audio_noserver.moc"
