// The sound device layer against a real PulseAudio server (scripts/with-pulseaudio.sh: a null sink
// "test_out" whose monitor is remapped to the capture source "test_in"): opening the devices,
// listening and recording (files read back by Python's wave module and soxi), playback arriving
// at the source (recorded by parec), and a capture device that goes away.
#include "AudioTestSupport.h"

#include "support/ScriptedDialogs.h"

#include "core/audio/AudioTexts.h"
#include "core/audio/CaptureFormats.h"
#include "gui/app/QtUiDialogs.h"
#include "gui/audio/CaptureThread.h"
#include "gui/audio/PlaybackManager.h"
#include "gui/audio/SoundDevices.h"

#include <QApplication>
#include <QFileInfo>
#include <QMediaDevices>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <chrono>

using namespace audiotest;
using namespace Qt::StringLiterals;

namespace {

// The most the capture thread reads at once: the recording's start and end may cut into one read.
constexpr std::uint64_t kReadChunkBytes = 64 * 1024;

// Listening in mono PCM from its construction on; keeps the samples of every block handed
// over, in order, the block sizes and the end messages, and answers the record file dialog.
struct Listening
{
    Listening(const QAudioDevice& device, int rate, int bits, int fftSize)
        : format(MakePcmFormat(1, static_cast<std::uint32_t>(rate), static_cast<std::uint16_t>(bits))),
          capture(device, format, fftSize, QString(),
                  {[this](std::span<const double> b) {
                       x.insert(x.end(), b.begin(), b.end());
                       sizes.push_back(b.size());
                   },
                   [this](const QString& m) { ended << m; },
                   {}})
    {
        capture.Start();
    }
    const std::vector<double>& samples() const { return x; }

    const WaveFormat format;
    std::vector<double> x;
    std::vector<std::size_t> sizes;
    QStringList ended;
    CScriptedDialogs dialogs;
    CCaptureThread capture; // last: stops before the rest goes
};

// A program running while the object lives.
struct Running : QProcess
{
    Running(const QString& program, const QStringList& args) { start(program, args); }
    ~Running() override
    {
        kill();
        waitForFinished();
    }
};

// The program's output devices and a playback buffer, with parec recording what arrives at
// the source test_in, as raw 16-bit mono at 44100 Hz.
struct Output : Running
{
    Output()
        : Running(u"parec"_s, u"--device=test_in --format=s16le --rate=44100 --channels=1 --raw"_s.split(' '))
    {
    }
    // Everything recorded so far, as samples.
    const std::vector<double>& samples()
    {
        const QByteArray bytes = read(bytesAvailable() & ~qint64(1));
        for (qsizetype i = 0; i < bytes.size(); i += 2)
            x.push_back(qFromLittleEndian<std::int16_t>(bytes.constData() + i));
        return x;
    }
    // Where playback is in the buffer; SIZE_MAX when it cannot say.
    std::size_t position()
    {
        std::size_t p = 0;
        return buffer->GetCurrentPosition(0, &p) == S_OK ? p : SIZE_MAX;
    }

    CSoundDevices devices{[](const QString&) {}};
    std::unique_ptr<CPlaybackBuffer> buffer;
    std::vector<double> x;
};

// Waits until the tone at f Hz dominates the last 8192 samples of source (contrast over 100).
template <class Source> bool WaitForTone(Source& source, double f, double fs = 44100)
{
    return QTest::qWaitFor([&] { return ToneContrast(source.samples(), 8192, f, fs) > 100; }, 15000);
}

} // namespace

class TestAudioDevices : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

    // Opens the default devices and loads a whole sine file of f Hz into a playback buffer.
    bool loadSine(Output& out, double f, double seconds)
    {
        const QString path = m_dir.filePath(u"sine%1.wav"_s.arg(f));
        return out.devices.InitSoundDevices() == 0 && WriteSineWave(path, f, seconds) &&
               out.devices.playbackManager()->Create(&out.buffer, path.toStdString(), 0, 1) == S_OK &&
               out.buffer && out.buffer->HasOutput() &&
               out.buffer->GetBufferSize() == 2 * std::size_t(seconds * 44100);
    }

