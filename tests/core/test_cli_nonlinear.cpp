// resoni-analyze lyap-max, lyap-spectrum, d2 and mutual-info on text series: the same numbers
// as the core library, published values through the whole tool, selections, failures with
// exit codes, and Ctrl+C stopping a run cleanly.
#include "CliRunner.h"
#include "NonlinearTestSeries.h"

#include "core/common/AbortToken.h"
#include "core/nonlinear/NonlinearReport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

// One number per line, 17 significant digits, so the values come back exactly.
std::string writeSeries(const std::string& name, const std::vector<double>& x)
{
    const std::string path = ::testing::TempDir() + name;
    std::ofstream out(path);
    char line[40];
    for (double v : x) {
        std::snprintf(line, sizeof line, "%.17g\n", v);
        out << line;
    }
    return path;
}

template <class Report>
std::string coreOutput(Report&& report)
{
    AbortToken abort;
    std::ostringstream out;
    EXPECT_EQ(report(out, abort), ReportStatus::Completed);
    return out.str();
}

} // namespace

TEST(CliNonlinear, RawSeriesGiveTheCoreNumbersByteForByte)
{
    const std::vector<double> henon = henonSeries(3000);
    const std::string path = writeSeries("cli_nl_henon.dat", henon);

    LyapMaxOptions lm;
    lm.steps = 8;
    lm.maxDimension = 3;
    lm.radii = 2;
    lm.epsMin = 0.002;
    lm.epsMax = 0.02;
    lm.references = 1000;
    CliResult r = runCli({"lyap-max", "--raw", "--steps", "8", "--max-dim", "3", "--radii", "2", "--eps-min", "0.002",
                          "--eps-max", "0.02", "--refs", "1000", path});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, coreOutput([&](std::ostream& o, AbortToken& a) {
                  return reportMaxExponent(henon, lm, ReportFormat::Csv, o, a, {});
              }));

    LyapSpectrumOptions ls;
    ls.dimension = 2;
    ls.delay = 1;
    ls.iterations = 500;
    r = runCli({"lyap-spectrum", "--raw", "--dim", "2", "--tau", "1", "--iterations", "500", "--json", path});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, coreOutput([&](std::ostream& o, AbortToken& a) {
                  return reportSpectrum(henon, ls, ReportFormat::Json, o, a, {});
              }));

    D2Options d2;
    d2.maxDimension = 4;
    d2.radii = 30;
    r = runCli({"d2", "--raw", "--max-dim", "4", "--radii", "30", path});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, coreOutput([&](std::ostream& o, AbortToken& a) {
                  return reportCorrelation(henon, d2, ReportFormat::Csv, o, a, {});
              }));

    MutualInfoOptions mi;
    mi.boxes = 12;
    mi.maxDelay = 20;
    r = runCli({"mutual-info", "--raw", "--boxes", "12", "--max-delay", "20", path});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, coreOutput([&](std::ostream& o, AbortToken& a) {
                  return reportMutualInformation(henon, mi, ReportFormat::Csv, o, a, {});
              }));
}

TEST(CliNonlinear, SelectionAndImportScaling)
{
    // Integers in −32768 … 32767 that reach −32768 are scaled by 32768 / 32768 = 1 by the
    // import, so the tool analyses exactly these values; --from/--to pick [from, to).
    std::vector<double> ints(2000);
    const std::vector<double> henon = henonSeries(ints.size());
    for (std::size_t i = 0; i < ints.size(); ++i)
        ints[i] = std::trunc(henon[i] * 20000.0);
    ints[5] = -32768.0;
    const std::string path = writeSeries("cli_nl_ints.dat", ints);
    const std::vector<double> selection(ints.begin() + 100, ints.begin() + 1600);
    MutualInfoOptions mi;
    mi.maxDelay = 15;
    const CliResult r = runCli({"mutual-info", "--max-delay", "15", "--from", "100", "--to", "1600", path});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, coreOutput([&](std::ostream& o, AbortToken& a) {
                  return reportMutualInformation(selection, mi, ReportFormat::Csv, o, a, {});
              }));
}

TEST(CliNonlinear, PublishedHenonValuesThroughTheTool)
{
    // A text series is scaled onto 16-bit samples first; the exponents survive that.
    const std::string path = writeSeries("cli_nl_henon20k.dat", henonSeries(20000));
    const CliResult r = runCli({"lyap-spectrum", "--dim", "2", "--tau", "1", "--iterations", "3000", "--json", path});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string json = ::testing::TempDir() + "cli_nl_spectrum.json";
    std::ofstream(json) << r.out;
    const CliResult py = runProgram("python3", {"-c",
        "import json,sys; d=json.load(open(sys.argv[1])); e=d['exponents']; "
        "print(abs(e[0]-0.419)<0.03, abs(e[1]+1.62)<0.1, abs(d['kaplan_yorke']-1.26)<0.03, len(d['rows']))",
        json});
    ASSERT_EQ(py.exitCode, 0) << py.err;
    EXPECT_EQ(py.out, "True True True 2999\n") << r.out.substr(0, 200);
}

