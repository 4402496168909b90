// The document's load of WAV files and imported series through CWaveLoader: which samples end
// up in m_pWaveData, which working copy the playback buffer is filled from, which texts the
// user sees, and the state after every kind of refusal.
#include "test_wave_util.h"

#include "core/audio/WaveLoader.h"
#include "core/audio/WaveRules.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace wavetest;

namespace {

class TestLoader : public CWaveLoader
{
public:
    using CWaveLoader::CWaveLoader;
    enum class Answer { Left, Right, Cancel, OkEvenIfDisabled };
    Answer answer = Answer::Left;
    std::vector<std::string> messages;
    std::vector<CStereoDialogModel> dialogs;
    int waitCursorOn = 0, waitCursorOff = 0;

    WaveLoadOutcome Load(const std::string& path)
    {
        m_strWaveFile = path;
        return LoadWaveFile(path);
    }
    Bytes WaveData() const { return Bytes(m_pWaveData.get(), m_pWaveData.get() + m_nWaveDataBytes); }
    Bytes PlayData() const
    {
        auto b = m_pPlayBuffer->GetBuffer(0);
        return Bytes(b.begin(), b.end());
    }

protected:
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    bool AskStereoChannel(const CStereoDialogModel& dialog, bool& bLeft) override
    {
        dialogs.push_back(dialog);
        bLeft = answer != Answer::Right;
        return answer != Answer::Cancel;
    }
    void SetWaitCursor(bool bWait) override { ++(bWait ? waitCursorOn : waitCursorOff); }
};

using Strings = std::vector<std::string>;

Bytes Interleave(const Bytes& left, const Bytes& right, std::size_t sampleBytes)
{
    Bytes out;
    for (std::size_t i = 0; i < left.size(); i += sampleBytes) {
        out.insert(out.end(), left.begin() + static_cast<long>(i), left.begin() + static_cast<long>(i + sampleBytes));
        out.insert(out.end(), right.begin() + static_cast<long>(i), right.begin() + static_cast<long>(i + sampleBytes));
    }
    return out;
}

void ExpectNotLoaded(const TestLoader& l)
{
    EXPECT_FALSE(l.m_bWaveLoaded);
    EXPECT_EQ(l.m_strWaveFile, "Kein File ausgewählt.");
    EXPECT_EQ(l.m_pWaveData, nullptr);
    EXPECT_EQ(l.m_nWaveDataBytes, 0u);
}

} // namespace

// A 16-bit stereo file at 44100 Hz: the chosen channel lands in m_pWaveData and the playback
// buffer holds the same samples, read from "~TempWaveMono.wav".
TEST(WaveLoader, StereoFileYieldsTheChosenChannel)
{
    const std::string dir = MakeTempDir();
    const Bytes left = Le16Samples({100, -200, 300, -32768, 32767});
    const Bytes right = Le16Samples({-1, 2, -3, 4, -5});
    const std::string path = dir + "/stereo.wav";
    WriteFile(path, PcmWave(2, 44100, 16, Interleave(left, right, 2)));

    for (bool bRight : {true, false}) {
        SCOPED_TRACE(bRight ? "Rechts" : "Links");
        TestLoader l(dir);
        l.answer = bRight ? TestLoader::Answer::Right : TestLoader::Answer::Left;
        ASSERT_EQ(l.Load(path), WaveLoadOutcome::Loaded);
        EXPECT_TRUE(l.m_bWaveLoaded);
        EXPECT_EQ(l.WaveData(), bRight ? right : left);
        EXPECT_EQ(l.m_nStereoChannel, bRight ? 0 : 1);
        EXPECT_EQ(l.m_strChannels, "Mono");
        EXPECT_EQ(l.m_strFormat, "PCM");
        EXPECT_FALSE(l.m_bStereoFile);
        EXPECT_EQ(l.m_nBitsPerSample, 16);
        EXPECT_EQ(l.m_nStatusBits, 16);
        EXPECT_EQ(l.m_nSampleRate, 44100u);
        EXPECT_TRUE(l.m_bSigned);
        EXPECT_EQ(l.m_dFullScale, 32767.0);
        EXPECT_EQ(l.m_strWaveFile, path);
        EXPECT_FALSE(l.m_bPlayCopyResampled);
        EXPECT_TRUE(l.messages.empty());
        ASSERT_EQ(l.dialogs.size(), 1u);
        EXPECT_EQ(l.dialogs[0].strHint, CStereoDialogModel::kHintStereo);
        EXPECT_EQ(l.dialogs[0].strChannels, "Stereo");
        EXPECT_EQ(l.dialogs[0].strFile, path);
        EXPECT_TRUE(l.dialogs[0].bOkEnabled);
        ASSERT_NE(l.m_pPlayBuffer, nullptr);
        EXPECT_EQ(l.PlayData(), bRight ? right : left);
        EXPECT_EQ(l.m_pPlayBuffer->GetFormat().nChannels, 1);
        EXPECT_GE(l.waitCursorOff, 1);
        // The working copy is a valid mono file with the file's rate and bits.
        const PyWave copy = ReadWithPython(l.MonoCopyPath());
        ASSERT_TRUE(copy.ok) << copy.error;
        EXPECT_EQ(copy.channels, 1);
        EXPECT_EQ(copy.sampwidth, 2);
        EXPECT_EQ(copy.rate, 44100);
        EXPECT_EQ(copy.data, bRight ? right : left);
    }
}

