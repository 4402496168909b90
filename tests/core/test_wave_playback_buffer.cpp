// The playback buffer's data side: it holds the whole data chunk of its file; what the file
// cannot fill is silence (byte 128 for 8-bit data, 0 otherwise), or the data again when asked
// to repeat; creation reports the status codes of the audio classes.
#include "test_wave_util.h"

#include "core/audio/PlaybackBuffer.h"

#include <gtest/gtest.h>

using namespace wavetest;

TEST(PlaybackBuffer, HoldsTheWholeDataChunk)
{
    const std::string dir = MakeTempDir();
    const Bytes data = {1, 2, 3, 4, 5, 6, 7};
    WriteFile(dir + "/a.wav", PcmWave(1, 8000, 8, data));
    std::unique_ptr<CPlaybackBuffer> buffer;
    ASSERT_EQ(CPlaybackBuffer::Create(buffer, dir + "/a.wav", 2), S_OK);
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(buffer->GetBufferSize(), data.size());
    EXPECT_EQ(buffer->GetNumBuffers(), 2u);
    EXPECT_EQ(Bytes(buffer->GetBuffer(0).begin(), buffer->GetBuffer(0).end()), data);
    EXPECT_EQ(buffer->GetBuffer(1).data(), buffer->GetBuffer(0).data()); // a duplicate shares it
    EXPECT_TRUE(buffer->GetBuffer(2).empty());
    EXPECT_EQ(buffer->GetFormat().nSamplesPerSec, 8000u);
    // A refill after a lost buffer reads from the start of the data again.
    ASSERT_EQ(buffer->FillBufferWithSound(false), S_OK);
    EXPECT_EQ(Bytes(buffer->GetBuffer(0).begin(), buffer->GetBuffer(0).end()), data);
}

TEST(PlaybackBuffer, PadsWithSilenceOrRepeats)
{
    const std::string dir = MakeTempDir();
    struct Case { const char* name; int bits; Bytes data; std::size_t size; bool repeat; Bytes expect; };
    const Case cases[] = {
        {"8-bit padded with 128", 8, {1, 2, 3}, 6, false, {1, 2, 3, 128, 128, 128}},
        {"16-bit padded with 0", 16, {1, 2, 3, 4}, 7, false, {1, 2, 3, 4, 0, 0, 0}},
        {"repeated", 8, {1, 2, 3}, 8, true, {1, 2, 3, 1, 2, 3, 1, 2}},
        {"exact size", 16, {9, 8}, 2, true, {9, 8}},
        {"nothing to read is all silence", 8, {}, 4, true, {128, 128, 128, 128}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(dir + "/p.wav", PcmWave(1, 8000, static_cast<std::uint16_t>(c.bits), c.data));
        CRiffWaveFile file;
        ASSERT_EQ(file.Open(dir + "/p.wav", nullptr, WAVEFILE_READ), S_OK);
        Bytes out(c.size, 0x5A);
        EXPECT_EQ(CPlaybackBuffer::FillSoundBuffer(out.data(), out.size(), file, CPlaybackBuffer::SilenceFor(c.bits),
                                                   c.repeat),
                  S_OK);
        EXPECT_EQ(out, c.expect);
    }
}

TEST(PlaybackBuffer, CreationStatusCodes)
{
    const std::string dir = MakeTempDir();
    WriteFile(dir + "/ok.wav", PcmWave(1, 8000, 8, {1}));
    WriteFile(dir + "/empty.wav", PcmWave(1, 8000, 8, {}));
    WriteFile(dir + "/cut.wav", Riff(Concat({Chunk("fmt ", FmtBody(1, 1, 8000, 8)),
                                             ChunkWithSize("data", 0x7FFFFFFFu, {1, 2}, false)})));
    WriteFile(dir + "/text.wav", Bytes{'n', 'o'});
    struct Case { std::string path; unsigned count; HRESULT expect; };
    const Case cases[] = {
        {dir + "/ok.wav", 1, S_OK},           {"", 1, E_INVALIDARG},
        {dir + "/ok.wav", 0, E_INVALIDARG},   {dir + "/missing.wav", 1, E_FAIL},
        {dir + "/text.wav", 1, E_FAIL},       {dir + "/empty.wav", 1, E_FAIL},
        {dir + "/cut.wav", 1, E_FAIL},        // refused before 2 GB are allocated
    };
    for (const Case& c : cases) {
        std::unique_ptr<CPlaybackBuffer> buffer;
        EXPECT_EQ(CPlaybackBuffer::Create(buffer, c.path, c.count), c.expect) << c.path << " " << c.count;
        EXPECT_EQ(buffer != nullptr, c.expect == S_OK);
    }
}
