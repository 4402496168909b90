// The maximal Lyapunov exponent: published exponents from the slope of S(Δn), the radius
// ladder and length rules, the neighbour rules of the box grid, stopping and determinism.
#include "CliRunner.h"
#include "NonlinearTestSeries.h"

#include "core/nonlinear/MaxExponentGrid.h"
#include "core/nonlinear/MaxLyapunov.h"
#include "core/nonlinear/NonlinearReport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

namespace {

// Least-squares slope of S(Δn) over Δn = from … to: the exponent per sample.
double fittedSlope(const MaxExponentResult& r, unsigned m, unsigned e, unsigned from, unsigned to)
{
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    const double n = to - from + 1;
    for (unsigned dn = from; dn <= to; ++dn) {
        const double y = r.S(m, e, dn);
        sx += dn;
        sy += y;
        sxx += double(dn) * dn;
        sxy += dn * y;
    }
    return (n * sxy - sx * sy) / (n * sxx - sx * sx);
}

struct EngineRun
{
    AbortToken abort;
    std::vector<std::string> messages;
    MaxLyapunov engine{abort, NonlinearCallbacks{[this](const std::string& t) { messages.push_back(t); }, {}, {}, {}, {}}};
};

} // namespace

TEST(LyapunovMax, SlopeOfStretchFactorGivesPublishedExponents)
{
    // Radius 0.001 of the data range keeps the distances small for about ten steps; the
    // slope is fitted inside that linear range. Exponents per sample (one step of the map).
    struct Case { const char* name; std::vector<double> series; unsigned from, to; double expected; };
    const Case cases[] = {
        {"Henon", henonSeries(5000), 1, 9, 0.419},
        {"logistic r=4", logisticSeries(5000), 0, 7, std::log(2.0)},
    };
    for (const Case& c : cases) {
        EngineRun run;
        run.engine.setMaxExponentParameters(12, 3, 2, 1, 1, 0.001, 0.01, 5000);
        std::vector<double> x = c.series;
        const MaxExponentResult r = run.engine.computeMaxExponent(x);
        ASSERT_FALSE(run.abort.isRaised()) << c.name;
        ASSERT_EQ(r.radiusCount, 1u);
        for (unsigned m = 2; m <= 3; ++m) {
            EXPECT_NEAR(fittedSlope(r, m, 0, c.from, c.to), c.expected, 0.05) << c.name << " m=" << m;
            EXPECT_GT(r.contributorsOf(m, 0, 0), 1000u) << c.name;
        }
        // The curve saturates: distances cannot grow beyond the attractor.
        EXPECT_LT(r.S(2, 0, 12) - r.S(2, 0, 0), c.expected * 12.5) << c.name;
    }
}

TEST(LyapunovMax, RadiusLadder)
{
    struct Case { unsigned E; double epsMin, epsMax; std::vector<double> radii; };
    const Case cases[] = {
        {3, 0.001, 0.01, {0.001, std::sqrt(10.0) * 0.001, 0.01}},
        {1, 0.001, 0.01, {0.001}},
        {5, 0.02, 0.01, {0.02}},  // ε_min ≥ ε_max: one radius, ε_min
        {4, 0.005, 0.005, {0.005}},
        {2, 0.01, 0.04, {0.01, 0.04}},
    };
    for (const Case& c : cases) {
        EngineRun run;
        run.engine.setMaxExponentParameters(3, 2, 2, 1, c.E, c.epsMin, c.epsMax, 100);
        std::vector<double> x = henonSeries(400);
        const MaxExponentResult r = run.engine.computeMaxExponent(x);
        ASSERT_EQ(r.radii.size(), c.radii.size());
        EXPECT_EQ(r.radiusCount, c.radii.size());
        for (std::size_t e = 0; e < c.radii.size(); ++e)
            EXPECT_NEAR(r.radii[e], c.radii[e], 1e-15);
        // (E + 1) blocks of steps + 1 entries; the last block is never written.
        ASSERT_EQ(r.stretch[0].size(), (c.radii.size() + 1) * 4);
        for (std::size_t i = c.radii.size() * 4; i < r.stretch[0].size(); ++i)
            EXPECT_EQ(r.stretch[0][i], 0.0);
    }
}

