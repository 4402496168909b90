// The analysis window's widget-free parts: the bar's corrections, the maximal-exponent plot and
// its slope tool, the spectrum redraw's row count and the range markers.
#include "core/nonlinear/AnalysePlot.h"
#include "core/nonlinear/AnalyseSettings.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(AnalyseSettings, EditCorrections)
{
    AnalyseParameters p;
    p.points = 1000;
    p.maxDimension = 5;
    EXPECT_EQ(SetAnalyseMinDimension(p, 1), 2);
    EXPECT_EQ(SetAnalyseMinDimension(p, 7), 5);
    EXPECT_EQ(SetAnalyseMaxDimension(p, 3), 3);
    EXPECT_EQ(p.minDimension, 3); // lowered with the maximum
    EXPECT_EQ(SetAnalyseMaxDimension(p, 1), 2);
    EXPECT_EQ(SetAnalyseRadii(p, kAnalyseCorrelation, 400), 300);
    EXPECT_EQ(SetAnalyseRadii(p, kAnalyseMaxExponent, 400), 400);
    EXPECT_EQ(SetAnalyseIterations(p, 5000), 1000);
    SetAnalysePoints(p, 250);
    EXPECT_EQ(p.radii, 250);
    EXPECT_EQ(p.iterations, 250);
    EXPECT_EQ(SetAnalyseRadii(p, kAnalyseSpectrum, 400), 250);
}

namespace {

// Steps 50, dimensions 2 and 3, one radius; S of dimension 3 falls to −5 at the last step.
MaxExponentResult TwoDimensions()
{
    MaxExponentResult r;
    r.steps = 50;
    r.radiusCount = 1;
    r.minDimension = 2;
    r.maxDimension = 3;
    r.stretch.assign(2, std::vector<double>(2 * 51, 0.0));
    for (unsigned dn = 0; dn <= 50; ++dn) {
        r.stretch[0][dn] = -0.05 * dn;
        r.stretch[1][dn] = -0.1 * dn;
    }
    return r;
}

} // namespace

TEST(AnalysePlot, MaxExponentGeometry)
{
    const MaxExponentResult r = TwoDimensions();
    // W − 40 = 511 pixels over 51 steps: h = 10; H − 30 = 500 pixels for M = 5: v = 100.
    const MaxExponentScale s = MaxExponentPlotScale(r, 1, 551, 530);
    EXPECT_EQ(s.h, 10);
    EXPECT_DOUBLE_EQ(s.v, 100.0);
    const AnalysePicture p = MaxExponentPlot(r, 1, 551, 530);
    // Dimension 2 red, dimension 3 blue; each curve starts at (40, H − 30).
    std::vector<AnalyseStroke> red, blue;
    for (const AnalyseStroke& st : p.strokes) {
        if (st.colour == kAnalyseRed)
            red.push_back(st);
        if (st.colour == kAnalyseBlue)
            blue.push_back(st);
    }
    ASSERT_EQ(red.size(), 50u);
    ASSERT_EQ(blue.size(), 50u);
    EXPECT_EQ(red.front().from, (PlotPoint{40, 500}));
    EXPECT_EQ(red.front().to, (PlotPoint{40, 5}));   // |S(1)| = 0.05 → 5 pixels
    EXPECT_EQ(blue.back().to, (PlotPoint{530, 500})); // S(50) = −5 on the horizontal axis
    // Ticks "-1" … "-4" on the vertical axis, turned; step labels 0, 10, … 50.
    int vertical = 0, steps = 0;
    for (const AnalyseLabel& l : p.labels) {
        vertical += l.bVertical && l.text.starts_with("-");
        steps += !l.bVertical && l.at.y == 530 - 28;
    }
    EXPECT_EQ(vertical, 4);
    EXPECT_EQ(steps, 6);
}

TEST(AnalysePlot, SlopeFromTenMinusFiveToThirtyMinusThree)
{
    const MaxExponentScale s = MaxExponentPlotScale(TwoDimensions(), 1, 551, 530);
    // (n, S) = (10, −5) is at (140, 500), (30, −3) at (340, 300).
    const AnalyseSlope slope = MaxExponentSlope(s, {140, 500}, {340, 300});
    EXPECT_NEAR(slope.value, 0.1, 1e-12);
    EXPECT_EQ(slope.text, "Steigung: 0.1000");
}

TEST(AnalysePlot, SpectrumRedrawDrawsOnlyComputedRows)
{
    SpectrumResult r;
    r.exponentCount = 2;
    r.delay = 2;
    r.iterations = 1000;
    r.rows.assign(300, std::vector<double>{0.4, -1.6});
    r.rowCount = 300; // the series ended early
    EXPECT_EQ(SpectrumRowsToDraw(r), 300);
    r.rowCount = 996;
    r.rows.assign(996, std::vector<double>{0.4, -1.6});
    EXPECT_EQ(SpectrumRowsToDraw(r), 996);
    // The whole run: a dotted line at each mean, and the means written with 4 digits.
    const AnalysePicture p = SpectrumPlot(r, 996, 1000, 640, 480, false);
    EXPECT_EQ(std::count_if(p.strokes.begin(), p.strokes.end(), [](auto& s) { return s.dotted; }), 2);
    EXPECT_TRUE(std::any_of(p.labels.begin(), p.labels.end(), [](auto& l) { return l.text == "-1.600"; }));
}

TEST(AnalysePlot, RangeMarkers)
{
    struct Case
    {
        int m1, m2, press, release, want1, want2;
    } cases[] = {
        {0, 0, 100, 100, 100, 0},  // first unset
        {100, 0, 50, 50, 50, 100}, // second set, then ordered
        {100, 200, 300, 203, 100, 300}, // near the second: it goes to the press position
        {100, 200, 150, 150, 100, 150}, // equal distance: the second moves
        {100, 200, 120, 120, 120, 200},
    };
    for (const Case& c : cases) {
        int m1 = c.m1, m2 = c.m2;
        MoveRangeMarkers(m1, m2, c.press, c.release);
        EXPECT_EQ(m1, c.want1) << c.m1 << ' ' << c.m2 << ' ' << c.release;
        EXPECT_EQ(m2, c.want2) << c.m1 << ' ' << c.m2 << ' ' << c.release;
    }
}
