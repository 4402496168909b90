// resoni-analyze spectrum, autocorr and peaks: a sox-made tone lands on its frequency, known
// bin-centred sines give their exact magnitudes, the selection rule (power of two, even first
// sample for 16-bit data), JSON that Python's json module reads, and the usage errors.
#include "CliRunner.h"
#include "test_wave_util.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

using namespace wavetest;

namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::stringstream stream(text);
    std::string line;
    while (std::getline(stream, line))
        lines.push_back(line);
    return lines;
}

std::vector<std::string> Fields(const std::string& line)
{
    std::vector<std::string> fields;
    std::stringstream stream(line);
    std::string field;
    while (std::getline(stream, field, ','))
        fields.push_back(field);
    return fields;
}

// A mono 16-bit file at 44100 Hz of round(a·sin(2π·cycles·n/period)) + offset.
std::string WriteSine(const std::string& dir, const std::string& name, std::size_t count, double amplitude,
                      double cycles, double period, double offset = 0.0)
{
    std::vector<std::int16_t> samples(count);
    for (std::size_t n = 0; n < count; ++n)
        samples[n] = static_cast<std::int16_t>(
            std::lround(offset + amplitude * std::sin(2.0 * M_PI * cycles * static_cast<double>(n) / period)));
    const std::string path = dir + "/" + name;
    WriteFile(path, PcmWave(1, 44100, 16, Le16Samples(samples)));
    return path;
}

// Python's json module must read the text, and the given expression over it must print "ok".
void ExpectJson(const std::string& dir, const std::string& text, const std::string& check)
{
    const std::string path = dir + "/out.json";
    WriteText(path, text);
    const CliResult r = runProgram("/usr/bin/python3",
                                   {"-c", "import json,sys\nd=json.load(open(sys.argv[1]))\nprint('ok' if (" + check +
                                              ") else d)",
                                    path});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "ok\n") << text.substr(0, 300);
}

} // namespace

TEST(CliSpectral, SoxToneGivesOnePeakAt440Hz)
{
    const std::string dir = MakeTempDir();
    const std::string path = dir + "/tone.wav";
    Sox({"-n", "-r", "44100", "-b", "16", "-c", "1", path, "synth", "0.5", "sine", "440", "vol", "0.5"});
    for (int n : {4096, 16384}) {
        const CliResult r = runCli({"peaks", path, "--fft", std::to_string(n)});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        const auto lines = Lines(r.out);
        ASSERT_EQ(lines.size(), 2u) << r.out;
        EXPECT_EQ(lines[0], "frequency_hz,level_dbr");
        const auto fields = Fields(lines[1]);
        ASSERT_EQ(fields.size(), 2u);
        EXPECT_NEAR(std::stod(fields[0]), 440.0, 44100.0 / n) << "N = " << n;
        // Amplitude 16384 gives 8192 at the bin when centred: −18.06 dBr; off-centre a few dB less.
        EXPECT_LT(std::stod(fields[1]), -17.5);
        EXPECT_GT(std::stod(fields[1]), -23.0);
    }
    // The selection rule picks N = 16384 for the 22050 samples.
    const CliResult json = runCli({"peaks", path, "--json", "--width", "1200", "--height", "600"});
    ASSERT_EQ(json.exitCode, 0) << json.err;
    ExpectJson(dir, json.out,
               "d['fft_size'] == 16384 and d['width'] == 1200 and len(d['peaks']) == 1 and "
               "abs(d['peaks'][0]['frequency_hz'] - 440) < 44100 / 16384");
}

TEST(CliSpectral, SpectrumOfABinCentredSine)
{
    const std::string dir = MakeTempDir();
    // 1000 samples: N = 512; 20000·sin(2π·32n/512) lies on bin 32 (2756.25 Hz), offset 100 in bin 0.
    const std::string path = WriteSine(dir, "sine.wav", 1000, 20000.0, 32.0, 512.0, 100.0);
    const CliResult r = runCli({"spectrum", path});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(r.err.empty()) << r.err;
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 1u + 257u);
    EXPECT_EQ(lines[0], "bin,frequency_hz,magnitude,level_dbr");
    const auto bin32 = Fields(lines[1 + 32]);
    ASSERT_EQ(bin32.size(), 4u);
    EXPECT_EQ(bin32[0], "32");
    EXPECT_DOUBLE_EQ(std::stod(bin32[1]), 2756.25);
    EXPECT_NEAR(std::stod(bin32[2]), 10000.0, 1.0); // rounding of the samples to integers
    EXPECT_NEAR(std::stod(bin32[3]), 20.0 * std::log10(10000.0 / 65536.0), 1e-3);
    EXPECT_NEAR(std::stod(Fields(lines[1])[2]), 100.0, 0.01);
    EXPECT_LT(std::stod(Fields(lines[1 + 100])[2]), 0.01);

    const CliResult padded = runCli({"spectrum", path, "--fft", "2048"});
    ASSERT_EQ(padded.exitCode, 0) << padded.err;
    EXPECT_EQ(Lines(padded.out).size(), 1u + 1025u);

    const CliResult json = runCli({"spectrum", path, "--to", "300", "--json"});
    ASSERT_EQ(json.exitCode, 0) << json.err;
    ExpectJson(dir, json.out,
               "d['fft_size'] == 256 and d['sample_rate'] == 44100 and len(d['magnitude']) == 129 and "
               "len(d['frequency_hz']) == 129 and len(d['level_dbr']) == 129");
}

