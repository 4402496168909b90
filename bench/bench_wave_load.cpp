// The whole load of a 10-minute 16-bit stereo 44100 Hz WAV file (about 106 MB): header, data
// read, channel dialog answered "Links", "~TempWaveMono.wav" written and read back, playback
// buffer filled; next to it `sox in.wav -c 1 out.wav remix 1` on the same file in the same run.
// Prints the medians, their ratio (target: ours <= 1.0 x sox) and the peak resident memory of
// a fresh process doing one load, relative to the file's data size (target: <= 3 x).
// RESONI_BENCH_MINUTES changes the length of the generated file.
#include "core/audio/RiffWaveFile.h"
#include "core/audio/WaveLoader.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

std::string g_dir;
std::string g_input;
std::uint64_t g_dataBytes = 0;
std::vector<double> g_ours, g_sox; // seconds per run
long g_soxPeakKb = 0;

class BenchLoader : public CWaveLoader
{
public:
    using CWaveLoader::CWaveLoader;
    std::vector<std::string> messages;

protected:
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    bool AskStereoChannel(const CStereoDialogModel&, bool& bLeft) override
    {
        bLeft = true;
        return true;
    }
};

bool GenerateInput(double minutes)
{
    const std::uint32_t rate = 44100;
    const auto frames = static_cast<std::uint64_t>(minutes * 60.0 * rate);
    const WaveFormat format = MakePcmFormat(2, rate, 16);
    CRiffWaveFile out;
    if (FAILED(out.Open(g_input, &format, WAVEFILE_WRITE)))
        return false;
    // A 440 Hz tone on the left, 660 Hz plus a little noise on the right.
    std::vector<std::uint8_t> block(4 * 8192);
    std::uint32_t noise = 1;
    for (std::uint64_t f = 0; f < frames;) {
        std::size_t n = 0;
        for (; n < 8192 && f < frames; ++n, ++f) {
            noise = noise * 1664525u + 1013904223u;
            const double t = static_cast<double>(f) / rate;
            const auto l = static_cast<std::int16_t>(12000 * std::sin(2 * M_PI * 440 * t));
            const auto r = static_cast<std::int16_t>(9000 * std::sin(2 * M_PI * 660 * t) + (noise >> 22) - 512);
            const std::uint16_t ul = static_cast<std::uint16_t>(l), ur = static_cast<std::uint16_t>(r);
            block[4 * n] = static_cast<std::uint8_t>(ul);
            block[4 * n + 1] = static_cast<std::uint8_t>(ul >> 8);
            block[4 * n + 2] = static_cast<std::uint8_t>(ur);
            block[4 * n + 3] = static_cast<std::uint8_t>(ur >> 8);
        }
        std::size_t wrote = 0;
        if (FAILED(out.Write(4 * n, block.data(), &wrote)))
            return false;
    }
    g_dataBytes = frames * 4;
    return SUCCEEDED(out.Close());
}

double Seconds(std::chrono::steady_clock::time_point t0)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

void BM_OurLoadWithMonoCopy(benchmark::State& state)
{
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        {
            BenchLoader loader(g_dir);
            loader.m_strWaveFile = g_input;
            if (loader.LoadWaveFile(g_input) != WaveLoadOutcome::Loaded || loader.m_nWaveDataBytes != g_dataBytes / 2)
                state.SkipWithError("the load failed");
            benchmark::DoNotOptimize(loader.m_pWaveData.get());
        } // freeing the data belongs to the run, as a process's exit does for sox
        g_ours.push_back(Seconds(t0));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * g_dataBytes));
}

// Runs sox and returns its exit status; its peak memory goes to *peakKb.
int RunSox(long* peakKb)
{
    const std::string out = g_dir + "/sox_out.wav";
    std::vector<std::string> args = {"sox", g_input, "-c", "1", out, "remix", "1"};
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, "sox", nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    int status = 0;
    rusage ru{};
    if (wait4(pid, &status, 0, &ru) != pid)
        return -1;
    *peakKb = std::max(*peakKb, ru.ru_maxrss);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void BM_SoxRemix(benchmark::State& state)
{
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        if (RunSox(&g_soxPeakKb) != 0)
            state.SkipWithError("sox failed (is the Debian package sox installed?)");
        g_sox.push_back(Seconds(t0));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * g_dataBytes));
}

