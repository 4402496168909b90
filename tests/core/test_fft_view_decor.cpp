// The FFT view's axes, piano strip, read-out and frequency probe.
#include "core/spectral/FFTPlotDecor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

FFTPlotMapping DefaultMapping(int width = 800, int height = 400)
{
    return FFTPlotMapping(FFTViewSettings{}, width, height, 16);
}

bool HasLabel(const std::vector<AxisTick>& ticks, const std::string& label)
{
    return std::any_of(ticks.begin(), ticks.end(), [&](const AxisTick& t) { return t.label == label; });
}

} // namespace

TEST(FFTViewAxes, LogarithmicFrequencyTicksSitOnTheirFrequencies)
{
    const FFTPlotMapping m = DefaultMapping();
    const auto ticks = FrequencyAxisTicks(m);
    ASSERT_FALSE(ticks.empty());
    for (const AxisTick& t : ticks) {
        EXPECT_EQ(t.nPos, m.frequencyToX(t.dValue));
        EXPECT_GE(t.dValue, 20.0);
        EXPECT_LE(t.dValue, 20000.0);
    }
    for (const char* label : {"20 Hz", "100 Hz", "1 kHz", "10 kHz", "20 kHz"})
        EXPECT_TRUE(HasLabel(ticks, label)) << label;
    int last = -1000;
    for (const AxisTick& t : ticks) {
        if (!t.bLabelled)
            continue;
        EXPECT_GE(t.nPos - last, 40) << t.label;
        last = t.nPos;
    }
}

TEST(FFTViewAxes, LinearFrequencyTicksUseOneTwoFiveSteps)
{
    FFTViewSettings s;
    s.bIsFreqLinear = true;
    s.nBottomCutHz = 20;
    s.nTopCutkHz = 10;
    const FFTPlotMapping m(s, 800, 400, 16);
    const auto ticks = FrequencyAxisTicks(m);
    ASSERT_GE(ticks.size(), 2u);
    // 780 pixels for 9980 Hz: a 1000 Hz step is 78 pixels (500 Hz would be 39, below 60).
    EXPECT_EQ(ticks[0].dValue, 1000.0);
    EXPECT_EQ(ticks[1].dValue - ticks[0].dValue, 1000.0);
    EXPECT_EQ(ticks.back().label, "10 kHz");
}

TEST(FFTViewAxes, AmplitudeTicksAreWhereTheirLevelsMap)
{
    const FFTPlotMapping m = DefaultMapping();
    const auto ticks = AmplitudeAxisTicks(m, 0, -96);
    ASSERT_GE(ticks.size(), 5u);
    EXPECT_EQ(ticks[0].label, "0 dB");
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        EXPECT_EQ(ticks[i].nPos, m.magnitudeToY(65536.0 * std::pow(10.0, ticks[i].dValue / 20.0)));
        EXPECT_LE(ticks[i].nPos, m.baseline());
        if (i > 0) {
            EXPECT_GT(ticks[i].nPos, ticks[i - 1].nPos);
        }
    }
    EXPECT_TRUE(HasLabel(ticks, "-50 dB"));

    FFTViewSettings s;
    s.bIsAmpLinear = true;
    s.nTopCutAmp = -15;
    const FFTPlotMapping lin(s, 800, 400, 16);
    const auto linTicks = AmplitudeAxisTicks(lin, -15, -96);
    ASSERT_GE(linTicks.size(), 3u);
    EXPECT_EQ(linTicks[0].label, "-15 dB");
    for (std::size_t i = 1; i < linTicks.size(); ++i)
        EXPECT_GE(linTicks[i].nPos - linTicks[i - 1].nPos, 25);
}

TEST(FFTViewAxes, GridOnlyWithGitternetz)
{
    FFTViewSettings s;
    const FFTPlotMapping m(s, 800, 400, 16);
    const FFTViewColours colours = FFTScreenColours();
    auto gridLines = [&](const FFTDecor& d) {
        return std::count_if(d.lines.begin(), d.lines.end(), [&](const PlotLine& l) { return l.colour == colours.grid; });
    };
    s.bGrid = true;
    EXPECT_GT(gridLines(FFTAxes(m, s, colours)), 5);
    s.bGrid = false;
    EXPECT_EQ(gridLines(FFTAxes(m, s, colours)), 0);
}

