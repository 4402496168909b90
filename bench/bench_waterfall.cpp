// The 3D waterfall: the whole build of a 10-second selection at 44100 Hz with N = 2048 and the
// standard profile's settings (target: at most 200 ms), including the geometry (vertices,
// normals, colours) the view hands to the renderer once the build is done.
// Run with --benchmark_repetitions=5 --benchmark_report_aggregates_only=true for medians.
#include "BenchSignals.h"

#include "core/spectral/WaterfallBuild.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace {

void wholeWaterfall(benchmark::State& state)
{
    const std::vector<double> samples = GlideWithNoise(10 * 44100);
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
