// Files that no code of ours wrote: sox makes 8-bit unsigned, stereo, 96000 Hz and 24-bit files
// (the last as WAVE_FORMAT_EXTENSIBLE), and a "LIST" chunk is put into one of them. The loader
// must take the samples sox itself decodes from them, and refuse the 24-bit file. The
// command-line tool's direct reader must agree with the loader on every file.
#include "CliRunner.h"
#include "test_wave_util.h"

#include "core/audio/WaveLoader.h"
#include "core/audio/WaveRules.h"
#include "core/audio/WaveSource.h"

#include <gtest/gtest.h>

using namespace wavetest;

namespace {

class SoxLoader : public CWaveLoader
{
public:
    using CWaveLoader::CWaveLoader;
    bool bLeft = true;
    std::vector<std::string> messages;
    std::vector<CStereoDialogModel> dialogs;

protected:
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    bool AskStereoChannel(const CStereoDialogModel& dialog, bool& bLeftOut) override
    {
        dialogs.push_back(dialog);
        bLeftOut = bLeft;
        return true;
    }
};

// sox's own decoding of one channel as raw bytes in the file's sample encoding.
Bytes SoxChannel(const std::string& dir, const std::string& path, int channel, int bits)
{
    const std::string raw = dir + "/channel.raw";
    Sox({path, "-t", "raw", "-e", bits == 8 ? "unsigned-integer" : "signed-integer", "-b",
         std::to_string(bits), "-L", raw, "remix", std::to_string(channel)});
    return ReadFile(raw);
}

// Inserts a LIST/INFO chunk right after the "fmt " chunk and fixes the RIFF size.
Bytes InsertList(const Bytes& wav)
{
    const std::size_t fmtSize = Get32(wav, 16);
    const std::size_t after = 20 + fmtSize + (fmtSize & 1);
    Bytes list = Chunk("LIST", {'I', 'N', 'F', 'O', 'I', 'S', 'F', 'T', 5, 0, 0, 0, 'T', 'e', 's', 't', 0});
    Bytes out(wav.begin(), wav.begin() + static_cast<long>(after));
    out.insert(out.end(), list.begin(), list.end());
    out.insert(out.end(), wav.begin() + static_cast<long>(after), wav.end());
    const std::uint32_t riff = static_cast<std::uint32_t>(out.size() - 8);
    for (int i = 0; i < 4; ++i)
        out[4 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(riff >> (8 * i));
    return out;
}

} // namespace

TEST(WaveSox, LoadsWhatSoxWritesWithSoxsSamples)
{
    const std::string dir = MakeTempDir();
    struct Case { const char* name; int channels; int rate; int bits; int channel; std::uint32_t playRate; };
    const Case cases[] = {
        {"8-bit unsigned mono", 1, 22050, 8, 1, 0},
        {"16-bit stereo, left", 2, 44100, 16, 1, 0},
        {"16-bit stereo, right", 2, 44100, 16, 2, 0},
        {"8-bit stereo at 96000 Hz, right", 2, 96000, 8, 2, 48000},
        {"16-bit mono at 96000 Hz", 1, 96000, 16, 1, 48000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir + "/sox.wav";
        Sox({"-n", "-r", std::to_string(c.rate), "-c", std::to_string(c.channels), "-b", std::to_string(c.bits),
             path, "synth", "0.05", "sine", "440", "sine", "1234", "gain", "-1"});
        const Bytes expect = SoxChannel(dir, path, c.channel, c.bits);
        ASSERT_FALSE(expect.empty());

        // With and without a LIST chunk between "fmt " and "data".
        const std::string withList = dir + "/sox_list.wav";
        WriteFile(withList, InsertList(ReadFile(path)));
        for (const std::string& file : {path, withList}) {
            SoxLoader l(dir);
            l.bLeft = c.channel == 1;
            l.m_strWaveFile = file;
            ASSERT_EQ(l.LoadWaveFile(file), WaveLoadOutcome::Loaded) << file;
            EXPECT_TRUE(l.messages.empty());
            EXPECT_EQ(l.dialogs.size(), c.channels == 2 ? 1u : 0u);
            EXPECT_EQ(Bytes(l.m_pWaveData.get(), l.m_pWaveData.get() + l.m_nWaveDataBytes), expect);
            EXPECT_EQ(l.m_nSampleRate, static_cast<std::uint32_t>(c.rate));
            EXPECT_EQ(l.m_bSigned, c.bits != 8);
            if (c.playRate != 0) {
                EXPECT_EQ(l.m_nPlayRate, c.playRate);
            }

            std::vector<double> direct;
            const WaveSourceInfo info = ReadWaveSamples(file, c.channel == 1, direct);
            EXPECT_EQ(info.refusal, WaveRefusal::None);
            EXPECT_EQ(direct, DecodeSamples(expect.data(), expect.size(), c.bits));
        }
        // soxi agrees on the LIST file's sample count.
        EXPECT_EQ(Sox({"--i", "-s", withList}), Sox({"--i", "-s", path}));
    }
}

// sox writes 24-bit files as WAVE_FORMAT_EXTENSIBLE: the mono one is refused without a word,
// the stereo one shows the dialog with "OK" disabled; the command-line tool refuses both.
TEST(WaveSox, TwentyFourBitFilesAreRefused)
{
    const std::string dir = MakeTempDir();
    for (int channels : {1, 2}) {
        SCOPED_TRACE(channels);
        const std::string path = dir + "/s24.wav";
        Sox({"-n", "-r", "44100", "-c", std::to_string(channels), "-b", "24", path, "synth", "0.01", "sine", "440"});
        SoxLoader l(dir);
        l.m_strWaveFile = path;
        EXPECT_EQ(l.LoadWaveFile(path), WaveLoadOutcome::Failed);
        EXPECT_TRUE(l.messages.empty());
        EXPECT_EQ(l.m_strWaveFile, "Kein File ausgewählt.");
        EXPECT_EQ(l.m_nWaveDataBytes, 0u);
        if (channels == 2) {
            ASSERT_EQ(l.dialogs.size(), 1u);
            EXPECT_FALSE(l.dialogs[0].bOkEnabled);
            EXPECT_EQ(l.dialogs[0].strHint, CStereoDialogModel::kHintTooManyBits);
        }
        std::vector<double> samples;
        const WaveSourceInfo info = ReadWaveSamples(path, true, samples);
        EXPECT_EQ(info.format.wFormatTag, WAVE_FORMAT_EXTENSIBLE);
        EXPECT_EQ(info.format.cbSize, 22);
        EXPECT_EQ(info.refusal, WaveRefusal::TooManyBits);
        const CliResult r = runCli({"info", path});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_NE(r.err.find("24 bits per sample"), std::string::npos);
    }
}

// Our working copies are read by sox as well: format and samples.
TEST(WaveSox, SoxReadsOurWorkingCopies)
{
    const std::string dir = MakeTempDir();
    const std::string path = dir + "/st96.wav";
    Sox({"-n", "-r", "96000", "-c", "2", "-b", "16", path, "synth", "0.02", "sine", "300", "sine", "5000"});
    SoxLoader l(dir);
    l.bLeft = false;
    l.m_strWaveFile = path;
    ASSERT_EQ(l.LoadWaveFile(path), WaveLoadOutcome::Loaded);
    EXPECT_EQ(Sox({"--i", "-r", l.MonoCopyPath()}), "96000\n");
    EXPECT_EQ(Sox({"--i", "-c", l.MonoCopyPath()}), "1\n");
    EXPECT_EQ(Sox({"--i", "-r", l.PlayCopyPath()}), "48000\n");
    EXPECT_EQ(Sox({"--i", "-b", l.PlayCopyPath()}), "16\n");
    EXPECT_EQ(SoxChannel(dir, l.MonoCopyPath(), 1, 16), SoxChannel(dir, path, 2, 16));
    const Bytes play = SoxChannel(dir, l.PlayCopyPath(), 1, 16);
    EXPECT_EQ(play, Bytes(l.m_pPlayBuffer->GetBuffer(0).begin(), l.m_pPlayBuffer->GetBuffer(0).end()));
    EXPECT_EQ(play.size(), l.m_nWaveDataBytes / 2);
}
