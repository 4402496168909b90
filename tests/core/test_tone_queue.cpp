// Beeps as sine tones: exact lengths, the frequency found by a Goertzel filter against its
// neighbours, tones following each other without a gap, fades, refused and unrepresentable
// frequencies, and rendering in pieces giving the same samples as in one go.
#include "core/audio/ToneQueue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

// Power of x at frequency f (Hz) for sampling rate fs: the Goertzel recurrence.
double Goertzel(const std::vector<std::int16_t>& x, std::size_t from, std::size_t n, double f, double fs)
{
    const double c = 2.0 * std::cos(2.0 * std::numbers::pi * f / fs);
    double s1 = 0, s2 = 0;
    for (std::size_t i = from; i < from + n; ++i) {
        const double s0 = x[i] + c * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    return s1 * s1 + s2 * s2 - c * s1 * s2;
}

std::vector<std::int16_t> RenderAll(CToneQueue& q, std::size_t chunk)
{
    std::vector<std::int16_t> out;
    std::vector<std::int16_t> buf(chunk);
    for (;;) {
        const std::size_t n = q.Render(buf.data(), buf.size());
        out.insert(out.end(), buf.begin(), buf.begin() + static_cast<long>(n));
        if (n < chunk)
            return out;
    }
}

} // namespace

TEST(ToneQueue, LengthsAndFrequencies)
{
    struct Case { std::uint32_t rate, freq, ms; std::size_t samples; };
    const Case cases[] = {
        {48000, 1000, 300, 14400}, {48000, 440, 50, 2400}, {44100, 1000, 400, 17640},
        {44100, 261, 50, 2205},    {8000, 3000, 7, 56},    {48000, 15000, 100, 4800},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.freq) + " Hz at " + std::to_string(c.rate));
        CToneQueue q(c.rate);
        ASSERT_TRUE(q.Push(c.freq, c.ms));
        EXPECT_EQ(q.GetPendingSamples(), c.samples);
        const auto x = RenderAll(q, 1000);
        ASSERT_EQ(x.size(), c.samples);
        EXPECT_EQ(q.GetPendingSamples(), 0u);
        // The middle half of the tone: its frequency dominates frequencies 10 % (at least four
        // resolution steps fs / n) away on either side.
        const std::size_t n = c.samples / 2, from = c.samples / 4;
        const double away = std::max(0.1 * c.freq, 4.0 * c.rate / static_cast<double>(n));
        const double at = Goertzel(x, from, n, c.freq, c.rate);
        EXPECT_GT(at, 50 * Goertzel(x, from, n, c.freq - away, c.rate));
        EXPECT_GT(at, 50 * Goertzel(x, from, n, c.freq + away, c.rate));
        // Peak amplitude is kAmplitude, reached away from the fades.
        int peak = 0;
        for (auto v : x)
            peak = std::max(peak, std::abs(static_cast<int>(v)));
        EXPECT_LE(peak, 16384);
        EXPECT_GT(peak, 16384 * (c.freq * 4 < c.rate ? 0.99 : 0.7));
    }
}

TEST(ToneQueue, TonesFollowEachOtherWithoutAGap)
{
    CToneQueue q(44100);
    ASSERT_TRUE(q.Push(440, 300));
    ASSERT_TRUE(q.Push(880, 300));
    ASSERT_TRUE(q.Push(1320, 300));
    const auto x = RenderAll(q, 441); // pieces that do not line up with the tones
    ASSERT_EQ(x.size(), 3u * 13230);
    for (int k = 0; k < 3; ++k) {
        const std::size_t from = static_cast<std::size_t>(k) * 13230 + 2000;
        const double f = 440.0 * (k + 1);
        const double at = Goertzel(x, from, 9000, f, 44100);
        for (int other = 0; other < 3; ++other) {
            if (other == k)
                continue;
            EXPECT_GT(at, 100 * Goertzel(x, from, 9000, 440.0 * (other + 1), 44100)) << k << " " << other;
        }
    }
    // Each tone fades in from 0 and out towards 0: no click at the joins.
    EXPECT_EQ(x.front(), 0);
    EXPECT_LT(std::abs(x[13229]), 200);
    EXPECT_LT(std::abs(x[13230]), 200);
    // In one go or in pieces: the same samples.
    CToneQueue whole(44100);
    whole.Push(440, 300);
    whole.Push(880, 300);
    whole.Push(1320, 300);
    EXPECT_EQ(RenderAll(whole, 100000), x);
}

TEST(ToneQueue, RefusedSilentAndCleared)
{
    CToneQueue q(8000);
    EXPECT_FALSE(q.Push(36, 100));
    EXPECT_FALSE(q.Push(32768, 100));
    EXPECT_FALSE(q.Push(0, 100));
    EXPECT_EQ(q.GetPendingSamples(), 0u);
    EXPECT_TRUE(q.Push(37, 0)); // accepted, but nothing to play
    EXPECT_EQ(q.GetPendingSamples(), 0u);
    ASSERT_TRUE(q.Push(4000, 100)); // at half the rate: no representable tone, silence instead
    const auto x = RenderAll(q, 64);
    ASSERT_EQ(x.size(), 800u);
    for (auto v : x)
        ASSERT_EQ(v, 0);
    q.Push(1000, 1000);
    q.Clear();
    std::int16_t one = 5;
    EXPECT_EQ(q.Render(&one, 1), 0u);
}