private slots:
    void initTestCase()
    {
        if (qEnvironmentVariable("RESONI_PULSE") != QLatin1String("1"))
            QSKIP("no PulseAudio server of the test script (run through scripts/with-pulseaudio.sh)");
        QVERIFY(m_dir.isValid());
        QVERIFY(WriteSineWave(m_dir.filePath(u"tone1000.wav"_s), 1000, 10));
    }

    void devicesOpen()
    {
        QStringList messages;
        CSoundDevices devices([&](const QString& m) { messages << m; });
        QCOMPARE(devices.InitSoundDevices(), 0);
        QVERIFY(devices.IsOpen() && devices.playbackManager() && devices.toneGenerator());
        // The server converts every format, so the highest candidate wins: 192000 Hz, 16 bit.
        QCOMPARE(devices.primaryFormat(), 19);
        CandidateSupport supported{};
        devices.ScanAvailableInputFormats(supported);
        QCOMPARE(std::count(supported.begin(), supported.end(), true), kCandidateFormatCount);
        QCOMPARE(devices.SetPrimaryBufferFormat(1, 44100, 16), 0);
        QCOMPARE(devices.SetPrimaryBufferFormat(1, 44100, 24), 1);

        QVERIFY(std::ranges::count(devices.EnumerateCaptureDevices(), "test_in", &SoundDeviceInfo::id));
        QVERIFY(std::ranges::count(devices.EnumerateOutputDevices(), "test_out", &SoundDeviceInfo::id));

        // Chosen devices by identifier; the device dialog's "OK" hands them over.
        CScriptedDialogs dialogs;
        dialogs.dialogActions.push_back([](QDialog&) { return int(QDialog::Accepted); });
        const auto choice = devices.ChooseDevices(dialogs);
        QCOMPARE(dialogs.dialogTitles, QStringList{u"Soundkarteneinstellungen"_s});
        QVERIFY(choice && choice->capture.id.empty()); // the default capture device
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

    // Listening to a tone from paplay, then recording three seconds: the file has the capture format
    // and whole blocks of just what the device delivered, whether "Aufnahme Stop" or switching off
    // ends it, and while the window hangs for 2 s (hand-overs give up after 1000 ms and drop their
    // blocks, but the capture thread writes the file itself).
    void listeningAndRecording_data()
    {
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("bits");
        QTest::addColumn<int>("fftSize");
        QTest::addColumn<bool>("listeningOff"); // instead of "Aufnahme Stop"
        QTest::addColumn<int>("hangMs");
        QTest::newRow("44100 Hz 16 bit, N 2048, Aufnahme Stop") << 44100 << 16 << 2048 << false << 0;
        QTest::newRow("22050 Hz 8 bit, N 1024, listening off") << 22050 << 8 << 1024 << true << 0;
        QTest::newRow("44100 Hz 16 bit, N 1024, window hangs") << 44100 << 16 << 1024 << false << 2000;
    }
    void listeningAndRecording()
    {
        QFETCH(int, rate);
        QFETCH(int, bits);
        QFETCH(int, fftSize);
        QFETCH(bool, listeningOff);
        QFETCH(int, hangMs);
        Running player(u"paplay"_s, {u"--device=test_out"_s, m_dir.filePath(u"tone1000.wav"_s)});

        Listening l(QMediaDevices::defaultAudioInput(), rate, bits, fftSize);
        QVERIFY2(WaitForTone(l, 1000, rate), qPrintable(QString::number(l.x.size())));
        // The samples keep to their range (8 bit: unsigned) and the tone swings well around its middle.
        const auto [lo, hi] = std::minmax_element(l.x.end() - 8192, l.x.end());
        const double mid = bits == 8 ? 128 : 0, half = bits == 8 ? 128 : 32768, swing = 0.2 * half;
        QVERIFY(mid - half <= *lo && *lo < mid - swing && mid + swing < *hi && *hi < mid + half);

        const QString path = m_dir.filePath(u"%1.wav"_s.arg(QTest::currentDataTag()));
        const auto started = std::chrono::steady_clock::now();
        l.dialogs.files.push_back(path);
        QVERIFY(l.capture.StartRecording(l.dialogs) && l.capture.IsRecording());
        const std::uint64_t capturedAtStart = l.capture.capturedBytes(),
                            droppedAtStart = l.capture.droppedBlocks();
        QVERIFY(l.dialogs.fileDialogs.size() == 1 && l.dialogs.fileDialogs[0].save);
        QCOMPARE(CQtUiDialogs::filterString(l.dialogs.fileDialogs[0].filters),
                 u"WAV - Windows Waves (*.wav)"_s);
        QThread::msleep(static_cast<unsigned long>(hangMs));
        QVERIFY(QTest::qWaitFor(
            [&] { return l.capture.recorder().GetBytesWritten() >= 3 * l.format.nAvgBytesPerSec; }, 20000));
        listeningOff ? l.capture.Stop() : l.capture.StopRecording();
        const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - started;
        const std::uint64_t captured = l.capture.capturedBytes() - capturedAtStart;
        QVERIFY(!l.capture.IsRecording() && !l.capture.recorder().HasWriter());
        QVERIFY2(hangMs == 0 || l.capture.droppedBlocks() > droppedAtStart, "no hand-over given up");

        // The file is complete as soon as recording ends.
        const QString info = PythonWaveInfo(path);
        QCOMPARE(info.section(' ', 0, 2), u"1 %1 %2"_s.arg(bits / 8).arg(rate));
        const std::uint64_t bytes = info.section(' ', 3).toULongLong() * l.format.nBlockAlign;
        QCOMPARE(bytes % std::uint64_t(fftSize), std::uint64_t(0)); // whole blocks
        const double ratio = double(bytes) / (seconds.count() * double(l.format.nAvgBytesPerSec));
        QVERIFY2(ratio > 0.85 && ratio < 1.05, qPrintable(u"%1 of the time recorded"_s.arg(ratio)));
        QVERIFY2(bytes + std::uint64_t(fftSize) + kReadChunkBytes >= captured &&
                     bytes <= captured + kReadChunkBytes,
                 qPrintable(u"%1 bytes recorded, %2 captured"_s.arg(bytes).arg(captured)));
        // RIFF, "fmt " (16), "fact" (4), "data": 56 header bytes, the samples and a pad byte to even.
        QCOMPARE(std::uint64_t(QFileInfo(path).size()), 56 + bytes + bytes % 2);
        QCOMPARE(RunProgram(u"soxi"_s, {u"-s"_s, path}).out.trimmed(), info.section(' ', 3).toUtf8());

        // Listening goes on after "Aufnahme Stop", and switching off returns.
        const std::size_t handed = l.sizes.size();
        QVERIFY(listeningOff || QTest::qWaitFor([&] { return l.sizes.size() > handed + 5; }, 5000));
        l.capture.Stop();
        QVERIFY(!l.capture.IsRunning());
        // Every notification carries whole blocks.
        QVERIFY(std::ranges::all_of(l.sizes,
                                    [&](std::size_t n) { return n * l.format.nBlockAlign % fftSize == 0; }));
        QVERIFY(l.ended.isEmpty());
    }

    void playbackArrivesAtTheSource()
    {
        Output out;
        QVERIFY(loadSine(out, 1500, 3));
        QCOMPARE(out.buffer->Play(0, 0), S_OK);
        QVERIFY(out.buffer->IsSoundPlaying());
        QVERIFY(WaitForTone(out, 1500));
        // The position moves on while playing and stays put after "Stop Playing".
        const std::size_t a = out.position();
        QVERIFY(QTest::qWaitFor([&] { return out.position() >= a + 8820; }, 3000));
        QCOMPARE(out.buffer->Stop(), S_OK);
        QVERIFY(!out.buffer->IsSoundPlaying());
        const std::size_t stopped = out.position();
        QVERIFY(stopped > 0 && stopped < out.buffer->GetBufferSize());
        QTest::qWait(200);
        QCOMPARE(out.position(), stopped);
        // "Play Wave" again resumes there and plays to the end, where it stops by itself.
        QCOMPARE(out.buffer->Play(0, 0), S_OK);
        QVERIFY(QTest::qWaitFor([&] { return out.position() > stopped; }, 3000));
        QVERIFY(out.position() < stopped + 44100);
        QVERIFY(QTest::qWaitFor([&] { return !out.buffer->IsSoundPlaying(); }, 8000));
    }

    void loopPlaysOnPastTheEnd()
    {
        Output out;
        QVERIFY(loadSine(out, 900, 0.4));
        QCOMPARE(out.buffer->Play(0, DSBPLAY_LOOPING), S_OK);
        QVERIFY(WaitForTone(out, 900));
        // The position wraps back over the start...
        std::size_t last = 0;
        QVERIFY(QTest::qWaitFor(
            [&] {
                const std::size_t p = out.position();
                return std::exchange(last, p) > p;
            },
            3000));
        // ... and the tone goes on for three times the file's length, without a gap: every
        // 5 ms of it (4.5 periods) reaches nearly the full amplitude.
        const std::size_t from = out.samples().size(), to = from + 3 * 17640;
        QVERIFY(QTest::qWaitFor([&] { return out.samples().size() >= to; }, 10000));
        QVERIFY(out.buffer->IsSoundPlaying());
        std::vector<double> level(to - from);
        std::ranges::transform(std::span(out.samples()).subspan(from, to - from), level.begin(),
                               [](double v) { return std::abs(v); });
        const double peak = std::ranges::max(level);
        QVERIFY(peak > 5000);
        for (auto w = level.begin(); w + 220 <= level.end(); w += 220)
            QVERIFY2(*std::max_element(w, w + 220) > 0.8 * peak,
                     qPrintable(u"gap %1 samples in"_s.arg(w - level.begin())));
        out.buffer->Stop();
        QVERIFY(!out.buffer->IsSoundPlaying());
    }

    void captureDeviceGoesAway()
    {
        const auto pactl = [](const QString& args) { return RunProgram(u"pactl"_s, args.split(' ')); };
        const ProgramResult load = pactl(u"load-module module-null-source source_name=test_gone"_s);
        QCOMPARE(load.exitCode, 0);
        CSoundDevices devices([](const QString&) {});
        devices.SetDeviceIds("test_gone", "test_out");
        QVERIFY(QTest::qWaitFor([&] { return devices.InitSoundDevices() == 0; }, 5000));
        Listening l(devices.captureDevice(), 44100, 16, 1024);
        QVERIFY(QTest::qWaitFor([&] { return l.sizes.size() >= 3; }, 20000));
        QCOMPARE(pactl(u"unload-module "_s + QString::fromUtf8(load.out).trimmed()).exitCode, 0);
        QVERIFY(QTest::qWaitFor([&] { return !l.ended.isEmpty(); }, 10000));
        QCOMPARE(l.ended, QStringList{QString::fromUtf8(AudioText::kCaptureDeviceLost)});
        QVERIFY(!l.capture.IsRunning());
        l.capture.Stop(); // switching off afterwards still returns
    }
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
