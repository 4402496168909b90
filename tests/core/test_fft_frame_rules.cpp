// Which samples form the analysed frame: the selection's transform size, the live-capture block
// counter and the playback window.
#include "core/spectral/FrameRules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>
#include <utility>
#include <vector>

TEST(FrameRules, SelectionTakesTheLargestPowerOfTwoThatFits)
{
    const std::pair<std::int64_t, int> cases[] = {{1000, 512}, {1024, 1024}, {1023, 512}, {1025, 1024}, {1, 1},
                                                  {3, 2}, {0, 0}, {-5, 0}, {std::int64_t{1} << 40, 1 << 30}};
    for (const auto& [samples, size] : cases)
        EXPECT_EQ(SelectionFFTSize(samples), size) << samples << " samples";
    // Data of more than 8 bits starts on an even sample: [1001, 2024) becomes [1000, 2024).
    const SelectionFrame sixteen = SelectionFrameFor(1001, 2024, 16), eight = SelectionFrameFor(1001, 2024, 8);
    EXPECT_EQ(std::tuple(sixteen.first, sixteen.end, sixteen.nFFTSize), std::tuple(1000, 2024, 1024));
    EXPECT_EQ(std::tuple(eight.first, eight.end, eight.nFFTSize), std::tuple(1001, 2024, 512));
}

TEST(FrameRules, CaptureComputesEveryKPlusFirstBlock)
{
    struct Case { int rate, size, threshold; };
    const Case cases[] = {{44100, 1024, 1}, {44100, 256, 6}, {44100, 32768, 0}, {8000, 1024, 0},
                          {48000, 512, 3},  {0, 1024, 0},    {44100, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rate << " Hz, N = " << c.size);
        EXPECT_EQ(CaptureSpectrumThreshold(c.rate, c.size), c.threshold);
        int counter = 0; // the document's start value
        std::vector<int> computed, expected;
        for (int block = 0; block < 30; ++block) {
            if (CountCaptureBlock(counter, c.rate, c.size))
                computed.push_back(block);
            if (block % (c.threshold + 1) == c.threshold)
                expected.push_back(block);
        }
        EXPECT_EQ(computed, expected);
    }
    int counter = 9; // left from a smaller FFT size: counts as reached
    EXPECT_TRUE(CountCaptureBlock(counter, 44100, 1024));
    EXPECT_EQ(counter, 0);
}

TEST(FrameRules, PlaybackWindowStartsAtTheCursorSampleAndFramesHoldRawSamples)
{
    // 16-bit: the byte position halved; 8-bit: it is the sample; a copy at half the rate: doubled
    // first; 1001·44100/48000 = 919.66… truncated to 919 before halving; the window of 40000 of the
    // 100000 samples ending at the last one, one sample further; a negative position, no copy rate.
    struct Case { std::int64_t bytes; int bits; bool resampled; int rate, playRate; std::int64_t start; };
    const Case cases[] = {{20000, 16, false, 44100, 0, 10000}, {20000, 8, false, 44100, 0, 20000},
                          {1001, 16, true, 96000, 48000, 1001}, {1001, 16, true, 44100, 48000, 459},
                          {120000, 16, false, 44100, 0, 60000}, {120002, 16, false, 44100, 0, -1},
                          {-2, 16, false, 44100, 0, -1},        {100, 16, true, 44100, 0, -1}};
    for (const Case& c : cases)
        EXPECT_EQ(PlayWindowStart(c.bytes, c.bits, c.resampled, c.rate, c.playRate, 100000).value_or(-1), c.start)
            << c.bytes << " bytes, " << c.bits << " bits"; // −1: no frame
    // Signed 16-bit values, cut at the end of the data; 8-bit data as its unsigned bytes.
    const std::vector<std::uint8_t> pcm = {0x00, 0x80, 0xFF, 0x7F, 0xFF, 0xFF, 0x01, 0x00};
    std::vector<double> frame;
    CopyFrameSamples(pcm.data(), pcm.size(), 16, 1, 40000, frame);
    EXPECT_EQ(frame, (std::vector<double>{32767.0, -1.0, 1.0}));
    CopyFrameSamples(pcm.data(), pcm.size(), 8, 1, 2, frame);
    EXPECT_EQ(frame, (std::vector<double>{128.0, 255.0}));
}
