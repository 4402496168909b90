// The nonlinear analyses: published invariants of the Hénon and logistic maps, pair counts against brute
// force, mutual information against Python, the parameter rules, the engines' messages and stopping.
#include "CliRunner.h"
#include "NonlinearTestSeries.h"

#include "core/nonlinear/DigitText.h"
#include "core/nonlinear/MutualInformation.h"
#include "core/nonlinear/SpectrumAlgebra.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <iterator>
#include <numeric>
#include <regex>
#include <sstream>
#include <tuple>

namespace {

const char* const kRescale = "rescale_data: data ranges = Null. It makes\n\t\tno sense to continue. \n\n";
constexpr long long kNeverFinished = 1LL << 60; // a pair count P no radius reaches

std::vector<double> periodic(std::vector<double> period, std::size_t n)
{
    std::vector<double> x(n);
    for (std::size_t i = 0; i < n; ++i)
        x[i] = period[i % period.size()];
    return x;
}

} // namespace

TEST(CorrelationDimension, PublishedHenonPlateau)
{
    // For m ≥ 2 the local slopes level off near D2 ≈ 1.22 for radii 0.003 … 0.1 of the range.
    const CorrelationResult r = Engine().d2(henonSeries(20000), 10000, 6, 1, 100, 0.001, 1.0);
    ASSERT_TRUE(r.completed);
    for (int m = 2; m <= 6; ++m) {
        double sum = 0, n = 0;
        for (const CorrelationEntry& e : r.entries[m - 1])
            if (e.radius > 0.003 && e.radius < 0.1)
                sum += e.slope, n += 1;
        EXPECT_GT(n, 5);
        EXPECT_NEAR(sum / n, 1.22, 0.06) << "m=" << m;
    }
}

TEST(CorrelationDimension, PairCountsEqualBruteForceCount)
{
    // With P never reached every radius stays open: found[m][k] is the number of pairs
    // (i < j, j − i > w) of delay vectors within ε_k in their first m coordinates, norm[k] the
    // number of all pairs, and a slope is 0 where a count is 0.
    struct Case { std::vector<double> series; int maxDim, delay, radii; double epsMin, epsMax; int w; };
    const Case cases[] = {
        {uniformNoise(1200, 7), 3, 1, 12, 0.01, 0.5, 0}, {henonSeries(1000), 4, 2, 9, 0.002, 0.3, 3},
        {uniformNoise(600, 9), 1, 1, 6, 0.05, 1.0, 0}, // line of boxes only
        {uniformNoise(300), 5, 1, 30, 1e-4, 1.0, 0},   // no pair at all at the smallest radii
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.series.size());
        const CorrelationResult r =
            Engine().d2(c.series, kNeverFinished, c.maxDim, c.delay, c.radii, c.epsMin, c.epsMax, c.w);
        ASSERT_TRUE(r.completed);
        std::vector<double> x = c.series;
        const auto [lo, hi] = std::minmax_element(x.begin(), x.end());
        const double mn = *lo, range = *hi - *lo, f = std::pow(c.epsMax / c.epsMin, 1.0 / (c.radii - 1));
        for (double& v : x)
            v = (v - mn) / range;
        std::vector<double> eps(c.radii);
        for (int k = 0; k < c.radii; ++k)
            eps[k] = c.epsMax / std::pow(f, k);
        std::vector<std::vector<double>> found(c.maxDim, std::vector<double>(c.radii, 0.0));
        double pairs = 0;
        const std::size_t N = x.size() - static_cast<std::size_t>((c.maxDim - 1) * c.delay);
        for (std::size_t i = 0; i < N; ++i)
            for (std::size_t j = i + 1 + c.w; j < N; ++j, ++pairs) {
                double delta = 0;
                for (int m = 1; m <= c.maxDim; ++m) {
                    delta = std::max(delta, std::fabs(x[i + (m - 1) * c.delay] - x[j + (m - 1) * c.delay]));
                    for (int k = 0; k < c.radii; ++k)
                        found[m - 1][k] += delta <= eps[k] ? 1 : 0;
                }
            }
        EXPECT_EQ(r.norms, std::vector<double>(c.radii, pairs));
        EXPECT_EQ(r.pairCounts, found);
        for (int m = 1; m <= c.maxDim; ++m)
            for (int k = 1; k < c.radii; ++k) {
                const double a = found[m - 1][k - 1], b = found[m - 1][k];
                EXPECT_NEAR(r.entries[m - 1][k - 1].slope, b > 0 ? std::log(a / b) / std::log(f) : 0.0, 1e-12)
                    << "m=" << m << " k=" << k;
            }
    }
}

