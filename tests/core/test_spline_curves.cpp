// The three smoothing curves: Bézier chain, chord-length-weighted cubic (ten Jacobi sweeps in
// single precision) and the uniform Beta-spline with β1 = 2, β2 = 0.
#include "core/spectral/SplineCurves.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

TEST(BezierChain, KeepsAMultipleOfThreePoints)
{
    const PlotPoint start{20, 380};
    struct Case
    {
        std::size_t points, segments;
    };
    for (const Case c : {Case{2, 0}, Case{3, 1}, Case{4, 1}, Case{5, 1}, Case{6, 2}, Case{0, 0}}) {
        std::vector<PlotPoint> list;
        for (std::size_t i = 0; i < c.points; ++i)
            list.push_back({static_cast<int>(30 + 10 * i), static_cast<int>(100 + i)});
        EXPECT_EQ(MakeBezierChain(list, start).segments.size(), c.segments) << c.points << " points";
    }
    // A list of 4 keeps 3: one segment whose end is the third point.
    const BezierChain chain = MakeBezierChain({{30, 300}, {60, 100}, {90, 200}, {120, 50}}, start);
    ASSERT_EQ(chain.segments.size(), 1u);
    EXPECT_EQ(chain.segments[0][2], (PlotPoint{90, 200}));
}

TEST(BezierChain, SamplesTheCubicFromTheCurrentPosition)
{
    const BezierChain chain = MakeBezierChain({{20, 0}, {100, 0}, {100, 80}, {140, 80}, {180, 120}, {200, 0}},
                                              {20, 80});
    const std::vector<PlotPoint> line = SampleBezierChain(chain, 4);
    ASSERT_EQ(line.size(), 9u);
    EXPECT_EQ(line.front(), (PlotPoint{20, 80}));
    // t = 1/2: (S + 3·C1 + 3·C2 + E)/8 = ((20 + 60 + 300 + 100)/8, (80 + 0 + 0 + 80)/8) = (60, 20).
    EXPECT_EQ(line[2], (PlotPoint{60, 20}));
    EXPECT_EQ(line[4], (PlotPoint{100, 80})); // end of the first segment
    EXPECT_EQ(line[8], (PlotPoint{200, 0}));  // the second starts there and ends on its end point
}

TEST(CubicSpline, TwoPointsSolveTheTwoEquationSystem)
{
    // [[2, 1], [1, 2]]·T = [3d, 3d] has T = d; ten Jacobi sweeps from T = 1.5d leave an error of
    // (−1/2)^10 · 0.5d, so T = d·(1 + 1/2048): exactly 2049 for d = 2048.
    const CubicSplineSystem sys = SolveCubicSpline({{0, 0}, {2048, 0}});
    ASSERT_EQ(sys.tangentX.size(), 2u);
    EXPECT_EQ(sys.ratio, (std::vector<float>{1.0f}));
    EXPECT_EQ(sys.diagonal, (std::vector<float>{2.0f, 2.0f}));
    EXPECT_EQ(sys.tangentX[0], 2049.0f);
    EXPECT_EQ(sys.tangentX[1], 2049.0f);
    EXPECT_EQ(sys.tangentY[0], 0.0f);
}

TEST(CubicSpline, ShortChordRaisesStepsToOne)
{
    // A horizontal chord of 3 pixels: trunc(3 · 0.25) = 0 steps, raised to 1: start and end.
    EXPECT_EQ(CubicSplinePoints({{20, 100}, {23, 100}}), (std::vector<PlotPoint>{{20, 100}, {23, 100}}));
    EXPECT_TRUE(CubicSplinePoints({{20, 100}}).empty());
    EXPECT_TRUE(CubicSplinePoints({}).empty());
}

TEST(CubicSpline, SystemFollowsTheChordRatios)
{
    // Chords of length 5, 10 and 20: r = (0.5, 0.5, 1).
    const CubicSplineSystem sys = SolveCubicSpline({{0, 0}, {3, 4}, {9, 12}, {21, 28}});
    EXPECT_EQ(sys.ratio, (std::vector<float>{0.5f, 0.5f, 1.0f}));
    EXPECT_EQ(sys.diagonal, (std::vector<float>{2.0f, 1.5f, 1.5f, 2.0f}));  // 2·r(i−1)·(r(i−1)+1), 2·r(n−2)
    EXPECT_EQ(sys.upper, (std::vector<float>{0.5f, 0.125f, 0.25f, 0.0f}));  // r(0); r(i−1)²·r(i)
    EXPECT_EQ(sys.lower, (std::vector<float>{0.0f, 1.0f, 1.0f, 1.0f}));
    // R(1) = 3·(r(0)²·dx(1) + dx(0)) = 3·(0.25·6 + 3) = 13.5; R(3) = 3·dx(2) = 36.
    EXPECT_EQ(sys.rhsX, (std::vector<float>{9.0f, 13.5f, 3.0f * (0.25f * 12.0f + 6.0f), 36.0f}));
}