// Peak resident memory (KB) of a fresh child that does one load; baselineKb = its peak before.
bool MeasureOurPeak(long* peakKb, long* baselineKb)
{
    int fds[2];
    if (pipe(fds) != 0)
        return false;
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        rusage before{};
        getrusage(RUSAGE_SELF, &before);
        long result[2] = {-1, before.ru_maxrss};
        {
            BenchLoader loader(g_dir);
            loader.m_strWaveFile = g_input;
            if (loader.LoadWaveFile(g_input) == WaveLoadOutcome::Loaded) {
                rusage after{};
                getrusage(RUSAGE_SELF, &after);
                result[0] = after.ru_maxrss;
            }
        }
        const ssize_t ignored = write(fds[1], result, sizeof result);
        (void)ignored;
        _exit(0);
    }
    close(fds[1]);
    long result[2] = {-1, -1};
    const bool ok = read(fds[0], result, sizeof result) == static_cast<ssize_t>(sizeof result);
    close(fds[0]);
    waitpid(pid, nullptr, 0);
    *peakKb = result[0];
    *baselineKb = result[1];
    return ok && result[0] > 0;
}

double Median(std::vector<double> v)
{
    if (v.empty())
        return NAN;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : 0.5 * (v[n / 2 - 1] + v[n / 2]);
}

} // namespace

BENCHMARK(BM_OurLoadWithMonoCopy)->Iterations(1)->Repetitions(5)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SoxRemix)->Iterations(1)->Repetitions(5)->UseRealTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    const char* env = std::getenv("RESONI_BENCH_MINUTES");
    const double minutes = env ? std::atof(env) : 10.0;
    const char* tmp = std::getenv("TMPDIR");
    std::string templ = std::string(tmp && *tmp ? tmp : "/tmp") + "/resoni-bench-XXXXXX";
    if (!mkdtemp(templ.data())) {
        std::fprintf(stderr, "bench_wave_load: cannot create a temporary directory\n");
        return 1;
    }
    g_dir = templ;
    g_input = g_dir + "/in.wav";
    std::printf("Generating %.1f minutes of 16-bit stereo at 44100 Hz in %s ...\n", minutes, g_dir.c_str());
    if (!GenerateInput(minutes)) {
        std::fprintf(stderr, "bench_wave_load: cannot write %s\n", g_input.c_str());
        return 1;
    }
    std::printf("Data chunk: %llu bytes (%.1f MB)\n", static_cast<unsigned long long>(g_dataBytes), g_dataBytes / 1e6);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    long peakKb = 0, baselineKb = 0;
    const bool bPeak = MeasureOurPeak(&peakKb, &baselineKb);
    const double ours = Median(g_ours), sox = Median(g_sox);
    std::printf("\nMedian of %zu runs: ours %.3f s (whole load incl. mono copy), sox remix %.3f s (%zu runs)\n",
                g_ours.size(), ours, sox, g_sox.size());
    std::printf("Ratio ours / sox: %.3f (target <= 1.0)\n", ours / sox);
    if (bPeak) {
        std::printf("Peak resident memory of one load: %.1f MB = %.2f x the data size "
                    "(%.1f MB of it before the load; target <= 3.0)\n",
                    peakKb / 1024.0, peakKb * 1024.0 / static_cast<double>(g_dataBytes), baselineKb / 1024.0);
    } else {
        std::printf("Peak resident memory: could not be measured\n");
    }
    std::printf("Peak resident memory of sox: %.1f MB\n", g_soxPeakKb / 1024.0);
    std::error_code ec;
    std::filesystem::remove_all(g_dir, ec);
    return 0;
}