TEST(CorrelationDimension, RadiusRulesEntryLayoutAndAbort)
{
    struct Case { double epsMin, epsMax; int K; double usedMin, usedMax; };
    const Case cases[] = {
        {0.5, 0.2, 10, 0.1, 0.2}, {0.01, 3.0, 10, 0.01, 1.0}, // ε_min ≥ ε_max: half of ε_max; ε_max ≤ 1
        {-0.01, -0.5, 10, 0.01, 0.5}, {0.001, 1.0, 2, 0.001, 1.0}, // magnitudes; K = 2: one entry
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.epsMin);
        const CorrelationResult r = Engine().d2(uniformNoise(800), 1000, 3, 1, c.K, c.epsMin, c.epsMax);
        EXPECT_EQ(std::tuple(r.epsMin, r.epsMax, r.entries.size()), std::tuple(c.usedMin, c.usedMax, 3u));
        for (const auto& e : r.entries) {
            ASSERT_EQ(e.size(), static_cast<std::size_t>(c.K));
            EXPECT_NEAR(e[0].radius, c.usedMax * std::pow(c.usedMin / c.usedMax, 1.0 / (c.K - 1)), 1e-15);
            EXPECT_NEAR(e[c.K - 2].radius, c.usedMin, 1e-15);
            EXPECT_EQ(std::tuple(e[c.K - 1].radius, e[c.K - 1].slope), std::tuple(0.0, 0.0)); // never written
        }
    }
    // Stopped at point 100: no refresh after it, the run ends before the next point.
    Engine run;
    long long latest = 0;
    run.callbacks.onCheckpoint = [&](long long n) { n == 100 ? run.abort.raise() : void(); };
    run.callbacks.onCorrelationProgress = [&](const CorrelationResult& r) { latest = r.pointsProcessed; };
    const CorrelationResult r = run.d2(uniformNoise(3000), kNeverFinished, 3, 1, 20, 0.001, 1.0);
    EXPECT_FALSE(r.completed);
    EXPECT_LT(std::max(latest, r.pointsProcessed), 100);
}

TEST(LyapunovMax, SlopeOfStretchFactorGivesPublishedExponents)
{
    // Radius 0.001 of the range keeps the distances small for about ten steps; the least-squares
    // slope of S(Δn) inside that range is the exponent per sample (one step of the map).
    struct Case { const char* name; std::vector<double> series; unsigned from, to; double expected; };
    const Case cases[] = {{"Henon", henonSeries(5000), 1, 9, 0.419},
                          {"logistic r=4", logisticSeries(5000), 0, 7, std::log(2.0)}};
    for (const Case& c : cases) {
        Engine run;
        const MaxExponentResult r = run.lmax(c.series, 12, 3, 2, 1, 1, 0.001, 0.01, 5000);
        ASSERT_FALSE(run.abort.isRaised()) << c.name;
        for (unsigned m = 2; m <= 3; ++m) {
            double sx = 0, sy = 0, sxx = 0, sxy = 0, n = c.to - c.from + 1;
            for (unsigned dn = c.from; dn <= c.to; ++dn)
                sx += dn, sy += r.S(m, 0, dn), sxx += double(dn) * dn, sxy += dn * r.S(m, 0, dn);
            EXPECT_NEAR((n * sxy - sx * sy) / (n * sxx - sx * sx), c.expected, 0.05) << c.name << " m=" << m;
            EXPECT_GT(r.contributorsOf(m, 0, 0), 1000u) << c.name;
        }
        // The curve saturates: distances cannot grow beyond the attractor.
        EXPECT_LT(r.S(2, 0, 12) - r.S(2, 0, 0), c.expected * 12.5) << c.name;
    }
}

