// The record file of a listening period: asked for when recording starts without a file,
// cancel leaves recording off, a file that cannot be created gives "Cannot create wave file."
// and failing writes, stopping completes the header (odd data padded), checked with Python's
// wave module as an independent reader.
#include "test_wave_util.h"

#include "core/audio/AudioTexts.h"
#include "core/audio/CaptureFormats.h"
#include "core/audio/CaptureRecorder.h"
#include "core/audio/CaptureRing.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace wavetest;

namespace {

WaveFormat Candidate(int i)
{
    WaveFormat f;
    MakeCandidateFormat(i, f);
    return f;
}

struct Asked
{
    explicit Asked(std::vector<std::string> a) : answers(std::move(a)) {}
    std::vector<std::string> answers; // next answers, "" = cancel
    int count = 0;
    std::vector<std::string> messages;
    CCaptureRecorder::AskFile ask()
    {
        return [this] {
            const std::string a = count < static_cast<int>(answers.size()) ? answers[static_cast<std::size_t>(count)] : "";
            ++count;
            return a;
        };
    }
    MessageCallback message()
    {
        return [this](const std::string& m) { messages.push_back(m); };
    }
};

} // namespace

TEST(CaptureRecorder, OddByteRecordingIsPaddedAndReadable)
{
    const std::string dir = MakeTempDir();
    CCaptureRecorder recorder(Candidate(0)); // 8000 Hz, 8 bit
    Asked asked({dir + "/odd.wav"});
    ASSERT_TRUE(recorder.StartRecording(asked.ask(), asked.message()));
    EXPECT_TRUE(recorder.IsRecording());
    const Bytes a = {0, 128, 255}, b = {7, 9, 11, 13};
    ASSERT_TRUE(recorder.WriteRegion(a));
    ASSERT_TRUE(recorder.WriteRegion(b));
    EXPECT_EQ(recorder.GetBytesWritten(), 7u);
    ASSERT_EQ(recorder.StopRecording(), S_OK);
    EXPECT_FALSE(recorder.IsRecording());
    EXPECT_FALSE(recorder.HasWriter());

    const Bytes file = ReadFile(dir + "/odd.wav");
    EXPECT_EQ(file.size() % 2, 0u);               // the pad byte is there
    EXPECT_EQ(Get32(file, 4), file.size() - 8);   // RIFF size covers everything after it
    const PyWave py = ReadWithPython(dir + "/odd.wav");
    ASSERT_TRUE(py.ok) << py.error;
    EXPECT_EQ(py.channels, 1);
    EXPECT_EQ(py.sampwidth, 1);
    EXPECT_EQ(py.rate, 8000);
    EXPECT_EQ(py.frames, 7);
    EXPECT_EQ(py.data, (Bytes{0, 128, 255, 7, 9, 11, 13}));
    EXPECT_EQ(asked.count, 1);
    EXPECT_TRUE(asked.messages.empty());
}

TEST(CaptureRecorder, AskingCancellingAndAskingAgain)
{
    const std::string dir = MakeTempDir();
    CCaptureRecorder recorder(Candidate(9));
    Asked asked({"", dir + "/one.wav", dir + "/two.wav"});
    // Cancelled: recording stays off and nothing is written.
    EXPECT_FALSE(recorder.StartRecording(asked.ask(), asked.message()));
    EXPECT_FALSE(recorder.IsRecording());
    EXPECT_FALSE(recorder.HasWriter());
    EXPECT_TRUE(recorder.WriteRegion(Bytes{1, 2}));
    // Chosen: the file is open, and starting again while it is open asks nothing.
    ASSERT_TRUE(recorder.StartRecording(asked.ask(), asked.message()));
    ASSERT_TRUE(recorder.StartRecording(asked.ask(), asked.message()));
    EXPECT_EQ(asked.count, 2);
    EXPECT_EQ(recorder.GetRecordFile(), dir + "/one.wav");
    ASSERT_TRUE(recorder.WriteRegion(Le16Samples({1000, -1000})));
    recorder.StopRecording();
    // After "Aufnahme Stop" the next "Aufnahme" asks again, so recording never runs without a file.
    ASSERT_TRUE(recorder.StartRecording(asked.ask(), asked.message()));
    EXPECT_EQ(asked.count, 3);
    EXPECT_EQ(recorder.GetRecordFile(), dir + "/two.wav");
    recorder.StopRecording();
    const PyWave one = ReadWithPython(dir + "/one.wav");
    ASSERT_TRUE(one.ok) << one.error;
    EXPECT_EQ(one.frames, 2);
    EXPECT_EQ(one.rate, 44100);
    EXPECT_EQ(one.sampwidth, 2);
    const PyWave two = ReadWithPython(dir + "/two.wav");
    ASSERT_TRUE(two.ok) << two.error;
    EXPECT_EQ(two.frames, 0);
}

