// resoni-analyze as a script sees it: exit codes, output and messages of info, cwt and the nonlinear
// commands, their CSV and JSON read by Python against the core library run in-process, Ctrl+C.
#include "CliRunner.h"
#include "NonlinearTestSeries.h"
#include "test_wave_util.h"

#include "core/nonlinear/MutualInformation.h"
#include "core/wavelet/Cwt.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <fstream>

using namespace wavetest;

namespace {

// A file in a fresh directory of this test process, so that runs side by side never share one.
std::string scratch(const std::string& name)
{
    static const std::string dir = MakeTempDir() + "/";
    return dir + name;
}

// One number per line with 17 significant digits, so the values come back exactly.
std::string writeSeries(const std::string& name, const std::vector<double>& x)
{
    const std::string path = scratch(name);
    std::ofstream out(path);
    out.precision(17);
    for (double v : x)
        out << v << '\n';
    return path;
}

std::string g17(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", v);
    return text;
}

// Python's csv module reads `csv` into c, its json module `json` into j; prints the expressions
// (g(v) writes a number with 17 significant digits).
std::string pythonPicks(const std::string& csv, const std::string& json, const std::string& expressions)
{
    const std::string csvPath = scratch("picks.csv"), jsonPath = scratch("picks.json");
    std::ofstream(csvPath) << csv;
    std::ofstream(jsonPath) << (json.empty() ? "null" : json);
    const CliResult py = runProgram("python3", {"-c", "import csv, json, sys\ng = lambda v: '%.17g' % float(v)\n"
        "c = list(csv.reader(open(sys.argv[1]))); j = json.load(open(sys.argv[2]))\nprint(" + expressions + ")",
        csvPath, jsonPath});
    EXPECT_EQ(py.exitCode, 0) << py.err;
    return py.out;
}

void expectOneLineError(const CliResult& r, int exitCode, const std::string& part)
{
    EXPECT_EQ(std::tuple(r.signal, r.exitCode, r.out), std::tuple(0, exitCode, std::string()));
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err; // exactly one line
    EXPECT_NE(r.err.find(part), std::string::npos) << r.err;
}

} // namespace