// A mono 8-bit file at 96000 Hz keeps 96000 Hz for analysis and plays from a 48000 Hz copy of
// truncated pair means; 16-bit at 192000 Hz averages groups of 4, rounding down.
TEST(WaveLoader, FastFilesGetADownsampledPlaybackCopy)
{
    const std::string dir = MakeTempDir();
    struct Case { std::uint32_t rate; std::uint16_t bits; Bytes data; std::uint32_t playRate; unsigned k; Bytes copy; };
    const Case cases[] = {
        {96000, 8, {1, 2, 255, 254, 7, 7, 0, 1}, 48000, 2, {1, 254, 7, 0}},
        {88200, 16, Le16Samples({-3, -4, 3, 4, -1, 0}), 44100, 2, Le16Samples({-4, 3, -1})},
        {192000, 16, Le16Samples({-3, -4, -4, -4, 8, 8, 8, 9}), 48000, 4, Le16Samples({-4, 8})},
        {64000, 8, {10, 13, 20}, 32000, 2, {11, 20}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rate);
        const std::string path = dir + "/fast.wav";
        WriteFile(path, PcmWave(1, c.rate, c.bits, c.data));
        TestLoader l(dir);
        ASSERT_EQ(l.Load(path), WaveLoadOutcome::Loaded);
        EXPECT_TRUE(l.dialogs.empty());
        EXPECT_EQ(l.m_nSampleRate, c.rate);
        EXPECT_EQ(l.WaveData(), c.data);
        EXPECT_TRUE(l.m_bPlayCopyResampled);
        EXPECT_EQ(l.m_nPlayRate, c.playRate);
        EXPECT_EQ(l.m_nPlayBits, c.bits);
        EXPECT_EQ(l.m_nPlayDataBytes, c.data.size() / c.k);
        EXPECT_EQ(l.PlayData(), c.copy);
        const PyWave w = ReadWithPython(l.PlayCopyPath());
        ASSERT_TRUE(w.ok) << w.error;
        EXPECT_EQ(w.rate, static_cast<int>(c.playRate));
        EXPECT_EQ(w.channels, 1);
        EXPECT_EQ(w.sampwidth, c.bits / 8);
        EXPECT_EQ(w.data, c.copy);
    }
}

// Stereo above 48000 Hz: first the mono copy, then the playback copy of that channel.
TEST(WaveLoader, StereoFastFileUsesBothCopies)
{
    const std::string dir = MakeTempDir();
    const std::string path = dir + "/st96.wav";
    WriteFile(path, PcmWave(2, 96000, 16, Interleave(Le16Samples({1, 3, 5, 7}), Le16Samples({-1, -2, -6, -6}), 2)));
    TestLoader l(dir);
    l.answer = TestLoader::Answer::Right;
    ASSERT_EQ(l.Load(path), WaveLoadOutcome::Loaded);
    EXPECT_EQ(l.WaveData(), Le16Samples({-1, -2, -6, -6}));
    EXPECT_EQ(l.PlayData(), Le16Samples({-2, -6}));
    EXPECT_EQ(l.m_nPlayRate, 48000u);
}

