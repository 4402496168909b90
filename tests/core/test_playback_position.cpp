// The playback buffer's play state: rendering and looping without a gap, the end of a single
// run, stopping and resuming at what was heard (with a fake output that holds unplayed bytes),
// positions, lost buffers and the silence of 8-bit data.
#include "test_wave_util.h"

#include "core/audio/PlaybackBuffer.h"

#include <gtest/gtest.h>

#include <numeric>

using namespace wavetest;

namespace {

// Bytes 0 ... n-1 (mod 256) as an 8-bit file.
std::unique_ptr<CPlaybackBuffer> RampBuffer(const std::string& dir, std::size_t n, unsigned count = 1)
{
    Bytes data(n);
    for (std::size_t i = 0; i < n; ++i)
        data[i] = static_cast<std::uint8_t>(i & 0xFF);
    WriteFile(dir + "/ramp.wav", PcmWave(1, 8000, 8, data));
    std::unique_ptr<CPlaybackBuffer> buffer;
    EXPECT_EQ(CPlaybackBuffer::Create(buffer, dir + "/ramp.wav", count), S_OK);
    return buffer;
}

Bytes Render(CPlaybackBuffer& b, std::size_t n, unsigned i = 0)
{
    Bytes out(n, 0xEE);
    out.resize(b.Render(i, out.data(), n));
    return out;
}

// An output that takes what it is told to and holds a settable number of unplayed bytes.
class FakeOutput : public IPlaybackOutput
{
public:
    std::vector<std::string> calls;
    std::size_t unplayed = 0;
    void Start(unsigned i) override { calls.push_back("start " + std::to_string(i)); }
    std::size_t Stop(unsigned i) override
    {
        calls.push_back("stop " + std::to_string(i));
        return std::exchange(unplayed, 0);
    }
    std::size_t GetUnplayedBytes(unsigned) const override { return unplayed; }
};

std::size_t Position(const CPlaybackBuffer& b, unsigned i = 0)
{
    std::size_t p = 12345;
    EXPECT_EQ(b.GetCurrentPosition(i, &p), S_OK);
    return p;
}

} // namespace

TEST(PlaybackPosition, SingleRunStopsAtTheEndAndStartsOverNextTime)
{
    const auto b = RampBuffer(MakeTempDir(), 100);
    EXPECT_TRUE(Render(*b, 10).empty()); // not playing yet
    ASSERT_EQ(b->Play(0, 0), S_OK);
    EXPECT_TRUE(b->IsSoundPlaying());
    EXPECT_EQ(Render(*b, 60).size(), 60u);
    EXPECT_EQ(Position(*b), 60u);
    const Bytes tail = Render(*b, 60);
    ASSERT_EQ(tail.size(), 40u);
    EXPECT_EQ(tail.front(), 60);
    EXPECT_EQ(tail.back(), 99);
    EXPECT_FALSE(b->IsSoundPlaying());
    EXPECT_EQ(Position(*b), 100u); // the listener is at the end
    ASSERT_EQ(b->Play(0, 0), S_OK);
    EXPECT_EQ(Render(*b, 1).front(), 0);
}

TEST(PlaybackPosition, LoopWrapsWithoutAGap)
{
    const auto b = RampBuffer(MakeTempDir(), 100);
    ASSERT_EQ(b->Play(0, DSBPLAY_LOOPING), S_OK);
    Render(*b, 90);
    const Bytes across = Render(*b, 230); // 10 to the end, two whole laps, 20 more
    ASSERT_EQ(across.size(), 230u);
    for (std::size_t k = 0; k < across.size(); ++k)
        ASSERT_EQ(across[k], (90 + k) % 100) << k;
    EXPECT_TRUE(b->IsSoundPlaying());
    EXPECT_EQ(Position(*b), 20u);
}

TEST(PlaybackPosition, StopResumesWhereTheListenerWas)
{
    struct Case { const char* name; std::uint32_t flags; std::size_t rendered, unplayed, resume; };
    const Case cases[] = {
        {"nothing held", 0, 70, 0, 70},
        {"held bytes are played again", 0, 70, 30, 40},
        {"looping, held bytes reach back over the start", DSBPLAY_LOOPING, 130, 50, 80},
        {"looping, more held than rendered this lap", DSBPLAY_LOOPING, 210, 25, 85},
    };
    const std::string dir = MakeTempDir();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto b = RampBuffer(dir, 100);
        auto output = std::make_unique<FakeOutput>();
        FakeOutput* out = output.get();
        b->AttachOutput(std::move(output));
        ASSERT_EQ(b->Play(0, c.flags), S_OK);
        Render(*b, c.rendered);
        out->unplayed = c.unplayed;
        EXPECT_EQ(Position(*b), c.resume); // what the overview cursor shows while playing
        ASSERT_EQ(b->Stop(), S_OK);
        EXPECT_FALSE(b->IsSoundPlaying());
        EXPECT_EQ(Position(*b), c.resume);
        ASSERT_EQ(b->Play(0, c.flags), S_OK);
        EXPECT_EQ(Render(*b, 1).front(), c.resume);
        EXPECT_EQ(out->calls, (std::vector<std::string>{"start 0", "stop 0", "start 0"}));
    }
}

