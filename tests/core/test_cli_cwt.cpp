// resoni-analyze cwt: the CSV and JSON tables against the engine run in-process on the same
// samples, the tone landing in its row, and the refusals (usage errors, the engine's own
// argument messages with exit code 1).
#include "CliRunner.h"

#include "core/wavelet/Cwt.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// A text series of whole numbers (one per line) holding -32768, so the import's scaling onto
// 16 bits leaves every value as it is even without --raw.
std::vector<double> writeSeries(const std::string& path, double frequency, size_t count)
{
    std::vector<double> samples(count);
    std::ofstream file(path);
    for (size_t k = 0; k < count; ++k) {
        samples[k] = k == 0 ? -32768.0
                            : std::round(20000.0 * std::sin(2.0 * M_PI * frequency * static_cast<double>(k) / 44100.0));
        file << static_cast<long>(samples[k]) << "\n";
    }
    return samples;
}

std::string tempPath(const std::string& name)
{
    return ::testing::TempDir() + "resoni_cwt_" + name;
}

std::vector<std::string> splitLine(const std::string& line)
{
    std::vector<std::string> fields;
    std::stringstream stream(line);
    std::string field;
    while (std::getline(stream, field, ','))
        fields.push_back(field);
    return fields;
}

} // namespace

TEST(CliCwt, CsvHoldsTheEngineValuesWithRowFrequencies)
{
    const std::string path = tempPath("tone.dat");
    const std::vector<double> samples = writeSeries(path, 440.0, 22050);
    const CliResult r = runCli({"cwt", path, "--raw", "--wavelet", "morlet,2", "--fmin", "100", "--fmax", "5000",
                                "--rows", "50", "--cols", "10"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.err.find("\n----------------------------\n"), std::string::npos) << r.err;

    CCwt cwt;
    cwt.setDiagnostics({});
    cwt.request().wavelet = "morlet,2";
    cwt.request().scaleLow = static_cast<float>(1.0 / 100.0);
    cwt.request().scaleHigh = static_cast<float>(1.0 / 5000.0);
    cwt.request().rows = 50;
    cwt.request().columns = 10;
    cwt.request().endTime = static_cast<float>(22050.0 / 44100.0);
    std::vector<float> expected;
    ASSERT_TRUE(cwt.Transform(samples.data(), samples.size(), expected));

    std::istringstream lines(r.out);
    std::string line;
    ASSERT_TRUE(std::getline(lines, line));
    EXPECT_EQ(line, "row,col,frequency_hz,value");
    size_t count = 0;
    double peakValue = -1.0;
    double peakFrequency = 0.0;
    while (std::getline(lines, line)) {
        const std::vector<std::string> f = splitLine(line);
        ASSERT_EQ(f.size(), 4u) << line;
        const long row = std::stol(f[0]);
        const long col = std::stol(f[1]);
        EXPECT_EQ(row, static_cast<long>(count / 10));
        EXPECT_EQ(col, static_cast<long>(count % 10));
        const double frequency = std::strtod(f[2].c_str(), nullptr);
        EXPECT_EQ(frequency, 1.0 / static_cast<double>(cwt.rowScales()[static_cast<size_t>(row)])) << line;
        const double value = std::strtod(f[3].c_str(), nullptr);
        EXPECT_EQ(value, static_cast<double>(expected[2 + count])) << line;
        if (col == 5 && value > peakValue) {
            peakValue = value;
            peakFrequency = frequency;
        }
        ++count;
    }
    EXPECT_EQ(count, 500u);
    // Morlet is complex: frequencies rise down the table, and the tone is where it belongs
    // (the grid steps by a factor 50^(1/50) ≈ 1.08).
    EXPECT_NEAR(std::log(peakFrequency / 440.0), 0.0, std::log(1.081));
}

TEST(CliCwt, JsonHoldsTheMatrix)
{
    const std::string path = tempPath("json.dat");
    writeSeries(path, 1000.0, 4410);
    const CliResult r = runCli({"cwt", path, "--raw", "--wavelet", "haar", "--rows", "3", "--cols", "4", "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    // Checked by Python's own JSON reader: shape, frequency order of a real wavelet, byte range.
    const std::string script = "import json,sys\n"
                               "d=json.load(sys.stdin)\n"
                               "assert d['wavelet']=='haar' and d['rows']==3 and d['cols']==4, d\n"
                               "v=d['values']; f=d['frequency_hz']\n"
                               "assert len(v)==3 and all(len(r)==4 for r in v)\n"
                               "assert abs(f[0]-20000)<1e-2 and f[0]>f[1]>f[2], f\n"
                               "flat=[x for r in v for x in r]\n"
                               "assert min(flat)==0 and max(flat)==255 and all(x==int(x) for x in flat)\n"
                               "print('ok')\n";
    const std::string json = tempPath("out.json");
    std::ofstream(json) << r.out;
    const CliResult py = runProgram("sh", {"-c", "python3 -c \"$0\" < \"$1\"", script, json});
    EXPECT_EQ(py.exitCode, 0) << py.err << r.out;
    EXPECT_EQ(py.out, "ok\n");
}

TEST(CliCwt, RefusalsAndTheEnginesOwnMessages)
{
    const std::string path = tempPath("refuse.dat");
    writeSeries(path, 440.0, 4410);
    struct Case { std::vector<std::string> extra; int exitCode; const char* err; };
    const Case cases[] = {
        {{"--wavelet", "spinning,1,0.2"},
         1,
         "To get an admissible wavelet it must hold mu2 >= 1/4, but for mu2=0.200000 this does not hold.\n"},
        {{"--wavelet", "spinning"}, 1, "Two arguments required for spinning wavelet.\n"},
        {{"--wavelet", "bspline,3,x"},
         1,
         "B-Spline wavelet accepts a comma separated list of positive floats, but not <3,x>\n"},
        {{"--wavelet", "cauchy,0"},
         1,
         "Cauchy wavelet accepts only one non-negative argument for the order, but not <0>\n"},
        {{"--wavelet", "wobble"}, 2, nullptr},
        {{"--fmin", "0"}, 2, nullptr},
        {{"--fmax", "-5"}, 2, nullptr},
        {{"--rows", "0"}, 2, nullptr},
        {{"--cols", "abc"}, 2, nullptr},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args{"cwt", path};
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        const CliResult r = runCli(args);
        EXPECT_EQ(r.signal, 0) << c.extra[1];
        EXPECT_EQ(r.exitCode, c.exitCode) << c.extra[1] << ": " << r.err;
        EXPECT_EQ(r.out, "") << c.extra[1];
        if (c.err) {
            EXPECT_EQ(r.err, c.err) << c.extra[1];
        } else {
            EXPECT_FALSE(r.err.empty()) << c.extra[1];
        }
    }
    EXPECT_NE(runCli({"cwt"}).exitCode, 0);
}
