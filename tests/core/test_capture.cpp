// Capturing: the ring's geometry, every whole block handed over once, and the record file of a
// listening period read back by Python's wave module.
#include "CliRunner.h"
#include "test_wave_util.h"

#include "core/audio/CaptureRecorder.h"
#include "core/audio/CaptureRing.h"
#include "core/audio/RiffWaveFile.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include <sys/wait.h>
#include <unistd.h>

using namespace wavetest;

// The block B = N rounded down to whole frames (16-bit mono: N/2 samples, 8-bit: N), ring 16 B.
// Then 16-bit, B = 8, ring 128; the device writes stream bytes 0, 1, 2, ... (mod 256) at s mod 128.
TEST(CaptureRing, GeometryAndEveryWholeBlockOnce)
{
    using U = std::vector<std::uint32_t>;
    for (auto [n, align, b] : {std::tuple{1024, 2, 1024u}, {1024, 1, 1024u}, {1023, 2, 1022u}, {1000, 3, 999u}}) {
        const CaptureGeometry g = MakeCaptureGeometry(n, align);
        EXPECT_EQ(U({g.nBlockBytes, g.nBufferBytes, g.NotificationOffset(0), g.NotificationOffset(15)}),
                  U({b, 16 * b, b - 1, 16 * b - 1})) << n << " / " << align;
    }
    for (auto [n, a] : {std::pair{0, 2}, {-1024, 2}, {1024, 0}, {1, 2}, {1024, -1}, {0x7FFFFFFF, 1}})
        EXPECT_FALSE(MakeCaptureGeometry(n, a).IsValid()) << n << " / " << a;
    struct Step { const char* name; std::size_t write, passed; bool sent; std::vector<std::size_t> regions;
                  std::size_t from; std::size_t failing = 0; };
    const Step steps[] = {
        {"nothing captured", 0, 0, false, {}, 0},
        {"one byte short of the first notification", 7, 0, false, {}, 0},
        {"the byte at B - 1 signals", 1, 1, true, {8}, 0},
        {"14 blocks at once", 112, 14, true, {112}, 8},
        {"across the end: two regions", 24, 3, true, {8, 16}, 120},
        {"less than a block waits", 3, 0, false, {}, 0},
        {"overrun: the newest lap, whole blocks before R", 300, 37, true, {40}, 400},
        {"wrapping read whose second region fails", 80, 10, false, {72, 8}, 440, 2},
        {"the failed region again", 0, 0, true, {8}, 512},
    };
    CCaptureRing ring(MakeCaptureGeometry(8, 2));
    std::size_t stream = 0, next = 0;
    std::vector<double> block{42.0}, expect{42.0}; // left alone when nothing is sent
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        std::vector<std::uint8_t> data(s.write), bytes, ramp;
        for (auto& b : data)
            b = static_cast<std::uint8_t>(stream++);
        EXPECT_EQ(ring.Write(data), s.passed);
        EXPECT_EQ(ring.GetCurrentPosition(), stream % 128);
        std::vector<std::size_t> regions;
        EXPECT_EQ(ring.RecordCapturedData(block, 16, [&](std::span<const std::uint8_t> r) {
            regions.push_back(r.size());
            bytes.insert(bytes.end(), r.begin(), r.end());
            return regions.size() != s.failing;
        }), s.sent);
        EXPECT_EQ(regions, s.regions);
        for (std::size_t k = 0; k < bytes.size(); ++k)
            ramp.push_back(static_cast<std::uint8_t>(s.from + k));
        EXPECT_EQ(bytes, ramp);
        if (!regions.empty()) {
            expect.clear();
            for (std::size_t k = 0; k < ramp.size(); k += 2)
                expect.push_back(static_cast<std::int16_t>(ramp[k] | ramp[k + 1] << 8));
            next = (s.from + (s.failing ? s.regions[0] : bytes.size())) % 128; // a failed region is read again
        }
        EXPECT_EQ(block, expect);
        EXPECT_EQ(ring.GetNextOffset(), next);
    }
    ring.Write(std::vector<std::uint8_t>(1, 0)); // without a record file
    EXPECT_TRUE(ring.RecordCapturedData(block, 16, nullptr) && ring.GetNextOffset() == 16);
    block.clear();
    CCaptureRing::AppendSamples(std::vector<std::uint8_t>{0, 128, 255, 1}, 8, block); // unsigned bytes, 128 = silence
    CCaptureRing::AppendSamples(std::vector<std::uint8_t>{0x00, 0x80, 0xFF, 0x7F, 0x34}, 16, block); // no lone byte
    EXPECT_EQ(block, (std::vector<double>{0, 128, 255, 1, -32768, 32767}));
}