TEST(PlaybackPosition, ResetAndSetPosition)
{
    const auto b = RampBuffer(MakeTempDir(), 100);
    auto output = std::make_unique<FakeOutput>();
    FakeOutput* out = output.get();
    b->AttachOutput(std::move(output));
    EXPECT_EQ(b->SetCurrentPosition(0, 55), S_OK);
    EXPECT_EQ(Position(*b), 55u);
    EXPECT_TRUE(out->calls.empty()); // an idle buffer only moves
    EXPECT_EQ(b->SetCurrentPosition(0, 100), E_INVALIDARG);
    EXPECT_EQ(b->SetCurrentPosition(1, 5), E_INVALIDARG);
    EXPECT_EQ(Position(*b), 55u);
    ASSERT_EQ(b->Play(0, 0), S_OK);
    EXPECT_EQ(Render(*b, 1).front(), 55);
    // While playing, the output drops what it holds and starts again from the new place.
    out->unplayed = 7;
    EXPECT_EQ(b->SetCurrentPosition(0, 10), S_OK);
    EXPECT_EQ(out->calls, (std::vector<std::string>{"start 0", "stop 0", "start 0"}));
    EXPECT_EQ(Render(*b, 1).front(), 10);
    b->Stop();
    EXPECT_EQ(b->Reset(), S_OK);
    EXPECT_EQ(Position(*b), 0u);
    std::size_t p = 0;
    EXPECT_EQ(b->GetCurrentPosition(0, nullptr), E_INVALIDARG);
    EXPECT_EQ(b->GetCurrentPosition(3, &p), E_INVALIDARG);
}

TEST(PlaybackPosition, EndOfDataStillSoundsUntilTheOutputIsEmpty)
{
    const auto b = RampBuffer(MakeTempDir(), 100);
    auto output = std::make_unique<FakeOutput>();
    FakeOutput* out = output.get();
    b->AttachOutput(std::move(output));
    ASSERT_EQ(b->Play(0, 0), S_OK);
    Render(*b, 200);
    out->unplayed = 30;
    EXPECT_TRUE(b->IsSoundPlaying());
    EXPECT_EQ(Position(*b), 70u);
    out->unplayed = 0;
    EXPECT_FALSE(b->IsSoundPlaying());
    EXPECT_EQ(Position(*b), 100u);
}

TEST(PlaybackPosition, LostBufferIsRestoredRefilledAndStartsAtZero)
{
    const auto b = RampBuffer(MakeTempDir(), 100);
    ASSERT_EQ(b->Play(0, DSBPLAY_LOOPING), S_OK);
    Render(*b, 42);
    b->MarkLost(0);
    EXPECT_TRUE(b->IsLost(0));
    EXPECT_FALSE(b->IsSoundPlaying());
    EXPECT_TRUE(Render(*b, 5).empty());
    ASSERT_EQ(b->Play(0, DSBPLAY_LOOPING), S_OK);
    EXPECT_FALSE(b->IsLost(0));
    const Bytes again = Render(*b, 3);
    EXPECT_EQ(again, (Bytes{0, 1, 2}));
    bool restored = true;
    EXPECT_EQ(b->RestoreBuffer(0, &restored), S_OK);
    EXPECT_FALSE(restored);
    b->MarkLost(0);
    EXPECT_EQ(b->RestoreBuffer(0, &restored), S_OK);
    EXPECT_TRUE(restored);
}

TEST(PlaybackPosition, PlayPicksAnIdleBuffer)
{
    const auto b = RampBuffer(MakeTempDir(), 100, 2);
    unsigned first = 9, second = 9, third = 9;
    ASSERT_EQ(b->Play(0, 0, &first), S_OK);
    ASSERT_EQ(b->Play(0, 0, &second), S_OK);
    EXPECT_EQ(first, 0u);
    EXPECT_EQ(second, 1u);
    ASSERT_EQ(b->Play(0, 0, &third), S_OK); // all play: one of them
    EXPECT_LT(third, 2u);
    Render(*b, 30, 0);
    EXPECT_EQ(Render(*b, 1, 1).front(), 0); // each buffer has its own position
    b->Stop();
    EXPECT_FALSE(b->IsSoundPlaying());
}

TEST(PlaybackPosition, EightBitSilenceIs128)
{
    // A data chunk that declares more than its file holds is refused; one that ends exactly is
    // played as is; the silence value is what fills a buffer the file cannot fill.
    const std::string dir = MakeTempDir();
    WriteFile(dir + "/s8.wav", PcmWave(1, 8000, 8, Bytes{}));
    CRiffWaveFile empty8;
    ASSERT_EQ(empty8.Open(dir + "/s8.wav", nullptr, WAVEFILE_READ), S_OK);
    Bytes out(5, 0);
    ASSERT_EQ(CPlaybackBuffer::FillSoundBuffer(out.data(), out.size(), empty8, CPlaybackBuffer::SilenceFor(8), false), S_OK);
    EXPECT_EQ(out, Bytes(5, 128));
    EXPECT_EQ(CPlaybackBuffer::SilenceFor(16), 0);
    WriteFile(dir + "/short8.wav", PcmWave(1, 8000, 8, Bytes{1, 2}));
    CRiffWaveFile short8;
    ASSERT_EQ(short8.Open(dir + "/short8.wav", nullptr, WAVEFILE_READ), S_OK);
    ASSERT_EQ(CPlaybackBuffer::FillSoundBuffer(out.data(), out.size(), short8, CPlaybackBuffer::SilenceFor(8), false), S_OK);
    EXPECT_EQ(out, (Bytes{1, 2, 128, 128, 128}));
}