TEST(LyapunovMax, LengthRules)
{
    struct Case { std::size_t L; unsigned steps, maxDim, minDim, delay; std::size_t refs; bool tooFew;
                  std::size_t expectedRefs; unsigned expectedMax, expectedMin; };
    const Case cases[] = {
        {300, 10, 3, 2, 2, 1000, false, 286, 3, 2}, // R reduced to L − steps − (M − 1)·d
        {300, 10, 3, 2, 2, 100, false, 100, 3, 2},
        {60, 50, 6, 2, 2, 10, true, 0, 6, 2},       // steps + (M − 1)·d = L
        {61, 50, 6, 2, 2, 10, false, 1, 6, 2},
        {300, 5, 1, 1, 1, 1000, false, 294, 2, 2},  // dimensions raised to 2
        {300, 5, 2, 4, 1, 1000, false, 292, 4, 4},  // M raised to the minimal dimension
    };
    for (const Case& c : cases) {
        EngineRun run;
        run.engine.setMaxExponentParameters(c.steps, c.maxDim, c.minDim, c.delay, 2, 0.01, 0.05, c.refs);
        std::vector<double> x = henonSeries(c.L);
        const MaxExponentResult r = run.engine.computeMaxExponent(x);
        EXPECT_EQ(run.abort.isRaised(), c.tooFew) << c.L;
        EXPECT_EQ(r.maxDimension, c.expectedMax);
        EXPECT_EQ(r.minDimension, c.expectedMin);
        if (c.tooFew) {
            ASSERT_EQ(run.messages.size(), 1u);
            EXPECT_EQ(run.messages[0], "Too few points to handle these parameters!\n");
            EXPECT_FALSE(r.hasEntries());
            continue;
        }
        EXPECT_TRUE(run.messages.empty());
        EXPECT_EQ(r.referenceCount, c.expectedRefs) << c.L << " " << c.refs;
        std::uint32_t most = 0;
        for (const auto& counts : r.contributors)
            for (std::uint32_t n : counts)
                most = std::max(most, n);
        EXPECT_LE(most, c.expectedRefs);
        if (c.expectedRefs > 1) {
            EXPECT_GT(most, 0u);
        }
        // Dimensions below the minimal one are not written.
        for (unsigned m = 2; m < c.expectedMin; ++m)
            for (double s : r.stretch[m - 2])
                EXPECT_EQ(s, 0.0);
    }
}

TEST(LyapunovMax, ConstantSeriesStopsWithRescaleMessage)
{
    EngineRun run;
    std::vector<double> x(500, 3.5);
    const MaxExponentResult r = run.engine.computeMaxExponent(x);
    EXPECT_TRUE(run.abort.isRaised());
    ASSERT_FALSE(run.messages.empty());
    EXPECT_EQ(run.messages[0], "rescale_data: data ranges = Null. It makes\n\t\tno sense to continue. \n\n");
    for (const auto& counts : r.contributors)
        for (std::uint32_t n : counts)
            EXPECT_EQ(n, 0u);
    EXPECT_EQ(x[0], 3.5); // left as it was
}

TEST(LyapunovMax, RescaleDataMapsOntoUnitInterval)
{
    EngineRun run;
    std::vector<double> x = {4.0, -2.0, 1.0, 10.0};
    double minimum = 0, range = 0;
    ASSERT_TRUE(run.engine.rescale_data(x, minimum, range));
    EXPECT_EQ(minimum, -2.0);
    EXPECT_EQ(range, 12.0);
    EXPECT_EQ(x, (std::vector<double>{0.5, 0.0, 0.25, 1.0}));
    EXPECT_TRUE(run.messages.empty());
}

TEST(LyapunovMax, AbortEndsAtNextMultipleOf50AndKeepsEarlierRadii)
{
    AbortToken abort;
    unsigned radiiDone = 0;
    std::vector<long long> checkpointsAfterFirstRadius;
    NonlinearCallbacks cb;
    cb.onMaxExponentProgress = [&](const MaxExponentResult&, unsigned done) { radiiDone = done; };
    cb.onCheckpoint = [&](long long i) {
        if (radiiDone == 1) {
            checkpointsAfterFirstRadius.push_back(i);
            if (i == 100)
                abort.raise();
        }
    };
    MaxLyapunov engine(abort, cb);
    engine.setMaxExponentParameters(5, 2, 2, 1, 3, 0.005, 0.02, 1000);
    std::vector<double> x = henonSeries(2000);
    const MaxExponentResult r = engine.computeMaxExponent(x);
    EXPECT_EQ(radiiDone, 1u);
    EXPECT_EQ(checkpointsAfterFirstRadius, (std::vector<long long>{0, 50, 100}));
    EXPECT_GT(r.contributorsOf(2, 0, 0), 500u);
    for (unsigned e = 1; e < 3; ++e)
        for (unsigned dn = 0; dn <= 5; ++dn) {
            EXPECT_EQ(r.contributorsOf(2, e, dn), 0u);
            EXPECT_EQ(r.S(2, e, dn), 0.0);
        }
}

