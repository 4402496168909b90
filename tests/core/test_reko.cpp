// The 3D phase-space reconstruction: decimation, scaling, delay points, colours, axes and the
// profile values. Expected values are worked out by hand from the series used.
#include "core/nonlinear/RekoGeometry.h"
#include "core/nonlinear/RekoSettings.h"
#include "core/profiles/ProfileSettings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <numeric>
#include <vector>

namespace {

std::vector<double> Ramp(std::size_t n) // x(i) = i: a value shows which sample it came from
{
    std::vector<double> x(n);
    std::iota(x.begin(), x.end(), 0.0);
    return x;
}

// τ, "Punktzahl" and the rainbow ("Bunt") or the fixed red.
RekoSettings Settings(int tau, int largest, bool bBunt = false)
{
    return {.nTau = tau, .nNumRekoPoints = largest, .bIsBunt = bBunt};
}

} // namespace

TEST(Reko, DecimationTakesEveryStepthValueAndStopsAtTheScaledArray)
{
    using Z = std::size_t; // n, τ, "Punktzahl" → step, values, points
    const std::tuple<Z, int, int, Z, Z, Z> cases[] = {
        {10001, 5, 4000, 3, 3333, 3323}, // m = 3333.3: P = trunc(3323.3)
        {10001, 5, 5000, 2, 5000, 4990},
        {12, 5, 100, 1, 11, 1}, // 2τ = 10 < N − 1: one point
        {11, 5, 100, 1, 0, 0},  // 2τ = N − 1: only the axes
        {17, 5, 15, 2, 8, 0},   // 2τ < 16, but m = 8 < 2τ: |m − 2τ| = 2 points would read past v_7
    };
    for (const auto& [n, tau, largest, step, values, points] : cases) {
        const RekoDecimation d = RekoDecimate(n, tau, largest);
        EXPECT_EQ(std::tie(d.step, d.values, d.points), std::tie(step, values, points)) << n;
    }
    // Every third sample; the last point reaches the last scaled value v_3332 = x(9996).
    const std::vector<RekoVertex> p = RekoPoints(Ramp(10001), 2.0, true, Settings(5, 4000));
    EXPECT_EQ(p[1], (RekoVertex{3, 18, 33, 0xffff0000u}));
    EXPECT_EQ(p.back(), (RekoVertex{9966, 9981, 9996, 0xffff0000u}));
    EXPECT_EQ(RekoPunktzahl(10, 5), 15);
}

TEST(Reko, SineWithQuarterPeriodDelayLiesOnACircle)
{
    // x(t) = A·sin(2πt/40), τ = 10: (2 sin φ, 2 cos φ, −2 sin φ) with φ = 2πj/40.
    std::vector<double> x(2001);
    for (std::size_t t = 0; t < x.size(); ++t)
        x[t] = 32767.0 * std::sin(2.0 * std::numbers::pi * static_cast<double>(t) / 40.0);
    const std::vector<RekoVertex> p = RekoPoints(x, 32767.0, true, Settings(10, 4000));
    ASSERT_EQ(p.size(), 1980u);
    for (const RekoVertex& v : p) {
        EXPECT_NEAR(v.x * v.x + v.y * v.y, 4.0, 1e-5);
        EXPECT_NEAR(v.z, -v.x, 1e-6);
    }
}

TEST(Reko, EightBitOffsetRainbowAndAxes) // the last of 3323 rainbow points: c = 1662, (255, 254, 255)
{
    const std::vector<RekoVertex> p =
        RekoPoints(std::vector<double>{0, 255, 0, 255, 0, 255, 0}, 255.0, false, Settings(1, 100, true));
    ASSERT_EQ(p.size(), 4u);
    EXPECT_EQ(p[0], (RekoVertex{-1, 1, -1, 0xff800000u})); // dark red (128, 0, 0)
    EXPECT_EQ(p[1], (RekoVertex{1, -1, 1, 0xffe0ff00u}));  // c = trunc(1663/4) = 415: (224, 255, 0)
    EXPECT_EQ(RekoPoints(Ramp(10001), 2.0, true, Settings(5, 4000, true)).back().argb, 0xfffffeffu);
    const std::uint32_t c = 0xffffdfbfu; // (255, 223, 191), the complement of (0, 32, 64)
    EXPECT_EQ(RekoAxes({0, 32, 64}),
              (std::array<RekoVertex, 6>{
                  {{-2, 0, 0, c}, {2, 0, 0, c}, {0, -2, 0, c}, {0, 2, 0, c}, {0, 0, -2, c}, {0, 0, 2, c}}}));
}

TEST(Reko, ProfileValuesWithDefaultsAndRanges)
{
    ProfileSettings p; // no [Rekonstruktion] keys: all zero
    RekoSettings s = RekoSettingsFromProfile(p);
    EXPECT_EQ(std::tie(s.nTau, s.nNumRekoPoints, s.fSizePts), std::make_tuple(5, 10000, 1.0f));
    p.IniRekoTau = 900, p.IniRekoSizePts = 7, p.IniRekoclrBackBuffer = 4202496; // 0x402000: blue 64, green 32
    s = RekoSettingsFromProfile(p);
    EXPECT_EQ(std::tie(s.nTau, s.fPointSize, s.clrBackBuffer), std::make_tuple(500, 3.5f, Rgb{0, 32, 64}));
    ProfileSettings back;
    StoreRekoSettings(s, back);
    EXPECT_EQ(RekoSettingsFromProfile(back), s);
}
