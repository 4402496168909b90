// Soak run of listening: the program listens at 44100 Hz, 16 bit with N = 1024 and the FFT
// window open while it records, for the given seconds (default 600), with a 1000 Hz tone played
// into the test sink. It prints spectra per second, hand-overs dropped, samples recorded against
// samples captured, the growth of the peak resident memory after the first 10 s, and the median
// time from a new spectrum to the repainted FFT view. Run through scripts/soak.sh.
#include "AudioTestSupport.h"

#include "support/AppFixture.h"

#include "gui/audio/CaptureThread.h"
#include "gui/audio/WaveFormatDlg.h"
#include "gui/document/GlobalFlags.h"
#include "gui/document/UpdateHints.h"
#include "gui/spectral/FFTFrame.h"
#include "gui/spectral/FFTView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QListWidget>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace audiotest;

namespace {

long peakRssKb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

// Counts the new spectra and notes when each was announced.
class SpectrumClock : public IDocObserver
{
public:
    void OnUpdate(int hint) override
    {
        if (hint == UpdateHint::kNewBlock) {
            ++count;
            pending = clock.nsecsElapsed();
        }
    }
    QElapsedTimer clock;
    long long count = 0;
    qint64 pending = -1; // announced, not yet painted
};

// Paints the FFT view itself on its paint events, so the end of each repaint is known.
class PaintClock : public QObject
{
public:
    PaintClock(SpectrumClock& spectra, std::vector<double>& latenciesMs) : m_spectra(spectra), m_lat(latenciesMs) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Paint)
            return false;
        watched->removeEventFilter(this);
        QCoreApplication::sendEvent(watched, event);
        watched->installEventFilter(this);
        if (m_spectra.pending >= 0) {
            m_lat.push_back(double(m_spectra.clock.nsecsElapsed() - m_spectra.pending) / 1e6);
            m_spectra.pending = -1;
        }
        return true;
    }

private:
    SpectrumClock& m_spectra;
    std::vector<double>& m_lat;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication qtApp(argc, argv);
    const int seconds = argc > 1 ? std::max(20, std::atoi(argv[1])) : 600;
    if (qEnvironmentVariable("RESONI_PULSE") != QLatin1String("1")) {
        std::fprintf(stderr, "soak_listening: run it through scripts/with-pulseaudio.sh\n");
        return 2;
    }
    QTemporaryDir dir;
    const QString tone = dir.filePath(QStringLiteral("ton.wav"));
    const QString record = dir.filePath(QStringLiteral("aufnahme.wav"));
    if (!WriteSineWave(tone, 1000, seconds + 20))
        return 1;
    QProcess player;
    player.start(QStringLiteral("paplay"), {QStringLiteral("--device=test_out"), tone});

    FixtureOptions options;
    options.openSoundDevices = true;
    AppFixture f(options);
    if (!f.started())
        return 1;
    CResoniDoc& d = f.doc();
    d.m_nFFTSize = 1024;
    d.ToggleModuleWindow(Module::FFT);
    auto* fft = qobject_cast<CFFTFrame*>(d.moduleFrame(Module::FFT));
    fft->resize(900, 500);
    f.dialogs().dialogActions.push_back([](QDialog& dlg) {
        auto& formats = dynamic_cast<CWaveFormatDlg&>(dlg);
        const auto items = formats.formatList()->findItems(QStringLiteral("44100 Hz, 16-bit Mono"), Qt::MatchExactly);
        if (items.isEmpty())
            return int(QDialog::Rejected);
        formats.formatList()->setCurrentItem(items.front());
        return int(QDialog::Accepted);
    });
    SpectrumClock spectra;
    spectra.clock.start();
    std::vector<double> latencies;
    PaintClock paints(spectra, latencies);
    fft->fftView()->installEventFilter(&paints);
    d.AddObserver(&spectra);

    d.ToggleListening();
    f.dialogs().files.push_back(record);
    d.OnRecord();
    if (!g_bListening || !g_bRecording) {
        std::fprintf(stderr, "soak_listening: listening or recording did not start\n");
        return 1;
    }
    long rssAfterWarmUp = -1;
    long long spectraAfterWarmUp = 0;
    QElapsedTimer run;
    run.start();
    QTimer::singleShot(10'000, [&] {
        rssAfterWarmUp = peakRssKb();
        spectraAfterWarmUp = spectra.count;
    });
    // A loop of its own: quitting the application would close the program's windows.
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
    const double measured = double(run.elapsed()) / 1000.0 - 10.0;
    const long long spectraMeasured = spectra.count - spectraAfterWarmUp;
    const std::uint64_t dropped = d.m_pCaptureThread ? d.m_pCaptureThread->droppedBlocks() : 0;
    const std::uint64_t delivered = d.m_pCaptureThread ? d.m_pCaptureThread->deliveredBlocks() : 0;
    const std::uint64_t captured = d.m_nCapturedSamples;
    const long rssEnd = peakRssKb();
    const bool stillListening = g_bListening;
    d.SwitchListeningOff(); // completes the record file
    d.RemoveObserver(&spectra);
    player.kill();
    player.waitForFinished();
    const QStringList info = PythonWaveInfo(record).split(QLatin1Char(' '));
    const long long recorded = info.value(3).toLongLong();

    std::sort(latencies.begin(), latencies.end());
    const double median = latencies.empty() ? -1 : latencies[latencies.size() / 2];
    if (!stillListening)
        std::printf("listening ended early\n");
    for (const RecordedMessage& m : f.dialogs().messages)
        std::printf("message: %s\n", qPrintable(m.text));
    std::printf("soak: %d s listening at 44100 Hz, 16 bit, N = 1024, FFT view open, recording\n", seconds);
    std::printf("spectra per second (after 10 s): %.2f\n", double(spectraMeasured) / measured);
    std::printf("hand-overs delivered: %llu, dropped: %llu\n", static_cast<unsigned long long>(delivered),
                static_cast<unsigned long long>(dropped));
    std::printf("samples captured: %llu, recorded: %lld (record file read by Python's wave module: %s)\n",
                static_cast<unsigned long long>(captured), recorded, qPrintable(info.join(QLatin1Char(' '))));
    std::printf("peak RSS after 10 s: %ld kB, at the end: %ld kB, growth: %ld kB\n", rssAfterWarmUp, rssEnd,
                rssEnd - rssAfterWarmUp);
    std::printf("spectrum to repainted FFT view: median %.3f ms over %zu repaints\n", median, latencies.size());
    ExitWithoutAudioTeardown(0);
}
