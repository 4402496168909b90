// Mutual information and Shannon entropy over boxes, the first minimum, the labels and the
// number texts of the nonlinear views.
#include "CliRunner.h"
#include "NonlinearTestSeries.h"

#include "core/nonlinear/DigitText.h"
#include "core/nonlinear/MutualInformation.h"
#include "core/nonlinear/NonlinearReport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <numbers>
#include <sstream>

namespace {

MutualInformationResult mutualInformation(const std::vector<double>& x, int boxes, int maxDelay,
                                          std::vector<std::string>* messages = nullptr, AbortToken* token = nullptr)
{
    AbortToken local;
    AbortToken& abort = token ? *token : local;
    return computeMutualInformation(x, boxes, maxDelay, abort, [&](const std::string& t) {
        if (messages)
            messages->push_back(t);
    });
}

// 0, 1, …, 15, 0, 1, …: after rescaling value k lies at k/15, in box k of 16.
std::vector<double> staircase(std::size_t n)
{
    std::vector<double> x(n);
    for (std::size_t i = 0; i < n; ++i)
        x[i] = static_cast<double>(i % 16);
    return x;
}

} // namespace

TEST(MutualInfo, EqualBoxVisitsGiveEntropyLnB)
{
    const MutualInformationResult r = mutualInformation(staircase(1600), 16, 90);
    ASSERT_TRUE(r.computed);
    EXPECT_NEAR(r.entropy, std::log(16.0), 1e-12);
    EXPECT_EQ(r.information[0], r.entropy);
    EXPECT_EQ(entropyLabel(r.entropy), "Shannon Entropie: 2.7725");
    // Each value determines its delayed copy, so I(τ) is the entropy of the boxes in the
    // window of the n − τ pairs: ln 16 when it holds whole periods, a little less otherwise.
    ASSERT_EQ(r.information.size(), 91u);
    for (int tau = 0; tau <= 90; ++tau) {
        double counts[16] = {};
        for (int i = tau; i < 1600; ++i)
            counts[i % 16] += 1;
        double h = 0;
        for (double c : counts)
            h -= c / (1600 - tau) * std::log(c / (1600 - tau));
        EXPECT_NEAR(r.information[tau], h, 1e-12) << tau;
        if (tau % 16 == 0) {
            EXPECT_NEAR(r.information[tau], std::log(16.0), 1e-12) << tau;
        }
    }
}

