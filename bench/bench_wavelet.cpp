// Time of one wavelet transform as the document runs it on a new selection while the wavelet
// window is open: one second at 44100 Hz, 100 rows × 200 columns, default scales (20 … 20000 Hz).
// Target: at most 50 ms per transform, reading every sample under the wavelet at every scale.
// The "fixed200" cases sample the wavelet at 200 points at every scale (the old transform,
// resoni-analyze cwt --resolution 200). Run with --benchmark_repetitions=5 for medians.
#include "core/wavelet/Cwt.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace {

// A 16-bit-range test signal: two tones and a little deterministic noise.
std::vector<double> selection(size_t count)
{
    std::vector<double> samples(count);
    std::uint32_t state = 12345u;
    for (size_t k = 0; k < count; ++k) {
        state = state * 1664525u + 1013904223u;
        const double t = static_cast<double>(k) / 44100.0;
        const double noise = static_cast<double>(state >> 20) - 2048.0;
        samples[k] = std::trunc(12000.0 * std::sin(2.0 * M_PI * 440.0 * t) +
                                6000.0 * std::sin(2.0 * M_PI * 3150.0 * t) + noise);
    }
    return samples;
}

void transformSelection(benchmark::State& state, const char* wavelet, bool fixedResolution)
{
    const std::vector<double> samples = selection(44100);
    CCwt cwt;
    cwt.setDiagnostics({});
    cwt.request().wavelet = wavelet;
    cwt.request().rows = 100;
    cwt.request().columns = 200;
    cwt.request().fixedResolution = fixedResolution;
    std::vector<std::int32_t> out;
    for (auto _ : state) {
        cwt.Transform(samples, 0.0f, static_cast<float>(samples.size()) / 44100.0f, 44100.0f, out);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.counters["values"] = static_cast<double>(out.size());
}

} // namespace

BENCHMARK_CAPTURE(transformSelection, morlet_2, "morlet,2", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(transformSelection, morlet_2_fixed200, "morlet,2", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(transformSelection, bspline_10_10, "bspline,10,10", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(transformSelection, bspline_10_10_fixed200, "bspline,10,10", true)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