TEST(LyapunovMax, RadiusLadder)
{
    std::vector<double> x = henonSeries(400);
    for (double& v : x)
        v = 200.0 * v + 7.0;
    const double range = *std::max_element(x.begin(), x.end()) - *std::min_element(x.begin(), x.end());
    struct Case { unsigned E; double epsMin, epsMax; std::vector<double> radii; bool absolute; };
    const Case cases[] = {
        {3, 0.001, 0.01, {0.001, std::sqrt(10.0) * 0.001, 0.01}, false}, {1, 0.001, 0.01, {0.001}, false},
        {4, 0.005, 0.005, {0.005}, false}, {5, 0.02, 0.01, {0.02}, false}, // ε_min ≥ ε_max: one radius, ε_min
        {2, 0.2, 4.0, {0.2 / range, 4.0 / range}, true}, // absolute radii: divided by the data range
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.epsMin);
        const MaxExponentResult r = Engine().lmax(x, 3, 2, 2, 1, c.E, c.epsMin, c.epsMax, 100, c.absolute);
        ASSERT_EQ(std::tuple(r.radii.size(), r.radiusCount), std::tuple(c.radii.size(), c.radii.size()));
        for (std::size_t e = 0; e < c.radii.size(); ++e)
            EXPECT_NEAR(r.radii[e], c.radii[e], 1e-15);
        // (E + 1) blocks of steps + 1 entries; the last block is never written.
        ASSERT_EQ(r.stretch[0].size(), (c.radii.size() + 1) * 4);
        EXPECT_TRUE(std::all_of(r.stretch[0].end() - 4, r.stretch[0].end(), [](double s) { return s == 0.0; }));
    }
}

TEST(LyapunovMax, LengthRules)
{
    struct Case { std::size_t L; unsigned steps, maxDim, minDim, delay; std::size_t refs, usedRefs; unsigned usedMax, usedMin; };
    const Case cases[] = {
        {300, 10, 3, 2, 2, 1000, 286, 3, 2}, {300, 10, 3, 2, 2, 100, 100, 3, 2}, // R at most L − steps − (M − 1)·d
        {61, 50, 6, 2, 2, 10, 1, 6, 2},     // one point less is refused (see the messages)
        {300, 5, 1, 1, 1, 1000, 294, 2, 2}, {300, 5, 2, 4, 1, 1000, 292, 4, 4}, // raised to 2; M to the minimum
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.L);
        Engine run;
        const MaxExponentResult r =
            run.lmax(henonSeries(c.L), c.steps, c.maxDim, c.minDim, c.delay, 2, 0.01, 0.05, c.refs);
        EXPECT_TRUE(run.messages.empty());
        EXPECT_EQ(std::tuple(r.maxDimension, r.minDimension, r.referenceCount), std::tuple(c.usedMax, c.usedMin, c.usedRefs));
        const std::uint32_t reached = r.contributorsOf(c.usedMin, 0, 0);
        EXPECT_TRUE(reached <= c.usedRefs && (c.usedRefs <= 1 || reached > 0)) << reached;
        for (unsigned m = 2; m < c.usedMin; ++m) // dimensions below the minimal one stay 0
            EXPECT_EQ(*std::max_element(r.stretch[m - 2].begin(), r.stretch[m - 2].end()), 0.0);
    }
}

TEST(LyapunovMax, AbortEndsAtNextMultipleOf50AndKeepsEarlierRadii)
{
    Engine run;
    unsigned radiiDone = 0;
    std::vector<long long> checkpoints; // after the first radius
    run.callbacks.onMaxExponentProgress = [&](const MaxExponentResult&, unsigned done) { radiiDone = done; };
    run.callbacks.onCheckpoint = [&](long long i) {
        radiiDone == 1 ? checkpoints.push_back(i) : void();
        radiiDone == 1 && i == 100 ? run.abort.raise() : void();
    };
    const MaxExponentResult r = run.lmax(henonSeries(2000), 5, 2, 2, 1, 3, 0.005, 0.02, 1000);
    EXPECT_EQ(radiiDone, 1u);
    EXPECT_EQ(checkpoints, (std::vector<long long>{0, 50, 100}));
    EXPECT_GT(r.contributorsOf(2, 0, 0), 500u);
    for (unsigned e = 1; e < 3; ++e)
        for (unsigned dn = 0; dn <= 5; ++dn)
            EXPECT_EQ(std::tuple(r.contributorsOf(2, e, dn), r.S(2, e, dn)), std::tuple(0u, 0.0));
}