TEST(MutualInfo, AgreesWithAnIndependentComputation)
{
    // The same rule written in Python (rescale, boxes, plug-in probabilities) on the same
    // numbers: a sine with a little noise and the Hénon map.
    std::vector<double> sine(3000);
    const std::vector<double> noise = uniformNoise(sine.size(), 99);
    for (std::size_t i = 0; i < sine.size(); ++i)
        sine[i] = std::sin(2 * std::numbers::pi * (static_cast<double>(i) + 0.37) / 40.0) + 0.05 * noise[i];
    struct Case { std::vector<double> series; int boxes, maxDelay; };
    const Case cases[] = {{sine, 16, 30}, {henonSeries(2500), 10, 12}, {sine, 3, 5}};
    int index = 0;
    for (const Case& c : cases) {
        const std::string path = ::testing::TempDir() + "mutual_info_series_" + std::to_string(index++) + ".dat";
        {
            std::ofstream out(path);
            char line[40];
            for (double v : c.series) {
                std::snprintf(line, sizeof line, "%.17g\n", v);
                out << line;
            }
        }
        const CliResult py = runProgram("python3", {"-c", R"PY(
import math, sys
x = [float(v) for v in open(sys.argv[1])]
B, T = int(sys.argv[2]), int(sys.argv[3])
lo, hi = min(x), max(x)
x = [(v - lo) / (hi - lo) for v in x]
b = [B - 1 if v >= 1.0 else int(B * v) for v in x]
n = len(b)
out = []
for t in range(T + 1):
    c1, c2, j = [0] * B, [0] * B, {}
    for i in range(t, n):
        a, d = b[i - t], b[i]
        c1[a] += 1; c2[d] += 1; j[(a, d)] = j.get((a, d), 0) + 1
    P = n - t
    out.append(sum(c / P * math.log((c / P) / (c2[d] / P) / (c1[a] / P)) for (a, d), c in j.items()))
print(' '.join('%.17g' % v for v in out))
)PY", path, std::to_string(c.boxes), std::to_string(c.maxDelay)});
        ASSERT_EQ(py.exitCode, 0) << py.err;
        std::istringstream values(py.out);
        std::vector<double> expected;
        for (double v; values >> v;)
            expected.push_back(v);
        const MutualInformationResult r = mutualInformation(c.series, c.boxes, c.maxDelay);
        ASSERT_TRUE(r.computed);
        ASSERT_EQ(r.information.size(), expected.size());
        for (std::size_t t = 0; t < expected.size(); ++t)
            EXPECT_NEAR(r.information[t], expected[t], 1e-12) << t;
        EXPECT_EQ(r.firstMinimum, firstMinimumOf(expected));
    }
}

TEST(MutualInfo, SineIsSymmetricAboutAQuarterPeriod)
{
    // For a sine of period 40 the pair (x(t − τ), x(t)) at τ and at 20 − τ are mirror images
    // under x → −x of one another, and the boxes are symmetric about the middle.
    std::vector<double> x(4000);
    for (std::size_t i = 0; i < x.size(); ++i)
        x[i] = std::sin(2 * std::numbers::pi * (static_cast<double>(i) + 0.37) / 40.0);
    const MutualInformationResult r = mutualInformation(x, 16, 40);
    ASSERT_TRUE(r.computed);
    for (int tau = 1; tau < 20; ++tau)
        EXPECT_NEAR(r.information[tau], r.information[20 - tau], 0.01) << tau;
    EXPECT_NEAR(r.information[40], r.information[0], 0.01);
    EXPECT_LT(r.information[10], r.information[1]);
}

TEST(MutualInfo, IndependentNoiseCarriesAlmostNoInformation)
{
    // Plug-in estimate of independent values: only the bias of about (B − 1)² / (2·P) nats.
    const MutualInformationResult r = mutualInformation(uniformNoise(20000), 8, 10);
    ASSERT_TRUE(r.computed);
    EXPECT_NEAR(r.entropy, std::log(8.0), 0.01);
    for (int tau = 1; tau <= 10; ++tau)
        EXPECT_LT(r.information[tau], 0.005) << tau;
}

TEST(MutualInfo, DelayAndLengthRules)
{
    struct Case { std::size_t n; int T; bool computed; int usedT; };
    const Case cases[] = {
        {150, 100, true, 100}, // 101 delays
        {101, 100, true, 100}, // T < n stays
        {100, 100, false, 100}, // at most 100 values: nothing
        {200, 500, true, 199},  // T ≥ n becomes n − 1
        {300, -3, true, 0},     // a negative T is taken as 0
    };
    for (const Case& c : cases) {
        const MutualInformationResult r = mutualInformation(henonSeries(c.n), 16, c.T);
        EXPECT_EQ(r.computed, c.computed) << c.n;
        EXPECT_EQ(r.maxDelay, c.usedT) << c.n;
        if (c.computed) {
            EXPECT_EQ(r.information.size(), static_cast<std::size_t>(c.usedT) + 1) << c.n;
        }
    }
    // A box count below 1 is taken as 1: everything in one box, no information.
    const MutualInformationResult one = mutualInformation(henonSeries(500), 0, 5);
    ASSERT_TRUE(one.computed);
    EXPECT_EQ(one.boxes, 1);
    for (double v : one.information)
        EXPECT_EQ(v, 0.0);
}

TEST(MutualInfo, ConstantSeriesShowsTheRescaleMessage)
{
    std::vector<std::string> messages;
    AbortToken abort;
    const MutualInformationResult r = mutualInformation(std::vector<double>(500, 7.0), 16, 90, &messages, &abort);
    EXPECT_FALSE(r.computed);
    EXPECT_TRUE(abort.isRaised());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "rescale_data: data ranges = Null. It makes\n\t\tno sense to continue. \n\n");
}

