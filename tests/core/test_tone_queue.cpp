// Beeps as sine tones: lengths, frequencies found by a Goertzel filter, no gap or click between
// tones, refused and unrepresentable frequencies, rendering in pieces as in one go.
#include "core/audio/ToneQueue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

// Power of x[from, from + n) at frequency f (Hz) for sampling rate fs: the Goertzel recurrence.
static double Goertzel(const std::vector<std::int16_t>& x, std::size_t from, std::size_t n, double f, double fs)
{
    const double c = 2.0 * std::cos(2.0 * std::numbers::pi * f / fs);
    double s1 = 0, s2 = 0;
    for (std::size_t i = from; i < from + n; ++i)
        s2 = std::exchange(s1, x[i] + c * s1 - s2);
    return s1 * s1 + s2 * s2 - c * s1 * s2;
}

static std::vector<std::int16_t> RenderAll(CToneQueue& q, std::size_t chunk)
{
    std::vector<std::int16_t> out, buf(chunk);
    for (std::size_t n = chunk; n == chunk; out.insert(out.end(), buf.begin(), buf.begin() + long(n)))
        n = q.Render(buf.data(), chunk);
    return out;
}

// trunc(ms * rate / 1000) samples per tone; in each tone's middle half its frequency dominates the
// other's and those 10 % (at least four resolution steps) away; peak 16384; fades from and to 0.
TEST(ToneQueue, TonesOneAfterAnother)
{
    struct Case { std::uint32_t rate, f1, f2, ms; std::size_t samples; };
    const Case cases[] = {{44100, 440, 880, 300, 13230}, {48000, 1000, 15000, 100, 4800}, {44100, 261, 1320, 51, 2249},
                          {8000, 3000, 1000, 20, 160}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.f1) + " Hz at " + std::to_string(c.rate));
        CToneQueue q(c.rate), whole(c.rate);
        for (CToneQueue* t : {&q, &whole})
            ASSERT_TRUE(t->Push(c.f1, c.ms) && t->Push(c.f2, c.ms));
        EXPECT_EQ(q.GetPendingSamples(), 2 * c.samples);
        const auto x = RenderAll(q, 441);
        ASSERT_EQ(x.size() + q.GetPendingSamples(), 2 * c.samples);
        EXPECT_EQ(RenderAll(whole, 100000), x);
        const std::size_t n = c.samples / 2;
        for (std::size_t k = 0; k < 2; ++k) {
            const double f = k ? c.f2 : c.f1, away = std::max(0.1 * f, 4.0 * c.rate / double(n));
            const std::size_t from = k * c.samples + c.samples / 4;
            const double at = Goertzel(x, from, n, f, c.rate);
            for (double other : {f - away, f + away, k ? double(c.f1) : double(c.f2)})
                EXPECT_GT(at, 50 * Goertzel(x, from, n, other, c.rate)) << f << " against " << other;
            const auto begin = x.begin() + long(k * c.samples);
            const auto [lo, hi] = std::minmax_element(begin, begin + long(c.samples));
            const int peak = std::max(-*lo, int(*hi));
            EXPECT_TRUE(peak <= 16384 && peak > 16384 * (f * 4 < c.rate ? 0.99 : 0.7)) << peak;
        }
        EXPECT_EQ(x.front(), 0);
        EXPECT_LT(std::abs(x[c.samples - 1]) + std::abs(x[c.samples]), 400);
    }
    CToneQueue q(8000);
    EXPECT_FALSE(q.Push(36, 100) || q.Push(32768, 100) || q.Push(0, 100)); // refused like the system's beep
    EXPECT_TRUE(q.Push(37, 0) && q.Push(32767, 0) && q.GetPendingSamples() == 0); // accepted, nothing to play
    ASSERT_TRUE(q.Push(4000, 100)); // at half the rate: no representable tone, silence instead
    EXPECT_EQ(RenderAll(q, 64), std::vector<std::int16_t>(800, 0));
    q.Push(1000, 1000);
    q.Clear();
    EXPECT_EQ(q.GetPendingSamples(), 0u);
}
