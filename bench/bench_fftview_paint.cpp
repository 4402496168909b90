// The live path of one spectrum: ComputeFrameSpectrum at N = 32768 plus one repaint of the FFT
// view into an 800 × 400 image, with peak detection and a cubic curve on (the most work the
// view does). Target: ≤ 5 ms together (the Time column). Sets the offscreen platform itself.
#include "core/spectral/FrameSpectrum.h"
#include "gui/spectral/FFTView.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

void BM_SpectrumAndRepaint(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    std::vector<double> signal(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) // a chord of three tones with some noise-like detail
        signal[static_cast<std::size_t>(i)] = 8000 * std::sin(2 * M_PI * 440 * i / 44100.0) +
                                              4000 * std::sin(2 * M_PI * 660 * i / 44100.0) +
                                              2000 * std::sin(2 * M_PI * 3520 * i / 44100.0) + (i * 7919 % 200) - 100;
    FFTViewSettings settings;
    settings.bPeaks = true;
    settings.bIsDelay = false;
    settings.bIsSpline = true;
    settings.curve = FFTCurveType::Cubic;
    FFTPlotModel model(settings);
    std::vector<double> spectrum, autoCorr;
    int lag = 0;
    QImage image(800, 400, QImage::Format_RGB32);
    for (auto _ : state) {
        ComputeFrameSpectrum(signal, n, spectrum, autoCorr, lag);
        FFTFrameInput in;
        in.spectrum = spectrum;
        in.nWidth = image.width();
        in.nHeight = image.height();
        in.bNoteImageOpen = true;
        QPainter painter(&image);
        PaintFFTView(painter, model, in, FFTScreenColours());
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_SpectrumAndRepaint)->Arg(1024)->Arg(32768)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
