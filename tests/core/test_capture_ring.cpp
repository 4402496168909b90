// The capture ring: block geometry from FFT size and frame size, notification counting, and
// RecordCapturedData's arithmetic (whole blocks only, every whole block since the last read,
// wrapped regions, sample conversion, record-write failures), against a fake device that
// writes known bytes.
#include "core/audio/CaptureGeometry.h"
#include "core/audio/CaptureRing.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// Bytes 0, 1, 2, ... continuing from a running counter, so every byte tells where it came from.
Bytes Ramp(std::size_t n, std::size_t& counter)
{
    Bytes b(n);
    for (auto& v : b)
        v = static_cast<std::uint8_t>(counter++ & 0xFF);
    return b;
}

} // namespace

TEST(CaptureGeometry, BlockSizeFromFftSizeAndFrame)
{
    struct Case { int n, align; std::uint32_t block; std::size_t samples; };
    const Case cases[] = {
        {1024, 2, 1024, 512},    // 16-bit mono: N/2 samples
        {1024, 1, 1024, 1024},   // 8-bit mono: N samples
        {256, 2, 256, 128},      {32768, 2, 32768, 16384}, {32768, 1, 32768, 32768},
        {1023, 2, 1022, 511},    // rounded down to whole frames
        {1000, 3, 999, 333},     // a 24-bit frame
        {1, 1, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.n) + " / " + std::to_string(c.align));
        const CaptureGeometry g = MakeCaptureGeometry(c.n, c.align);
        ASSERT_TRUE(g.IsValid());
        EXPECT_EQ(g.nBlockBytes, c.block);
        EXPECT_EQ(g.nBufferBytes, 16 * c.block);
        EXPECT_EQ(g.nBlockBytes / static_cast<std::uint32_t>(c.align), c.samples);
        EXPECT_EQ(g.NotificationOffset(0), c.block - 1);
        EXPECT_EQ(g.NotificationOffset(15), 16 * c.block - 1);
    }
    for (auto [n, a] : {std::pair{0, 2}, {-1024, 2}, {1024, 0}, {1, 2}, {1024, -1}, {0x7FFFFFFF, 1}})
        EXPECT_FALSE(MakeCaptureGeometry(n, a).IsValid()) << n << " / " << a;
}

TEST(CaptureRing, NoWholeBlockSendsNothing)
{
    CCaptureRing ring(MakeCaptureGeometry(64, 2));
    std::size_t counter = 0;
    std::vector<double> block{42.0};
    int writes = 0;
    const auto writer = [&](std::span<const std::uint8_t>) { ++writes; return true; };
    EXPECT_FALSE(ring.RecordCapturedData(block, 16, writer)); // nothing captured yet
    EXPECT_EQ(ring.Write(Ramp(63, counter)), 0u);              // one byte short of the first position
    EXPECT_FALSE(ring.RecordCapturedData(block, 16, writer));
    EXPECT_EQ(block, std::vector<double>{42.0});
    EXPECT_EQ(writes, 0);
    EXPECT_EQ(ring.GetNextOffset(), 0u);
    EXPECT_EQ(ring.Write(Ramp(1, counter)), 1u); // the byte at offset B - 1 signals
    EXPECT_TRUE(ring.RecordCapturedData(block, 16, writer));
    EXPECT_EQ(block.size(), 32u);
    EXPECT_EQ(writes, 1);
    EXPECT_EQ(ring.GetNextOffset(), 64u);
}

TEST(CaptureRing, EveryWholeBlockSinceTheLastReadTogether)
{
    // 8-bit: B = 16 bytes, ring 256 bytes. The device runs ahead by 3.5 blocks between reads,
    // so reads alternate between 3 and 4 blocks and the half block waits for the next one.
    const CaptureGeometry g = MakeCaptureGeometry(16, 1);
    CCaptureRing ring(g);
    std::size_t counter = 0, expectNext = 0;
    Bytes recorded;
    for (int round = 0; round < 20; ++round) {
        const std::size_t before = ring.GetCurrentPosition();
        const std::size_t passed = ring.Write(Ramp(56, counter));
        EXPECT_EQ(passed, (before + 56) / 16 - before / 16);
        std::vector<double> block;
        const bool sent = ring.RecordCapturedData(block, 8, [&](std::span<const std::uint8_t> r) {
            recorded.insert(recorded.end(), r.begin(), r.end());
            return true;
        });
        ASSERT_TRUE(sent);
        const std::size_t whole = (counter - expectNext) / 16 * 16;
        ASSERT_EQ(block.size(), whole);
        for (std::size_t k = 0; k < block.size(); ++k)
            ASSERT_EQ(block[k], static_cast<double>((expectNext + k) & 0xFF)) << round << " " << k;
        expectNext += whole;
        EXPECT_EQ(ring.GetNextOffset() % 16, 0u);
    }
    // The record file gets exactly the bytes handed over, in order, across every wrap.
    ASSERT_EQ(recorded.size(), expectNext);
    for (std::size_t k = 0; k < recorded.size(); ++k)
        ASSERT_EQ(recorded[k], k & 0xFF);
}

