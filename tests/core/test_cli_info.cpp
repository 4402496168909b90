// resoni-analyze info: CSV and JSON for WAV files and text series, refusals with one line on
// standard error and exit code 1, usage errors with exit code 2, never a signal.
#include "CliRunner.h"
#include "test_wave_util.h"

#include <gtest/gtest.h>

using namespace wavetest;

namespace {

const std::string kHeader = "format_tag,channels,rate,bits,data_bytes,samples,duration_s\n";

void ExpectOneLineError(const CliResult& r, int exitCode, const std::string& part)
{
    EXPECT_EQ(r.signal, 0);
    EXPECT_EQ(r.exitCode, exitCode);
    EXPECT_TRUE(r.out.empty()) << r.out;
    ASSERT_FALSE(r.err.empty());
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err; // exactly one line
    EXPECT_NE(r.err.find(part), std::string::npos) << r.err;
}

} // namespace

TEST(CliInfo, WaveFilesAsCsvAndJson)
{
    const std::string dir = MakeTempDir();
    struct Case { const char* name; Bytes file; std::vector<std::string> options; std::string row; };
    const Case cases[] = {
        {"stereo 16-bit", PcmWave(2, 44100, 16, Bytes(17640, 0)), {}, "1,2,44100,16,17640,4410,0.10000000000000001"},
        // an incomplete last frame: the left channel has one sample more than the right
        {"stereo left", PcmWave(2, 8000, 16, Bytes(10, 0)), {"--channel", "left"}, "1,2,8000,16,10,3,0.00037500000000000001"},
        {"stereo right", PcmWave(2, 8000, 16, Bytes(10, 0)), {"--channel=right"}, "1,2,8000,16,10,2,0.00025000000000000001"},
        {"8-bit at 96000 Hz", PcmWave(1, 96000, 8, Bytes(96001, 128)), {}, "1,1,96000,8,96001,96001,1.0000104166666666"},
        {"float tag with extra bytes, 16 bits",
         Riff(Concat({Chunk("fmt ", Concat({FmtBody(0xFFFE, 1, 11025, 16), Bytes{2, 0, 0, 0}})), Chunk("data", Bytes(6, 0))})),
         {}, "65534,1,11025,16,6,3,0.00027210884353741496"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir + "/i.wav";
        WriteFile(path, c.file);
        std::vector<std::string> args = {"info"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        args.push_back(path);
        const CliResult csv = runCli(args);
        EXPECT_EQ(csv.exitCode, 0) << csv.err;
        EXPECT_EQ(csv.out, kHeader + c.row + "\n");

        args.insert(args.begin() + 1, "--json");
        const CliResult json = runCli(args);
        EXPECT_EQ(json.exitCode, 0) << json.err;
        // The JSON object parsed by Python holds the same numbers as the CSV row.
        const CliResult py = runProgram("/usr/bin/python3",
            {"-c", "import json,sys; d=json.loads(sys.argv[1]); "
                   "k=['format_tag','channels','rate','bits','data_bytes','samples','duration_s']; "
                   "assert sorted(d)==sorted(k), d; print(','.join('%.17g' % d[x] for x in k))",
             json.out});
        EXPECT_EQ(py.exitCode, 0) << py.err;
        EXPECT_EQ(py.out, c.row + "\n");
    }
}

TEST(CliInfo, TextSeriesAreReadAsTheImportDoes)
{
    const std::string dir = MakeTempDir();
    WriteText(dir + "/s.dat", "#header\n1\n2\n3\n4\n");
    WriteText(dir + "/words.txt", "# two words\n7\n"); // "two" and "words" are values (0)
    WriteText(dir + "/s.PRN", "1 2 3\n");
    WriteText(dir + "/s.csv", "1\n2\n");
    const CliResult dat = runCli({"info", dir + "/s.dat"});
    EXPECT_EQ(dat.exitCode, 0) << dat.err;
    EXPECT_EQ(dat.out, kHeader + "1,1,44100,16,8,4,9.0702947845804991e-05\n");
    EXPECT_EQ(runCli({"info", dir + "/words.txt"}).out, kHeader + "1,1,44100,16,6,3,6.802721088435374e-05\n");
    EXPECT_EQ(runCli({"info", dir + "/s.PRN"}).out, kHeader + "1,1,44100,16,6,3,6.802721088435374e-05\n");
    // Any other name needs --text; without it the file is no WAV file.
    EXPECT_EQ(runCli({"info", "--text", dir + "/s.csv"}).out, kHeader + "1,1,44100,16,4,2,4.5351473922902495e-05\n");
    ExpectOneLineError(runCli({"info", dir + "/s.csv"}), 1, "not a RIFF WAVE file");
}

TEST(CliInfo, RefusedFilesAndBadCalls)
{
    const std::string dir = MakeTempDir();
    WriteFile(dir + "/garbage.wav", Bytes{'R', 'I', 'F', 'F', 1, 2, 3});
    WriteFile(dir + "/b24.wav", PcmWave(1, 44100, 24, Bytes(6, 0)));
    WriteFile(dir + "/r50k.wav", PcmWave(1, 50000, 16, Bytes(6, 0)));
    WriteFile(dir + "/empty.wav", PcmWave(1, 44100, 16, {}));
    WriteFile(dir + "/cut.wav", Riff(Concat({Chunk("fmt ", FmtBody(1, 1, 8000, 8)), ChunkWithSize("data", 500, Bytes(4, 0), false)})));
    WriteText(dir + "/none.txt", "#nothing\n#\n");
    struct Case { std::vector<std::string> args; int exitCode; const char* part; };
    const Case cases[] = {
        {{"info", dir + "/garbage.wav"}, 1, "not a RIFF WAVE file"},
        {{"info", dir + "/missing.wav"}, 1, "not a RIFF WAVE file"},
        {{"info", dir + "/b24.wav"}, 1, "24 bits per sample"},
        {{"info", "--json", dir + "/r50k.wav"}, 1, "50000 samples per second"},
        {{"info", dir + "/empty.wav"}, 1, "no complete sample"},
        {{"info", dir + "/cut.wav"}, 1, "beyond the end of the file"},
        {{"info", dir + "/none.txt"}, 1, "holds no numbers"},
        {{"info", dir + "/missing.txt"}, 1, "cannot read"},
        {{"info"}, 2, "exactly one FILE"},
        {{"info", "a.wav", "b.wav"}, 2, "exactly one FILE"},
        {{"info", "--channel", "middle", dir + "/b24.wav"}, 2, "neither left nor right"},
        {{"info", "--bogus", dir + "/b24.wav"}, 2, "unknown option"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.back());
        ExpectOneLineError(runCli(c.args), c.exitCode, c.part);
    }
}
