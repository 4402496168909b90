// The Lyapunov spectrum: published exponents and Kaplan-Yorke dimension, the neighbour search
// against a brute-force search, the linear algebra, the failure texts, stopping, determinism.
#include "CliRunner.h"
#include "NonlinearTestSeries.h"

#include "core/nonlinear/DigitText.h"
#include "core/nonlinear/MaxLyapunov.h"
#include "core/nonlinear/NonlinearReport.h"
#include "core/nonlinear/SpectrumAlgebra.h"
#include "core/nonlinear/SpectrumNeighbours.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <regex>
#include <sstream>

namespace {

struct EngineRun
{
    AbortToken abort;
    std::vector<std::string> messages;
    NonlinearCallbacks callbacks{[this](const std::string& t) { messages.push_back(t); }, {}, {}, {}, {}};
};

} // namespace

TEST(LyapunovSpectrum, HenonExponentsAndKaplanYorkeDimension)
{
    // Embedding dimension 2 with delay 1 reconstructs the map itself; the exponents come per
    // sample (Λ is divided by the model step d = 1), i.e. per iteration of the map.
    EngineRun run;
    MaxLyapunov engine(run.abort, run.callbacks);
    engine.setSpectrumParameters(2, 1, 30, 0.001);
    std::vector<double> x = henonSeries(20000);
    const SpectrumResult r = engine.computeSpectrum(x, 3000);
    ASSERT_TRUE(r.completed);
    EXPECT_TRUE(run.messages.empty());
    ASSERT_EQ(r.exponents.size(), 2u);
    EXPECT_NEAR(r.exponents[0], 0.419, 0.03);
    EXPECT_NEAR(r.exponents[1], -1.62, 0.1);
    EXPECT_NEAR(r.exponents[0] + r.exponents[1], std::log(0.3), 0.06); // |det J| = 0.3
    EXPECT_NEAR(r.kaplanYorke, 1.26, 0.03);
    EXPECT_EQ(r.meanNeighbours, 30.0);
    EXPECT_GT(r.meanRadius, 0.0);
    EXPECT_LT(r.meanRadius, 0.1 * (*std::max_element(x.begin(), x.end())));
    // The text under the plot: both values with 4 significant digits.
    EXPECT_TRUE(std::regex_match(r.kaplanYorkeText,
                                 std::regex("Kaplan-Yorke-Dimension:1\\.2[4-8][0-9]\\nAnzahl nächster Nachbarn: ~30\\.00")))
        << r.kaplanYorkeText;
}

TEST(LyapunovSpectrum, LogisticMapExponentIsLn2PerSample)
{
    // With delay 2 the local model is the two-step map (exponent 2·ln 2 per step of the model);
    // dividing by the model step gives ln 2 per sample again.
    for (int delay : {1, 2}) {
        EngineRun run;
        MaxLyapunov engine(run.abort, run.callbacks);
        engine.setSpectrumParameters(1, delay, 30, 0.001);
        std::vector<double> x = logisticSeries(3000);
        const SpectrumResult r = engine.computeSpectrum(x, 3000);
        ASSERT_TRUE(r.completed);
        ASSERT_EQ(r.exponents.size(), 1u);
        EXPECT_NEAR(r.exponents[0], std::log(2.0), 0.03) << "delay " << delay;
        EXPECT_EQ(r.kaplanYorke, 1.0); // one positive exponent
    }
}

