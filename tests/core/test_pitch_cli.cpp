// resoni-analyze pitch read back by Python's csv module: 0.1 s of silence, then a 441 Hz tone.
#include "CliRunner.h"
#include "test_wave_util.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace wavetest;

TEST(CliPitch, SilenceThenATone)
{
    const std::string dir = MakeTempDir(), path = dir + "/tone.wav";
    std::vector<std::int16_t> samples(13230);
    for (std::size_t n = 4410; n < samples.size(); ++n)
        samples[n] = static_cast<std::int16_t>(std::lround(8000 * std::sin(2 * M_PI * 441.0 * n / 44100)));
    WriteFile(path, PcmWave(1, 44100, 16, Le16Samples(samples)));
    // Rows: frames of 2048 every 512 samples, stamped at their centres; the first 5 hold silence only.
    const char* checks = "r[0] == 'time_s,frequency_hz,note,scientific,cents,confidence'.split(',') and len(r) == 23 "
                         "and all(abs(float(x[0]) - (1024 + 512 * i) / 44100) < 1e-12 for i, x in enumerate(r[1:])) "
                         "and all(x[1:5] == ['', '', '', ''] and x[5] == '0' for x in r[1:6]) "
                         "and all(abs(float(x[1]) / 441 - 1) < 3e-4 and x[2:5] == {names} for x in r[11:])";
    for (const auto& [a4, names] : {std::pair{"440", "['a\\'', 'A4', '4']"}, {"415", "['b\\'', 'A#4', '5']"}}) {
        const CliResult r = runCli({"pitch", path, "--a4", a4});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        WriteText(dir + "/out.csv", r.out);
        std::string check = checks;
        check.replace(check.find("{names}"), 7, names);
        const CliResult py = runProgram("/usr/bin/python3", {"-c", "import csv,sys; r=list(csv.reader(open(sys.argv[1])));"
                                                                   "print(" + check + ")", dir + "/out.csv"});
        EXPECT_EQ(py.out, "True\n") << py.err << r.out.substr(0, 400);
    }
    EXPECT_EQ(runCli({"pitch", path, "--a4", "414"}).exitCode, 2);
}