TEST(CubicSpline, PassesThroughEveryPointWithTheStatedSampleCount)
{
    const std::vector<PlotPoint> points = {{20, 380}, {80, 120}, {130, 300}, {400, 60}, {800, 380}};
    const std::vector<PlotPoint> curve = CubicSplinePoints(points);
    std::size_t expected = 0;
    std::size_t index = 0;
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        const int steps = std::max(std::max(std::abs(points[i + 1].x - points[i].x),
                                            std::abs(points[i + 1].y - points[i].y)) / 4, 1);
        ASSERT_LT(index, curve.size());
        EXPECT_EQ(curve[index], points[i]) << "segment " << i << " starts on its point";
        index += static_cast<std::size_t>(steps) + 1;
        EXPECT_EQ(curve[index - 1], points[i + 1]) << "segment " << i << " ends on the next point";
        expected += static_cast<std::size_t>(steps) + 1;
    }
    EXPECT_EQ(curve.size(), expected);
}

TEST(CubicSpline, StraightHorizontalPointsStayOnTheirLine)
{
    for (const PlotPoint& p : CubicSplinePoints({{20, 200}, {60, 200}, {100, 200}, {300, 200}}))
        EXPECT_EQ(p.y, 200);
}

TEST(CubicSpline, CoincidentPointsGiveFiniteResults)
{
    const std::vector<PlotPoint> curve = CubicSplinePoints({{20, 100}, {20, 100}, {60, 50}, {60, 50}, {90, 80}});
    EXPECT_FALSE(curve.empty());
    for (const PlotPoint& p : curve) {
        EXPECT_GT(p.x, -1000);
        EXPECT_LT(p.x, 1000);
    }
}

TEST(BetaSpline, BasisMatrixForBetaOneTwoHasDelta42)
{
    const BetaSplineBasis m = MakeBetaSplineBasis(2.0, 0.0);
    const double expected[4][4] = {{-16, 28, -14, 2}, {48, -72, 24, 0}, {-48, 36, 12, 0}, {16, 24, 2, 0}};
    for (std::size_t r = 0; r < 4; ++r)
        for (std::size_t c = 0; c < 4; ++c)
            EXPECT_NEAR(m[r][c] * 42.0, expected[r][c], 1e-12) << "row " << r << ", column " << c;
}

TEST(BetaSpline, ElevenPointsPerSegmentAndNothingBelowFourPoints)
{
    EXPECT_TRUE(BetaSplinePoints({{0, 0}, {10, 10}, {20, 0}}).empty());
    EXPECT_EQ(BetaSplinePoints({{0, 0}, {10, 10}, {20, 0}, {30, 5}}).size(), 11u);
    EXPECT_EQ(BetaSplinePoints({{0, 0}, {10, 10}, {20, 0}, {30, 5}, {40, 5}}).size(), 22u);
}

TEST(BetaSpline, KnownPointsOfASegment)
{
    // Control points on a line 42 apart: at t = 0 the point is (16·P0 + 24·P1 + 2·P2)/42.
    const std::vector<PlotPoint> line = BetaSplinePoints({{0, 7}, {42, 7}, {84, 7}, {126, 7}});
    ASSERT_EQ(line.size(), 11u);
    EXPECT_EQ(line[0], (PlotPoint{28, 7}));
    for (const PlotPoint& p : line)
        EXPECT_EQ(p.y, 7);
    // Four equal points: every weight row sums to 0 except the constant one (1), so all coincide.
    for (const PlotPoint& p : BetaSplinePoints({{50, 60}, {50, 60}, {50, 60}, {50, 60}}))
        EXPECT_EQ(p, (PlotPoint{50, 60}));
    // The last t of a segment is just below 1, where the next segment starts at t = 0.
    const std::vector<PlotPoint> two = BetaSplinePoints({{0, 0}, {42, 0}, {84, 0}, {126, 0}, {168, 0}});
    EXPECT_NEAR(two[10].x, two[11].x, 1);
}

TEST(BetaSpline, FFTViewAddsTwoPointsAtEachEnd)
{
    const std::vector<PlotPoint> peaks = {{20, 380}, {300, 100}, {800, 380}};
    EXPECT_EQ(FFTBetaControlPoints(peaks, 800, 400),
              (std::vector<PlotPoint>{{21, 380}, {22, 380}, {20, 380}, {300, 100}, {800, 380}, {798, 380}, {799, 380}}));
}
