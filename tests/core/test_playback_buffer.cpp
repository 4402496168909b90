// CPlaybackBuffer: the data chunk in memory, silence (128 for 8-bit data, else 0) or the data again
// where the file cannot fill it, creation status codes, and the play state with a fake output.
#include "test_wave_util.h"

#include "core/audio/PlaybackBuffer.h"

#include <gtest/gtest.h>

using namespace wavetest;

static Bytes Ramp(std::size_t from, std::size_t n) // bytes (from + k) mod 100
{
    Bytes b;
    for (std::size_t k = 0; k < n; ++k)
        b.push_back(static_cast<std::uint8_t>((from + k) % 100));
    return b;
}

namespace {
class FakeOutput : public IPlaybackOutput
{
public:
    std::string calls;
    std::size_t unplayed = 0;
    void Start(unsigned i) override { calls += "start " + std::to_string(i) + ";"; }
    std::size_t Stop(unsigned i) override { return calls += "stop " + std::to_string(i) + ";", std::exchange(unplayed, 0); }
    std::size_t GetUnplayedBytes(unsigned) const override { return unplayed; }
};

// The buffer of an 8-bit file of the bytes 0 ... 99, played through a fake output.
struct Ramped
{
    std::unique_ptr<CPlaybackBuffer> b;
    FakeOutput* out = new FakeOutput;
    Ramped()
    {
        const std::string path = MakeTempDir() + "/ramp.wav";
        WriteFile(path, PcmWave(1, 8000, 8, Ramp(0, 100)));
        EXPECT_EQ(CPlaybackBuffer::Create(b, path, 1), S_OK);
        b->AttachOutput(std::unique_ptr<IPlaybackOutput>(out));
    }
    Bytes Render(std::size_t n) { Bytes r(n, 0xEE); return r.resize(b->Render(0, r.data(), n)), r; }
    std::size_t Position() const { std::size_t p = 12345; return b->GetCurrentPosition(0, &p) == S_OK ? p : 54321; }
};
} // namespace

TEST(PlaybackBuffer, CreationAndFilling)
{
    const std::string dir = MakeTempDir();
    const Bytes data = {1, 2, 3, 4, 5, 6, 7};
    WriteFile(dir + "/ok.wav", PcmWave(1, 8000, 8, data));
    WriteFile(dir + "/empty.wav", PcmWave(1, 8000, 8, {}));
    WriteFile(dir + "/cut.wav", Riff(Concat({Chunk("fmt ", FmtBody(1, 1, 8000, 8)), ChunkWithSize("data", ~0u, {}, 0)})));
    WriteFile(dir + "/text.wav", Bytes{'n', 'o'});
    const std::tuple<std::string, unsigned, HRESULT> cases[] = {
        {"", 1, E_INVALIDARG},    {"/ok.wav", 0, E_INVALIDARG}, {"/missing.wav", 1, E_FAIL},
        {"/text.wav", 1, E_FAIL}, {"/empty.wav", 1, E_FAIL},    {"/cut.wav", 1, E_FAIL}}; // cut: no 2 GB allocated
    for (const auto& [name, count, expect] : cases) {
        std::unique_ptr<CPlaybackBuffer> b;
        EXPECT_TRUE(CPlaybackBuffer::Create(b, name.empty() ? name : dir + name, count) == expect && !b) << name << count;
    }
    std::unique_ptr<CPlaybackBuffer> b;
    ASSERT_EQ(CPlaybackBuffer::Create(b, dir + "/ok.wav", 2), S_OK);
    EXPECT_EQ(std::vector<std::size_t>({b->GetBufferSize(), b->GetNumBuffers(), b->GetFormat().nSamplesPerSec}),
              std::vector<std::size_t>({7, 2, 8000}));
    ASSERT_EQ(b->FillBufferWithSound(false), S_OK); // a refill reads from the start of the data again
    EXPECT_EQ(Bytes(b->GetBuffer(0).begin(), b->GetBuffer(0).end()), data);
    EXPECT_TRUE(b->GetBuffer(1).data() == b->GetBuffer(0).data() && b->GetBuffer(2).empty()); // duplicates share it
    struct Fill { std::uint16_t bits; Bytes data; std::size_t size; bool repeat; Bytes expect; };
    const Fill fills[] = {{8, {1, 2, 3}, 6, false, {1, 2, 3, 128, 128, 128}}, {16, {1, 2, 3, 4}, 6, 0, {1, 2, 3, 4, 0, 0}},
                          {8, {1, 2, 3}, 8, true, {1, 2, 3, 1, 2, 3, 1, 2}}, {8, {}, 3, true, {128, 128, 128}}};
    for (const Fill& c : fills) {
        WriteFile(dir + "/p.wav", PcmWave(1, 8000, c.bits, c.data));
        CRiffWaveFile file;
        Bytes out(c.size, 0x5A);
        const std::uint8_t silence = CPlaybackBuffer::SilenceFor(c.bits);
        EXPECT_TRUE(file.Open(dir + "/p.wav", nullptr, WAVEFILE_READ) == S_OK &&
                    CPlaybackBuffer::FillSoundBuffer(out.data(), out.size(), file, silence, c.repeat) == S_OK);
        EXPECT_EQ(out, c.expect) << c.bits << " bits, " << c.size << (c.repeat ? " repeated" : "");
    }
}