TEST(LyapunovMax, CoincidingStretchesContributeNothing)
{
    // Period 7 with distinct values: within 1e-6 lie only exact repeats, at distance 0 for
    // every Δn, so nothing contributes; a radius reaching the next value (0.15 apart) does.
    const std::vector<double> x = periodic({0.0, 0.6, 0.3, 1.0, 0.15, 0.8, 0.45}, 700);
    const MaxExponentResult r = Engine().lmax(x, 10, 3, 2, 1, 1, 1e-6, 1e-6, 1000);
    ASSERT_TRUE(r.hasEntries());
    for (std::size_t k = 0; k < r.stretch.size(); ++k) {
        EXPECT_EQ(r.stretch[k], std::vector<double>(r.stretch[k].size(), 0.0));
        EXPECT_EQ(r.contributors[k], std::vector<std::uint32_t>(r.contributors[k].size(), 0u));
    }
    const MaxExponentResult w = Engine().lmax(x, 10, 2, 2, 1, 1, 0.3, 0.3, 1000);
    EXPECT_GT(w.contributorsOf(2, 0, 0), 0u);
    EXPECT_TRUE(std::isfinite(w.S(2, 0, 0)));
}

TEST(LyapunovSpectrum, PublishedExponentsAndKaplanYorkeDimension)
{
    // Dimension 2, delay 1 reconstructs the Hénon map itself; exponents per sample (Λ divided
    // by the model step d). The logistic map with delay 2 models the two-step map (2·ln 2 per
    // step of the model): per sample ln 2 again.
    Engine run;
    const SpectrumResult r = run.spectrum(henonSeries(20000), 2, 1, 30, 3000);
    ASSERT_TRUE(r.completed && run.messages.empty());
    ASSERT_EQ(r.exponents.size(), 2u);
    EXPECT_NEAR(r.exponents[0], 0.419, 0.03);
    EXPECT_NEAR(r.exponents[1], -1.62, 0.1);
    EXPECT_NEAR(r.exponents[0] + r.exponents[1], std::log(0.3), 0.06); // |det J| = 0.3
    EXPECT_NEAR(r.kaplanYorke, 1.26, 0.03);
    EXPECT_EQ(r.meanNeighbours, 30.0);
    EXPECT_TRUE(r.meanRadius > 0.0 && r.meanRadius < 0.13) << r.meanRadius; // data units (range 2.55)
    EXPECT_TRUE(std::regex_match(r.kaplanYorkeText,
                                 std::regex("Kaplan-Yorke-Dimension:1\\.2[4-8][0-9]\\nAnzahl nächster Nachbarn: ~30\\.00")))
        << r.kaplanYorkeText;
    for (int delay : {1, 2}) {
        const SpectrumResult logistic = Engine().spectrum(logisticSeries(3000), 1, delay, 30, 3000);
        ASSERT_EQ(logistic.exponents.size(), 1u);
        EXPECT_NEAR(logistic.exponents[0], std::log(2.0), 0.03) << "delay " << delay;
        EXPECT_EQ(logistic.kaplanYorke, 1.0);
    }
}