TEST(CliBasics, HelpVersionAndBadCalls)
{
    const CliResult help = runCli({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    for (const char* name : {"info", "cwt", "lyap-max", "lyap-spectrum", "d2", "mutual-info", "spectrum", "peaks",
                             "autocorr"}) {
        EXPECT_NE(help.out.find(std::string("\n  ") + name + " "), std::string::npos) << name;
        const CliResult usage = runCli({"help", name});
        EXPECT_EQ(usage.exitCode, 0) << name;
        EXPECT_EQ(usage.out.rfind(std::string("Usage: resoni-analyze ") + name + " ", 0), 0u) << usage.out;
        // COMMAND --help (or -h, among other options) prints the same and runs nothing.
        for (const auto& args : {std::vector<std::string>{name, "--help"}, {name, "--from", "1", "-h", "no.dat"}}) {
            const CliResult own = runCli(args);
            EXPECT_EQ(std::tuple(own.exitCode, own.out, own.err), std::tuple(0, usage.out, std::string())) << name;
        }
    }
    for (const char* name : {"info", "cwt", "lyap-max", "lyap-spectrum", "d2", "mutual-info"})
        EXPECT_NE(runCli({name, "--help"}).out.find("efault"), std::string::npos) << name; // with the defaults
    EXPECT_EQ(runCli({"--version"}).out.rfind("resoni-analyze ", 0), 0u);
    for (const auto& args : {std::vector<std::string>{}, {"help", "no-such-command"}, {"no-such-command"}}) {
        const CliResult r = runCli(args);
        EXPECT_EQ(std::tuple(r.signal, r.exitCode), std::tuple(0, 2)) << args.size();
        EXPECT_EQ(r.err, args.size() == 1 ? "resoni-analyze: unknown command 'no-such-command' (see --help)\n" : "");
    }
}

TEST(CliInfo, FilesAndSeriesAsCsvAndJsonOrRefused)
{
    const std::string dir = MakeTempDir(), header = "format_tag,channels,rate,bits,data_bytes,samples,duration_s";
    WriteFile(dir + "/s.wav", PcmWave(2, 8000, 16, Bytes(10, 0))); // the left channel has one sample more
    WriteText(dir + "/s.dat", "#header\n1\n2\n3\n4\n");
    WriteText(dir + "/words.txt", "# two words\n7\n"); // "two" and "words" are values (0)
    WriteText(dir + "/s.csv", "1\n2\n"); // any other name needs --text
    struct Case { std::vector<std::string> args; std::string row; };
    const Case cases[] = {
        {{"info", "--channel", "left", dir + "/s.wav"}, "1,2,8000,16,10,3,0.00037500000000000001"},
        {{"info", "--channel=right", dir + "/s.wav"}, "1,2,8000,16,10,2,0.00025000000000000001"},
        {{"info", dir + "/s.dat"}, "1,1,44100,16,8,4,9.0702947845804991e-05"},
        {{"info", dir + "/words.txt"}, "1,1,44100,16,6,3,6.802721088435374e-05"},
        {{"info", "--text", dir + "/s.csv"}, "1,1,44100,16,4,2,4.5351473922902495e-05"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.back());
        std::vector<std::string> args = c.args;
        const CliResult csv = runCli(args);
        EXPECT_EQ(std::tuple(csv.exitCode, csv.out), std::tuple(0, header + "\n" + c.row + "\n")) << csv.err;
        args.insert(args.begin() + 1, "--json");
        // The JSON object parsed by Python: the keys of the CSV header with the numbers of the row.
        EXPECT_EQ(pythonPicks("", runCli(args).out, "','.join(j) + '\\n' + ','.join(g(v) for v in j.values())"),
                  header + "\n" + c.row + "\n");
    }
    WriteFile(dir + "/b24.wav", PcmWave(1, 176400, 24, Bytes(6, 0))); // converted, then refused
    WriteText(dir + "/none.txt", "#nothing\n#\n");
    struct Refusal { std::vector<std::string> args; int exitCode; const char* part; };
    const Refusal refusals[] = {
        {{"info", dir + "/s.csv"}, 1, "not a RIFF WAVE file"}, {{"info", "--json", dir + "/b24.wav"}, 1, "176400 samples per second"},
        {{"info", dir + "/none.txt"}, 1, "the series holds no numbers"}, {{"info", dir + "/x.txt"}, 1, "cannot read"},
        {{"info"}, 2, "exactly one FILE"}, {{"info", "a.wav", "b.wav"}, 2, "exactly one FILE"},
        {{"info", "--channel", "middle", dir + "/s.wav"}, 2, "neither left nor right"},
        {{"info", "--bogus", dir + "/s.wav"}, 2, "unknown option"},
    };
    for (const Refusal& c : refusals) {
        SCOPED_TRACE(c.args.back());
        expectOneLineError(runCli(c.args), c.exitCode, c.part);
    }
}

TEST(CliCwt, CsvAndJsonHoldTheEngineValuesOrTheRefusal)
{
    // Whole numbers holding −32768: the import's scaling onto 16 bits leaves them as they are.
    std::vector<double> samples(22050);
    for (size_t k = 0; k < samples.size(); ++k)
        samples[k] = k == 0 ? -32768.0 : std::round(20000.0 * std::sin(2.0 * M_PI * 440.0 * double(k) / 44100.0));
    const std::string path = writeSeries("cli_cwt_tone.dat", samples);
    CCwt cwt;
    cwt.setDiagnostics({});
    CwtRequest& req = cwt.request();
    req.wavelet = "morlet,2", req.rows = 50, req.columns = 10, req.endTime = 0.5f;
    req.scaleLow = static_cast<float>(1.0 / 100.0), req.scaleHigh = static_cast<float>(1.0 / 5000.0);
    std::vector<float> values;
    ASSERT_TRUE(cwt.Transform(samples.data(), samples.size(), values));
    std::vector<std::string> args = {"cwt", path, "--wavelet", "morlet,2", "--fmin", "100", "--fmax", "5000",
                                     "--rows", "50", "--cols", "10"};
    const CliResult csv = runCli(args);
    args.push_back("--json");
    const CliResult json = runCli(args);
    ASSERT_EQ(std::tuple(csv.exitCode, json.exitCode), std::tuple(0, 0)) << csv.err << json.err;
    EXPECT_NE(csv.err.find("\n----------------------------\n"), std::string::npos) << csv.err; // diagnostics
    // Row 37, column 4 is CSV line 1 + 37·10 + 4.
    const std::string frequency = g17(1.0 / double(cwt.rowScales()[37])), value = g17(values[2 + 374]);
    EXPECT_EQ(pythonPicks(csv.out, json.out,
                          "','.join(c[0]), len(c) - 1, c[375][0], c[375][1], g(c[375][2]), g(c[375][3]), j['wavelet'], "
                          "j['rows'], j['cols'], all(len(v) == 10 for v in j['values']), g(j['frequency_hz'][37]), "
                          "g(j['values'][37][4])"),
              "row,col,frequency_hz,value 500 37 4 " + frequency + " " + value + " morlet,2 50 10 True " + frequency +
                  " " + value + "\n");

    struct Case { std::vector<std::string> extra; int exitCode; const char* err; };
    const Case cases[] = {
        {{"--wavelet", "spinning,1,0.2"}, 1,
         "To get an admissible wavelet it must hold mu2 >= 1/4, but for mu2=0.200000 this does not hold.\n"},
        {{"--wavelet", "wobble"}, 2, "resoni-analyze cwt: "}, {{"--fmin", "0"}, 2, "resoni-analyze cwt: "},
        {{"--rows", "0"}, 2, "resoni-analyze cwt: "},         {{"--cols", "abc"}, 2, "resoni-analyze cwt: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.extra.back());
        args = {"cwt", path};
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        const CliResult r = runCli(args);
        expectOneLineError(r, c.exitCode, c.err);
        EXPECT_TRUE(c.exitCode == 2 || r.err == c.err) << r.err; // the engine's message alone
    }
}

TEST(CliNonlinear, CsvAndJsonHoldTheCoreNumbers)
{
    // Every command in both formats on the raw Hénon series; Python's readers pick values out
    // of each, which must be the engine's numbers to the last digit. --from/--to pick [from, to).
    const std::vector<double> henon = henonSeries(1500);
    const std::string path = writeSeries("cli_nl_henon.dat", henon);
    Engine engine;
    const double s = engine.lmax(henon, 4, 3, 2, 1, 2, 0.01, 0.04, 1000).S(3, 1, 3);
    const SpectrumResult spectrum = engine.spectrum(henon, 2, 1, 30, 300);
    const double slope = engine.d2(henon, 1000, 3, 1, 10, 0.01, 1.0).entries[2][4].slope;
    const MutualInformationResult mi = computeMutualInformation(
        std::vector<double>(henon.begin() + 100, henon.begin() + 1400), 12, 5, engine.abort);
    struct Case { std::vector<std::string> args; std::string picks, expected; };
    const Case cases[] = {
        {{"lyap-max", "--steps", "4", "--max-dim", "3", "--radii", "2", "--eps-min", "0.01", "--eps-max", "0.04",
          "--refs", "1000"},
         "','.join(c[0]), len(c) - 1, g(c[19][4]), g(j['dimensions'][1]['S'][1][3])",
         "dim,radius_index,radius,dn,S 20 " + g17(s) + " " + g17(s)},
        {{"lyap-spectrum", "--dim", "2", "--tau", "1", "--iterations", "300"},
         "','.join(c[0]), len(c) - 1, g(c[598][2]), g(j['kaplan_yorke']), j['exponents'] == j['rows'][-1]",
         "row,k,value 598 " + g17(spectrum.exponents[1]) + " " + g17(spectrum.kaplanYorke) + " True"},
        {{"d2", "--max-dim", "3", "--radii", "10", "--eps-min", "0.01"},
         "','.join(c[0]), len(c) - 1, g(c[23][2]), g(j['dimensions'][2]['slope'][4])",
         "dim,radius,slope 27 " + g17(slope) + " " + g17(slope)},
        {{"mutual-info", "--boxes", "12", "--max-delay", "5", "--from", "100", "--to", "1400"},
         "','.join(c[0]), len(c) - 1, c[-2][0], g(c[-2][1]), c[-1][0], g(j['I'][3]), j['boxes'], j['first_minimum']",
         "delay,I 8 # shannon_entropy " + g17(mi.entropy) + " # first_minimum " + g17(mi.information[3]) + " 12 " +
             std::to_string(mi.firstMinimum)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[0]);
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"--raw", path});
        const CliResult csv = runCli(args);
        args.push_back("--json");
        const CliResult json = runCli(args);
        ASSERT_EQ(std::tuple(csv.exitCode, json.exitCode), std::tuple(0, 0)) << csv.err << json.err;
        EXPECT_EQ(pythonPicks(csv.out, json.out, c.picks), c.expected + "\n");
    }
}

TEST(CliNonlinear, FailuresGiveOneLineAndAnExitCode)
{
    const std::string constant = writeSeries("cli_nl_constant.dat", std::vector<double>(300, 5.0));
    const std::string shortSeries = writeSeries("cli_nl_short.dat", henonSeries(40));
    const std::string shorter = writeSeries("cli_nl_shorter.dat", henonSeries(30)), henon = writeSeries("cli_nl_500.dat", henonSeries(500));
    const std::string rescale = "rescale_data: data ranges = Null. It makes no sense to continue.\n";
    struct Case { std::vector<std::string> args; int exitCode; std::string err; };
    const Case cases[] = {
        {{"lyap-max", constant}, 1, rescale}, {{"d2", constant}, 1, rescale},
        {{"lyap-max", shortSeries}, 1, "Too few points to handle these parameters!\n"},
        {{"lyap-spectrum", shorter}, 1, "Your time series is not long enough to find 20 neighbors!\n"},
        {{"d2", "--max-dim", "30", "--tau", "2", shortSeries}, 1,
         "Embedding dimension and delay are too large. The delay vector would be longer than the whole series.\n"},
        {{"mutual-info", shortSeries}, 1, "series too short: the mutual information needs more than 100 values\n"},
        {{"d2", scratch("no_such_series.dat")}, 1, ""}, {{"lyap-max", "--tau", "0", henon}, 2, ""},
        {{"lyap-max", "--steps", "ten", henon}, 2, ""}, {{"d2", "--eps-max", "-1", henon}, 2, ""},
        {{"d2", "--radii", "1", henon}, 2, ""},         {{"lyap-spectrum", "--pairs", "10", henon}, 2, ""},
        {{"lyap-spectrum"}, 2, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[0] + " " + c.args[1 % c.args.size()]);
        const CliResult r = runCli(c.args);
        expectOneLineError(r, c.exitCode, "resoni-analyze " + c.args[0] + ": " + c.err);
        EXPECT_TRUE(c.err.empty() || r.err == "resoni-analyze " + c.args[0] + ": " + c.err) << r.err;
    }
}

TEST(CliNonlinear, CtrlCStopsARunCleanly)
{
    // A run that would take minutes (every point a reference point, 200 radii, 2000 steps), sent
    // Ctrl+C after 1.5 s: it stops within moments, with exit code 130, one line and no partial output.
    const std::string path = writeSeries("cli_nl_long.dat", henonSeries(20000));
    const auto start = std::chrono::steady_clock::now();
    const CliResult r = runProgram("timeout", {"--preserve-status", "-s", "INT", "1.5", RESONI_ANALYZE_PATH, "lyap-max",
                                               "--raw", "--radii", "200", "--steps", "2000", "--max-dim", "10",
                                               "--eps-min", "0.01", "--eps-max", "0.1", path});
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 6.5);
    EXPECT_EQ(std::tuple(r.signal, r.exitCode, r.out, r.err),
              std::tuple(0, 130, std::string(), std::string("resoni-analyze lyap-max: interrupted\n")));
}