// Cancel: off. A file that cannot be created: its message, failing writes. After a stop it asks
// again, not while a file is open; stopping or leaving the recorder completes the file, padded.
TEST(CaptureRecorder, AsksRecordsAndCompletesTheFile)
{
    const std::string dir = MakeTempDir(), missing = dir + "/missing-dir/x.wav";
    const std::vector<std::string> answers = {"", missing, dir + "/odd.wav", dir + "/s.wav"}; // "": cancelled
    std::vector<std::string> messages;
    std::size_t asked = 0;
    const auto ask = [&] { return answers.at(asked++); };
    const auto message = [&](const std::string& m) { messages.push_back(m); };
    CCaptureRecorder recorder(MakePcmFormat(1, 8000, 8));
    EXPECT_FALSE(recorder.StartRecording(ask, message));
    EXPECT_FALSE(recorder.IsRecording() || recorder.HasWriter());
    EXPECT_TRUE(recorder.WriteRegion(Bytes{1, 2}));
    ASSERT_TRUE(recorder.StartRecording(ask, message));
    EXPECT_EQ(messages, std::vector<std::string>{"Cannot create wave file."});
    EXPECT_TRUE(recorder.IsRecording() && recorder.HasWriter() && !recorder.WriteRegion(Bytes{1, 2}));
    EXPECT_EQ(recorder.StopRecording(), S_OK);
    EXPECT_FALSE(std::filesystem::exists(missing));
    ASSERT_TRUE(recorder.StartRecording(ask, message));
    ASSERT_TRUE(recorder.StartRecording(ask, message));
    EXPECT_EQ(asked, 3u);
    EXPECT_EQ(recorder.GetRecordFile(), dir + "/odd.wav");
    ASSERT_TRUE(recorder.WriteRegion(Bytes{0, 128, 255}) && recorder.WriteRegion(Bytes{7, 9, 11, 13}));
    EXPECT_EQ(recorder.GetBytesWritten(), 7u);
    ASSERT_EQ(recorder.StopRecording(), S_OK);
    EXPECT_FALSE(recorder.IsRecording() || recorder.HasWriter());
    EXPECT_TRUE(recorder.WriteRegion(Bytes{6})); // after the stop: accepted, not written
    const PyWave py = ReadWithPython(dir + "/odd.wav");
    EXPECT_EQ(py.header, (std::vector<int>{1, 1, 8000, 7})) << py.error;
    EXPECT_EQ(py.data, (Bytes{0, 128, 255, 7, 9, 11, 13}));
    {
        CCaptureRecorder other(MakePcmFormat(1, 44100, 16));
        ASSERT_TRUE(other.StartRecording(ask, message));
        ASSERT_TRUE(other.WriteRegion(Le16Samples({1, 2, 3})));
    }
    EXPECT_EQ(ReadWithPython(dir + "/s.wav").header, (std::vector<int>{1, 2, 44100, 3}));
    EXPECT_EQ(messages.size(), 1u);
}