TEST(CliSpectral, SelectionOfSixteenBitDataStartsOnAnEvenSample)
{
    const std::string dir = MakeTempDir();
    std::vector<std::int16_t> ramp(3000);
    for (std::size_t n = 0; n < ramp.size(); ++n)
        ramp[n] = static_cast<std::int16_t>(n);
    const std::string path16 = dir + "/ramp16.wav";
    WriteFile(path16, PcmWave(1, 44100, 16, Le16Samples(ramp)));
    // [1, 1025) becomes [0, 1025): N = 1024 over samples 0 … 1023, mean 511.5 in bin 0.
    const CliResult r16 = runCli({"spectrum", path16, "--from", "1", "--to", "1025"});
    ASSERT_EQ(r16.exitCode, 0) << r16.err;
    const auto lines16 = Lines(r16.out);
    ASSERT_EQ(lines16.size(), 1u + 513u);
    EXPECT_DOUBLE_EQ(std::stod(Fields(lines16[1])[2]), 511.5);

    Bytes bytes(3000);
    for (std::size_t n = 0; n < bytes.size(); ++n)
        bytes[n] = static_cast<std::uint8_t>(n % 200);
    const std::string path8 = dir + "/ramp8.wav";
    WriteFile(path8, PcmWave(1, 8000, 8, bytes));
    // 8-bit data keeps its first sample: [1, 101) holds 1 … 100, N = 64: mean of 1 … 64.
    const CliResult r8 = runCli({"spectrum", path8, "--from", "1", "--to", "101"});
    ASSERT_EQ(r8.exitCode, 0) << r8.err;
    const auto lines8 = Lines(r8.out);
    ASSERT_EQ(lines8.size(), 1u + 33u);
    EXPECT_DOUBLE_EQ(std::stod(Fields(lines8[1])[2]), 32.5);
    EXPECT_DOUBLE_EQ(std::stod(Fields(lines8[2])[1]), 125.0); // 8000/64 Hz per bin
}

TEST(CliSpectral, AutocorrelationAndItsFirstMinimum)
{
    const std::string dir = MakeTempDir();
    // 10 cycles in 1024 samples: the autocorrelation is positive up to lag 25.
    const std::string path = WriteSine(dir, "ten.wav", 1024, 8000.0, 10.0, 1024.0);
    const CliResult r = runCli({"autocorr", path});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "first_min_lag,25\n");
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 1u + 513u);
    EXPECT_EQ(lines[0], "lag,value");
    // R(0)/N² = mean square / N = (8000²/2)/1024.
    EXPECT_NEAR(std::stod(Fields(lines[1])[1]), 8000.0 * 8000.0 / 2.0 / 1024.0, 1.0);
    EXPECT_EQ(Fields(lines[1 + 512])[0], "512");

    const CliResult json = runCli({"autocorr", path, "--json"});
    ASSERT_EQ(json.exitCode, 0) << json.err;
    EXPECT_TRUE(json.err.empty()) << json.err;
    ExpectJson(dir, json.out, "d['first_min_lag'] == 25 and d['fft_size'] == 1024 and len(d['value']) == 513");

    const std::string silent = dir + "/silent.wav";
    WriteFile(silent, PcmWave(1, 44100, 16, Bytes(2048, 0)));
    const CliResult zero = runCli({"autocorr", silent});
    ASSERT_EQ(zero.exitCode, 0) << zero.err;
    EXPECT_EQ(zero.err, "first_min_lag,0\n");
}

TEST(CliSpectral, TextSeriesAreAnalysedAt44100Hz)
{
    const std::string dir = MakeTempDir();
    std::string text;
    for (int n = 0; n < 512; ++n)
        text += std::to_string(std::lround(1000.0 * std::cos(2.0 * M_PI * 8.0 * n / 512.0))) + "\n";
    const std::string path = dir + "/series.txt";
    WriteText(path, text);
    const CliResult r = runCli({"spectrum", path, "--raw"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 1u + 257u);
    EXPECT_DOUBLE_EQ(std::stod(Fields(lines[1 + 8])[1]), 8.0 * 44100.0 / 512.0);
    EXPECT_NEAR(std::stod(Fields(lines[1 + 8])[2]), 500.0, 0.5);
}

TEST(CliSpectral, UsageErrorsAndRefusals)
{
    const std::string dir = MakeTempDir();
    const std::string path = WriteSine(dir, "s.wav", 600, 1000.0, 3.0, 64.0);
    struct Case
    {
        std::vector<std::string> args;
        int exitCode;
        const char* part;
    };
    const Case cases[] = {
        {{"spectrum", path, "--fft", "1000"}, 2, "--fft"},
        {{"spectrum", path, "--fft", "1"}, 2, "--fft"},
        {{"autocorr", path, "--fft", "abc"}, 2, "--fft"},
        {{"spectrum", path, "--from", "5", "--to", "5"}, 2, "--fft"},
        {{"spectrum", path, "--to", "601"}, 2, "--from/--to"},
        {{"peaks", path, "--width", "50"}, 2, "--width"},
        {{"peaks", path, "--height", "x"}, 2, "--height"},
        {{"spectrum"}, 2, "FILE"},
        {{"spectrum", dir + "/missing.wav"}, 1, "missing.wav"},
    };
    for (const Case& c : cases) {
        const CliResult r = runCli(c.args);
        EXPECT_EQ(r.signal, 0);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args[1] << " " << r.err;
        EXPECT_TRUE(r.out.empty()) << r.out;
        EXPECT_NE(r.err.find(c.part), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    }
    // An empty selection with an explicit size is a zero-padded empty frame: all zeros.
    const CliResult empty = runCli({"spectrum", path, "--from", "4", "--to", "4", "--fft", "8"});
    ASSERT_EQ(empty.exitCode, 0) << empty.err;
    EXPECT_EQ(Lines(empty.out)[1], "0,0,0,-inf");
}