// A run ends with the data but sounds while the output holds bytes; a loop wraps without a gap;
// moving while playing restarts the output; a lost buffer stops until Play restores it.
TEST(PlaybackBuffer, RunsLoopsPositionsAndLostBuffers)
{
    Ramped r;
    EXPECT_TRUE(r.Render(10).empty()); // not playing yet
    ASSERT_EQ(r.b->Play(0, 0), S_OK);
    EXPECT_EQ(r.Render(60), Ramp(0, 60));
    EXPECT_EQ(r.Render(60), Ramp(60, 40));
    r.out->unplayed = 30;
    EXPECT_TRUE(r.b->IsSoundPlaying() && r.Position() == 70);
    r.out->unplayed = 0;
    EXPECT_TRUE(!r.b->IsSoundPlaying() && r.Position() == 100);
    ASSERT_EQ(r.b->Play(0, DSBPLAY_LOOPING), S_OK); // the next run starts over
    EXPECT_EQ(r.Render(90), Ramp(0, 90));
    EXPECT_EQ(r.Render(230), Ramp(90, 230));
    EXPECT_EQ(r.Position(), 20u);
    r.out->unplayed = 7;
    EXPECT_EQ(r.b->SetCurrentPosition(0, 10), S_OK);
    EXPECT_EQ(r.Render(1), Ramp(10, 1));
    r.b->Stop();
    std::size_t p = 0;
    using H = std::vector<HRESULT>;
    EXPECT_EQ(H({r.b->SetCurrentPosition(0, 55), r.b->SetCurrentPosition(0, 100), r.b->SetCurrentPosition(1, 5),
                 r.b->GetCurrentPosition(0, nullptr), r.b->GetCurrentPosition(3, &p)}),
              H({S_OK, E_INVALIDARG, E_INVALIDARG, E_INVALIDARG, E_INVALIDARG}));
    EXPECT_EQ(r.Position(), 55u);
    EXPECT_EQ(r.out->calls, "start 0;start 0;stop 0;start 0;stop 0;"); // an idle buffer only moves
    ASSERT_EQ(r.b->Play(0, DSBPLAY_LOOPING), S_OK);
    r.b->MarkLost(0);
    EXPECT_TRUE(r.b->IsLost(0) && !r.b->IsSoundPlaying() && r.Render(5).empty());
    ASSERT_EQ(r.b->Play(0, DSBPLAY_LOOPING), S_OK);
    EXPECT_EQ(r.Render(3), Ramp(0, 3));
    bool restored[2] = {true, false};
    EXPECT_EQ(r.b->RestoreBuffer(0, &restored[0]), S_OK);
    r.b->MarkLost(0);
    EXPECT_TRUE(r.b->RestoreBuffer(0, &restored[1]) == S_OK && !restored[0] && restored[1] && !r.b->IsLost(0));
    EXPECT_EQ(r.b->Reset(), S_OK);
    EXPECT_EQ(r.Position(), 0u);
}

TEST(PlaybackBuffer, StopResumesWhereTheListenerWas)
{
    struct Case { const char* name; std::uint32_t flags; std::size_t rendered, unplayed, resume; };
    const Case cases[] = {{"nothing held", 0, 70, 0, 70},
                          {"held bytes are played again", 0, 70, 30, 40},
                          {"looping, held bytes reach back over the start", DSBPLAY_LOOPING, 130, 50, 80},
                          {"looping, more held than rendered this lap", DSBPLAY_LOOPING, 210, 25, 85}};
    for (const Case& c : cases) {
        Ramped r;
        ASSERT_EQ(r.b->Play(0, c.flags), S_OK);
        r.Render(c.rendered);
        r.out->unplayed = c.unplayed;
        const std::size_t shown = r.Position(); // what the overview cursor shows while playing
        ASSERT_TRUE(r.b->Stop() == S_OK && !r.b->IsSoundPlaying());
        EXPECT_EQ(std::vector<std::size_t>({shown, r.Position()}), std::vector<std::size_t>(2, c.resume)) << c.name;
        ASSERT_EQ(r.b->Play(0, c.flags), S_OK);
        EXPECT_EQ(r.Render(1), Ramp(c.resume, 1)) << c.name;
        EXPECT_EQ(r.out->calls, "start 0;stop 0;start 0;");
    }
}