// A recording stops before passing its size limit (23 -> 20 bytes of 4-byte blocks); the file is
// complete. By default the limit is what the 32-bit RIFF size leaves after our header, even.
TEST(CaptureRecorder, StopsAtTheSizeLimit)
{
    const std::string path = MakeTempDir() + "/limit.wav";
    CCaptureRecorder recorder(MakePcmFormat(2, 8000, 16), {}, 23), exact(MakePcmFormat(1, 8000, 8), {}, 3);
    ASSERT_TRUE(recorder.StartRecording([&] { return path; }, nullptr) && recorder.GetMaxDataBytes() == 20);
    ASSERT_TRUE(recorder.WriteRegion(Le16Samples({1, 2, 3, 4})) && recorder.WriteRegion(Le16Samples({5, 6, 7, 8})));
    EXPECT_TRUE(recorder.IsRecording() && !recorder.TakeLimitReached());
    ASSERT_TRUE(recorder.WriteRegion(Le16Samples({9, 10, 11, 12})));
    EXPECT_FALSE(recorder.IsRecording() || recorder.HasWriter() || !recorder.TakeLimitReached() || recorder.TakeLimitReached());
    EXPECT_TRUE(recorder.WriteRegion(Bytes(4, 1)));
    const PyWave py = ReadWithPython(path);
    EXPECT_EQ(py.header, (std::vector<int>{2, 2, 8000, 5})) << py.error;
    EXPECT_EQ(py.data, Le16Samples({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    ASSERT_TRUE(exact.StartRecording([&] { return path + "2"; }, nullptr) && exact.WriteRegion(Bytes(3, 1)));
    EXPECT_TRUE(exact.IsRecording() && !exact.TakeLimitReached()); // reaching the limit is no reason to stop
    WaveFormat ext = MakePcmFormat(2, 44100, 16);
    ext.wFormatTag = WAVE_FORMAT_EXTENSIBLE, ext.cbSize = 22; // "fmt " of 40 bytes: 72 header bytes
    EXPECT_EQ(std::vector<std::uint64_t>({CCaptureRecorder(MakePcmFormat(1, 8000, 8)).GetMaxDataBytes(),
                                           CCaptureRecorder(MakePcmFormat(2, 8000, 24)).GetMaxDataBytes(),
                                           CCaptureRecorder(ext).GetMaxDataBytes()}),
              std::vector<std::uint64_t>({0xFFFFFFFFu - 48 - 1, 0xFFFFFFFFu - 48 - 3, 0xFFFFFFFFu - 72 - 3}));
}

// A recording whose program is killed (SIGKILL, so nothing completes the header): every region
// written before is in the file, and the reader takes the sizes the header lacks from the file's
// length, whole samples only; resoni-analyze loads it as any other file.
TEST(CaptureRecorder, AKilledRecordingKeepsEveryRegionWrittenBefore)
{
    const std::string path = MakeTempDir() + "/killed.wav";
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        CCaptureRecorder recorder(MakePcmFormat(1, 8000, 16));
        if (!recorder.StartRecording([&] { return path; }, [](const std::string&) {}))
            _exit(2);
        recorder.WriteRegion(Le16Samples({100, -200, 300}));
        recorder.WriteRegion(Le16Samples({-400, 500, -600}));
        recorder.WriteRegion(Bytes{0x11}); // half a sample: not a whole one
        raise(SIGKILL);
        _exit(3);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status;

    CRiffWaveFile file;
    ASSERT_EQ(file.Open(path, nullptr, WAVEFILE_READ), S_OK);
    ASSERT_EQ(file.GetSizeAvailable(), 12u);
    Bytes data(12);
    std::size_t got = 0;
    ASSERT_EQ(file.Read(data.data(), data.size(), &got), S_OK);
    EXPECT_EQ(data, Le16Samples({100, -200, 300, -400, 500, -600}));
    const CliResult info = runCli({"info", path});
    EXPECT_EQ(info.exitCode, 0) << info.err;
    EXPECT_NE(info.out.find(",12,6,"), std::string::npos) << info.out; // data bytes, samples
}
