// Correlation dimensions: the Hénon plateau, the exact slopes of uniform noise, pair counts
// against a brute-force count of all pairs, the radius rules, failures and determinism.
#include "CliRunner.h"
#include "NonlinearTestSeries.h"

#include "core/nonlinear/CorrelationOrder.h"
#include "core/nonlinear/MaxLyapunov.h"
#include "core/nonlinear/NonlinearReport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <numeric>
#include <sstream>

namespace {

struct EngineRun
{
    AbortToken abort;
    std::vector<std::string> messages;
    NonlinearCallbacks callbacks{[this](const std::string& t) { messages.push_back(t); }, {}, {}, {}, {}};
};

CorrelationResult correlate(const std::vector<double>& series, long long pairs, int maxDim, int delay, int radii,
                            double epsMin, double epsMax, int exclusion = 0, EngineRun* run = nullptr)
{
    EngineRun local;
    EngineRun& r = run ? *run : local;
    MaxLyapunov engine(r.abort, r.callbacks);
    engine.setCorrelationParameters(pairs, maxDim, delay, radii, epsMin, epsMax);
    engine.correlationParameters().exclusion = exclusion;
    std::vector<double> x = series;
    return engine.computeCorrelationDimensions(x);
}

// Mean slope of dimension m over the entries whose radius lies in (lo, hi).
double meanSlope(const CorrelationResult& r, int m, double lo, double hi)
{
    double sum = 0;
    int n = 0;
    for (int k = 0; k + 1 < r.radiusCount; ++k) {
        const CorrelationEntry& e = r.entries[m - 1][k];
        if (e.radius > lo && e.radius < hi) {
            sum += e.slope;
            ++n;
        }
    }
    EXPECT_GT(n, 5);
    return sum / n;
}

constexpr long long kNeverFinished = 1LL << 60; // P larger than any pair count

} // namespace

TEST(CorrelationDimension, HenonSlopesShowThePublishedPlateau)
{
    // For embedding dimensions ≥ 2 the local slopes level off near D2 ≈ 1.22 over radii from
    // 0.003 to 0.1 of the data range, whatever the dimension.
    const CorrelationResult r = correlate(henonSeries(20000), 10000, 6, 1, 100, 0.001, 1.0);
    ASSERT_TRUE(r.completed);
    double lowest = 1e9, highest = -1e9;
    for (int m = 2; m <= 6; ++m) {
        const double s = meanSlope(r, m, 0.003, 0.1);
        EXPECT_NEAR(s, 1.22, 0.08) << "m=" << m;
        lowest = std::min(lowest, s);
        highest = std::max(highest, s);
    }
    EXPECT_LT(highest - lowest, 0.1);
}

TEST(CorrelationDimension, UniformNoiseSlopesGrowWithTheDimension)
{
    // Maximum norm, independent uniform values: C_m(ε) = (2ε − ε²)^m, so the local slope
    // between ε_{k−1} and ε_k is m·ln(g(ε_{k−1}) / g(ε_k)) / ln f with g(ε) = 2ε − ε².
    const CorrelationResult r = correlate(uniformNoise(5000), 10000, 5, 1, 100, 0.001, 1.0);
    ASSERT_TRUE(r.completed);
    const double f = std::pow(1000.0, 1.0 / 99.0);
    auto g = [](double e) { return 2 * e - e * e; };
    double previous = 0;
    for (int m = 1; m <= 5; ++m) {
        double expected = 0;
        int n = 0;
        for (int k = 1; k < 100; ++k) {
            const double radius = 1.0 / std::pow(f, k);
            if (radius > 0.05 && radius < 0.3) {
                expected += m * std::log(g(radius * f) / g(radius)) / std::log(f);
                ++n;
            }
        }
        expected /= n;
        const double measured = meanSlope(r, m, 0.05, 0.3);
        EXPECT_NEAR(measured, expected, 0.06 * m) << "m=" << m;
        EXPECT_GT(measured, previous + 0.7) << "no plateau: the slope grows with m";
        previous = measured;
    }
}

