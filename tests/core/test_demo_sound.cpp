// The demo sound of the first start: a chord with overtones, then a glide.
#include "core/audio/DemoSound.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Amplitude of the frequency f in samples [from, to) by correlation with a Hann-windowed sine pair.
double level(const std::vector<std::int16_t>& s, std::size_t from, std::size_t to, double f)
{
    double re = 0, im = 0;
    for (std::size_t i = from; i < to; ++i) {
        const double w = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * (i - from) / (to - from));
        re += w * s[i] * std::cos(2 * std::numbers::pi * f * i / 44100.0);
        im += w * s[i] * std::sin(2 * std::numbers::pi * f * i / 44100.0);
    }
    return std::hypot(re, im) / (to - from);
}

double upwardZeroCrossingsPerSecond(const std::vector<std::int16_t>& s, std::size_t from, std::size_t to)
{
    std::size_t n = 0;
    for (std::size_t i = from + 1; i < to; ++i)
        n += s[i - 1] < 0 && s[i] >= 0;
    return 44100.0 * static_cast<double>(n) / static_cast<double>(to - from);
}

} // namespace

TEST(DemoSound, ChordWithOvertonesThenAGlideOverTwoOctaves)
{
    const std::vector<std::int16_t> s = DemoSound::Make();
    ASSERT_EQ(s.size(), 3u * 44100u);
    const auto [lo, hi] = std::minmax_element(s.begin(), s.end());
    EXPECT_EQ(std::max<int>(-*lo, *hi), 26214);
    EXPECT_LT(std::abs(s.front()) + std::abs(s.back()), 200); // no click at either end
    // The three tones and their second and third partials stand far above the gaps between them.
    for (double f : {220.0, 277.18, 329.63, 440.0, 554.37, 659.26, 988.88})
        EXPECT_GT(level(s, 4410, 48510, f), 20 * level(s, 4410, 48510, f * 1.06)) << f;
    // The glide 440 · 4^t Hz: on average 526 Hz in its first quarter second, 1488 Hz in its last.
    EXPECT_NEAR(upwardZeroCrossingsPerSecond(s, 88200, 99225), 526, 12);
    EXPECT_NEAR(upwardZeroCrossingsPerSecond(s, 121275, 132300), 1488, 16);
}
