// The sound device layer against a real PulseAudio server (scripts/with-pulseaudio.sh: a null
// sink "test_out" whose monitor is remapped to the capture source "test_in"): opening the
// devices, listening to a tone played by paplay, recording a file read back by Python's wave
// module and soxi, the 1000 ms hand-over while the user-interface thread hangs, playback and
// beeps arriving at the source (recorded by parec), and a capture device that goes away.
#include "AudioTestSupport.h"

#include "support/ScriptedDialogs.h"

#include "core/audio/AudioTexts.h"
#include "core/audio/CaptureFormats.h"
#include "gui/app/QtUiDialogs.h"
#include "gui/audio/CaptureThread.h"
#include "gui/audio/PlaybackManager.h"
#include "gui/audio/SoundDevices.h"
#include "gui/audio/ToneGenerator.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMediaDevices>
#include <QTemporaryDir>
#include <QtTest>

#include <chrono>
#include <thread>

using namespace audiotest;

namespace {

// The most the capture thread reads at once: the recording's start and end may cut into one read.
constexpr std::uint64_t kReadChunkBytes = 64 * 1024;

WaveFormat Candidate(int i)
{
    WaveFormat f;
    MakeCandidateFormat(i, f);
    return f;
}

// Samples of every block handed over, in order, and the block sizes.
struct Received
{
    std::vector<double> samples;
    std::vector<std::size_t> sizes;
    QStringList ended;
    CCaptureThread::Callbacks callbacks()
    {
        return {[this](std::span<const double> b) {
                    samples.insert(samples.end(), b.begin(), b.end());
                    sizes.push_back(b.size());
                },
                [this](const QString& m) { ended << m; }, {}};
    }
};

// parec recording test_in as raw 16-bit mono at 44100 Hz, until stopped.
class SourceRecorder
{
public:
    SourceRecorder()
    {
        m_process.start(QStringLiteral("parec"),
                        {QStringLiteral("--device=test_in"), QStringLiteral("--format=s16le"),
                         QStringLiteral("--rate=44100"), QStringLiteral("--channels=1"), QStringLiteral("--raw")});
        m_process.waitForStarted();
    }
    ~SourceRecorder()
    {
        m_process.kill();
        m_process.waitForFinished();
    }
    // Everything recorded so far, as samples.
    const std::vector<double>& samples()
    {
        m_bytes += m_process.readAllStandardOutput();
        const auto* p = reinterpret_cast<const std::int16_t*>(m_bytes.constData());
        for (qsizetype i = static_cast<qsizetype>(m_samples.size()); i < m_bytes.size() / 2; ++i)
            m_samples.push_back(p[i]);
        return m_samples;
    }

private:
    QProcess m_process;
    QByteArray m_bytes;
    std::vector<double> m_samples;
};

// Waits until the tone at f Hz dominates the last 8192 samples (contrast over 100).
bool WaitForTone(const std::function<const std::vector<double>&()>& samples, double f, double fs, int ms = 15000)
{
    return QTest::qWaitFor([&] { return ToneContrast(samples(), 8192, f, fs) > 100; }, ms);
}

} // namespace

