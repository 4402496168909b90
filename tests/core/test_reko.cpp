// The 3D phase-space reconstruction: decimation, scaling, delay points, colours, axes and the
// profile values. Expected values are worked out by hand from the series used.
#include "core/nonlinear/RekoGeometry.h"
#include "core/nonlinear/RekoSettings.h"
#include "core/profiles/ProfileSettings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

// x(i) = i, so a value shows which sample it came from.
std::vector<double> Ramp(std::size_t n)
{
    std::vector<double> x(n);
    for (std::size_t i = 0; i < n; ++i)
        x[i] = static_cast<double>(i);
    return x;
}

RekoSettings Settings(int tau, int largest, bool bBunt = false)
{
    RekoSettings s;
    s.nTau = tau;
    s.nNumRekoPoints = largest;
    s.bIsBunt = bBunt;
    return s;
}

} // namespace

TEST(Reko, DecimationTakesEveryStepthValueAndStopsAtTheScaledArray)
{
    struct Case
    {
        std::size_t n;
        int tau, largest;
        std::size_t step, values, points;
    };
    const Case cases[] = {
        {10001, 5, 4000, 3, 3333, 3323}, // m = 3333.3: P = trunc(3323.3)
        {10001, 5, 5000, 2, 5000, 4990},
        {10001, 5, 10000, 1, 10000, 9990},
        {12, 5, 100, 1, 11, 1},  // 2τ = 10 < 11: one point
        {11, 5, 100, 1, 0, 0},   // 2τ = N − 1: nothing
        {3, 5, 100, 1, 0, 0},
        {17, 5, 15, 2, 8, 0},    // 2τ < 16, but m = 8 < 2τ: |m − 2τ| = 2 points would read past v_7
    };
    for (const Case& c : cases)
    {
        const RekoDecimation d = RekoDecimate(c.n, c.tau, c.largest);
        EXPECT_EQ(d.values, c.values) << c.n << " " << c.largest;
        EXPECT_EQ(d.points, c.points) << c.n << " " << c.largest;
        if (c.values > 0)
        {
            EXPECT_EQ(d.step, c.step) << c.n << " " << c.largest;
        }
        const std::vector<double> x = Ramp(c.n);
        EXPECT_EQ(RekoPoints(x, 2.0, true, Settings(c.tau, c.largest)).size(), c.points);
    }
    // Every third sample; the last point reaches the last scaled value v_3332 = x(9996).
    const std::vector<RekoVertex> p = RekoPoints(Ramp(10001), 2.0, true, Settings(5, 4000));
    ASSERT_EQ(p.size(), 3323u);
    EXPECT_EQ(p[1], (RekoVertex{3, 18, 33, 0xffff0000u}));
    EXPECT_FLOAT_EQ(p.back().x, 3322 * 3);
    EXPECT_FLOAT_EQ(p.back().z, 9996);
}

TEST(Reko, PunktzahlAtMostTwoTauBecomesThreeTau)
{
    EXPECT_EQ(RekoPunktzahl(10, 5), 15);
    EXPECT_EQ(RekoPunktzahl(11, 5), 11);
    EXPECT_EQ(RekoPunktzahl(1000, 500), 1500);
}

TEST(Reko, SineWithQuarterPeriodDelayLiesOnACircle)
{
    // x(t) = A·sin(2πt/40), τ = 10: (2 sin φ, 2 cos φ, −2 sin φ) with φ = 2πj/40.
    const double a = 32767.0;
    std::vector<double> x(2001);
    for (std::size_t t = 0; t < x.size(); ++t)
        x[t] = a * std::sin(2.0 * std::numbers::pi * static_cast<double>(t) / 40.0);
    const std::vector<RekoVertex> p = RekoPoints(x, a, true, Settings(10, 4000));
    ASSERT_EQ(p.size(), 1980u);
    for (const RekoVertex& v : p)
    {
        EXPECT_NEAR(v.x * v.x + v.y * v.y, 4.0, 1e-5);
        EXPECT_NEAR(v.z, -v.x, 1e-6);
    }
    EXPECT_NEAR(p[10].x, 2.0, 1e-6); // φ = π/2
    EXPECT_NEAR(p[10].y, 0.0, 1e-6);
}

TEST(Reko, EightBitSamplesAreCentredAndRainbowRunsFromDarkRedToWhite)
{
    const std::vector<double> x = {0, 255, 0, 255, 0, 255, 0};
    const std::vector<RekoVertex> p = RekoPoints(x, 255.0, false, Settings(1, 100, true));
    ASSERT_EQ(p.size(), 4u);
    EXPECT_EQ(p[0], (RekoVertex{-1, 1, -1, 0xff800000u}));
    EXPECT_EQ(p[1].x, 1.0f);
    EXPECT_EQ(p[1].argb, 0xffe0ff00u); // c = trunc(1663/4) = 415: (224, 255, 0)
    const std::vector<RekoVertex> q = RekoPoints(Ramp(10001), 2.0, true, Settings(5, 4000, true));
    EXPECT_EQ(q.front().argb, 0xff800000u);
    EXPECT_EQ(q.back().argb, 0xfffffeffu); // c = 1662: (255, 254, 255)
}

TEST(Reko, AxesInTheComplementOfTheBackground)
{
    const std::array<RekoVertex, 6> axes = RekoAxes({0, 32, 64});
    for (const RekoVertex& v : axes)
        EXPECT_EQ(v.argb, 0xffffdfbfu);
    EXPECT_EQ(axes[0], (RekoVertex{-2, 0, 0, 0xffffdfbfu}));
    EXPECT_EQ(axes[3], (RekoVertex{0, 2, 0, 0xffffdfbfu}));
    EXPECT_EQ(axes[4], (RekoVertex{0, 0, -2, 0xffffdfbfu}));
    EXPECT_EQ(RekoAxes({0, 0, 0})[1].argb, 0xffffffffu);
}

TEST(Reko, ProfileValuesWithDefaultsAndRanges)
{
    ProfileSettings p; // no [Rekonstruktion] keys: all zero
    RekoSettings s = RekoSettingsFromProfile(p);
    EXPECT_EQ(s.nTau, 5);
    EXPECT_EQ(s.nNumRekoPoints, 10000);
    EXPECT_EQ(s.fSizePts, 1.0f);
    EXPECT_EQ(s.clrFixed, (Rgb{255, 0, 0}));
    EXPECT_EQ(s.clrBackBuffer, (Rgb{0, 0, 0}));
    p.IniRekoTau = 900;
    p.IniRekoSizePts = 7;
    p.IniRekoclrBackBuffer = 4202496; // 0x402000: blue 64, green 32
    p.IniRekobIsBunt = 1;
    s = RekoSettingsFromProfile(p);
    EXPECT_EQ(s.nTau, 500);
    EXPECT_EQ(s.fPointSize, 3.5f);
    EXPECT_EQ(s.clrBackBuffer, (Rgb{0, 32, 64}));
    ProfileSettings back;
    StoreRekoSettings(s, back);
    EXPECT_EQ(RekoSettingsFromProfile(back), s);
    EXPECT_EQ(back.IniRekoclrBackBuffer, 4202496);
}