TEST(CaptureRecorder, NotRecordingWritesNothing)
{
    const std::string dir = MakeTempDir();
    CCaptureRecorder recorder(Candidate(1));
    Asked asked({dir + "/r.wav"});
    ASSERT_TRUE(recorder.StartRecording(asked.ask(), asked.message()));
    ASSERT_TRUE(recorder.WriteRegion(Le16Samples({5})));
    {
        // Leaving the recorder (the end of listening) completes the file too.
        CCaptureRecorder other(Candidate(1));
        Asked a2({dir + "/s.wav"});
        ASSERT_TRUE(other.StartRecording(a2.ask(), a2.message()));
        ASSERT_TRUE(other.WriteRegion(Le16Samples({1, 2, 3})));
    }
    EXPECT_EQ(ReadWithPython(dir + "/s.wav").frames, 3);
    recorder.StopRecording();
    EXPECT_TRUE(recorder.WriteRegion(Le16Samples({6}))); // after the stop: accepted, not written
    EXPECT_EQ(ReadWithPython(dir + "/r.wav").frames, 1);
}

TEST(CaptureRecorder, FileThatCannotBeCreated)
{
    const std::string dir = MakeTempDir();
    CCaptureRecorder recorder(Candidate(1));
    Asked asked({dir + "/missing-dir/x.wav"});
    // Recording is on, the message names the failure, and every write fails until the stop.
    ASSERT_TRUE(recorder.StartRecording(asked.ask(), asked.message()));
    EXPECT_EQ(asked.messages, std::vector<std::string>{"Cannot create wave file."});
    EXPECT_TRUE(recorder.IsRecording());
    EXPECT_TRUE(recorder.HasWriter());
    EXPECT_FALSE(recorder.WriteRegion(Bytes{1, 2}));
    EXPECT_EQ(recorder.StopRecording(), S_OK);
    EXPECT_FALSE(recorder.HasWriter());
    struct stat st{};
    EXPECT_NE(stat((dir + "/missing-dir/x.wav").c_str(), &st), 0);
}

TEST(CaptureRecorder, RingToFileKeepsEveryByte)
{
    // 16-bit capture at N = 64: blocks of 32 samples; the file receives the bytes of every
    // block handed over, in order, also across the ring's wraps.
    const std::string dir = MakeTempDir();
    const WaveFormat format = Candidate(3); // 11025 Hz, 16 bit
    CCaptureRecorder recorder(format);
    Asked asked({dir + "/ring.wav"});
    ASSERT_TRUE(recorder.StartRecording(asked.ask(), asked.message()));
    CCaptureRing ring(MakeCaptureGeometry(64, format.nBlockAlign));
    std::vector<std::int16_t> sent;
    std::size_t delivered = 0;
    for (int i = 0; i < 3000; ++i)
        sent.push_back(static_cast<std::int16_t>(i * 37 - 30000));
    const Bytes bytes = Le16Samples(sent);
    for (std::size_t at = 0; at < bytes.size(); at += 100) {
        const std::size_t n = std::min<std::size_t>(100, bytes.size() - at);
        if (ring.Write(std::span(bytes).subspan(at, n)) == 0)
            continue;
        std::vector<double> block;
        ASSERT_TRUE(ring.RecordCapturedData(block, 16, [&](std::span<const std::uint8_t> r) {
            return recorder.WriteRegion(r);
        }));
        for (double v : block)
            ASSERT_EQ(v, sent[delivered++]);
    }
    recorder.StopRecording();
    const PyWave py = ReadWithPython(dir + "/ring.wav");
    ASSERT_TRUE(py.ok) << py.error;
    EXPECT_EQ(py.rate, 11025);
    EXPECT_EQ(static_cast<std::size_t>(py.frames), delivered);
    EXPECT_EQ(delivered, 3000u / 32 * 32); // the last partial block is never handed over
    EXPECT_EQ(py.data, Bytes(bytes.begin(), bytes.begin() + static_cast<long>(2 * delivered)));
}