TEST(LyapunovSpectrum, LinearAlgebra)
{
    struct KY { std::vector<double> exponents; double expected; };
    for (const KY& c : {KY{{0.5, -0.2, -1.0}, 2.3}, KY{{-0.1}, 0.0}, KY{{0.1}, 1.0}, KY{{0.0}, 1.0},
                        KY{{0.419, -1.62}, 1.0 + 0.419 / 1.62}, KY{{1.0, 2.0}, 2.0}, KY{{-1.0, 0.5}, 0.0}})
        EXPECT_NEAR(kaplanYorkeDimension(c.exponents), c.expected, 1e-12) << c.exponents[0];
    struct Gauss { std::vector<double> a, b, x; bool ok; };
    const Gauss cases[] = {
        {{0, 1, 1, 0}, {2, 3}, {3, 2}, true}, // needs a row swap
        {{2, 1, 1, 4, -6, 0, -2, 7, 2}, {5, -2, 9}, {1, 1, 2}, true},
        {{1, 0, 0, 0}, {1, 1e-12}, {1, 1}, true},              // last pivot 0 → 1e-12
        {{0, 1, 2, 0, 3, 4, 0, 5, 6}, {1, 1, 1}, {42}, false}, // zero column: x untouched
    };
    for (const Gauss& c : cases) {
        std::vector<double> a = c.a, b = c.b, x = {42.0};
        ASSERT_EQ(gaussSolve(a, b, static_cast<int>(c.b.size()), x), c.ok);
        ASSERT_EQ(x.size(), c.x.size());
        for (std::size_t i = 0; i < x.size(); ++i)
            EXPECT_NEAR(x[i], c.x[i], 1e-12);
    }
    // Gram-Schmidt: the factors multiply to |det|, the result is orthonormal, the first direction kept.
    std::vector<std::vector<double>> w = {{2, 1, 0.5}, {-1, 3, 1}, {0.3, 0.2, 4}};
    std::vector<double> f;
    gramSchmidt(w, f);
    EXPECT_NEAR(w[0][1] * 2, w[0][0], 1e-15);
    EXPECT_NEAR(f[0] * f[1] * f[2], 2 * (12 - 0.2) + (4 + 0.3) + 0.5 * (-0.2 - 0.9), 1e-12);
    for (std::size_t i = 0; i < 3; ++i)
        for (std::size_t j = 0; j < 3; ++j)
            EXPECT_NEAR(std::inner_product(w[i].begin(), w[i].end(), w[j].begin(), 0.0), i == j, 1e-12);
}

TEST(LyapunovSpectrum, RowsIterationsFirstReferenceAndAbort)
{
    struct Case { std::size_t L; int E, d; long long I; long long first, last, rows; };
    const Case cases[] = {
        {500, 2, 1, 100000, 1, 499, 498}, // I larger than L − d is reduced to L − d
        {500, 3, 2, 300, 4, 300, 296},    // first reference point (E − 1)·d
        {500, 3, 2, 3, 4, 3, 0},          // I before the first reference point: no rows
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.I);
        Engine run;
        long long progressCalls = 0; // from the eleventh row on
        run.callbacks.onSpectrumProgress = [&](const SpectrumResult& r) { progressCalls += r.rowCount > 10 ? 1 : 1000; };
        const SpectrumResult r = run.spectrum(henonSeries(c.L), c.E, c.d, 20, c.I);
        EXPECT_TRUE(r.completed);
        EXPECT_EQ(std::tuple(r.firstReference, r.last, r.rowCount, static_cast<long long>(r.rows.size())),
                  std::tuple(c.first, c.last, c.rows, c.rows));
        EXPECT_EQ(progressCalls, std::max(0LL, c.rows - 10));
        EXPECT_TRUE(c.rows == 0 || r.exponents == r.rows.back());
    }
    // Stopped at reference point 200: the rows up to it, no result text, no message.
    Engine run;
    run.callbacks.onCheckpoint = [&](long long n) { n == 200 ? run.abort.raise() : void(); };
    const SpectrumResult r = run.spectrum(henonSeries(2000), 2, 1, 30, 1000);
    EXPECT_EQ(std::tuple(r.rowCount, r.completed, r.kaplanYorkeText, run.messages.size()),
              std::tuple(200, false, std::string(), 0u));
}

TEST(MutualInfo, KnownCases)
{
    // 0, 1, …, 15 repeated: every box visited equally, so the entropy is ln 16 (the values of I(τ)
    // are checked against Python below).
    const std::vector<double> stairs = periodic({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}, 1600);
    AbortToken abort;
    const MutualInformationResult r = computeMutualInformation(stairs, 16, 90, abort);
    ASSERT_TRUE(r.computed);
    EXPECT_NEAR(r.entropy, std::log(16.0), 1e-12);
    EXPECT_EQ(entropyLabel(r.entropy), "Shannon Entropie: 2.7725");
}

