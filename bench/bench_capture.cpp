// The per-notification work of the capture thread and the per-tick work of the output thread,
// measured against the real-time budget they run in: one notification of N = 1024 at 44100 Hz,
// 16-bit mono (512 samples, 11.6 ms of sound) through the ring into samples; 10 ms of a
// playback buffer rendered while looping; 10 ms of a beep rendered at 48000 Hz. The counter
// "x_realtime" says how many times faster than real time each one runs.
#include "core/audio/CaptureGeometry.h"
#include "core/audio/CaptureRing.h"
#include "core/audio/PlaybackBuffer.h"
#include "core/audio/ToneQueue.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <vector>

namespace {

void BM_CaptureNotification(benchmark::State& state)
{
    const CaptureGeometry g = MakeCaptureGeometry(1024, 2);
    CCaptureRing ring(g);
    std::vector<std::uint8_t> block(g.nBlockBytes);
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<std::uint8_t>(i * 7);
    std::vector<double> samples;
    std::size_t written = 0;
    for (auto _ : state) {
        ring.Write(block);
        ring.RecordCapturedData(samples, 16, [&](std::span<const std::uint8_t> r) {
            written += r.size();
            return true;
        });
        benchmark::DoNotOptimize(samples.data());
    }
    benchmark::DoNotOptimize(written);
    const double seconds = 512.0 / 44100.0;
    state.counters["x_realtime"] = benchmark::Counter(seconds * static_cast<double>(state.iterations()),
                                                      benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CaptureNotification);

void BM_PlaybackRender(benchmark::State& state)
{
    // A 2-second 16-bit file, looping; 10 ms = 882 bytes per tick.
    const std::string path = (std::filesystem::temp_directory_path() / "resoni_bench_play.wav").string();
    {
        CRiffWaveFile file;
        const WaveFormat f = MakePcmFormat(1, 44100, 16);
        std::vector<std::uint8_t> data(2 * 88200, 1);
        std::size_t wrote = 0;
        file.Open(path, &f, WAVEFILE_WRITE);
        file.Write(data.size(), data.data(), &wrote);
        file.Close();
    }
    std::unique_ptr<CPlaybackBuffer> buffer;
    if (FAILED(CPlaybackBuffer::Create(buffer, path, 1))) {
        state.SkipWithError("no buffer");
        return;
    }
    buffer->Play(0, DSBPLAY_LOOPING);
    std::vector<std::uint8_t> out(882);
    for (auto _ : state)
        benchmark::DoNotOptimize(buffer->Render(0, out.data(), out.size()));
    state.counters["x_realtime"] =
        benchmark::Counter(0.01 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    std::remove(path.c_str());
}
BENCHMARK(BM_PlaybackRender);

void BM_ToneRender(benchmark::State& state)
{
    CToneQueue queue(48000);
    std::vector<std::int16_t> out(480);
    for (auto _ : state) {
        if (queue.GetPendingSamples() < out.size()) {
            state.PauseTiming();
            queue.Push(1000, 60000);
            state.ResumeTiming();
        }
        benchmark::DoNotOptimize(queue.Render(out.data(), out.size()));
    }
    state.counters["x_realtime"] =
        benchmark::Counter(0.01 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ToneRender);

} // namespace

BENCHMARK_MAIN();