TEST(CaptureRing, WrappedLockGivesTwoRegions)
{
    const CaptureGeometry g = MakeCaptureGeometry(8, 2); // B = 8, ring 128
    CCaptureRing ring(g);
    std::size_t counter = 0;
    std::vector<double> block;
    ring.Write(Ramp(120, counter));
    ASSERT_TRUE(ring.RecordCapturedData(block, 16, nullptr));
    ASSERT_EQ(ring.GetNextOffset(), 120u);
    ring.Write(Ramp(24, counter)); // 8 bytes up to the end, 16 from the start
    std::vector<std::size_t> regions;
    ASSERT_TRUE(ring.RecordCapturedData(block, 16, [&](std::span<const std::uint8_t> r) {
        regions.push_back(r.size());
        return true;
    }));
    EXPECT_EQ(regions, (std::vector<std::size_t>{8, 16}));
    EXPECT_EQ(block.size(), 12u);
    EXPECT_EQ(ring.GetNextOffset(), 16u);
    // The samples continue the ramp across the wrap: bytes 120, 121 form the first word.
    EXPECT_EQ(block.front(), static_cast<double>(static_cast<std::int16_t>(120 | 121 << 8)));
    EXPECT_EQ(block.back(), static_cast<double>(static_cast<std::int16_t>(142 | 143 << 8)));
}

TEST(CaptureRing, SampleConversion)
{
    std::vector<double> block;
    CCaptureRing::AppendSamples(Bytes{0x00, 0x80, 0xFF, 0x7F, 0xFF, 0xFF, 0x01, 0x00, 0x00, 0x00}, 16, block);
    EXPECT_EQ(block, (std::vector<double>{-32768, 32767, -1, 1, 0}));
    block.clear();
    CCaptureRing::AppendSamples(Bytes{0, 128, 255, 1}, 8, block); // unsigned byte values, 128 = silence
    EXPECT_EQ(block, (std::vector<double>{0, 128, 255, 1}));
    CCaptureRing::AppendSamples(Bytes{0x34, 0x12, 0x99}, 16, block); // a lone trailing byte is no sample
    EXPECT_EQ(block.back(), 0x1234);
    EXPECT_EQ(block.size(), 5u);
}

TEST(CaptureRing, FailedRecordWriteSendsNothingAndRetries)
{
    CCaptureRing ring(MakeCaptureGeometry(4, 1)); // B = 4, ring 64
    std::size_t counter = 0;
    std::vector<double> block;
    ring.Write(Ramp(62, counter));
    ASSERT_TRUE(ring.RecordCapturedData(block, 8, nullptr)); // next = 60
    ring.Write(Ramp(10, counter));                             // R = 8: regions of 4 and 8 bytes
    int calls = 0;
    EXPECT_FALSE(ring.RecordCapturedData(block, 8, [&](std::span<const std::uint8_t>) { return ++calls != 2; }));
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(ring.GetNextOffset(), 0u); // past the written region, not past the failed one
    Bytes got;
    ASSERT_TRUE(ring.RecordCapturedData(block, 8, [&](std::span<const std::uint8_t> r) {
        got.insert(got.end(), r.begin(), r.end());
        return true;
    }));
    ASSERT_EQ(got.size(), 8u);
    EXPECT_EQ(got.front(), 64); // the failed region again, byte 64 of the stream
}

TEST(CaptureRing, OverrunKeepsTheLastLap)
{
    CCaptureRing ring(MakeCaptureGeometry(4, 1)); // ring 64
    std::size_t counter = 0;
    std::vector<double> block;
    // 200 bytes at once (the reader fell far behind): every notification is counted, and
    // the ring holds the newest 64 bytes; the read takes the whole blocks before R.
    EXPECT_EQ(ring.Write(Ramp(200, counter)), 50u);
    EXPECT_EQ(ring.GetCurrentPosition(), 200u % 64);
    ASSERT_TRUE(ring.RecordCapturedData(block, 8, nullptr));
    ASSERT_EQ(block.size(), 8u); // R = 8, next = 0
    for (std::size_t k = 0; k < 8; ++k)
        EXPECT_EQ(block[k], static_cast<double>(192 + k));
}