TEST(LyapunovSpectrum, KaplanYorkeDimension)
{
    struct Case { std::vector<double> exponents; double expected; };
    const Case cases[] = {
        {{0.5, -0.2, -1.0}, 2.3},
        {{-0.1}, 0.0},
        {{0.1}, 1.0},
        {{0.0}, 1.0},
        {{0.419, -1.62}, 1.0 + 0.419 / 1.62},
        {{1.0, 2.0}, 2.0},
        {{-1.0, 0.5}, 0.0},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(kaplanYorkeDimension(c.exponents), c.expected, 1e-12) << c.exponents.size();
}

TEST(LyapunovSpectrum, GaussSolveWithPartialPivoting)
{
    struct Case { std::vector<double> a, b, x; bool ok; };
    const Case cases[] = {
        {{0, 1, 1, 0}, {2, 3}, {3, 2}, true},                              // needs a row swap
        {{2, 1, 1, 4, -6, 0, -2, 7, 2}, {5, -2, 9}, {1, 1, 2}, true},
        {{1, 0, 0, 0}, {1, 1e-12}, {1, 1}, true},                           // last pivot 0 → 1e-12
        {{0, 1, 2, 0, 3, 4, 0, 5, 6}, {1, 1, 1}, {}, false},               // zero column
    };
    for (const Case& c : cases) {
        std::vector<double> a = c.a, b = c.b, x = {42.0};
        const int m = static_cast<int>(c.b.size());
        ASSERT_EQ(gaussSolve(a, b, m, x), c.ok);
        if (!c.ok) {
            EXPECT_EQ(x, std::vector<double>{42.0});
            continue;
        }
        ASSERT_EQ(x.size(), c.x.size());
        for (std::size_t i = 0; i < x.size(); ++i)
            EXPECT_NEAR(x[i], c.x[i], 1e-12);
    }
}

TEST(LyapunovSpectrum, GramSchmidtFactorsAreTheVolumeGrowth)
{
    std::vector<std::vector<double>> v = {{3, 0}, {1, 1}};
    std::vector<double> f;
    gramSchmidt(v, f);
    EXPECT_NEAR(f[0], 3.0, 1e-15);
    EXPECT_NEAR(f[1], 1.0, 1e-15);
    EXPECT_NEAR(v[1][0], 0.0, 1e-15);
    EXPECT_NEAR(v[1][1], 1.0, 1e-15);
    // The product of the factors is |det| of the vectors.
    std::vector<std::vector<double>> w = {{2, 1, 0.5}, {-1, 3, 1}, {0.3, 0.2, 4}};
    const double det = 2 * (3 * 4 - 1 * 0.2) - 1 * (-1 * 4 - 1 * 0.3) + 0.5 * (-1 * 0.2 - 3 * 0.3);
    gramSchmidt(w, f);
    EXPECT_NEAR(f[0] * f[1] * f[2], std::fabs(det), 1e-12);
    for (std::size_t i = 0; i < 3; ++i)
        for (std::size_t j = 0; j < 3; ++j) {
            double dot = 0;
            for (std::size_t k = 0; k < 3; ++k)
                dot += w[i][k] * w[j][k];
            EXPECT_NEAR(dot, i == j ? 1.0 : 0.0, 1e-12);
        }
}

TEST(LyapunovSpectrum, NeighbourSearchAgreesWithBruteForce)
{
    std::vector<double> x = henonSeries(3000);
    AbortToken abort;
    MaxLyapunov engine(abort);
    double lo = 0, range = 0;
    ASSERT_TRUE(engine.rescale_data(x, lo, range));
    const int E = 3, d = 2;
    const std::size_t first = (E - 1) * d, end = x.size() - d, nMin = 30;
    SpectrumNeighbours search(x, E, d, first, end);
    ASSERT_TRUE(search.allocate(engine));
    for (std::size_t n : {std::size_t{4}, std::size_t{777}, std::size_t{2000}, end - 1}) {
        std::vector<std::uint32_t> used;
        const double eps = search.search(n, 0.001, 1.2, 0.001, nMin, used);
        ASSERT_EQ(used.size(), nMin);
        EXPECT_EQ(std::count(used.begin(), used.end(), n), 0) << "the reference point is no neighbour";
        // Brute force: the nMin-th smallest maximum-norm distance among all other boxed points.
        std::vector<double> all;
        for (std::size_t j = first; j < end; ++j) {
            if (j == n)
                continue;
            double dist = 0;
            for (int k = 0; k < E; ++k)
                dist = std::max(dist, std::fabs(x[n - k * d] - x[j - k * d]));
            all.push_back(dist);
        }
        std::sort(all.begin(), all.end());
        EXPECT_EQ(eps, all[nMin - 1]) << n;
        for (std::uint32_t j : used)
            EXPECT_LE(search.maxDistance(n, j), eps);
    }
}

TEST(LyapunovSpectrum, FailureTexts)
{
    struct Case { const char* name; std::vector<double> series; int E, d, nMin; const char* text; };
    const Case cases[] = {
        {"too short", henonSeries(30), 3, 2, 30, "Your time series is not long enough to find 20 neighbors!\n"},
        {"constant", std::vector<double>(300, -4.0), 2, 1, 30,
         "rescale_data: data ranges = Null. It makes\n\t\tno sense to continue. \n\n"},
        // 40 points with d = 2: 38 boxed points, so more than 39 are never found.
        {"too few neighbours", henonSeries(40), 1, 2, 39, "#Not enough neighbors found.\n"},
    };
    for (const Case& c : cases) {
        EngineRun run;
        MaxLyapunov engine(run.abort, run.callbacks);
        engine.setSpectrumParameters(c.E, c.d, c.nMin, 0.001);
        std::vector<double> x = c.series;
        const SpectrumResult r = engine.computeSpectrum(x, 1000);
        EXPECT_TRUE(run.abort.isRaised()) << c.name;
        ASSERT_FALSE(run.messages.empty()) << c.name;
        EXPECT_EQ(run.messages[0], c.text) << c.name;
        EXPECT_FALSE(r.completed) << c.name;
        EXPECT_TRUE(r.kaplanYorkeText.empty()) << c.name;
        EXPECT_EQ(r.rowCount, 0) << c.name;
    }
}

TEST(LyapunovSpectrum, SingularNormalMatrixIsReported)
{
    // A period of four exactly representable values: every neighbour repeats the reference
    // point, all v(j) are equal and the elimination meets an exact zero pivot.
    EngineRun run;
    MaxLyapunov engine(run.abort, run.callbacks);
    engine.setSpectrumParameters(2, 1, 3, 0.001);
    const double period[4] = {0.0, 0.25, 0.5, 1.0};
    std::vector<double> x(400);
    for (std::size_t i = 0; i < x.size(); ++i)
        x[i] = period[i % 4];
    const SpectrumResult r = engine.computeSpectrum(x, 1000);
    EXPECT_TRUE(run.abort.isRaised());
    ASSERT_EQ(run.messages.size(), 1u);
    EXPECT_EQ(run.messages[0],
              "Fehler: Singuläre matrix! Erhöhen Sie versuchsweise die Anzahl der berücksichtigten Nachbarn.\n");
    EXPECT_EQ(r.rowCount, 0);
}

TEST(LyapunovSpectrum, RowsIterationsAndFirstReference)
{
    struct Case { std::size_t L; int E, d; long long I; long long first, last, rows; };
    const Case cases[] = {
        {500, 2, 1, 100000, 1, 499, 498}, // I larger than L − d is reduced to L − d
        {500, 3, 2, 300, 4, 300, 296},    // first reference point (E − 1)·d
        {500, 3, 2, 3, 4, 3, 0},          // I before the first reference point: no rows
    };
    for (const Case& c : cases) {
        EngineRun run;
        long long progressCalls = 0;
        run.callbacks.onSpectrumProgress = [&](const SpectrumResult& r) {
            ++progressCalls;
            EXPECT_GT(r.rowCount, 10);
        };
        MaxLyapunov engine(run.abort, run.callbacks);
        engine.setSpectrumParameters(c.E, c.d, 20, 0.001);
        std::vector<double> x = henonSeries(c.L);
        const SpectrumResult r = engine.computeSpectrum(x, c.I);
        EXPECT_TRUE(r.completed);
        EXPECT_EQ(r.firstReference, c.first);
        EXPECT_EQ(r.last, c.last);
        EXPECT_EQ(r.rowCount, c.rows);
        EXPECT_EQ(static_cast<long long>(r.rows.size()), c.rows);
        EXPECT_EQ(progressCalls, std::max(0LL, c.rows - 10));
        if (c.rows > 0) {
            EXPECT_EQ(r.exponents, r.rows.back());
        }
    }
}

TEST(LyapunovSpectrum, AbortEndsAtTheNextMultipleOf50)
{
    EngineRun run;
    run.callbacks.onCheckpoint = [&](long long n) {
        if (n == 200)
            run.abort.raise();
    };
    MaxLyapunov engine(run.abort, run.callbacks);
    engine.setSpectrumParameters(2, 1, 30, 0.001);
    std::vector<double> x = henonSeries(2000);
    const SpectrumResult r = engine.computeSpectrum(x, 1000);
    EXPECT_EQ(r.rowCount, 200); // reference points 1 … 200
    EXPECT_FALSE(r.completed);
    EXPECT_TRUE(r.kaplanYorkeText.empty());
    EXPECT_TRUE(run.messages.empty());
}

TEST(LyapunovSpectrum, TwoRunsGiveIdenticalNumbers)
{
    const std::vector<double> series = henonSeries(4000);
    SpectrumResult results[2];
    for (auto& r : results) {
        EngineRun run;
        MaxLyapunov engine(run.abort, run.callbacks);
        std::vector<double> x = series;
        r = engine.computeSpectrum(x, 1500); // engine defaults: E = 3, d = 2, 30 neighbours
    }
    ASSERT_EQ(results[0].rowCount, results[1].rowCount);
    EXPECT_GT(results[0].rowCount, 1000);
    EXPECT_EQ(results[0].rows, results[1].rows);
    EXPECT_EQ(results[0].kaplanYorkeText, results[1].kaplanYorkeText);
}

TEST(LyapunovSpectrum, SelectorResetsFlags)
{
    AbortToken abort;
    MaxLyapunov engine(abort);
    SpectrumParameters& p = engine.spectrumParameters();
    EXPECT_EQ(p.embeddingDimension, 3);
    EXPECT_EQ(p.delay, 2);
    EXPECT_EQ(p.minNeighbours, 30);
    EXPECT_EQ(p.boxMask, 511);
    p.radiusGiven = p.reverse = true;
    p.growth = 2.0;
    p.boxMask = 7;
    p.components = 4;
    engine.setSpectrumParameters(4, 3, 50, 0.02);
    EXPECT_FALSE(p.radiusGiven);
    EXPECT_FALSE(p.reverse);
    EXPECT_EQ(p.growth, 1.2);
    EXPECT_EQ(p.boxMask, 511);
    EXPECT_EQ(p.components, 1);
    EXPECT_EQ(p.embeddingDimension, 4);
    EXPECT_EQ(p.delay, 3);
    EXPECT_EQ(p.minNeighbours, 50);
    EXPECT_EQ(p.startRadius, 0.02);
}

TEST(LyapunovSpectrum, ReportCsvAndJson)
{
    LyapSpectrumOptions o;
    o.dimension = 2;
    o.delay = 1;
    o.iterations = 300;
    const std::vector<double> series = henonSeries(2000);
    AbortToken abort;
    std::ostringstream csv, json;
    ASSERT_EQ(reportSpectrum(series, o, ReportFormat::Csv, csv, abort, {}), ReportStatus::Completed);
    ASSERT_EQ(reportSpectrum(series, o, ReportFormat::Json, json, abort, {}), ReportStatus::Completed);
    const std::string text = csv.str();
    EXPECT_EQ(text.rfind("row,k,value\n", 0), 0u);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1 + 299 * 2);
    EXPECT_NE(text.find("\n298,1,"), std::string::npos);

    const std::string path = ::testing::TempDir() + "lyap_spectrum_report.json";
    std::ofstream(path) << json.str();
    const CliResult py = runProgram("python3", {"-c",
        "import json,sys; d=json.load(open(sys.argv[1])); "
        "assert d['exponents'] == d['rows'][-1]; "
        "print(len(d['rows']), len(d['exponents']), '%.17g' % d['kaplan_yorke'])", path});
    ASSERT_EQ(py.exitCode, 0) << py.err;
    MaxLyapunov engine(abort);
    engine.setSpectrumParameters(2, 1, 30, 0.001);
    std::vector<double> x = series;
    const SpectrumResult r = engine.computeSpectrum(x, 300);
    char expected[64];
    std::snprintf(expected, sizeof expected, "299 2 %.17g\n", r.kaplanYorke);
    EXPECT_EQ(py.out, expected);
}