TEST(CliSeries, NonFiniteValuesAndOverflowingRangesAreRefused)
{
    // The import maps NaN to 0 and infinities to the limits, and a range beyond the double range
    // scales everything else to 0; the analyses would run on that. Every command refuses instead.
    struct Case { std::vector<double> tail; std::string err; };
    const Case cases[] = {
        {{NAN}, "value 301 of the series is not a finite number: "},
        {{2.0, -INFINITY}, "value 302 of the series is not a finite number: "},
        {{1e308, -1e308}, "the range of the series (largest minus smallest value) exceeds the double range: "},
    };
    for (const Case& c : cases) {
        std::vector<double> x = henonSeries(300);
        x.insert(x.end(), c.tail.begin(), c.tail.end());
        const std::string path = writeSeries("cli_nonfinite.dat", x);
        for (const std::string flag : {"--text", "--raw"})
            for (const std::string command : {"lyap-max", "lyap-spectrum", "d2", "mutual-info", "cwt", "info"}) {
                if (command == "info" && flag == "--raw")
                    continue;
                SCOPED_TRACE(command + " " + flag + " " + c.err);
                const CliResult r = runCli({command, flag, path});
                EXPECT_EQ(std::tuple(r.exitCode, r.out, r.err),
                          std::tuple(1, std::string(), "resoni-analyze " + command + ": " + c.err + path + "\n"));
            }
    }
}