TEST(MutualInfo, FirstMinimumWalk)
{
    struct Case { std::vector<double> I; int expected; };
    const Case cases[] = {
        {{3, 2, 1, 0.5, 0.2}, 0},       // strictly falling: not found
        {{3, 1, 2, 1.5}, 1},            // minimum at τ = 1
        {{3, 2, 1, 1, 0.5}, 2},         // equal neighbours end the walk
        {{3, 2, 1.5, 1.2, 1.3, 0.1}, 3},
        {{1, 2, 0.5}, 0},               // I(0) ≤ I(1)
        {{3}, 0},                       // T = 0
        {{3, 1}, 0},                    // T = 1: the walk reaches T at once
    };
    for (const Case& c : cases)
        EXPECT_EQ(firstMinimumOf(c.I), c.expected) << c.I.size();
    EXPECT_EQ(firstMinimumLabel(0), "1.Minimum: nicht gefunden");
    EXPECT_EQ(firstMinimumLabel(7), "1.Minimum: 7");
}

TEST(MutualInfo, SignificantDigitTexts)
{
    struct Case { double value; int digits; const char* text; };
    const Case cases[] = {
        {2.772588722239781, 10, "2.772588722"},
        {0.0123, 4, "0.01230"},
        {-1.26, 4, "-1.260"},
        {30.0, 4, "30.00"},
        {0.0, 4, "0.0000"},
        {9.99996, 4, "10.00"},
        {1234.0, 4, "1234."},
        {12346.0, 4, "12350."},
        {0.5, 3, "0.500"},
        {-0.000456789, 3, "-0.000457"},
        {1.0, 1, "1."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatSignificant(c.value, c.digits), c.text) << c.value;
    EXPECT_EQ(formatSignificantPrefix(std::log(16.0), 10, 6), "2.7725");
    EXPECT_EQ(formatSignificantPrefix(-0.123456789, 10, 6), "-0.123");
}

TEST(MutualInfo, ReportCsvAndJson)
{
    const std::vector<double> series = staircase(400);
    AbortToken abort;
    std::ostringstream csv, json;
    MutualInfoOptions o;
    o.maxDelay = 5;
    ASSERT_EQ(reportMutualInformation(series, o, ReportFormat::Csv, csv, abort, {}), ReportStatus::Completed);
    ASSERT_EQ(reportMutualInformation(series, o, ReportFormat::Json, json, abort, {}), ReportStatus::Completed);
    const MutualInformationResult r = mutualInformation(series, 16, 5);
    std::ostringstream expected;
    expected << "delay,I\n";
    char line[96];
    for (int tau = 0; tau <= 5; ++tau) {
        std::snprintf(line, sizeof line, "%d,%.17g\n", tau, r.information[tau]);
        expected << line;
    }
    std::snprintf(line, sizeof line, "# shannon_entropy,%.17g\n# first_minimum,0\n", r.entropy);
    expected << line;
    EXPECT_EQ(csv.str(), expected.str());

    const std::string path = ::testing::TempDir() + "mutual_info_report.json";
    std::ofstream(path) << json.str();
    const CliResult py = runProgram("python3", {"-c",
        "import json,sys,math; d=json.load(open(sys.argv[1])); "
        "print(d['boxes'], d['max_delay'], d['first_minimum'], len(d['I']), abs(d['entropy'] - math.log(16)) < 1e-12)",
        path});
    ASSERT_EQ(py.exitCode, 0) << py.err;
    EXPECT_EQ(py.out, "16 5 0 6 True\n");

    // At most 100 values: no output, a message instead.
    std::ostringstream none;
    std::string message;
    EXPECT_EQ(reportMutualInformation(staircase(100), o, ReportFormat::Csv, none, abort,
                                      [&](const std::string& t) { message = t; }),
              ReportStatus::Stopped);
    EXPECT_TRUE(none.str().empty());
    EXPECT_FALSE(message.empty());
}
