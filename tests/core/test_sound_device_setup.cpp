// The candidate capture formats, the order of steps that opens the sound devices with the
// exact failure texts, the primary-format choice, the capture-format scan and the 20-entry
// identifier table of the device dialog.
#include "core/audio/AudioTexts.h"
#include "core/audio/CaptureFormats.h"
#include "core/audio/DeviceIdTable.h"
#include "core/audio/SoundDeviceSetup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

TEST(CaptureFormats, CandidateTable)
{
    struct Case { int index; std::uint32_t rate; std::uint16_t bits; };
    const Case cases[] = {
        {0, 8000, 8},     {1, 8000, 16},   {2, 11025, 8},  {7, 32000, 16},
        {8, 44100, 8},    {9, 44100, 16},  {10, 48000, 8}, {15, 88200, 16},
        {17, 96000, 16},  {18, 192000, 8}, {19, 192000, 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        WaveFormat f;
        f.nChannels = 6; // the document's "nothing chosen" placeholder must be overwritten
        ASSERT_TRUE(MakeCandidateFormat(c.index, f));
        EXPECT_EQ(f.wFormatTag, WAVE_FORMAT_PCM);
        EXPECT_EQ(f.nChannels, 1);
        EXPECT_EQ(f.nSamplesPerSec, c.rate);
        EXPECT_EQ(f.wBitsPerSample, c.bits);
        EXPECT_EQ(f.nBlockAlign, c.bits / 8);
        EXPECT_EQ(f.nAvgBytesPerSec, c.rate * (c.bits / 8u));
        EXPECT_EQ(f.cbSize, 0);
    }
    WaveFormat untouched = MakePcmFormat(2, 1234, 16);
    const WaveFormat before = untouched;
    EXPECT_FALSE(MakeCandidateFormat(-1, untouched));
    EXPECT_FALSE(MakeCandidateFormat(20, untouched));
    EXPECT_EQ(untouched, before);
}

TEST(CaptureFormats, ListText)
{
    EXPECT_EQ(CandidateFormatText(8000, 8, 1), "8000 Hz, 8-bit Mono");
    EXPECT_EQ(CandidateFormatText(192000, 16, 1), "192000 Hz, 16-bit Mono");
    EXPECT_EQ(CandidateFormatText(44100, 16, 2), "44100 Hz, 16-bit Stereo");
}

namespace {

// A device layer that accepts what it is told to and records every call in order.
class FakeBackend : public ISoundDeviceBackend
{
public:
    bool playbackOk = true, captureOk = true, levelOk = true;
    CandidateSupport primaryAccepts{};  // by candidate number
    bool refuseFinal = false;           // the second try of the chosen format fails
    CandidateSupport captureAccepts{};
    std::vector<std::string> calls;
    int primaryTries = 0;
    bool primaryHeld = false;

    void ReleaseDevices() override { calls.push_back("release"); primaryHeld = false; }
    bool CreatePlaybackDevice() override { calls.push_back("playback"); return playbackOk; }
    bool CreateCaptureDevice() override { calls.push_back("capture"); return captureOk; }
    bool SetCooperativeLevel() override { calls.push_back("level"); return levelOk; }
    int SetPrimaryBufferFormat(const WaveFormat& f) override
    {
        ++primaryTries;
        const int i = IndexOf(f);
        calls.push_back("primary " + std::to_string(i));
        bool ok = i >= 0 && primaryAccepts[static_cast<std::size_t>(i)];
        if (primaryTries > kCandidateFormatCount && refuseFinal)
            ok = false;
        primaryHeld = ok;
        return ok ? 0 : 1;
    }
    void ReleasePrimaryBuffer() override { primaryHeld = false; }
    void CreatePlaybackManager() override { calls.push_back("manager"); }
    bool CanCaptureFormat(const WaveFormat& f) override
    {
        const int i = IndexOf(f);
        return i >= 0 && captureAccepts[static_cast<std::size_t>(i)];
    }

    static int IndexOf(const WaveFormat& f)
    {
        for (int i = 0; i < kCandidateFormatCount; ++i) {
            WaveFormat c;
            MakeCandidateFormat(i, c);
            if (c == f)
                return i;
        }
        return -1;
    }
};

} // namespace

TEST(SoundDeviceSetup, FailedStepsNameThemselves)
{
    struct Case { const char* name; bool playback, capture, level, refuseFinal; const char* message; };
    const Case cases[] = {
        {"playback device", false, true, true, false, "FAIL: Wiedergabegerät des Audioservers in InitSoundDevices"},
        {"capture device", true, false, true, false, "FAIL: Aufnahmegerät des Audioservers in InitSoundDevices"},
        {"cooperative level", true, true, false, false, "FAIL: Freigabe des Wiedergabegeräts in InitSoundDevices"},
        {"primary format", true, true, true, true, "FAIL: Wiedergabeformat in InitSoundDevices"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeBackend backend;
        backend.playbackOk = c.playback;
        backend.captureOk = c.capture;
        backend.levelOk = c.level;
        backend.refuseFinal = c.refuseFinal;
        backend.primaryAccepts.fill(true);
        std::vector<std::string> messages;
        int primary = -7;
        EXPECT_EQ(InitSoundDevices(backend, [&](const std::string& m) { messages.push_back(m); }, &primary), 1);
        EXPECT_EQ(messages, std::vector<std::string>{c.message});
        EXPECT_EQ(primary, -7);
        EXPECT_EQ(std::count(backend.calls.begin(), backend.calls.end(), "manager"), 0);
        EXPECT_EQ(backend.calls.front(), "release"); // always starts from nothing
    }
}

TEST(SoundDeviceSetup, PrimaryFormatIsTheLastAcceptedCandidate)
{
    struct Case { const char* name; std::vector<int> accepted; int chosen; };
    const Case cases[] = {
        {"everything: 192000 Hz, 16 bit", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19}, 19},
        {"up to 48000 Hz", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, 11},
        {"gaps: the highest number wins", {3, 9, 14}, 14},
        {"only 8 bit", {0, 2, 4, 6, 8}, 8},
        {"nothing: candidate 0", {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeBackend backend;
        for (int i : c.accepted)
            backend.primaryAccepts[static_cast<std::size_t>(i)] = true;
        EXPECT_EQ(ChoosePrimaryFormat(backend.primaryAccepts), c.chosen);
        std::vector<std::string> messages;
        int primary = -1;
        const int result =
            InitSoundDevices(backend, [&](const std::string& m) { messages.push_back(m); }, &primary);
        if (c.accepted.empty()) {
            // Candidate 0 is tried again and refused: the set-up fails.
            EXPECT_EQ(result, 1);
            EXPECT_EQ(messages, std::vector<std::string>{AudioText::kFailPrimaryFormat});
            continue;
        }
        EXPECT_EQ(result, 0);
        EXPECT_TRUE(messages.empty());
        EXPECT_EQ(primary, c.chosen);
        EXPECT_TRUE(backend.primaryHeld); // the primary buffer stays in the chosen format
        // release, playback, capture, level, 20 tries in candidate order, the chosen one, manager.
        ASSERT_EQ(backend.calls.size(), 4u + 20u + 2u);
        EXPECT_EQ((std::vector<std::string>(backend.calls.begin(), backend.calls.begin() + 4)),
                  (std::vector<std::string>{"release", "playback", "capture", "level"}));
        for (int i = 0; i < kCandidateFormatCount; ++i)
            EXPECT_EQ(backend.calls[4 + static_cast<std::size_t>(i)], "primary " + std::to_string(i));
        EXPECT_EQ(backend.calls[24], "primary " + std::to_string(c.chosen));
        EXPECT_EQ(backend.calls[25], "manager");
    }
}

TEST(SoundDeviceSetup, ScanMarksEachCandidate)
{
    FakeBackend backend;
    backend.captureAccepts[1] = backend.captureAccepts[9] = backend.captureAccepts[19] = true;
    CandidateSupport supported;
    supported.fill(true);
    ScanAvailableInputFormats(backend, supported);
    for (int i = 0; i < kCandidateFormatCount; ++i)
        EXPECT_EQ(supported[static_cast<std::size_t>(i)], i == 1 || i == 9 || i == 19) << i;
}

TEST(DeviceIdTable, TwentyNamedDevicesAcrossBothLists)
{
    auto devices = [](const char* prefix, int n, const char* defaultName) {
        std::vector<SoundDeviceInfo> list{{"", defaultName}};
        for (int i = 0; i < n; ++i)
            list.push_back({std::string(prefix) + std::to_string(i), std::string("Gerät ") + prefix + std::to_string(i)});
        return list;
    };
    CDeviceIdTable table;
    const auto captures = table.List(devices("in", 12, AudioText::kDefaultCaptureDevice));
    const auto outputs = table.List(devices("out", 12, AudioText::kDefaultPlaybackDevice));
    ASSERT_EQ(captures.size(), 13u);
    EXPECT_EQ(captures[0], (SoundDeviceInfo{"", "Primärer Soundaufnahmetreiber"}));
    EXPECT_EQ(captures[12].id, "in11");
    // Only 8 of the 12 outputs still fit; the default device is listed anyway, first.
    ASSERT_EQ(outputs.size(), 9u);
    EXPECT_EQ(outputs[0], (SoundDeviceInfo{"", "Primärer Soundtreiber"}));
    EXPECT_EQ(outputs[8].id, "out7");
    EXPECT_EQ(table.GetCount(), 20u);
    // Without a reset a second opening lists only the default devices.
    EXPECT_EQ(table.List(devices("x", 3, "d")).size(), 1u);
    table.Reset();
    EXPECT_EQ(table.List(devices("x", 3, "d")).size(), 4u);
}