TEST(CliOptions, OptionsWithoutEffectEmptyCountsAndSelectionsAreRefused)
{
    // Each case: the command, its options and its file, then the start of the message.
    const std::string series = writeSeries("cli_options.dat", henonSeries(500)), wav = MakeTempDir() + "/mono.wav";
    WriteFile(wav, PcmWave(1, 8000, 16, Bytes(2000, 1)));
    const std::vector<std::vector<std::string>> cases = {
        {"lyap-spectrum", "--eps-min", "0.01", series, "unknown option --eps-min"}, // every run starts at 0.001
        {"info", "--channel", "right", wav, "--channel has no effect: " + wav + " has one channel only"},
        {"cwt", "--channel", "left", series, "--channel has no effect: " + series + " has one channel only"},
        {"d2", "--raw", wav, "--raw applies to text series only, and " + wav + " is read as a WAV file"},
        {"lyap-max", "--radii", "1", "--eps-max", "0.05", series, "--eps-max has no effect with one radius"},
        {"lyap-max", "--eps-min", "0.05", "--eps-max", "0.02", series, "--eps-max has no effect with one radius"},
        {"lyap-max", "--min-dim", "4", "--max-dim", "3", series, "--max-dim below --min-dim has no effect"},
        {"d2", "--eps-min", "0.5", "--eps-max", "0.2", series, "--eps-min at or above --eps-max has no effect"},
        {"lyap-max", "--refs", "0", series, "--refs must lie in 1 to"},
        {"lyap-max", "--steps", "0", series, "--steps must lie in 1 to"},
        {"lyap-spectrum", "--iterations", "0", series, "--iterations must lie in 1 to"},
        {"lyap-spectrum", "--dim", "3", "--tau", "2", "--iterations", "4", series,
         "--iterations 4 reaches no reference point (the first is (dim - 1) * tau = 4)"},
        {"d2", "--pairs", "0", series, "--pairs must lie in 1 to"},
        {"mutual-info", "--boxes", "0", series, "--boxes must lie in 1 to"},
        {"cwt", "--rows", "0", series, "rows and columns must be at least 1"},
        {"d2", "--from", "7", "--to", "7", series, "--from/--to: the selection [7, 7) holds no sample"},
        {"cwt", "--from", "0", "--to", "0", series, "--from/--to: the selection [0, 0) holds no sample"},
    };
    for (std::vector<std::string> args : cases) {
        const std::string part = "resoni-analyze " + args[0] + ": " + args.back();
        args.pop_back();
        SCOPED_TRACE(part);
        expectOneLineError(runCli(args), 2, part);
    }
    // The smallest accepted counts still give rows.
    for (const auto& args : {std::vector<std::string>{"lyap-max", "--refs", "1", "--steps", "1", series},
                             {"lyap-spectrum", "--dim", "3", "--tau", "2", "--iterations", "5", series}}) {
        const std::string out = runCli(args).out;
        EXPECT_GT(std::count(out.begin(), out.end(), '\n'), 1) << args[0];
    }
}
