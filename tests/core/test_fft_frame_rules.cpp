// Which samples form the analysed frame: the selection's transform size, the live-capture block
// counter and the playback window.
#include "core/spectral/FrameRules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

TEST(FrameRules, SelectionTakesTheLargestPowerOfTwoThatFits)
{
    struct Case
    {
        std::int64_t samples;
        int size;
    };
    const Case cases[] = {{1000, 512}, {1024, 1024}, {1023, 512}, {1025, 1024}, {1, 1},
                          {2, 2},      {3, 2},       {0, 0},      {-5, 0},      {65535, 32768},
                          {std::int64_t{1} << 40, 1 << 30}};
    for (const Case& c : cases)
        EXPECT_EQ(SelectionFFTSize(c.samples), c.size) << c.samples << " samples";
}

TEST(FrameRules, SelectionOfSixteenBitDataStartsOnAnEvenSample)
{
    const SelectionFrame sixteen = SelectionFrameFor(1001, 2025, 16);
    EXPECT_EQ(sixteen.first, 1000);
    EXPECT_EQ(sixteen.end, 2025);
    EXPECT_EQ(sixteen.nFFTSize, 1024); // 1025 samples
    const SelectionFrame eight = SelectionFrameFor(1001, 2025, 8);
    EXPECT_EQ(eight.first, 1001);
    EXPECT_EQ(eight.nFFTSize, 1024); // 1024 samples
    EXPECT_EQ(SelectionFrameFor(1001, 2024, 8).nFFTSize, 512);  // 1023 samples
    EXPECT_EQ(SelectionFrameFor(1001, 2024, 16).nFFTSize, 1024); // from 1000: 1024 samples
}

TEST(FrameRules, CaptureComputesEveryKPlusFirstBlock)
{
    struct Case
    {
        int rate, size, threshold, period;
    };
    const Case cases[] = {
        {44100, 1024, 1, 2}, {44100, 256, 6, 7},  {44100, 32768, 0, 1}, {8000, 1024, 0, 1},
        {48000, 512, 3, 4},  {22050, 2048, 0, 1}, {0, 1024, 0, 1},      {44100, 0, 0, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CaptureSpectrumThreshold(c.rate, c.size), c.threshold) << c.rate << " Hz, N = " << c.size;
        int counter = 0; // the document's start value
        std::vector<int> computed;
        for (int block = 0; block < 30; ++block)
            if (CountCaptureBlock(counter, c.rate, c.size))
                computed.push_back(block);
        ASSERT_FALSE(computed.empty());
        for (std::size_t i = 0; i < computed.size(); ++i)
            EXPECT_EQ(computed[i], c.threshold + static_cast<int>(i) * c.period)
                << c.rate << " Hz, N = " << c.size << ", spectrum " << i;
    }
}

TEST(FrameRules, CaptureCounterAboveTheThresholdStillComputes)
{
    int counter = 9; // left from a smaller FFT size
    EXPECT_TRUE(CountCaptureBlock(counter, 44100, 1024));
    EXPECT_EQ(counter, 0);
    EXPECT_FALSE(CountCaptureBlock(counter, 44100, 1024));
    EXPECT_EQ(counter, 1);
    EXPECT_TRUE(CountCaptureBlock(counter, 44100, 1024));
}

TEST(FrameRules, PlaybackWindowStartsAtTheCursorSample)
{
    // 16-bit: byte position halved.
    EXPECT_EQ(PlayWindowStart(20000, 16, false, 44100, 0, 100000), 10000);
    // 8-bit: the byte position is the sample.
    EXPECT_EQ(PlayWindowStart(20000, 8, false, 44100, 0, 100000), 20000);
    // Converted copy at 48000 of 96000 Hz data: position scaled by 2 first.
    EXPECT_EQ(PlayWindowStart(1001, 16, true, 96000, 48000, 100000), 1001);
    // Scaled and truncated before halving: 1001 · 44100/48000 = 919.66… → 919 → sample 459.
    EXPECT_EQ(PlayWindowStart(1001, 16, true, 44100, 48000, 100000), 459);
}

TEST(FrameRules, PlaybackWindowNearTheEndGivesNoFrame)
{
    const std::int64_t samples = 100000;
    EXPECT_EQ(PlayWindowStart(2 * 60000, 16, false, 44100, 0, samples), 60000);   // ends exactly at the last sample
    EXPECT_FALSE(PlayWindowStart(2 * 60001, 16, false, 44100, 0, samples).has_value());
    EXPECT_FALSE(PlayWindowStart(0, 16, false, 44100, 0, 39999).has_value());     // shorter than the window
    EXPECT_FALSE(PlayWindowStart(-2, 16, false, 44100, 0, samples).has_value());
    EXPECT_FALSE(PlayWindowStart(100, 16, true, 44100, 0, samples).has_value());   // no copy rate
}

TEST(FrameRules, FrameSamplesKeepTheirRawValues)
{
    const std::vector<std::uint8_t> sixteen = {0x00, 0x80, 0xFF, 0x7F, 0xFF, 0xFF, 0x01, 0x00};
    std::vector<double> frame;
    CopyFrameSamples(sixteen.data(), sixteen.size(), 16, 1, 2, frame);
    EXPECT_EQ(frame, (std::vector<double>{32767.0, -1.0}));
    CopyFrameSamples(sixteen.data(), sixteen.size(), 16, 2, 40000, frame); // runs past the data
    EXPECT_EQ(frame, (std::vector<double>{-1.0, 1.0}));
    CopyFrameSamples(sixteen.data(), sixteen.size(), 16, 9, 5, frame);
    EXPECT_TRUE(frame.empty());

    const std::vector<std::uint8_t> eight = {0, 128, 255};
    CopyFrameSamples(eight.data(), eight.size(), 8, 0, 3, frame);
    EXPECT_EQ(frame, (std::vector<double>{0.0, 128.0, 255.0}));
}
