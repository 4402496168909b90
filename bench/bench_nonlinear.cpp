// Speed of the nonlinear engine with the analysis view's default parameters on Hénon data,
// and the grid-based pair count of the correlation sums beside a brute-force O(N²) count at
// one radius on the same points (times, counts and their ratios are printed after the runs).
// Run: build/bench/bench_nonlinear
#include "core/nonlinear/MaxLyapunov.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

namespace {

std::vector<double> henon(std::size_t n)
{
    double x = 0.1, y = 0.1;
    std::vector<double> out(n + 1000);
    for (double& v : out) {
        const double nx = 1.0 - 1.4 * x * x + y;
        y = 0.3 * x;
        x = nx;
        v = x;
    }
    return std::vector<double>(out.begin() + 1000, out.end());
}

const std::vector<double>& henon20k()
{
    static const std::vector<double> data = henon(20000);
    return data;
}

const std::vector<double>& henon100k()
{
    static const std::vector<double> data = henon(100000);
    return data;
}

// Maximal exponent: 50 steps, 5 radii 0.001 … 0.01, dimensions 2 … 5, every point a reference.
void BM_MaxExponent20k(benchmark::State& state)
{
    for (auto _ : state) {
        AbortToken abort;
        MaxLyapunov engine(abort);
        engine.setMaxExponentParameters(50, 5, 2, 1, 5, 0.001, 0.01, std::numeric_limits<std::size_t>::max());
        std::vector<double> x = henon20k();
        benchmark::DoNotOptimize(engine.computeMaxExponent(x));
    }
}

// Lyapunov spectrum: dimension 3, delay 2, 30 neighbours, 1000 iterations.
void BM_Spectrum20k(benchmark::State& state)
{
    for (auto _ : state) {
        AbortToken abort;
        MaxLyapunov engine(abort);
        engine.setSpectrumParameters(3, 2, 30, 0.001);
        std::vector<double> x = henon20k();
        benchmark::DoNotOptimize(engine.computeSpectrum(x, 1000));
    }
}

// Correlation dimensions: m_max 10, 100 radii 1.0 … 0.001, 1000 pairs per radius.
void correlation(benchmark::State& state, const std::vector<double>& data)
{
    for (auto _ : state) {
        AbortToken abort;
        MaxLyapunov engine(abort);
        engine.setCorrelationParameters(1000, 10, 1, 100, 0.001, 1.0);
        std::vector<double> x = data;
        benchmark::DoNotOptimize(engine.computeCorrelationDimensions(x));
    }
}
void BM_Correlation20k(benchmark::State& state) { correlation(state, henon20k()); }
void BM_Correlation100k(benchmark::State& state) { correlation(state, henon100k()); }

BENCHMARK(BM_MaxExponent20k)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_Spectrum20k)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_Correlation20k)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_Correlation100k)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true);

template <class F>
double medianSeconds(int runs, F&& f)
{
    std::vector<double> t;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        f();
        t.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

// Pairs (i < j) of delay vectors within ε in the maximum norm over dimensions 1 … mMax,
// by comparing every pair; counts[m − 1] for dimension m.
std::vector<long long> bruteForcePairs(const std::vector<double>& x, int mMax, double eps)
{
    const std::size_t n = x.size() - static_cast<std::size_t>(mMax - 1);
    std::vector<long long> counts(static_cast<std::size_t>(mMax), 0);
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = i + 1; j < n; ++j)
            for (int c = 0; c < mMax; ++c) {
                if (std::fabs(x[i + c] - x[j + c]) > eps)
                    break;
                ++counts[static_cast<std::size_t>(c)];
            }
    return counts;
}

// The same pairs with the engine's grid: two radii ε and ε/2, a pair target never reached,
// so every pair within ε is counted once.
std::vector<double> gridPairs(const std::vector<double>& data, int mMax, double eps)
{
    AbortToken abort;
    MaxLyapunov engine(abort);
    engine.setCorrelationParameters(std::numeric_limits<long long>::max(), mMax, 1, 2, eps * 0.5, eps);
    std::vector<double> x = data;
    const CorrelationResult r = engine.computeCorrelationDimensions(x);
    std::vector<double> counts;
    for (const auto& found : r.pairCounts)
        counts.push_back(found[0]);
    return counts;
}

void printPairCountComparison()
{
    const double eps = 0.01; // units of the data range
    const int mMax = 10;
    std::vector<double> unit = henon20k();
    const auto [lo, hi] = std::minmax_element(unit.begin(), unit.end());
    const double mn = *lo, range = *hi - *lo;
    for (double& v : unit)
        v = (v - mn) / range;
    std::vector<long long> brute;
    std::vector<double> grid;
    const double tGrid = medianSeconds(5, [&] { grid = gridPairs(henon20k(), mMax, eps); });
    const double tBrute = medianSeconds(3, [&] { brute = bruteForcePairs(unit, mMax, eps); });
    const double tSums = medianSeconds(5, [&] {
        AbortToken abort;
        MaxLyapunov engine(abort);
        engine.setCorrelationParameters(1000, 10, 1, 100, 0.001, 1.0);
        std::vector<double> x = henon20k();
        benchmark::DoNotOptimize(engine.computeCorrelationDimensions(x));
    });
    std::printf("\nPair count at one radius (eps = %g of the range, dimensions 1..%d, %zu Henon points):\n", eps,
                mMax, unit.size());
    std::printf("  grid-based (engine)  median %.4f s   pairs m=1 %.0f, m=2 %.0f, m=10 %.0f\n", tGrid, grid[0],
                grid[1], grid[9]);
    std::printf("  brute force O(N^2)   median %.4f s   pairs m=1 %lld, m=2 %lld, m=10 %lld\n", tBrute, brute[0],
                brute[1], brute[9]);
    std::printf("  ratio brute force / grid count of all pairs within eps: %.1f\n", tBrute / tGrid);
    std::printf("  correlation sums with the view's defaults (100 radii, 1000 pairs) median %.4f s;\n"
                "  ratio brute force at one radius / correlation sums: %.1f\n", tSums, tBrute / tSums);
    bool same = true;
    for (int m = 0; m < mMax; ++m)
        same = same && grid[m] == static_cast<double>(brute[m]);
    std::printf("  counts %s\n", same ? "identical" : "DIFFER");
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    printPairCountComparison();
    return 0;
}