TEST(LyapunovMax, TwoRunsGiveIdenticalNumbers)
{
    const std::vector<double> series = henonSeries(3000);
    MaxExponentResult results[2];
    for (auto& r : results) {
        EngineRun run;
        run.engine.setMaxExponentParameters(20, 4, 2, 1, 3, 0.002, 0.02, 3000);
        std::vector<double> x = series;
        r = run.engine.computeMaxExponent(x);
    }
    EXPECT_EQ(results[0].stretch, results[1].stretch);
    EXPECT_EQ(results[0].contributors, results[1].contributors);
}

TEST(LyapunovMax, CoincidingStretchesContributeNothing)
{
    // Period 7 with distinct values: the only points within 1e-6 are exact repeats, whose
    // distance is 0 at every Δn, so no reference point contributes anywhere.
    const double values[7] = {0.0, 0.6, 0.3, 1.0, 0.15, 0.8, 0.45};
    std::vector<double> x(700);
    for (std::size_t i = 0; i < x.size(); ++i)
        x[i] = values[i % 7];
    EngineRun run;
    run.engine.setMaxExponentParameters(10, 3, 2, 1, 1, 1e-6, 1e-6, 1000);
    const MaxExponentResult r = run.engine.computeMaxExponent(x);
    ASSERT_TRUE(r.hasEntries());
    for (std::size_t k = 0; k < r.stretch.size(); ++k)
        for (std::size_t i = 0; i < r.stretch[k].size(); ++i) {
            EXPECT_EQ(r.stretch[k][i], 0.0);
            EXPECT_EQ(r.contributors[k][i], 0u);
        }
    // A radius that reaches the next value (0.15 apart) does contribute.
    EngineRun wide;
    wide.engine.setMaxExponentParameters(10, 2, 2, 1, 1, 0.3, 0.3, 1000);
    std::vector<double> y(x);
    const MaxExponentResult w = wide.engine.computeMaxExponent(y);
    EXPECT_GT(w.contributorsOf(2, 0, 0), 0u);
    EXPECT_TRUE(std::isfinite(w.S(2, 0, 0)));
}

TEST(LyapunovMax, GridNeighbourRules)
{
    // A ramp with steps of 0.001: within ε = 0.0015 in two delay coordinates only the
    // immediate predecessor and successor lie (distance √2·0.001 ≈ 0.00141).
    std::vector<double> x(1000);
    for (std::size_t i = 0; i < x.size(); ++i)
        x[i] = 0.001 * static_cast<double>(i);
    AbortToken abort;
    MaxLyapunov engine(abort);
    MaxExponentGrid grid;
    ASSERT_TRUE(grid.allocate(engine, x.size()));
    grid.fill(x, 990, 1, 0.0015);
    struct Case { std::size_t i, w; std::vector<std::uint32_t> expected; };
    const Case cases[] = {
        {500, 0, {499, 501}}, // never itself, but both immediate neighbours
        {500, 1, {}},         // w = 1 excludes them
        {0, 0, {1}},
        {300, 0, {299, 301}},
    };
    for (const Case& c : cases) {
        std::vector<GridNeighbour> found;
        grid.collect(x, c.i, 2, 1, c.w, 0.0015, found);
        std::vector<std::uint32_t> idx;
        for (const GridNeighbour& nb : found) {
            idx.push_back(nb.index);
            EXPECT_EQ(nb.depth, 1u);
        }
        std::sort(idx.begin(), idx.end());
        EXPECT_EQ(idx, c.expected) << "i=" << c.i << " w=" << c.w;
    }
    // Depth: in three coordinates the same pair stays within ε only if the radius allows √3·0.001.
    grid.fill(x, 990, 1, 0.0018);
    std::vector<GridNeighbour> found;
    grid.collect(x, 500, 3, 1, 0, 0.0018, found);
    ASSERT_EQ(found.size(), 2u);
    for (const GridNeighbour& nb : found)
        EXPECT_EQ(nb.depth, 2u);
}

