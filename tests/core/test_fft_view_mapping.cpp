// The FFT view's frequency and amplitude mappings, their inverses and the settings bridge to
// the profile.
#include "core/profiles/ProfileSettings.h"
#include "core/spectral/FFTPlotMapping.h"
#include "core/spectral/FFTViewSettings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

FFTViewSettings Settings(bool bFreqLinear, bool bAmpLinear, int bottomHz = 20, int topkHz = 20, int topDbr = 0,
                         int bottomDbr = -96)
{
    FFTViewSettings s;
    s.bIsFreqLinear = bFreqLinear;
    s.bIsAmpLinear = bAmpLinear;
    s.nBottomCutHz = bottomHz;
    s.nTopCutkHz = topkHz;
    s.nTopCutAmp = topDbr;
    s.nBottomCutAmp = bottomDbr;
    return s;
}

} // namespace

TEST(FFTViewMapping, FrequencyToPixelOnBothScales)
{
    const FFTPlotMapping log(Settings(false, false), 800, 400, 16);
    EXPECT_EQ(log.frequencyToX(20.0), 20);
    EXPECT_EQ(log.frequencyToX(20000.0), 800);
    EXPECT_EQ(log.frequencyToX(std::sqrt(20.0 * 20000.0)), 410); // geometric middle: r = 1/2
    EXPECT_EQ(log.frequencyToX(200.0), 280);                    // one decade of three: 20 + 780/3

    const FFTPlotMapping lin(Settings(true, false, 100, 10), 1010, 400, 16);
    EXPECT_EQ(lin.frequencyToX(100.0), 20);
    EXPECT_EQ(lin.frequencyToX(10000.0), 1010);
    EXPECT_EQ(lin.frequencyToX(5050.0), 515);
    EXPECT_EQ(lin.frequencyToX(5050.9), 515); // truncated
    EXPECT_DOUBLE_EQ(lin.frequencyRatio(5050.0), 0.5);
}

TEST(FFTViewMapping, FrequencyInverseRoundTrips)
{
    for (bool bLinear : {false, true}) {
        const FFTPlotMapping m(Settings(bLinear, false, 37, 15), 913, 400, 16);
        for (int x = 20; x <= 913; ++x) {
            const double f = m.xToFrequency(x);
            EXPECT_NEAR(20.0 + m.frequencyRatio(f) * (913 - 20), x, 1e-9) << "x " << x;
            const int back = m.frequencyToX(f);
            EXPECT_TRUE(back == x || back == x - 1) << "x " << x << " came back as " << back;
        }
        EXPECT_NEAR(m.xToFrequency(20), 37.0, 1e-9);
        EXPECT_NEAR(m.xToFrequency(913), 15000.0, 1e-6);
    }
}

TEST(FFTViewMapping, AmplitudeToPixelOnBothScales)
{
    // F = 65536; log scale from 0 dBr at y = 25 down to -96 dBr at the baseline y = 380.
    const FFTPlotMapping log(Settings(false, false), 800, 400, 16);
    EXPECT_EQ(log.baseline(), 380);
    EXPECT_DOUBLE_EQ(log.fullScale(), 65536.0);
    EXPECT_EQ(log.magnitudeToY(0.0), 380);     // v = 1: on the baseline
    EXPECT_EQ(log.magnitudeToY(-5.0), 380);    // never below it
    EXPECT_NEAR(log.magnitudeToY(65535.0), 25, 1); // v = F: the top
    EXPECT_LT(log.magnitudeToY(1e9), 25);      // above the top: kept as it falls
    // Half-way in log v: v = F·10^(-48/20).
    EXPECT_NEAR(log.magnitudeToY(65536.0 * std::pow(10.0, -2.4) - 1.0), 380 - 355 / 2, 1);

    const FFTPlotMapping lin(Settings(false, true, 20, 20, -15, -96), 800, 400, 16);
    const double at = 65536.0 * std::pow(10.0, -15.0 / 20.0);
    const double ab = 65536.0 * std::pow(10.0, -96.0 / 20.0);
    EXPECT_EQ(lin.magnitudeToY(ab - 1.0), 380);
    EXPECT_NEAR(lin.magnitudeToY(at - 1.0), 25, 1);
    EXPECT_EQ(lin.magnitudeToY((at + ab) / 2.0 - 1.0), 202); // 380 − 177.5, truncated

    const FFTPlotMapping eightBit(Settings(false, false), 800, 400, 8);
    EXPECT_DOUBLE_EQ(eightBit.fullScale(), 256.0);
}

