// The sonogram: the whole sonogram of a 60-second selection at 44100 Hz with N = 1024 into a
// store of 1920 × 1080 (target: at most 300 ms), and one live column from a spectrum of 513
// bins (target: at most 1 ms). Standard profile settings (linear frequency axis 20 Hz … 10 kHz,
// logarithmic colours, line width 2, smoothing). Run with --benchmark_repetitions=5 for medians.
#include "core/spectral/FrameSpectrum.h"
#include "core/spectral/SonoWhole.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace {

// A tone gliding from 200 Hz to 8 kHz with a little deterministic noise, 16-bit range.
std::vector<double> selection(std::size_t count)
{
    std::vector<double> samples(count);
    std::uint32_t state = 12345u;
    const double seconds = static_cast<double>(count) / 44100.0;
    for (std::size_t k = 0; k < count; ++k) {
        state = state * 1664525u + 1013904223u;
        const double t = static_cast<double>(k) / 44100.0;
        const double phase = 2.0 * std::numbers::pi * (200.0 * t + 7800.0 * t * t / (2.0 * seconds));
        samples[k] = std::trunc(12000.0 * std::sin(phase) + static_cast<double>(state >> 20) - 2048.0);
    }
    return samples;
}

void wholeSonogram(benchmark::State& state)
{
    const std::vector<double> samples = selection(60 * 44100);
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
    const std::vector<double> samples = selection(44100);
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