// Every refusal: the text the user sees (if any) and the document left at "Kein File ausgewählt.".
TEST(WaveLoader, RefusedFiles)
{
    const std::string dir = MakeTempDir();
    const std::string kRead = "Read in AbbildArray failed. IN: DOC.";
    struct Case
    {
        const char* name;
        Bytes file;
        TestLoader::Answer answer;
        WaveLoadOutcome outcome;
        Strings messages;
        std::size_t dialogs;
    };
    const Case cases[] = {
        {"no RIFF header", Bytes{'h', 'e', 'l', 'l', 'o', '\n'}, TestLoader::Answer::Left, WaveLoadOutcome::ReadFailed, {kRead}, 0},
        {"empty file", Bytes{}, TestLoader::Answer::Left, WaveLoadOutcome::ReadFailed, {kRead}, 0},
        {"data chunk cut short",
         Riff(Concat({Chunk("fmt ", FmtBody(1, 1, 44100, 16)), ChunkWithSize("data", 1000, Bytes(10, 1), false)})),
         TestLoader::Answer::Left, WaveLoadOutcome::ReadFailed, {kRead}, 0},
        {"data size 0xFFFFFFFF",
         Riff(Concat({Chunk("fmt ", FmtBody(1, 1, 44100, 16)), ChunkWithSize("data", 0xFFFFFFFFu, Bytes(10, 1), false)})),
         TestLoader::Answer::Left, WaveLoadOutcome::ReadFailed, {kRead}, 0},
        {"0 data bytes", PcmWave(1, 44100, 16, {}), TestLoader::Answer::Left, WaveLoadOutcome::Failed, {"Wavefile ist leer."}, 0},
        {"1 byte of 16-bit data", PcmWave(1, 192000, 16, {7}), TestLoader::Answer::Left, WaveLoadOutcome::Failed,
         {"Wavefile ist leer."}, 0},
        {"right channel without a sample", PcmWave(2, 44100, 16, {1, 2}), TestLoader::Answer::Right,
         WaveLoadOutcome::Failed, {"Wavefile ist leer."}, 1},
        {"mono 24-bit", PcmWave(1, 44100, 24, Bytes(9, 1)), TestLoader::Answer::Left, WaveLoadOutcome::Failed, {}, 0},
        {"mono 32-bit at 96000", PcmWave(1, 96000, 32, Bytes(8, 1)), TestLoader::Answer::Left, WaveLoadOutcome::Failed, {}, 0},
        {"stereo 24-bit (OK disabled)", PcmWave(2, 44100, 24, Bytes(12, 1)), TestLoader::Answer::OkEvenIfDisabled,
         WaveLoadOutcome::Failed, {}, 1},
        {"50000 Hz", PcmWave(1, 50000, 16, Bytes(8, 1)), TestLoader::Answer::Left, WaveLoadOutcome::Failed, {}, 0},
        {"stereo dialog cancelled", PcmWave(2, 44100, 16, Bytes(8, 1)), TestLoader::Answer::Cancel,
         WaveLoadOutcome::Failed, {}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir + "/refused.wav";
        WriteFile(path, c.file);
        TestLoader l(dir);
        l.answer = c.answer;
        EXPECT_EQ(l.Load(path), c.outcome);
        EXPECT_EQ(l.messages, c.messages);
        EXPECT_EQ(l.dialogs.size(), c.dialogs);
        ExpectNotLoaded(l);
        EXPECT_EQ(l.waitCursorOn >= 1, l.waitCursorOff >= 1);
    }
    // The stereo 24-bit dialog says why "OK" is disabled.
    TestLoader l(dir);
    WriteFile(dir + "/s24.wav", PcmWave(2, 44100, 24, Bytes(12, 1)));
    l.answer = TestLoader::Answer::Cancel;
    l.Load(dir + "/s24.wav");
    ASSERT_EQ(l.dialogs.size(), 1u);
    EXPECT_EQ(l.dialogs[0].strHint, CStereoDialogModel::kHintTooManyBits);
    EXPECT_FALSE(l.dialogs[0].bOkEnabled);
    EXPECT_TRUE(l.dialogs[0].bChannelEnabled);
}

// Bit depths other than 8, 16, 24 and 32 get their message and load all the same; a format
// tag other than PCM shows as "?".
TEST(WaveLoader, OddDepthsAndTagsLoadWithTheirMarks)
{
    const std::string dir = MakeTempDir();
    const std::string path = dir + "/odd.wav";
    WriteFile(path, PcmWave(1, 44100, 12, Le16Samples({16, -16})));
    TestLoader l(dir);
    ASSERT_EQ(l.Load(path), WaveLoadOutcome::Loaded);
    EXPECT_EQ(l.messages, (Strings{"Bitrate falsch angegebenCResoniDoc.OnLoadWaveFile"}));
    EXPECT_EQ(l.m_nBitsPerSample, 12);
    EXPECT_EQ(l.WaveData(), Le16Samples({16, -16}));

    WriteFile(path, Riff(Concat({Chunk("fmt ", FmtBody(6, 1, 8000, 8)), Chunk("data", {1, 2, 3})}))); // A-law
    TestLoader a(dir);
    ASSERT_EQ(a.Load(path), WaveLoadOutcome::Loaded);
    EXPECT_EQ(a.m_strFormat, "?");
    EXPECT_FALSE(a.m_bSigned);
    EXPECT_EQ(a.m_dFullScale, 255.0);
}

// Without a writable temporary directory a stereo file cannot get its mono copy: the load fails
// in order (and never plays an old copy).
TEST(WaveLoader, UnwritableTempDirFailsTheStereoLoad)
{
    const std::string dir = MakeTempDir();
    const std::string path = dir + "/st.wav";
    WriteFile(path, PcmWave(2, 44100, 16, Bytes(16, 3)));
    TestLoader l(dir + "/missing");
    EXPECT_EQ(l.Load(path), WaveLoadOutcome::Failed);
    ExpectNotLoaded(l);
    EXPECT_EQ(l.m_pPlayBuffer, nullptr);
}

// A second load overwrites the working copy and the buffer; RemoveWaveData clears everything.
TEST(WaveLoader, ReloadAndRemove)
{
    const std::string dir = MakeTempDir();
    TestLoader l(dir);
    WriteFile(dir + "/a.wav", PcmWave(2, 44100, 8, {1, 2, 3, 4}));
    WriteFile(dir + "/b.wav", PcmWave(2, 44100, 8, {9, 8, 7, 6, 5, 4}));
    ASSERT_EQ(l.Load(dir + "/a.wav"), WaveLoadOutcome::Loaded);
    EXPECT_EQ(l.PlayData(), (Bytes{1, 3}));
    l.RemoveWaveData();
    ExpectNotLoaded(l);
    EXPECT_EQ(l.m_pPlayBuffer, nullptr);
    EXPECT_EQ(l.m_nSampleRate, 0u);
    EXPECT_EQ(l.m_nStatusBits, 0);
    EXPECT_TRUE(l.m_strChannels.empty());
    ASSERT_EQ(l.Load(dir + "/b.wav"), WaveLoadOutcome::Loaded);
    EXPECT_EQ(l.WaveData(), (Bytes{9, 7, 5}));
    EXPECT_EQ(l.PlayData(), (Bytes{9, 7, 5}));
    EXPECT_EQ(ReadWithPython(l.MonoCopyPath()).data, (Bytes{9, 7, 5}));
}

// "Zeitreihe öffnen...": scaling, the 44100 Hz 16-bit working file, the text path shown.
TEST(WaveLoader, ImportedSeries)
{
    const std::string dir = MakeTempDir();
    struct Case { const char* name; std::string text; std::vector<std::int16_t> samples; Strings messages; };
    const Case cases[] = {
        {"1 2 3 4", "1\n2\n3\n4\n", {-16384, 0, 16384, 32767}, {}},
        {"-2 1", "-2 1", {-32768, 16384}, {}},
        {"comment line", "# x\n#, abc 3\n", {-32768, -32768, 32767}, {}}, // x and abc are 0
        {"all zero", "0 0.0 -0\n0\n", {0, 0, 0, 0},
         {"Die Zeitreihe enthält nur Nullen.\nSie wird als Nulllinie (alle Werte 0) geladen."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir + "/series.dat";
        WriteText(path, c.text);
        TestLoader l(dir);
        ASSERT_EQ(l.ImportTimeSeries(path), WaveLoadOutcome::Loaded);
        EXPECT_EQ(l.messages, c.messages);
        EXPECT_EQ(l.m_strWaveFile, path);
        EXPECT_EQ(l.WaveData(), Le16Samples(c.samples));
        EXPECT_EQ(l.PlayData(), Le16Samples(c.samples));
        EXPECT_EQ(l.m_nSampleRate, 44100u);
        EXPECT_EQ(l.m_nBitsPerSample, 16);
        EXPECT_TRUE(l.m_bPlayCopyResampled);
        EXPECT_EQ(l.m_nPlayRate, 44100u);
        EXPECT_EQ(l.m_nPlayBits, 16);
        EXPECT_TRUE(l.m_bWaveLoaded);
        const PyWave w = ReadWithPython(l.PlayCopyPath());
        ASSERT_TRUE(w.ok) << w.error;
        EXPECT_EQ(w.channels, 1);
        EXPECT_EQ(w.sampwidth, 2);
        EXPECT_EQ(w.rate, 44100);
        EXPECT_EQ(w.data, Le16Samples(c.samples));
    }
}

TEST(WaveLoader, SeriesWithoutNumbersIsAnEmptyWave)
{
    const std::string dir = MakeTempDir();
    for (const char* text : {"", "#only\n#comments\n", "\n\n \t\n"}) {
        SCOPED_TRACE(text);
        WriteText(dir + "/none.txt", text);
        TestLoader l(dir);
        EXPECT_EQ(l.ImportTimeSeries(dir + "/none.txt"), WaveLoadOutcome::Failed);
        EXPECT_EQ(l.messages, (Strings{"Wavefile ist leer."}));
        ExpectNotLoaded(l);
    }
    // A series that cannot be written out fails like an unreadable file.
    TestLoader l(dir + "/missing");
    WriteText(dir + "/one.txt", "5");
    EXPECT_EQ(l.ImportTimeSeries(dir + "/one.txt"), WaveLoadOutcome::Failed);
    EXPECT_EQ(l.messages, (Strings{"Read in AbbildArray failed. IN: DOC."}));
    ExpectNotLoaded(l);
}

// Data chunks of several MB go through the mapped buffers: every byte of the chosen channel
// arrives, checked against Python's reading of the same file.
TEST(WaveLoader, LargeFileThroughMappedBuffers)
{
    const std::string dir = MakeTempDir();
    const std::size_t frames = 2500000; // 10 MB of 16-bit stereo, 5 MB for the channel
    Bytes data(frames * 4);
    std::uint32_t x = 7;
    for (auto& b : data) {
        x = x * 1664525u + 1013904223u;
        b = static_cast<std::uint8_t>(x >> 24);
    }
    const std::string path = dir + "/large.wav";
    WriteFile(path, PcmWave(2, 44100, 16, data));
    TestLoader l(dir);
    l.answer = TestLoader::Answer::Right;
    ASSERT_EQ(l.Load(path), WaveLoadOutcome::Loaded);
    ASSERT_EQ(l.m_nWaveDataBytes, frames * 2);
    Bytes right;
    right.reserve(frames * 2);
    for (std::size_t f = 0; f < frames; ++f)
        right.insert(right.end(), data.begin() + static_cast<long>(4 * f + 2), data.begin() + static_cast<long>(4 * f + 4));
    EXPECT_TRUE(l.WaveData() == right);
    EXPECT_TRUE(l.PlayData() == right);
    EXPECT_TRUE(ReadWithPython(l.MonoCopyPath()).data == right);
    const auto address = reinterpret_cast<std::uintptr_t>(l.m_pWaveData.get());
    EXPECT_EQ(address % (2u << 20), 0u); // a huge-page aligned mapping
}
