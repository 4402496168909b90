// The pitch over time: the track of a 60-second selection at 44100 Hz (target: at most 300 ms)
// and one live hop, 512 new samples continuing the input (target: at most 1 ms). The signal is a
// harmonic voice-like tone gliding between 100 and 400 Hz with a little deterministic noise.
// Run with --benchmark_repetitions=5 for medians.
#include "core/spectral/PitchLive.h"
#include "core/spectral/PitchTracker.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace {

std::vector<double> Voice(std::size_t count)
{
    std::vector<double> samples(count);
    std::uint32_t state = 4711u;
    double phase = 0.0;
    for (std::size_t k = 0; k < count; ++k) {
        state = state * 1664525u + 1013904223u;
        const double t = static_cast<double>(k) / 44100.0;
        double v = 0.0;
        for (int h = 1; h <= 6; ++h)
            v += std::sin(h * phase) / h;
        samples[k] = std::trunc(6000.0 * v + static_cast<double>(state >> 22) - 512.0);
        phase += 2.0 * std::numbers::pi * 200.0 * std::exp2(std::sin(0.5 * t)) / 44100.0;
    }
    return samples;
}

void wholeTrack(benchmark::State& state)
{
    const std::vector<double> samples = Voice(60 * 44100);
    PitchTrack track;
    for (auto _ : state) {
        TrackPitch(samples, 44100.0, 32768.0, track);
        benchmark::DoNotOptimize(track.hops.data());
    }
    state.counters["hops"] = static_cast<double>(track.hops.size());
}

void liveHop(benchmark::State& state)
{
    const std::vector<double> samples = Voice(10 * 44100);
    PitchLive live(44100.0, 32768.0);
    const std::size_t hop = 512, blocks = (samples.size() - hop) / hop;
    live.push(std::span<const double>(samples).first(2048), 0);
    std::size_t next = 4; // block 4 starts where the first push ended
    for (auto _ : state) {
        if (next >= blocks) {
            state.PauseTiming();
            live.clear();
            live.push(std::span<const double>(samples).first(2048), 0);
            next = 4;
            state.ResumeTiming();
        }
        benchmark::DoNotOptimize(live.push(std::span<const double>(samples).subspan(next * hop, hop),
                                           static_cast<std::int64_t>(next * hop)));
        ++next;
    }
}

} // namespace

BENCHMARK(wholeTrack)->Unit(benchmark::kMillisecond);
BENCHMARK(liveHop)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
