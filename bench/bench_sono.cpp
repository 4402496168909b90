// The sonogram: the whole sonogram of a 60-second selection at 44100 Hz with N = 1024 into a
// store of 1920 × 1080 (target: at most 300 ms), and one live column from a spectrum of 513
// bins (target: at most 1 ms). Standard profile settings (linear frequency axis 20 Hz … 10 kHz,
// logarithmic colours, line width 2, smoothing). Run with --benchmark_repetitions=5 for medians.
#include "BenchSignals.h"

#include "core/spectral/FrameSpectrum.h"
#include "core/spectral/SonoWhole.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace {

void wholeSonogram(benchmark::State& state)
{
    const std::vector<double> samples = GlideWithNoise(60 * 44100);
    const SonoSettings settings;
    SonoPicture picture(1920, 1080, settings.nLiniendicke);
    for (auto _ : state) {
        ComputeWholeSonogram(picture, samples, {{}, 44100, 16, 1024}, settings);
        benchmark::DoNotOptimize(picture.pixels().data());
        benchmark::ClobberMemory();
    }
    state.counters["columns"] = (picture.nextX() - settings.nLiniendicke - 2) / settings.nLiniendicke;
}

void liveColumn(benchmark::State& state)
{
    const std::vector<double> samples = GlideWithNoise(44100);
    std::vector<double> spectrum;
    ComputeWindowSpectrum(samples, 22050, 1024, spectrum);
    const SonoSettings settings;
    SonoPicture picture(1920, 1080, settings.nLiniendicke);
    std::vector<SonoEntry> entries;
    for (auto _ : state) {
        AddSonoColumn(picture, settings, {spectrum, 44100, 16, 1024}, entries);
        benchmark::DoNotOptimize(picture.pixels().data());
    }
}

} // namespace

BENCHMARK(wholeSonogram)->Unit(benchmark::kMillisecond);
BENCHMARK(liveColumn)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
