// The 3D waterfall: the whole build of a 10-second selection at 44100 Hz with N = 2048 and the
// standard profile's settings (target: at most 200 ms), including the geometry (vertices,
// normals, colours) the view hands to the renderer once the build is done.
// Run with --benchmark_repetitions=5 --benchmark_report_aggregates_only=true for medians.
#include "core/spectral/WaterfallBuild.h"

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

void wholeWaterfall(benchmark::State& state)
{
    const std::vector<double> samples = selection(10 * 44100);
    const WaterfallSettings settings;
    WaterfallMesh mesh;
    for (auto _ : state) {
        BuildWaterfall(mesh, {samples, 44100, 16, 2048}, settings);
        const auto vertices = mesh.vertices(settings.bIsBunt, settings.dataColour);
        benchmark::DoNotOptimize(vertices.data());
        benchmark::ClobberMemory();
    }
    state.counters["rows"] = mesh.filledRows();
    state.counters["V"] = mesh.verticesPerRow();
}

} // namespace

BENCHMARK(wholeWaterfall)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