TEST(CliNonlinear, FailuresGiveOneLineAndAnExitCode)
{
    const std::string constant = writeSeries("cli_nl_constant.dat", std::vector<double>(300, 5.0));
    const std::string shortSeries = writeSeries("cli_nl_short.dat", henonSeries(40));
    const std::string shorter = writeSeries("cli_nl_shorter.dat", henonSeries(30));
    const std::string henon = writeSeries("cli_nl_henon500.dat", henonSeries(500));
    struct Case { std::vector<std::string> args; int exitCode; const char* err; };
    const Case cases[] = {
        {{"lyap-max", constant}, 1, "rescale_data: data ranges = Null. It makes no sense to continue.\n"},
        {{"d2", constant}, 1, "rescale_data: data ranges = Null. It makes no sense to continue.\n"},
        {{"lyap-max", shortSeries}, 1, "Too few points to handle these parameters!\n"},
        {{"lyap-spectrum", shorter}, 1, "Your time series is not long enough to find 20 neighbors!\n"},
        {{"lyap-spectrum", shortSeries}, 1, "#Not enough neighbors found.\n"},
        {{"d2", "--max-dim", "30", "--tau", "2", shortSeries}, 1,
         "Embedding dimension and delay are too large. The delay vector would be longer than the whole series.\n"},
        {{"mutual-info", shortSeries}, 1, nullptr},
        {{"lyap-max", "--tau", "0", henon}, 2, nullptr},
        {{"lyap-max", "--steps", "ten", henon}, 2, nullptr},
        {{"d2", "--eps-max", "-1", henon}, 2, nullptr},
        {{"d2", "--radii", "1", henon}, 2, nullptr},
        {{"mutual-info", "--boxes", "0", henon}, 2, nullptr},
        {{"lyap-spectrum", "--pairs", "10", henon}, 2, nullptr},
        {{"lyap-spectrum"}, 2, nullptr},
        {{"d2", ::testing::TempDir() + "no_such_series.dat"}, 1, nullptr},
    };
    for (const Case& c : cases) {
        const CliResult r = runCli(c.args);
        EXPECT_EQ(r.signal, 0) << c.args[0];
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args[0] << " " << r.err;
        EXPECT_TRUE(r.out.empty()) << c.args[0];
        EXPECT_FALSE(r.err.empty()) << c.args[0];
        if (c.err) {
            EXPECT_EQ(r.err, "resoni-analyze " + c.args[0] + ": " + c.err);
        }
    }
}

TEST(CliNonlinear, MutualInfoCsvEndsWithEntropyAndFirstMinimum)
{
    std::vector<double> x(1600);
    for (std::size_t i = 0; i < x.size(); ++i)
        x[i] = static_cast<double>(i % 16);
    const CliResult r = runCli({"mutual-info", "--raw", "--max-delay", "3", writeSeries("cli_nl_stairs.dat", x)});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.rfind("delay,I\n0,2.77258872223978", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("\n# shannon_entropy,2.77258872223978"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\n# first_minimum,"), std::string::npos) << r.out;
}

TEST(CliNonlinear, HelpNamesEveryCommand)
{
    for (const char* name : {"lyap-max", "lyap-spectrum", "d2", "mutual-info"}) {
        const CliResult r = runCli({"help", name});
        EXPECT_EQ(r.exitCode, 0) << name;
        EXPECT_NE(r.out.find(name), std::string::npos);
    }
}

TEST(CliNonlinear, CtrlCStopsARunCleanly)
{
    // A run that would take minutes: every point a reference point, 200 radii, 2000 steps.
    const std::string path = writeSeries("cli_nl_long.dat", henonSeries(20000));
    const std::string errPath = ::testing::TempDir() + "cli_nl_interrupt.err";
    const std::string outPath = ::testing::TempDir() + "cli_nl_interrupt.out";
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out, 1);
        dup2(err, 2);
        execl(RESONI_ANALYZE_PATH, RESONI_ANALYZE_PATH, "lyap-max", "--raw", "--radii", "200", "--steps", "2000",
              "--max-dim", "10", "--eps-min", "0.01", "--eps-max", "0.1", path.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1500)); // past start-up and reading
    const auto sent = std::chrono::steady_clock::now();
    ASSERT_EQ(kill(pid, SIGINT), 0);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - sent).count();
    ASSERT_TRUE(WIFEXITED(status)) << "ended by a signal";
    EXPECT_EQ(WEXITSTATUS(status), 130);
    EXPECT_LT(seconds, 5.0);
    std::ifstream err(errPath);
    std::string text((std::istreambuf_iterator<char>(err)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "resoni-analyze lyap-max: interrupted\n");
    std::ifstream out(outPath);
    EXPECT_EQ(out.peek(), std::ifstream::traits_type::eof()) << "no partial output";
}