TEST(CorrelationDimension, PairCountsEqualBruteForceCount)
{
    // With P never reached every radius stays open, so found[m][k] must be the number of all
    // pairs (i < j, |i − j| > w) of delay vectors within ε_k in the first m coordinates, and
    // norm[k] the number of all pairs.
    struct Case { std::vector<double> series; int maxDim, delay, radii; double epsMin, epsMax; int w; };
    const Case cases[] = {
        {uniformNoise(1200, 7), 3, 1, 12, 0.01, 0.5, 0},
        {henonSeries(1000), 4, 2, 9, 0.002, 0.3, 3},
        {uniformNoise(600, 9), 1, 1, 6, 0.05, 1.0, 0},   // line of boxes only
    };
    for (const Case& c : cases) {
        const CorrelationResult r =
            correlate(c.series, kNeverFinished, c.maxDim, c.delay, c.radii, c.epsMin, c.epsMax, c.w);
        ASSERT_TRUE(r.completed);
        std::vector<double> x = c.series;
        const auto [lo, hi] = std::minmax_element(x.begin(), x.end());
        const double mn = *lo, range = *hi - *lo;
        for (double& v : x)
            v = (v - mn) / range;
        const std::size_t N = x.size() - static_cast<std::size_t>((c.maxDim - 1) * c.delay);
        const double f = std::pow(c.epsMax / c.epsMin, 1.0 / (c.radii - 1));
        std::vector<std::vector<double>> expected(c.maxDim, std::vector<double>(c.radii, 0.0));
        double pairs = 0;
        for (std::size_t i = 0; i < N; ++i)
            for (std::size_t j = i + 1 + c.w; j < N; ++j) {
                pairs += 1;
                double delta = 0;
                for (int m = 1; m <= c.maxDim; ++m) {
                    delta = std::max(delta, std::fabs(x[i + (m - 1) * c.delay] - x[j + (m - 1) * c.delay]));
                    for (int k = 0; k < c.radii; ++k)
                        if (delta <= c.epsMax / std::pow(f, k))
                            expected[m - 1][k] += 1;
                }
            }
        for (int k = 0; k < c.radii; ++k)
            EXPECT_EQ(r.norms[k], pairs) << k;
        for (int m = 1; m <= c.maxDim; ++m)
            for (int k = 0; k < c.radii; ++k)
                EXPECT_EQ(r.pairCounts[m - 1][k], expected[m - 1][k]) << "m=" << m << " k=" << k;
        // And the slopes come from these counts.
        for (int m = 1; m <= c.maxDim; ++m)
            for (int k = 1; k < c.radii; ++k)
                if (expected[m - 1][k] > 0) {
                    EXPECT_NEAR(r.entries[m - 1][k - 1].slope,
                                std::log(expected[m - 1][k - 1] / expected[m - 1][k]) / std::log(f), 1e-12);
                }
    }
}

TEST(CorrelationDimension, RadiusRulesAndEntryLayout)
{
    struct Case { double epsMin, epsMax; int K; double usedMin, usedMax; };
    const Case cases[] = {
        {0.5, 0.2, 10, 0.1, 0.2}, // ε_min ≥ ε_max: half of ε_max
        {0.01, 3.0, 10, 0.01, 1.0}, // ε_max above 1 becomes 1
        {-0.01, -0.5, 10, 0.01, 0.5}, // magnitudes
        {0.001, 1.0, 2, 0.001, 1.0}, // K = 2: one entry per dimension
    };
    const std::vector<double> series = uniformNoise(800);
    for (const Case& c : cases) {
        const CorrelationResult r = correlate(series, 1000, 3, 1, c.K, c.epsMin, c.epsMax);
        EXPECT_EQ(r.epsMin, c.usedMin);
        EXPECT_EQ(r.epsMax, c.usedMax);
        ASSERT_EQ(r.entries.size(), 3u);
        for (const auto& entries : r.entries) {
            ASSERT_EQ(entries.size(), static_cast<std::size_t>(c.K));
            EXPECT_NEAR(entries[0].radius, c.usedMax * std::pow(c.usedMin / c.usedMax, 1.0 / (c.K - 1)), 1e-15);
            EXPECT_NEAR(entries[c.K - 2].radius, c.usedMin, 1e-15);
            EXPECT_EQ(entries[c.K - 1].radius, 0.0); // never written
            EXPECT_EQ(entries[c.K - 1].slope, 0.0);
        }
    }
}

TEST(CorrelationDimension, NoPairsGiveSlopeZero)
{
    const CorrelationResult r = correlate(uniformNoise(300), kNeverFinished, 5, 1, 30, 1e-4, 1.0);
    ASSERT_TRUE(r.completed);
    // 300 uniform points have no pair within 1e-4 in five coordinates.
    EXPECT_EQ(r.pairCounts[4][29], 0.0);
    EXPECT_EQ(r.entries[4][28].slope, 0.0);
    EXPECT_GT(r.entries[4][28].radius, 0.0);
    EXPECT_NE(r.entries[0][5].slope, 0.0);
}

TEST(CorrelationDimension, Failures)
{
    {
        EngineRun run;
        const CorrelationResult r = correlate(henonSeries(20), 1000, 10, 3, 100, 0.001, 1.0, 0, &run);
        EXPECT_TRUE(run.abort.isRaised());
        ASSERT_EQ(run.messages.size(), 1u);
        EXPECT_EQ(run.messages[0], "Embedding dimension and delay are too large.\n"
                                   "The delay vector would be longer than the whole series.\n");
        EXPECT_FALSE(r.completed);
    }
    {
        EngineRun run;
        const CorrelationResult r = correlate(std::vector<double>(500, 1.0), 1000, 3, 1, 20, 0.001, 1.0, 0, &run);
        EXPECT_TRUE(run.abort.isRaised());
        ASSERT_EQ(run.messages.size(), 1u);
        EXPECT_EQ(run.messages[0], "rescale_data: data ranges = Null. It makes\n\t\tno sense to continue. \n\n");
        EXPECT_FALSE(r.completed);
        for (const auto& entries : r.entries)
            for (const CorrelationEntry& e : entries) {
                EXPECT_EQ(e.radius, 0.0);
                EXPECT_EQ(e.slope, 0.0);
            }
    }
}