TEST(FFTViewPiano, EightyEightKeysThirtySixBlack)
{
    int black = 0;
    for (int k = 0; k < 88; ++k)
        black += IsBlackPianoKey(k) ? 1 : 0;
    EXPECT_EQ(black, 36);
    EXPECT_FALSE(IsBlackPianoKey(0));  // A0
    EXPECT_TRUE(IsBlackPianoKey(1));   // A♯0
    EXPECT_FALSE(IsBlackPianoKey(3));  // C1
    EXPECT_TRUE(IsBlackPianoKey(4));   // C♯1
    EXPECT_FALSE(IsBlackPianoKey(87)); // C8
}

TEST(FFTViewPiano, KeysSpanTheirFrequenciesAndVanishOnWhite)
{
    const FFTPlotMapping m = DefaultMapping();
    const FFTDecor strip = FFTPianoStrip(m, FFTScreenColours());
    ASSERT_EQ(strip.rects.size(), 88u); // 25.96 Hz … 4186 Hz all lie above the 20 Hz cut
    // Key 48 (A4) ends at 440 Hz; key 49 (A♯4) is black and spans 440 … 466.16 Hz.
    EXPECT_EQ(strip.rects[48].right, m.frequencyToX(440.0) - 1);
    EXPECT_EQ(strip.rects[49].left, m.frequencyToX(440.0));
    EXPECT_EQ(strip.rects[49].right, m.frequencyToX(440.0 * std::pow(2.0, 1.0 / 12.0)));
    EXPECT_EQ(strip.rects[49].colour, (Rgb{0, 0, 0}));
    EXPECT_EQ(strip.rects[48].colour, (Rgb{255, 255, 255}));
    ASSERT_EQ(strip.texts.size(), 1u);
    EXPECT_EQ(strip.texts[0].text, "Tonumfang Klavier");
    EXPECT_STREQ(strip.texts[0].font, "Century Gothic");

    EXPECT_TRUE(FFTPianoStrip(m, FFTPictureColours()).rects.empty());

    FFTViewSettings s;
    s.nBottomCutHz = 500; // keys below the cut are clipped away
    const FFTDecor clipped = FFTPianoStrip(FFTPlotMapping(s, 800, 400, 16), FFTScreenColours());
    EXPECT_LT(clipped.rects.size(), 88u);
    for (const PlotRect& r : clipped.rects)
        EXPECT_GE(r.left, 20);
}

TEST(FFTViewReadOut, ShowsFrequencyAndLevelAtTheClick)
{
    const FFTPlotMapping m = DefaultMapping();
    const FFTReadOut middle = FFTReadOutAt(m, {410, 25});
    EXPECT_NEAR(middle.dFrequencyHz, std::sqrt(20.0 * 20000.0), 1e-9);
    EXPECT_EQ(middle.frequencyText, "632 Hz");
    EXPECT_EQ(middle.levelText, "0.0 dB"); // −0.0001 dB rounds to zero without a sign
    const FFTReadOut low = FFTReadOutAt(m, {20, 202});
    EXPECT_EQ(low.frequencyText, "20.0 Hz");
    EXPECT_NEAR(low.dLevelDbr, m.yToLevel(202), 1e-12);

    const FFTDecor cross = FFTCrossHair(m, {410, 100}, FFTScreenColours());
    ASSERT_EQ(cross.lines.size(), 2u);
    EXPECT_EQ(cross.lines[0], (PlotLine{{20, 100}, {800, 100}, {255, 255, 255}}));
    EXPECT_EQ(cross.lines[1], (PlotLine{{410, 25}, {410, 380}, {255, 255, 255}}));
    ASSERT_EQ(cross.texts.size(), 2u);
    EXPECT_EQ(cross.texts[0].text, "632 Hz");
}

TEST(FFTViewProbe, OnlyInTheTopTwentyPixels)
{
    const FFTPlotMapping m = DefaultMapping();
    EXPECT_NEAR(*FFTProbeFrequency(m, {410, 0}), std::sqrt(20.0 * 20000.0), 1e-9);
    EXPECT_TRUE(FFTProbeFrequency(m, {410, 19}).has_value());
    EXPECT_FALSE(FFTProbeFrequency(m, {410, 20}).has_value());
    EXPECT_FALSE(FFTProbeFrequency(m, {10, 5}).has_value());
    EXPECT_EQ(kProbeMilliseconds, 50);
}

TEST(FFTViewText, NumbersInTheCLocaleWithoutTrailingZeros)
{
    EXPECT_EQ(PlotNumber(1.5, 3), "1.5");
    EXPECT_EQ(PlotNumber(2.0, 3), "2");
    EXPECT_EQ(PlotNumber(-0.0001, 3), "0");
    EXPECT_EQ(PlotNumber(12.345, 2), "12.35");
}