TEST(FFTViewMapping, AmplitudeInverseRoundTripsAndGivesDbr)
{
    for (bool bLinear : {false, true}) {
        const FFTPlotMapping m(Settings(false, bLinear, 20, 20, bLinear ? -15 : 0, -90), 640, 480, 16);
        for (int y = 25; y <= m.baseline(); ++y) {
            const int back = m.magnitudeToY(m.yToMagnitude(y));
            EXPECT_TRUE(back == y || back == y - 1) << "y " << y << " came back as " << back;
        }
    }
    const FFTPlotMapping log(Settings(false, false), 800, 400, 16);
    // At the top, v = F: the magnitude is F − 1.
    EXPECT_NEAR(log.yToMagnitude(25), 65535.0, 1e-6);
    EXPECT_NEAR(log.yToLevel(25), 20.0 * std::log10(65535.0 / 65536.0), 1e-9);
    // At the baseline v = F·10^(-96/20) ≈ 1.04: the magnitude is 0.04, far below the cut.
    EXPECT_NEAR(log.yToLevel(380), 20.0 * std::log10((65536.0 * std::pow(10.0, -4.8) - 1.0) / 65536.0), 1e-9);
    EXPECT_EQ(LevelDbr(0.0, 65536.0), -std::numeric_limits<double>::infinity());
}

TEST(FFTViewMapping, DegenerateCutsStayOnTheBaselineInsteadOfFailing)
{
    const FFTPlotMapping same(Settings(false, false, 20, 20, -40, -40), 800, 400, 16);
    EXPECT_LE(same.magnitudeToY(100.0), same.baseline());
    const FFTPlotMapping flat(Settings(false, true, 20, 20, -40, -40), 800, 40, 16); // H − 45 < 0
    EXPECT_LE(flat.magnitudeToY(100.0), flat.baseline());
    EXPECT_EQ(TruncToPixel(std::nan("")), 0);
    EXPECT_EQ(TruncToPixel(1e300), 1 << 30);
    EXPECT_EQ(TruncToPixel(-2.7), -2);
}

TEST(FFTViewSettings, DefaultsAreTheStandardProfile)
{
    const FFTViewSettings s;
    EXPECT_EQ(s.nBottomCutHz, 20);
    EXPECT_EQ(s.nTopCutkHz, 20);
    EXPECT_EQ(s.nTopCutAmp, 0);
    EXPECT_EQ(s.nBottomCutAmp, -96);
    EXPECT_FALSE(s.bIsAmpLinear);
    EXPECT_FALSE(s.bIsFreqLinear);
    EXPECT_EQ(s.style, FFTDrawingStyle::Lines);
    EXPECT_EQ(s.nMinAbstandMaxima, 10);
    EXPECT_EQ(s.nMinAbstandNachbarMin, 3);
}

TEST(FFTViewSettings, ProfileRoundTripAndClamping)
{
    FFTViewSettings s;
    s.nBottomCutHz = 55;
    s.nTopCutkHz = 12;
    s.nTopCutAmp = -10;
    s.nBottomCutAmp = -70;
    s.bIsAmpLinear = true;
    s.style = FFTDrawingStyle::Steps;
    s.bIsSumme = true;
    s.bIsDelay = false;
    s.nDelay = 7;
    s.bGrid = false;
    s.nMinAbstandMaxima = 0;
    s.nMinAbstandNachbarMin = 50;
    s.bIsSpline = true;
    s.curve = FFTCurveType::Beta;
    s.bIsCrossVisible = true;
    ProfileSettings p;
    StoreFFTViewSettings(s, p);
    EXPECT_EQ(p.IniFFTbDarstellung, 2);
    EXPECT_EQ(p.IniFFTSplineTyp, 3);
    const FFTViewSettings back = FFTViewSettingsFromProfile(p);
    EXPECT_EQ(back.nBottomCutHz, 55);
    EXPECT_EQ(back.nTopCutkHz, 12);
    EXPECT_EQ(back.nTopCutAmp, -10);
    EXPECT_EQ(back.nBottomCutAmp, -70);
    EXPECT_TRUE(back.bIsAmpLinear);
    EXPECT_EQ(back.style, FFTDrawingStyle::Steps);
    EXPECT_TRUE(back.bIsSumme);
    EXPECT_FALSE(back.bIsDelay);
    EXPECT_EQ(back.nDelay, 7);
    EXPECT_FALSE(back.bGrid);
    EXPECT_EQ(back.nMinAbstandMaxima, 0);
    EXPECT_EQ(back.nMinAbstandNachbarMin, 50);
    EXPECT_EQ(back.curve, FFTCurveType::Beta);
    EXPECT_TRUE(back.bIsCrossVisible);

    // A profile of zeros (an empty file) gives values inside the controls' ranges.
    const FFTViewSettings zeros = FFTViewSettingsFromProfile(ProfileSettings{});
    EXPECT_EQ(zeros.nBottomCutHz, 1);
    EXPECT_EQ(zeros.nTopCutkHz, 1);
    EXPECT_EQ(zeros.nMinAbstandNachbarMin, 1);
    p.IniFFTbDarstellung = 9;
    p.IniFFTSplineTyp = -1;
    p.IniFFTDelay = 99;
    const FFTViewSettings wild = FFTViewSettingsFromProfile(p);
    EXPECT_EQ(wild.style, FFTDrawingStyle::Lines);
    EXPECT_EQ(wild.curve, FFTCurveType::None);
    EXPECT_EQ(wild.nDelay, 15);
}
