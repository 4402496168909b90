// The candidate capture formats, the steps that open the sound devices with their failure texts,
// the primary-format choice, the capture-format scan and the device dialog's identifier table.
#include "core/audio/AudioTexts.h"
#include "core/audio/DeviceIdTable.h"
#include "core/audio/SoundDeviceSetup.h"

#include <gtest/gtest.h>

TEST(SoundDeviceSetup, CandidateFormatsAndListText)
{
    WaveFormat f;
    f.nChannels = 6; // the document's "nothing chosen" placeholder is overwritten
    for (auto [i, rate, bits] : {std::tuple{0, 8000u, 8}, {1, 8000u, 16}, {9, 44100u, 16}, {12, 64000u, 8}, {19, 192000u, 16}})
        EXPECT_TRUE(MakeCandidateFormat(i, f) && f == MakePcmFormat(1, rate, std::uint16_t(bits))) << i;
    EXPECT_FALSE(MakeCandidateFormat(-1, f) || MakeCandidateFormat(20, f) || f.nSamplesPerSec != 192000);
    EXPECT_EQ(CandidateFormatText(192000, 16, 1) + "|" + CandidateFormatText(44100, 8, 2),
              "192000 Hz, 16-bit Mono|44100 Hz, 8-bit Stereo");
}

namespace {
class FakeBackend : public ISoundDeviceBackend
{
public:
    bool ok[3] = {true, true, true}; // playback device, capture device, cooperative level
    bool refuseFinal = false;         // the second try of the chosen format fails
    CandidateSupport primaryAccepts{}, captureAccepts{};
    std::string calls;
    int primaryTries = 0;

    void ReleaseDevices() override { calls += "release "; }
    bool CreatePlaybackDevice() override { return calls += "playback ", ok[0]; }
    bool CreateCaptureDevice() override { return calls += "capture ", ok[1]; }
    bool SetCooperativeLevel() override { return calls += "level ", ok[2]; }
    int SetPrimaryBufferFormat(const WaveFormat& f) override
    {
        calls += std::to_string(IndexOf(f)) + " ";
        const bool final = ++primaryTries > kCandidateFormatCount;
        return IndexOf(f) >= 0 && primaryAccepts.at(IndexOf(f)) && !(final && refuseFinal) ? 0 : 1;
    }
    void ReleasePrimaryBuffer() override { calls += "free "; }
    void CreatePlaybackManager() override { calls += "manager"; }
    bool CanCaptureFormat(const WaveFormat& f) override { return IndexOf(f) >= 0 && captureAccepts.at(IndexOf(f)); }
    static int IndexOf(const WaveFormat& f) // the candidate number, -1 for none
    {
        WaveFormat c;
        int i = 0;
        while (MakeCandidateFormat(i, c) && !(c == f))
            ++i;
        return c == f ? i : -1;
    }
};
} // namespace

// Every candidate tried and released in order, the last accepted one (else 0) set again and kept.
TEST(SoundDeviceSetup, StepsFailuresAndThePrimaryFormat)
{
    std::string all = "release playback capture level ";
    for (int i = 0; i < kCandidateFormatCount; ++i)
        all += std::to_string(i) + " free ";
    struct Case { std::vector<int> accepted; int failing; bool refuseFinal; int primary; std::string calls, fail; };
    const Case cases[] = {
        {{0, 1, 2, 17, 18, 19}, -1, false, 19, all + "19 manager", ""},
        {{3, 9, 14}, -1, false, 14, all + "14 manager", ""}, // gaps: the highest number wins
        {{}, -1, false, -7, all + "0 ", AudioText::kFailPrimaryFormat}, // candidate 0, refused again
        {{5}, -1, true, -7, all + "5 ", "FAIL: Wiedergabeformat in InitSoundDevices"},
        {{5}, 0, false, -7, "release playback ", "FAIL: Wiedergabegerät des Audioservers in InitSoundDevices"},
        {{5}, 1, false, -7, "release playback capture ", "FAIL: Aufnahmegerät des Audioservers in InitSoundDevices"},
        {{5}, 2, false, -7, all.substr(0, 31), "FAIL: Freigabe des Wiedergabegeräts in InitSoundDevices"},
    };
    for (const Case& c : cases) {
        FakeBackend backend;
        for (int i : c.accepted)
            backend.primaryAccepts[std::size_t(i)] = backend.captureAccepts[std::size_t(i) ^ 1] = true;
        if (c.failing >= 0)
            backend.ok[c.failing] = false;
        backend.refuseFinal = c.refuseFinal;
        std::string messages;
        int primary = -7;
        EXPECT_EQ(InitSoundDevices(backend, [&](const std::string& m) { messages += m; }, &primary), c.fail != "");
        EXPECT_EQ(messages, c.fail);
        EXPECT_EQ(primary, c.primary);
        EXPECT_EQ(backend.calls, c.calls);
        CandidateSupport supported; // the capture-format scan marks each candidate
        supported.fill(true);
        ScanAvailableInputFormats(backend, supported);
        EXPECT_EQ(supported, backend.captureAccepts);
    }
}

TEST(DeviceIdTable, TwentyNamedDevicesAcrossBothLists)
{
    auto devices = [](const std::string& prefix, int n, const char* defaultName) {
        std::vector<SoundDeviceInfo> list{{"", defaultName}};
        for (int i = 0; i < n; ++i)
            list.push_back({prefix + std::to_string(i), "Gerät " + prefix + std::to_string(i)});
        return list;
    };
    CDeviceIdTable table;
    const auto captures = table.List(devices("in", 12, AudioText::kDefaultCaptureDevice));
    const auto outputs = table.List(devices("out", 12, AudioText::kDefaultPlaybackDevice)); // the default and 8 more
    const auto full = table.List(devices("x", 3, "d")), reset = (table.Reset(), table.List(devices("x", 3, "d")));
    EXPECT_EQ(std::vector<std::size_t>({captures.size(), outputs.size(), full.size(), reset.size()}),
              std::vector<std::size_t>({13, 9, 1, 4}));
    EXPECT_EQ(captures[12].description + "|" + outputs[0].description + "|" + outputs[8].id,
              "Gerät in11|Primärer Soundtreiber|out7");
}