class TestAudioDevices : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (qEnvironmentVariable("RESONI_PULSE") != QLatin1String("1"))
            QSKIP("no PulseAudio server of the test script (run through scripts/with-pulseaudio.sh)");
        QVERIFY(m_dir.isValid());
    }

    void devicesOpen()
    {
        QStringList messages;
        CSoundDevices devices([&](const QString& m) { messages << m; });
        QCOMPARE(devices.InitSoundDevices(), 0);
        QVERIFY(messages.isEmpty());
        QVERIFY(devices.IsOpen());
        QVERIFY(devices.playbackManager());
        QVERIFY(devices.toneGenerator());
        // The server converts every format, so the highest candidate wins: 192000 Hz, 16 bit.
        QCOMPARE(devices.primaryFormat(), 19);
        CandidateSupport supported{};
        devices.ScanAvailableInputFormats(supported);
        for (int i = 0; i < kCandidateFormatCount; ++i)
            QVERIFY2(supported[static_cast<std::size_t>(i)], qPrintable(QString::number(i)));
        QCOMPARE(devices.SetPrimaryBufferFormat(1, 44100, 16), 0);
        QCOMPARE(devices.SetPrimaryBufferFormat(1, 44100, 24), 1);

        const auto captures = CSoundDevices::EnumerateCaptureDevices();
        QCOMPARE(captures.front().description, std::string("Primärer Soundaufnahmetreiber"));
        QVERIFY(std::any_of(captures.begin(), captures.end(), [](auto& d) { return d.id == "test_in"; }));
        const auto outputs = CSoundDevices::EnumerateOutputDevices();
        QCOMPARE(outputs.front().description, std::string("Primärer Soundtreiber"));
        QVERIFY(std::any_of(outputs.begin(), outputs.end(), [](auto& d) { return d.id == "test_out"; }));

        // Chosen devices by identifier; the device dialog's "OK" hands them over.
        CScriptedDialogs dialogs;
        dialogs.dialogActions.push_back([](QDialog&) { return int(QDialog::Accepted); });
        const auto choice = devices.ChooseDevices(dialogs);
        QVERIFY(choice.has_value());
        QCOMPARE(dialogs.dialogTitles, QStringList{QStringLiteral("Soundkarteneinstellungen")});
        QCOMPARE(choice->capture.id, std::string());
        devices.SetDeviceIds("test_in", "test_out");
        QCOMPARE(devices.InitSoundDevices(), 0);
        QCOMPARE(devices.captureDevice().id(), QByteArray("test_in"));

        // A device that is not there fails its step with its message, and nothing stays open.
        devices.SetDeviceIds("test_in", "no_such_output");
        QCOMPARE(devices.InitSoundDevices(), 1);
        devices.SetDeviceIds("no_such_input", "test_out");
        QCOMPARE(devices.InitSoundDevices(), 1);
        QCOMPARE(messages, (QStringList{QString::fromUtf8(AudioText::kFailPlaybackDevice),
                                        QString::fromUtf8(AudioText::kFailCaptureDevice)}));
        QVERIFY(!devices.IsOpen());
        devices.ReleaseSoundDevices();
        QVERIFY(devices.captureDevice().isNull());
    }

    void listeningHearsATone_data()
    {
        QTest::addColumn<int>("candidate");
        QTest::addColumn<int>("fftSize");
        QTest::newRow("44100 Hz 16 bit, N 2048") << 9 << 2048;
        QTest::newRow("22050 Hz 8 bit, N 1024") << 4 << 1024;
    }
    void listeningHearsATone()
    {
        QFETCH(int, candidate);
        QFETCH(int, fftSize);
        const WaveFormat format = Candidate(candidate);
        const QString tone = m_dir.filePath(QStringLiteral("tone1000.wav"));
        QVERIFY(WriteSineWave(tone, 1000, 8));
        QProcess player;
        player.start(QStringLiteral("paplay"), {QStringLiteral("--device=test_out"), tone});
        QVERIFY(player.waitForStarted());

        Received got;
        CCaptureThread capture(QMediaDevices::defaultAudioInput(), format, fftSize, QString(), got.callbacks());
        const std::size_t blockSamples = static_cast<std::size_t>(fftSize) / format.nBlockAlign;
        QCOMPARE(capture.geometry().nBlockBytes, static_cast<std::uint32_t>(fftSize));
        capture.Start();
        QVERIFY(capture.IsRunning());
        QVERIFY2(WaitForTone([&]() -> const std::vector<double>& { return got.samples; }, 1000,
                             format.nSamplesPerSec),
                 qPrintable(QStringLiteral("samples %1").arg(got.samples.size())));
        capture.Stop();
        QVERIFY(!capture.IsRunning());
        player.kill();
        player.waitForFinished();
        // Every notification carries whole blocks; 8-bit samples are unsigned around 128.
        for (std::size_t n : got.sizes)
            QCOMPARE(n % blockSamples, std::size_t(0));
        QCOMPARE(capture.deliveredBlocks(), got.sizes.size());
        QVERIFY(got.ended.isEmpty());
        const auto [lo, hi] = std::minmax_element(got.samples.end() - 8192, got.samples.end());
        if (format.wBitsPerSample == 8) {
            QVERIFY(*lo >= 0 && *hi <= 255);
            QVERIFY(*lo < 100 && *hi > 156); // a full-level tone swings well around 128
        } else {
            QVERIFY(*lo < -5000 && *hi > 5000);
        }
    }

    void recordingMakesAReadableFile()
    {
        const WaveFormat format = Candidate(9);
        const QString tone = m_dir.filePath(QStringLiteral("tone700.wav"));
        QVERIFY(WriteSineWave(tone, 700, 10));
        QProcess player;
        player.start(QStringLiteral("paplay"), {QStringLiteral("--device=test_out"), tone});
        QVERIFY(player.waitForStarted());

        Received got;
        CCaptureThread capture(QMediaDevices::defaultAudioInput(), format, 2048, QString(), got.callbacks());
        capture.Start();
        CScriptedDialogs dialogs;
        const QString path = m_dir.filePath(QStringLiteral("aufnahme.wav"));
        dialogs.files.push_back(path);
        QVERIFY(capture.StartRecording(dialogs));
        QVERIFY(capture.IsRecording());
        QCOMPARE(dialogs.fileDialogs.size(), std::size_t(1));
        QCOMPARE(dialogs.fileDialogs[0].title, QStringLiteral("Wavefile auswählen oder neu benennen."));
        QCOMPARE(CQtUiDialogs::filterString(dialogs.fileDialogs[0].filters), QStringLiteral("WAV - Windows Waves (*.wav)"));
        QVERIFY(dialogs.fileDialogs[0].save);
        // About three seconds of sound.
        QVERIFY(QTest::qWaitFor([&] { return capture.recorder().GetBytesWritten() >= 3 * 88200; }, 20000));
        capture.StopRecording();
        QVERIFY(!capture.IsRecording());
        capture.Stop();
        player.kill();
        player.waitForFinished();

        const QStringList info = PythonWaveInfo(path).split(QLatin1Char(' '));
        QCOMPARE(info.size(), 4);
        QCOMPARE(info[0], QStringLiteral("1"));
        QCOMPARE(info[1], QStringLiteral("2"));
        QCOMPARE(info[2], QStringLiteral("44100"));
        const qint64 frames = info[3].toLongLong();
        QVERIFY2(frames >= 3 * 44100, qPrintable(info[3]));
        QCOMPARE(frames % 1024, qint64(0));          // whole blocks of 2048 bytes
        QVERIFY(static_cast<std::uint64_t>(2 * frames) <= capture.capturedBytes()); // nothing but what was captured
        // RIFF, "fmt " (16), "fact" (4), "data": 56 header bytes before the samples.
        QCOMPARE(QFileInfo(path).size(), 56 + 2 * frames);
        const ProgramResult soxi = RunProgram(QStringLiteral("soxi"), {QStringLiteral("-s"), path});
        QCOMPARE(soxi.exitCode, 0);
        QCOMPARE(QString::fromUtf8(soxi.out).trimmed().toLongLong(), frames);
    }

    void switchingOffWhileRecordingCompletesTheFile()
    {
        const WaveFormat format = Candidate(4); // 22050 Hz, 8 bit
        Received got;
        auto capture = std::make_unique<CCaptureThread>(QMediaDevices::defaultAudioInput(), format, 1024, QString(),
                                                        got.callbacks());
        capture->Start();
        CScriptedDialogs dialogs;
        const QString path = m_dir.filePath(QStringLiteral("abgebrochen.wav"));
        dialogs.files.push_back(path);
        QVERIFY(capture->StartRecording(dialogs));
        QVERIFY(QTest::qWaitFor([&] { return capture->recorder().GetBytesWritten() >= 22050; }, 20000));
        capture->Stop(); // listening off without "Aufnahme Stop"
        QVERIFY(!capture->recorder().HasWriter());
        capture.reset();
        const QStringList info = PythonWaveInfo(path).split(QLatin1Char(' '));
        QCOMPARE(info.size(), 4);
        QCOMPARE(info.mid(0, 3), (QStringList{"1", "1", "22050"}));
        QVERIFY(info[3].toLongLong() >= 22050);
        QCOMPARE(QFileInfo(path).size(), 56 + info[3].toLongLong() + (info[3].toLongLong() % 2));
    }

    void recordingKeepsEveryByteWhileTheWindowHangs()
    {
        const WaveFormat format = Candidate(9);
        Received got;
        CCaptureThread capture(QMediaDevices::defaultAudioInput(), format, 1024, QString(), got.callbacks());
        capture.Start();
        QVERIFY(QTest::qWaitFor([&] { return got.sizes.size() >= 5; }, 20000)); // the capture runs
        CScriptedDialogs dialogs;
        const QString path = m_dir.filePath(QStringLiteral("haenger.wav"));
        dialogs.files.push_back(path);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(capture.StartRecording(dialogs));
        const std::uint64_t capturedAtStart = capture.capturedBytes();
        QTest::qWait(500);
        // The user-interface thread hangs for 2 s: each hand-over gives up after 1000 ms and
        // its blocks are dropped, but the record file gets everything the device delivered.
        const std::uint64_t droppedBefore = capture.droppedBlocks();
        std::this_thread::sleep_for(std::chrono::milliseconds(2000));
        QTest::qWait(1000);
        capture.StopRecording();
        const double seconds = double(clock.elapsed()) / 1000.0;
        QVERIFY2(capture.droppedBlocks() >= droppedBefore + 1, qPrintable(QString::number(capture.droppedBlocks())));
        const std::uint64_t captured = capture.capturedBytes() - capturedAtStart;
        // Listening goes on afterwards, and switching off returns.
        const std::size_t handed = got.sizes.size();
        QVERIFY(QTest::qWaitFor([&] { return got.sizes.size() > handed + 5; }, 5000));
        capture.Stop();
        QVERIFY(got.ended.isEmpty());

        const qint64 frames = PythonWaveInfo(path).section(QLatin1Char(' '), 3).toLongLong();
        const double ratio = double(frames) / (seconds * 44100.0);
        QVERIFY2(ratio > 0.85 && ratio < 1.05, qPrintable(QStringLiteral("%1 frames in %2 s").arg(frames).arg(seconds)));
        QVERIFY2(std::uint64_t(2 * frames) + capture.geometry().nBlockBytes + kReadChunkBytes >= captured &&
                     std::uint64_t(2 * frames) <= captured + kReadChunkBytes,
                 qPrintable(QStringLiteral("%1 bytes recorded, %2 captured").arg(2 * frames).arg(captured)));
    }

    void playbackArrivesAtTheSource()
    {
        CSoundDevices devices([](const QString&) {});
        QCOMPARE(devices.InitSoundDevices(), 0);
        const QString path = m_dir.filePath(QStringLiteral("play1500.wav"));
        QVERIFY(WriteSineWave(path, 1500, 3));
        std::unique_ptr<CPlaybackBuffer> buffer;
        QCOMPARE(devices.playbackManager()->Create(&buffer, path.toStdString(), 0, 1), S_OK);
        QVERIFY(buffer && buffer->HasOutput());
        QCOMPARE(buffer->GetBufferSize(), std::size_t(3 * 88200));

        SourceRecorder recorder;
        QCOMPARE(buffer->Play(0, 0), S_OK);
        QVERIFY(buffer->IsSoundPlaying());
        QVERIFY(WaitForTone([&]() -> const std::vector<double>& { return recorder.samples(); }, 1500, 44100));
        // The position moves on while playing and stays put after "Stop Playing".
        std::size_t a = 0, b = 0;
        QCOMPARE(buffer->GetCurrentPosition(0, &a), S_OK);
        QVERIFY(QTest::qWaitFor([&] { buffer->GetCurrentPosition(0, &b); return b >= a + 8820; }, 3000));
        QCOMPARE(buffer->Stop(), S_OK);
        QVERIFY(!buffer->IsSoundPlaying());
        std::size_t stopped = 0, later = 0;
        QCOMPARE(buffer->GetCurrentPosition(0, &stopped), S_OK);
        QVERIFY(stopped > 0 && stopped < buffer->GetBufferSize());
        QTest::qWait(200);
        QCOMPARE(buffer->GetCurrentPosition(0, &later), S_OK);
        QCOMPARE(later, stopped);
        // "Play Wave" again resumes there and plays to the end, where it stops by itself.
        QCOMPARE(buffer->Play(0, 0), S_OK);
        std::size_t resumed = 0;
        QVERIFY(QTest::qWaitFor([&] { buffer->GetCurrentPosition(0, &resumed); return resumed > stopped; }, 3000));
        QVERIFY(resumed < stopped + 44100);
        QVERIFY(QTest::qWaitFor([&] { return !buffer->IsSoundPlaying(); }, 8000));
        buffer.reset();
        devices.ReleaseSoundDevices();
    }

    void loopPlaysOnPastTheEnd()
    {
        CSoundDevices devices([](const QString&) {});
        QCOMPARE(devices.InitSoundDevices(), 0);
        const QString path = m_dir.filePath(QStringLiteral("loop.wav"));
        QVERIFY(WriteSineWave(path, 900, 0.4));
        std::unique_ptr<CPlaybackBuffer> buffer;
        QCOMPARE(devices.playbackManager()->Create(&buffer, path.toStdString(), 0, 1), S_OK);
        SourceRecorder recorder;
        QCOMPARE(buffer->Play(0, DSBPLAY_LOOPING), S_OK);
        QVERIFY(WaitForTone([&]() -> const std::vector<double>& { return recorder.samples(); }, 900, 44100));
        // The position wraps back over the start...
        bool wrapped = false;
        std::size_t last = 0;
        QVERIFY(QTest::qWaitFor([&] {
            std::size_t p = 0;
            buffer->GetCurrentPosition(0, &p);
            wrapped = wrapped || p < last;
            last = p;
            return wrapped;
        }, 3000));
        // ... and the tone goes on for three times the file's length, without a gap: every
        // 5 ms of it (4.5 periods) reaches nearly the full amplitude.
        const std::size_t from = recorder.samples().size();
        QVERIFY(QTest::qWaitFor([&] { return recorder.samples().size() >= from + 3 * 17640; }, 10000));
        QVERIFY(buffer->IsSoundPlaying());
        const std::vector<double>& x = recorder.samples();
        double peak = 0;
        for (std::size_t i = from; i < x.size(); ++i)
            peak = std::max(peak, std::abs(x[i]));
        QVERIFY(peak > 5000);
        for (std::size_t w = from; w + 220 <= from + 3 * 17640; w += 220) {
            double m = 0;
            for (std::size_t i = w; i < w + 220; ++i)
                m = std::max(m, std::abs(x[i]));
            QVERIFY2(m > 0.8 * peak, qPrintable(QStringLiteral("window at %1: %2 of %3").arg(w - from).arg(m).arg(peak)));
        }
        buffer->Stop();
        QVERIFY(!buffer->IsSoundPlaying());
    }

    void beepsArriveOneAfterAnother()
    {
        CSoundDevices devices([](const QString&) {});
        QCOMPARE(devices.InitSoundDevices(), 0);
        SourceRecorder recorder;
        QVERIFY(QTest::qWaitFor([&] { return recorder.samples().size() > 4410; }, 10000)); // source running
        CToneGenerator& tones = *devices.toneGenerator();
        QVERIFY(tones.Beep(600, 700));
        QVERIFY(tones.Beep(1300, 700));
        QVERIFY(!tones.Beep(20, 100));
        QVERIFY(tones.IsBusy()); // Beep returned while the tones are still to sound
        QVERIFY(WaitForTone([&]() -> const std::vector<double>& { return recorder.samples(); }, 600, 44100));
        QVERIFY(WaitForTone([&]() -> const std::vector<double>& { return recorder.samples(); }, 1300, 44100));
        QVERIFY(QTest::qWaitFor([&] { return !tones.IsBusy(); }, 5000));
        // A single short beep (the frequency probe's 50 ms) after the queue ran empty sounds
        // on its own and ends.
        devices.Beep(2000, 50);
        QVERIFY(WaitForTone([&]() -> const std::vector<double>& { return recorder.samples(); }, 2000, 44100));
        QVERIFY(QTest::qWaitFor([&] { return !tones.IsBusy(); }, 5000));
    }

    void captureDeviceGoesAway()
    {
        const ProgramResult load = RunProgram(
            QStringLiteral("pactl"),
            {QStringLiteral("load-module"), QStringLiteral("module-remap-source"), QStringLiteral("master=test_out.monitor"),
             QStringLiteral("source_name=test_gone")});
        QCOMPARE(load.exitCode, 0);
        const QString module = QString::fromUtf8(load.out).trimmed();
        QAudioDevice gone;
        QVERIFY(QTest::qWaitFor([&] {
            for (const QAudioDevice& d : QMediaDevices::audioInputs())
                if (d.id() == "test_gone")
                    gone = d;
            return !gone.isNull();
        }, 5000));
        Received got;
        CCaptureThread capture(gone, Candidate(9), 1024, QString(), got.callbacks());
        capture.Start();
        QVERIFY(QTest::qWaitFor([&] { return got.sizes.size() >= 3; }, 20000));
        QCOMPARE(RunProgram(QStringLiteral("pactl"), {QStringLiteral("unload-module"), module}).exitCode, 0);
        QVERIFY(QTest::qWaitFor([&] { return !got.ended.isEmpty(); }, 10000));
        QCOMPARE(got.ended, QStringList{QString::fromUtf8(AudioText::kCaptureDeviceLost)});
        QVERIFY(!capture.IsRunning());
        capture.Stop(); // switching off afterwards still returns
    }

private:
    QTemporaryDir m_dir;
};

int main(int argc, char** argv)
{
    // The device dialog needs widgets; nothing here needs a real display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestAudioDevices test;
    ExitWithoutAudioTeardown(QTest::qExec(&test, argc, argv));
}

#include "tst_audio_devices.moc"