TEST(LyapunovMax, SelectorResetsTheFlagsTheViewNeverSets)
{
    AbortToken abort;
    MaxLyapunov engine(abort);
    const MaxExponentParameters defaults = engine.maxExponentParameters();
    EXPECT_EQ(defaults.boxMask, 127u);
    EXPECT_EQ(defaults.steps, 50u);
    EXPECT_EQ(defaults.radiusCount, 5u);
    EXPECT_EQ(defaults.epsMin, 0.001);
    EXPECT_EQ(defaults.epsMax, 0.01);
    MaxExponentParameters& p = engine.maxExponentParameters();
    p.exclusion = 7;
    p.boxMask = 3;
    p.epsMinAbsolute = p.epsMaxAbsolute = true;
    engine.setMaxExponentParameters(40, 5, 3, 2, 4, 0.002, 0.03, 77);
    EXPECT_EQ(p.exclusion, 0u);
    EXPECT_EQ(p.boxMask, 127u);
    EXPECT_FALSE(p.epsMinAbsolute);
    EXPECT_FALSE(p.epsMaxAbsolute);
    EXPECT_EQ(p.steps, 40u);
    EXPECT_EQ(p.maxDimension, 5u);
    EXPECT_EQ(p.minDimension, 3u);
    EXPECT_EQ(p.delay, 2u);
    EXPECT_EQ(p.radiusCount, 4u);
    EXPECT_EQ(p.references, 77u);
}

TEST(LyapunovMax, AbsoluteRadiiAreDividedByTheDataRange)
{
    std::vector<double> x = henonSeries(500);
    for (double& v : x)
        v = 200.0 * v + 7.0;
    const auto [lo, hi] = std::minmax_element(x.begin(), x.end());
    const double range = *hi - *lo;
    EngineRun run;
    run.engine.setMaxExponentParameters(3, 2, 2, 1, 2, 0.2, 4.0, 100);
    run.engine.maxExponentParameters().epsMinAbsolute = true;
    run.engine.maxExponentParameters().epsMaxAbsolute = true;
    const MaxExponentResult r = run.engine.computeMaxExponent(x);
    ASSERT_EQ(r.radii.size(), 2u);
    EXPECT_NEAR(r.radii[0], 0.2 / range, 1e-15);
    EXPECT_NEAR(r.radii[1], 4.0 / range, 1e-15);
}

TEST(LyapunovMax, ReportCsvAndJsonMatchTheResult)
{
    LyapMaxOptions o;
    o.steps = 4;
    o.minDimension = 2;
    o.maxDimension = 3;
    o.radii = 2;
    o.epsMin = 0.01;
    o.epsMax = 0.04;
    const std::vector<double> series = henonSeries(1500);
    AbortToken abort;
    std::ostringstream csv, json;
    ASSERT_EQ(reportMaxExponent(series, o, ReportFormat::Csv, csv, abort, {}), ReportStatus::Completed);
    ASSERT_EQ(reportMaxExponent(series, o, ReportFormat::Json, json, abort, {}), ReportStatus::Completed);

    MaxLyapunov engine(abort);
    engine.setMaxExponentParameters(4, 3, 2, 1, 2, 0.01, 0.04, o.references);
    std::vector<double> x = series;
    const MaxExponentResult r = engine.computeMaxExponent(x);

    std::istringstream lines(csv.str());
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "dim,radius_index,radius,dn,S");
    int rows = 0;
    while (std::getline(lines, line)) {
        unsigned m = 0, e = 0, dn = 0;
        double radius = 0, s = 0;
        ASSERT_EQ(std::sscanf(line.c_str(), "%u,%u,%lf,%u,%lf", &m, &e, &radius, &dn, &s), 5) << line;
        EXPECT_EQ(s, r.S(m, e, dn)); // 17 digits restore the double exactly
        EXPECT_EQ(radius, r.radii[e]);
        ++rows;
    }
    EXPECT_EQ(rows, 2 * 2 * 5);

    // An independent JSON reader checks the structure and one value.
    const std::string path = ::testing::TempDir() + "lyap_max_report.json";
    std::ofstream(path) << json.str();
    const CliResult py = runProgram("python3", {"-c",
        "import json,sys; d=json.load(open(sys.argv[1])); "
        "print(d['steps'], d['min_dim'], d['max_dim'], len(d['radii']), len(d['dimensions']), "
        "len(d['dimensions'][1]['S']), len(d['dimensions'][1]['S'][1]), '%.17g' % d['dimensions'][1]['S'][1][3])",
        path});
    ASSERT_EQ(py.exitCode, 0) << py.err;
    char expected[128];
    std::snprintf(expected, sizeof expected, "4 2 3 2 2 2 5 %.17g\n", r.S(3, 1, 3));
    EXPECT_EQ(py.out, expected);
}
