// The time-series view's geometry: zoom rules, step curves of known values, labels of modes 1 and 2.
#include "core/nonlinear/ZeitreihePlot.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Zeitreihe;

TEST(ZeitreiheZoom, FieldValuesAndDrawingLimit)
{
    const struct { int field; double ppp; } cases[] = {{3, 3.0}, {1, 1.0}, {0, 1.0}, {-1, 1.0}, {-4, 0.25}, {-1000, 0.001}};
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(pixelsPerPointOfField(c.field), c.ppp) << c.field;
    // 30000 values at 1 pixel each are too many; Yes gives 5000/30000 and the field −6.
    EXPECT_TRUE(exceedsDrawingLimit(30000, 1.0));
    EXPECT_FALSE(exceedsDrawingLimit(20000, 1.0));
    EXPECT_FALSE(exceedsDrawingLimit(30000, simplifiedPixelsPerPoint(30000)));
    EXPECT_EQ(fieldOfPixelsPerPoint(simplifiedPixelsPerPoint(30000)), -6);
    EXPECT_EQ(performanceQuestion(30000, 1.0),
              "Die Anzahl von 30000 Datenpunkten beeinträchtigt bei der gewählten Einstellung von 1 Pixel pro "
              "Messpunkten die Leistung, wollen Sie die Darstellung vereinfachen ?");
    EXPECT_NE(performanceQuestion(9, 1.0 / 3.0).find(" von 0.33333 Pixel"), std::string::npos);
}

TEST(ZeitreihePlot, StepCurveOfSignedAndUnsignedValues)
{
    // Signed 16-bit: +A at the top, 0 on the zero line H/2, −A at the bottom; 3 pixels per point.
    const std::vector<double> y{32767.0, 0.0, -32767.0, 0.0};
    const Plot p = seriesPlot(y, 32767.0, true, 3.0, 200);
    const std::vector<PlotPoint> expected{{0, 0}, {3, 100}, {6, 200}, {9, 100}};
    EXPECT_EQ(p.points, expected);
    EXPECT_EQ(p.nScrollWidth, 12);
    ASSERT_EQ(p.lines.size(), 7u); // 3 steps of two lines, then the zero line
    EXPECT_EQ(p.lines[0].from, (PlotPoint{0, 0}));
    EXPECT_EQ(p.lines[0].to, (PlotPoint{3, 0})); // across first, then down
    EXPECT_EQ(p.lines.back(), (PlotLine{{0, 100}, {12, 100}, kZeroLine}));

    // Unsigned 8-bit: 0 lies on the bottom edge, 255 on the top.
    const Plot u = seriesPlot(std::vector<double>{0.0, 255.0}, 255.0, false, 1.0, 100);
    EXPECT_EQ(u.points, (std::vector<PlotPoint>{{0, 100}, {1, 0}}));

    // −4 typed: four values share one pixel, every fourth value becomes a point.
    std::vector<double> ramp(41);
    for (std::size_t i = 0; i < ramp.size(); ++i)
        ramp[i] = static_cast<double>(i);
    const Plot q = seriesPlot(ramp, 32767.0, true, pixelsPerPointOfField(-4), 100);
    ASSERT_EQ(q.points.size(), 11u);
    EXPECT_EQ(q.nScrollWidth, 10);

}

TEST(ZeitreihePlot, AutoCorrelationLabelAndShortInput)
{
    std::vector<double> r(20, 0.5);
    r[0] = -2.0; // the largest magnitude sets the scale: 0.5 lies at (2 − 0.5)/2 of the height
    const Plot p = autoCorrPlot(r, 0, 1.0, 300, 100);
    EXPECT_EQ(p.points[1].y, 75);
    ASSERT_EQ(p.labels.size(), 1u);
    EXPECT_EQ(p.labels[0].text, "1.Minimum: nicht gefunden");
    EXPECT_EQ(p.labels[0].at.x, 300);
    EXPECT_EQ(autoCorrPlot(r, 7, 1.0, 300, 100).labels[0].text, "1.Minimum: 7");
    EXPECT_TRUE(autoCorrPlot(std::span<const double>(r).first(10), 7, 1.0, 300, 100).labels.empty());
}

TEST(ZeitreihePlot, MutualInformationOfAUniformCycle)
{
    // 0 … 15 twenty times: I(0) = ln 16 = 2.77258…; I(τ) is the entropy of the 320 − τ paired boxes,
    // least even at τ = 8 (8 boxes 20 times, 8 boxes 19 times; computed outside), ln 16 at τ = 16.
    std::vector<double> cycle(320);
    for (std::size_t i = 0; i < cycle.size(); ++i)
        cycle[i] = static_cast<double>(i % 16);
    AbortToken abort;
    const MutualInformationResult mi = computeMutualInformation(cycle, 16, 90, abort);
    const Plot p = mutualInformationPlot(mi, 400, 100);
    ASSERT_EQ(p.labels.size(), 2u);
    EXPECT_EQ(p.labels[0].text, "Shannon Entropie: 2.7725");
    EXPECT_EQ(p.labels[1].text, "1.Minimum: 8");
    EXPECT_EQ(p.nScrollWidth, 360);
    ASSERT_EQ(p.points.size(), 91u);
    EXPECT_EQ(p.points[16], (PlotPoint{64, 0}));

    EXPECT_TRUE(mutualInformationPlot(computeMutualInformation(std::span(cycle).first(100), 16, 90, abort), 400, 100)
                    .labels.empty());
}
