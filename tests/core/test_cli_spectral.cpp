// resoni-analyze spectrum, autocorr and peaks read back by Python's csv and json modules: a sox tone,
// 8-bit data, the selection rule (power of two, even first sample for 16-bit data), errors.
#include "CliRunner.h"
#include "test_wave_util.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <vector>

using namespace wavetest;

namespace {

// A mono 16-bit file at 44100 Hz of round(offset + a·sin(2π·cycles·n/period)).
std::string WriteSine(const std::string& dir, std::size_t count, double a, double cycles, double period, double offset = 0)
{
    std::vector<std::int16_t> samples(count);
    for (std::size_t n = 0; n < count; ++n)
        samples[n] = static_cast<std::int16_t>(std::lround(offset + a * std::sin(2.0 * M_PI * cycles * n / period)));
    WriteFile(dir + "/sine.wav", PcmWave(1, 44100, 16, Le16Samples(samples)));
    return dir + "/sine.wav";
}

// Runs the program; Python reads its output (r: the CSV rows, d: the JSON document) and names every
// check that does not hold.
CliResult ExpectOutput(const std::string& dir, const std::vector<std::string>& args, const std::vector<std::string>& checks)
{
    const CliResult r = runCli(args);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    WriteText(dir + "/out.txt", r.out);
    std::vector<std::string> py = {"-c", "import csv,json,sys; t=open(sys.argv[1]).read(); d=json.loads(t) if t[:1] == '{' "
                                         "else None; r=None if d else list(csv.reader(t.splitlines()))\n"
                                         "bad=[c for c in sys.argv[2:] if not eval(c)]; print('failed: ' + ' | '.join(bad) "
                                         "if bad else 'ok')", dir + "/out.txt"};
    py.insert(py.end(), checks.begin(), checks.end());
    const CliResult check = runProgram("/usr/bin/python3", py);
    EXPECT_EQ(check.out, "ok\n") << check.err << r.out.substr(0, 200);
    return r;
}

} // namespace

TEST(CliSpectral, SoxToneGivesOnePeakAt440Hz)
{
    const std::string dir = MakeTempDir(), path = dir + "/tone.wav";
    Sox({"-n", "-r", "44100", "-b", "16", "-c", "1", path, "synth", "0.5", "sine", "440", "vol", "0.5"});
    // Amplitude 16384 gives 8192 at the bin: −18.06 dBr, between bins as well (bin 40.87 of 4096).
    ExpectOutput(dir, {"peaks", path, "--fft", "4096"},
                 {"r[0] == ['frequency_hz', 'level_dbr', 'note', 'scientific', 'cents'] and len(r) == 2",
                  "abs(float(r[1][0]) - 440) < 0.05", "abs(float(r[1][1]) + 18.06) < 0.1", "r[1][2:] == [\"a'\", 'A4', '0']"});
    // The selection rule picks N = 16384 for the 22050 samples.
    ExpectOutput(dir, {"peaks", path, "--json", "--width", "1200", "--height", "600"},
                 {"d['fft_size'] == 16384 and d['width'] == 1200 and d['height'] == 600", "len(d['peaks']) == 1",
                  "abs(d['peaks'][0]['frequency_hz'] - 440) < 0.05", "abs(d['peaks'][0]['level_dbr'] + 18.06) < 0.1"});
    // notes names them as peaks does; against a' = 415 Hz 440 Hz lies 1200·log2(440/415) = 101.3 cents higher.
    ExpectOutput(dir, {"notes", path, "--a4", "415"}, {"r[0][2:] == ['note', 'scientific', 'cents'] and r[1][2:] == [\"b'\", 'A#4', '+1']"});
}

TEST(CliSpectral, EightBitDataIsCentredForTheAutocorrelation)
{
    // A sine of period 100 as 8-bit data (unsigned, 128 + 100·sin): centred, R(m) ∝ cos(2πm/100)
    // turns negative after lag 25; the bytes as they are would give 51.
    const std::string dir = MakeTempDir();
    Bytes eight(1024);
    for (std::size_t n = 0; n < eight.size(); ++n)
        eight[n] = static_cast<std::uint8_t>(std::lround(128.0 + 100.0 * std::sin(2.0 * M_PI * n / 100.0)));
    WriteFile(dir + "/eight.wav", PcmWave(1, 8000, 8, eight));
    EXPECT_EQ(runCli({"autocorr", dir + "/eight.wav"}).err, "first_min_lag,25\n");
}

TEST(CliSpectral, SelectionRuleUsageErrorsAndRefusals)
{
    const std::string dir = MakeTempDir();
    const std::string path = WriteSine(dir, 600, 1000.0, 3.0, 64.0), path8 = dir + "/eight.wav";
    WriteFile(path8, PcmWave(1, 8000, 8, Bytes(600, 128)));
    // 16-bit data starts on an even sample ([5, 5) becomes [4, 5)), 8-bit data keeps its first.
    struct Case { std::vector<std::string> args; int exitCode; std::string err; };
    const Case cases[] = {
        {{"spectrum", path, "--fft", "1000"}, 2, "spectrum: --fft: 1000 is not a power of two from 2 to 16777216"},
        {{"spectrum", path, "--fft", "1"}, 2, "spectrum: --fft: 1 is not a power of two from 2 to 16777216"},
        {{"autocorr", path, "--fft", "abc"}, 2, "autocorr: --fft: 'abc' is not a whole number"},
        {{"spectrum", path, "--from", "5", "--to", "5"}, 2,
         "spectrum: the selection [4, 5) holds fewer than 2 samples; name a transform size with --fft"},
        {{"spectrum", path8, "--from", "5", "--to", "6"}, 2,
         "spectrum: the selection [5, 6) holds fewer than 2 samples; name a transform size with --fft"},
        {{"spectrum", path, "--to", "601"}, 2, "spectrum: --from/--to: [0, 601) is not inside the series of 600 samples"},
        {{"peaks", path, "--width", "50"}, 2, "peaks: --width/--height: 50 × 400 is outside 100 … 100000 pixels"},
        {{"peaks", path, "--height", "x"}, 2, "peaks: --height: 'x' is not a whole number"},
        {{"notes", path, "--a4", "414.9"}, 2, "notes: --a4: 414.9 is outside 415 … 466 Hz"},
        {{"spectrum"}, 2, "spectrum: expects exactly one FILE"},
        {{"spectrum", dir + "/missing.wav"}, 1,
         "spectrum: not a RIFF WAVE file with \"fmt \" and \"data\" chunks: " + dir + "/missing.wav"},
    };
    for (const Case& c : cases) {
        const CliResult r = runCli(c.args);
        EXPECT_EQ(std::tuple(r.exitCode, r.out, r.err),
                  std::tuple(c.exitCode, std::string(), "resoni-analyze " + c.err + "\n"));
    }
    // An empty selection with an explicit size is a zero-padded empty frame: all zeros.
    ExpectOutput(dir, {"spectrum", path, "--from", "4", "--to", "4", "--fft", "8"}, {"r[1] == ['0', '0', '0', '-inf']"});
}