TEST(CorrelationDimension, AbortStopsBeforeTheNextPoint)
{
    EngineRun run;
    long long latest = 0;
    run.callbacks.onCheckpoint = [&](long long n) {
        if (n == 100)
            run.abort.raise();
    };
    run.callbacks.onCorrelationProgress = [&](const CorrelationResult& r) { latest = r.pointsProcessed; };
    const CorrelationResult r = correlate(uniformNoise(3000), kNeverFinished, 3, 1, 20, 0.001, 1.0, 0, &run);
    EXPECT_FALSE(r.completed);
    EXPECT_LT(latest, 100);
    EXPECT_LT(r.pointsProcessed, 100);
}

TEST(CorrelationDimension, TwoRunsGiveIdenticalCounts)
{
    const std::vector<double> series = henonSeries(5000);
    const CorrelationResult a = correlate(series, 1000, 10, 1, 100, 0.001, 1.0);
    const CorrelationResult b = correlate(series, 1000, 10, 1, 100, 0.001, 1.0);
    EXPECT_EQ(a.pairCounts, b.pairCounts);
    EXPECT_EQ(a.norms, b.norms);
    for (int m = 0; m < 10; ++m)
        for (int k = 0; k < 100; ++k) {
            EXPECT_EQ(a.entries[m][k].slope, b.entries[m][k].slope);
            EXPECT_EQ(a.entries[m][k].radius, b.entries[m][k].radius);
        }
}

TEST(CorrelationDimension, ProcessingOrderIsAFixedPermutation)
{
    for (std::uint32_t n : {1u, 2u, 1000u, 100000u}) {
        const std::vector<std::uint32_t> order = correlationProcessingOrder(n);
        std::vector<std::uint32_t> sorted = order;
        std::sort(sorted.begin(), sorted.end());
        std::vector<std::uint32_t> identity(n);
        std::iota(identity.begin(), identity.end(), 0u);
        EXPECT_EQ(sorted, identity) << n;
        EXPECT_EQ(order, correlationProcessingOrder(n));
        if (n >= 1000) {
            EXPECT_NE(order, identity);
        }
    }
    // Ascending keys: the generator value of each index, re-derived here, rises along the order.
    const std::uint32_t n = 5000;
    std::vector<std::uint32_t> key(n);
    std::uint32_t x = 2311537u;
    for (int i = 0; i < 1000; ++i)
        x = 69069u * x + 1u;
    for (std::uint32_t i = 0; i < n; ++i)
        key[i] = x = 69069u * x + 1u;
    const std::vector<std::uint32_t> order = correlationProcessingOrder(n);
    for (std::uint32_t i = 1; i < n; ++i)
        ASSERT_LT(key[order[i - 1]], key[order[i]]) << i;
}

TEST(CorrelationDimension, ReportCsvAndJson)
{
    D2Options o;
    o.maxDimension = 3;
    o.radii = 10;
    o.epsMin = 0.01;
    const std::vector<double> series = henonSeries(3000);
    AbortToken abort;
    std::ostringstream csv, json;
    ASSERT_EQ(reportCorrelation(series, o, ReportFormat::Csv, csv, abort, {}), ReportStatus::Completed);
    ASSERT_EQ(reportCorrelation(series, o, ReportFormat::Json, json, abort, {}), ReportStatus::Completed);
    const CorrelationResult r = correlate(series, 1000, 3, 1, 10, 0.01, 1.0);
    std::istringstream lines(csv.str());
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "dim,radius,slope");
    int rows = 0;
    while (std::getline(lines, line)) {
        int m = 0;
        double radius = 0, slope = 0;
        ASSERT_EQ(std::sscanf(line.c_str(), "%d,%lf,%lf", &m, &radius, &slope), 3) << line;
        const CorrelationEntry& e = r.entries[m - 1][rows % 9];
        EXPECT_EQ(radius, e.radius);
        EXPECT_EQ(slope, e.slope);
        ++rows;
    }
    EXPECT_EQ(rows, 3 * 9);
    const std::string path = ::testing::TempDir() + "d2_report.json";
    std::ofstream(path) << json.str();
    const CliResult py = runProgram("python3", {"-c",
        "import json,sys; d=json.load(open(sys.argv[1])); "
        "print(d['max_dim'], d['radii'], [len(e['slope']) for e in d['dimensions']], '%.17g' % d['dimensions'][2]['slope'][4])",
        path});
    ASSERT_EQ(py.exitCode, 0) << py.err;
    char expected[96];
    std::snprintf(expected, sizeof expected, "3 10 [9, 9, 9] %.17g\n", r.entries[2][4].slope);
    EXPECT_EQ(py.out, expected);
}
