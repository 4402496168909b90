// RealFft::forward and ComputeFrameSpectrum beside FFTW's real-to-complex transform
// (fftw_plan_dft_r2c_1d, planned once with FFTW_MEASURE) for N = 256, 1024, 4096, 32768.
// Each benchmark runs 5 repetitions; after the table the program prints, per N, the median
// times and the ratio ours / FFTW. Target: forward at most 3 × FFTW for N = 1024 … 32768.
#include "core/spectral/FrameSpectrum.h"
#include "core/spectral/RealFft.h"

#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int kRepetitions = 5;

std::vector<double> Frame(int n)
{
    std::vector<double> x(static_cast<std::size_t>(n));
    std::uint32_t state = 2024u;
    for (int i = 0; i < n; ++i) {
        state = state * 1664525u + 1013904223u;
        x[static_cast<std::size_t>(i)] =
            std::trunc(12000.0 * std::sin(2.0 * M_PI * 440.0 * i / 44100.0) + static_cast<double>(state >> 21) - 1024.0);
    }
    return x;
}

void OursForward(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const std::vector<double> x = Frame(n);
    std::vector<double> f(x.size());
    RealFft fft(n);
    for (auto _ : state) {
        fft.forward(f, x);
        benchmark::DoNotOptimize(f.data());
        benchmark::ClobberMemory();
    }
}

void FftwForward(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    double* in = fftw_alloc_real(static_cast<std::size_t>(n));
    fftw_complex* out = fftw_alloc_complex(static_cast<std::size_t>(n / 2 + 1));
    fftw_plan plan = fftw_plan_dft_r2c_1d(n, in, out, FFTW_MEASURE); // planning overwrites in
    const std::vector<double> x = Frame(n);
    std::copy(x.begin(), x.end(), in);
    for (auto _ : state) {
        fftw_execute(plan);
        benchmark::DoNotOptimize(out);
        benchmark::ClobberMemory();
    }
    fftw_destroy_plan(plan);
    fftw_free(out);
    fftw_free(in);
}

void OursFrameSpectrum(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const std::vector<double> signal = Frame(n);
    std::vector<double> spectrum, autoCorr;
    int firstMinLag = 0;
    for (auto _ : state) {
        ComputeFrameSpectrum(signal, n, spectrum, autoCorr, firstMinLag);
        benchmark::DoNotOptimize(spectrum.data());
        benchmark::DoNotOptimize(autoCorr.data());
        benchmark::ClobberMemory();
    }
}

// Console output as usual, and the median real time of every benchmark kept for the ratios.
class MedianCollector : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians[run.run_name.function_name][run.run_name.args] =
                    run.GetAdjustedRealTime() * 1e6 / benchmark::GetTimeUnitMultiplier(run.time_unit);
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, std::map<std::string, double>> medians; // name → args → µs
};

void Register(const char* name, void (*fn)(benchmark::State&))
{
    benchmark::RegisterBenchmark(name, fn)
        ->Arg(256)->Arg(1024)->Arg(4096)->Arg(32768)
        ->Unit(benchmark::kMicrosecond)
        ->MinTime(0.1)
        ->Repetitions(kRepetitions)
        ->ReportAggregatesOnly(true);
}

} // namespace

int main(int argc, char** argv)
{
    Register("RealFft_forward", OursForward);
    Register("FFTW_r2c", FftwForward);
    Register("ComputeFrameSpectrum", OursFrameSpectrum);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    MedianCollector reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\nmedians (µs)      N  RealFft::forward      FFTW r2c   ratio  ComputeFrameSpectrum  ratio\n");
    for (const char* n : {"256", "1024", "4096", "32768"}) {
        const double ours = reporter.medians["RealFft_forward"][n];
        const double fftw = reporter.medians["FFTW_r2c"][n];
        const double frame = reporter.medians["ComputeFrameSpectrum"][n];
        if (ours <= 0.0 || fftw <= 0.0)
            continue; // filtered out on the command line
        std::printf("              %6s  %16.3f  %12.3f  %6.2f  %20.3f  %5.2f\n", n, ours, fftw, ours / fftw, frame,
                    frame / fftw);
    }
    fftw_cleanup();
    return 0;
}