TEST(MutualInfo, AgreesWithAnIndependentComputation)
{
    // The same rule written in Python (rescale, boxes, plug-in probabilities) on the same
    // numbers: a sine with a little noise and the Hénon map.
    std::vector<double> sine = uniformNoise(3000, 99);
    for (std::size_t i = 0; i < sine.size(); ++i)
        sine[i] = std::sin(2 * M_PI * (static_cast<double>(i) + 0.37) / 40.0) + 0.05 * sine[i];
    struct Case { std::vector<double> series; int boxes, maxDelay; };
    const Case cases[] = {{sine, 16, 30}, {henonSeries(2500), 10, 12}, {sine, 3, 5}};
    for (const Case& c : cases) {
        std::ostringstream text;
        text.precision(17);
        for (double v : c.series)
            text << v << ' ';
        const CliResult py = runProgram("python3", {"-c", R"PY(
import math, sys
x = [float(v) for v in sys.argv[1].split()]
B, T = int(sys.argv[2]), int(sys.argv[3])
lo, hi = min(x), max(x)
b = [B - 1 if v >= 1.0 else int(B * v) for v in ((v - lo) / (hi - lo) for v in x)]
for t in range(T + 1):
    c1, c2, j = [0] * B, [0] * B, {}
    for i in range(t, len(b)):
        c1[b[i - t]] += 1; c2[b[i]] += 1; j[(b[i - t], b[i])] = j.get((b[i - t], b[i]), 0) + 1
    P = len(b) - t
    print('%.17g' % sum(c / P * math.log((c / P) / (c2[d] / P) / (c1[a] / P)) for (a, d), c in j.items()))
)PY", text.str(), std::to_string(c.boxes), std::to_string(c.maxDelay)});
        ASSERT_EQ(py.exitCode, 0) << py.err;
        std::istringstream values(py.out);
        const std::vector<double> expected{std::istream_iterator<double>(values), std::istream_iterator<double>()};
        AbortToken abort;
        const MutualInformationResult r = computeMutualInformation(c.series, c.boxes, c.maxDelay, abort);
        ASSERT_EQ(r.information.size(), expected.size());
        for (std::size_t t = 0; t < expected.size(); ++t)
            EXPECT_NEAR(r.information[t], expected[t], 1e-12) << t;
        EXPECT_EQ(r.firstMinimum, firstMinimumOf(expected));
    }
}

TEST(MutualInfo, DelayBoxAndLengthRules)
{
    struct Case { std::size_t n; int B, T; bool computed; int usedB, usedT; };
    const Case cases[] = {
        {101, 16, 100, true, 16, 100}, {100, 16, 100, false, 16, 100}, // at most 100 values: nothing
        {200, 16, 500, true, 16, 199}, {300, 16, -3, true, 16, 0}, // T ≥ n: n − 1; a negative T is taken as 0
        {500, 0, 5, true, 1, 5},       // fewer than one box is one box: no information
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        AbortToken abort;
        const MutualInformationResult r = computeMutualInformation(henonSeries(c.n), c.B, c.T, abort);
        EXPECT_EQ(std::tuple(r.computed, r.maxDelay), std::tuple(c.computed, c.usedT));
        if (c.computed) {
            EXPECT_EQ(std::tuple(r.boxes, r.information.size()), std::tuple(c.usedB, c.usedT + 1u));
            EXPECT_EQ(c.usedB == 1, *std::max_element(r.information.begin(), r.information.end()) == 0.0);
        }
    }
}

TEST(MutualInfo, FirstMinimumWalkAndTexts)
{
    struct Case { std::vector<double> I; int expected; };
    const Case cases[] = {
        {{3, 1, 2, 1.5}, 1}, {{3, 2, 1.5, 1.2, 1.3, 0.1}, 3}, {{3, 2, 1, 1, 0.5}, 2}, // equal neighbours end it
        {{3, 2, 1, 0.5, 0.2}, 0}, {{1, 2, 0.5}, 0}, // strictly falling: not found; I(0) ≤ I(1)
        {{3}, 0}, {{3, 1}, 0},                       // T = 0; T = 1: the walk reaches T at once
    };
    for (const Case& c : cases)
        EXPECT_EQ(firstMinimumOf(c.I), c.expected) << c.I.size() << " " << c.I[1 % c.I.size()];
    EXPECT_EQ(firstMinimumLabel(0), "1.Minimum: nicht gefunden");
    EXPECT_EQ(firstMinimumLabel(7), "1.Minimum: 7");
    struct Text { double value; int digits; const char* text; };
    const Text texts[] = {
        {2.772588722239781, 10, "2.772588722"}, {0.0123, 4, "0.01230"}, {-1.26, 4, "-1.260"}, {30.0, 4, "30.00"},
        {0.0, 4, "0.0000"}, {9.99996, 4, "10.00"}, {1234.0, 4, "1234."}, {12346.0, 4, "12350."},
        {0.5, 3, "0.500"}, {-0.000456789, 3, "-0.000457"}, {1.0, 1, "1."},
    };
    for (const Text& t : texts)
        EXPECT_EQ(formatSignificant(t.value, t.digits), t.text) << t.value;
}

TEST(Nonlinear, EnginesStopWithTheirMessages)
{
    // Every refused run raises the stop flag, shows exactly these messages and leaves no result.
    using Run = std::function<bool(Engine&)>; // true when a result was left behind
    auto spectrum = [](std::vector<double> x, int dim, int delay, int neighbours) {
        return Run([=](Engine& e) { return e.spectrum(x, dim, delay, neighbours, 1000).rowCount != 0; });
    };
    auto d2 = [](std::vector<double> x, int dim, int delay) {
        return Run([=](Engine& e) { return e.d2(x, 1000, dim, delay, 20, 0.001, 1.0).completed; });
    };
    auto lmax = [](std::vector<double> x, unsigned steps) {
        return Run([=](Engine& e) {
            const MaxExponentResult r = e.lmax(x, steps, 6, 2, 2, 2, 0.01, 0.05, 10);
            return r.hasEntries() && r.contributorsOf(2, 0, 0) != 0;
        });
    };
    struct Case { const char* name; Run run; std::vector<std::string> messages; };
    const Case cases[] = {
        {"d2 constant", d2(std::vector<double>(500, 1.0), 3, 1), {kRescale}},
        {"d2 too long", d2(henonSeries(20), 10, 3),
         {"Embedding dimension and delay are too large.\nThe delay vector would be longer than the whole series.\n"}},
        {"lyap-max constant", lmax(std::vector<double>(500, 3.5), 5), {kRescale}},
        {"lyap-max too few", lmax(henonSeries(60), 50), {"Too few points to handle these parameters!\n"}},
        // The spectrum goes on to its variance check, which fails too.
        {"spectrum constant", spectrum(std::vector<double>(300, -4.0), 2, 1, 30),
         {kRescale, "Fehler: Variance of the data is zero.\n\n"}},
        {"spectrum too short", spectrum(henonSeries(30), 3, 2, 30),
         {"Your time series is not long enough to find 20 neighbors!\n"}},
        // 40 points with d = 2: 38 boxed points, so more than 39 are never found.
        {"spectrum few neighbours", spectrum(henonSeries(40), 1, 2, 39), {"#Not enough neighbors found.\n"}},
        // A period of four exact values: every neighbour repeats the reference point, all
        // v(j) are equal and the elimination meets an exact zero pivot.
        {"spectrum singular", spectrum(periodic({0.0, 0.25, 0.5, 1.0}, 400), 2, 1, 3),
         {"Fehler: Singuläre matrix! Erhöhen Sie versuchsweise die Anzahl der berücksichtigten Nachbarn.\n"}},
        {"mutual information constant", Run([](Engine& e) {
             return computeMutualInformation(periodic({7.0}, 500), 16, 90, e.abort, e.callbacks.onMessage).computed;
         }), {kRescale}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Engine engine;
        EXPECT_FALSE(c.run(engine));
        EXPECT_TRUE(engine.abort.isRaised());
        EXPECT_EQ(engine.messages, c.messages);
    }
}
