// The three smoothing curves: Bézier chain, chord-length-weighted cubic (ten Jacobi sweeps in
// single precision) and the uniform Beta-spline with β1 = 2, β2 = 0.
#include "core/spectral/SplineCurves.h"

#include <gtest/gtest.h>

#include <vector>

TEST(BezierChain, KeepsAMultipleOfThreePointsAndSamplesFromTheCurrentPosition)
{
    EXPECT_TRUE(MakeBezierChain({{30, 100}, {40, 101}}, {20, 380}).segments.empty());
    EXPECT_EQ(MakeBezierChain({{30, 100}, {40, 101}, {50, 102}, {60, 103}, {70, 104}}, {20, 380}).segments.size(), 1u);
    const BezierChain chain = MakeBezierChain({{20, 0}, {100, 0}, {100, 80}, {140, 80}, {180, 120}, {200, 0}, {9, 9}},
                                              {20, 80});
    // t = 1/2: (S + 3·C1 + 3·C2 + E)/8 = ((20 + 60 + 300 + 100)/8, (80 + 0 + 0 + 80)/8) = (60, 20); the
    // second segment starts at the first's end (100, 80): t = 1/4 gives (27·100 + 27·140 + 9·180 + 200)/64
    // = 129.7 and (27·80 + 27·80 + 9·120)/64 = 84.4, rounded to the nearest pixel (the other points
    // likewise, worked out with Python).
    EXPECT_EQ(SampleBezierChain(chain, 4), (std::vector<PlotPoint>{{20, 80}, {33, 35}, {60, 20}, {88, 35}, {100, 80},
                                                                   {130, 84}, {158, 85}, {182, 63}, {200, 0}}));
}

TEST(CubicSpline, SystemsWorkedByHandAndACurveThroughEveryPointWithAQuarterOfTheLongerSidePerSegment)
{
    // [[2, 1], [1, 2]]·T = [3d, 3d] has T = d; ten Jacobi sweeps from T = 1.5d leave an error of
    // (−1/2)^10 · 0.5d, so T = d·(1 + 1/2048): exactly 2049 for d = 2048.
    const CubicSplineSystem two = SolveCubicSpline({{0, 0}, {2048, 0}});
    EXPECT_EQ(two.ratio, (std::vector<float>{1.0f}));
    EXPECT_EQ(two.diagonal, (std::vector<float>{2.0f, 2.0f}));
    EXPECT_EQ(two.tangentX, (std::vector<float>{2049.0f, 2049.0f}));
    EXPECT_EQ(two.tangentY, (std::vector<float>{0.0f, 0.0f}));
    // Chords of length 5, 10 and 20: r = (0.5, 0.5, 1).
    const CubicSplineSystem sys = SolveCubicSpline({{0, 0}, {3, 4}, {9, 12}, {21, 28}});
    EXPECT_EQ(sys.ratio, (std::vector<float>{0.5f, 0.5f, 1.0f}));
    EXPECT_EQ(sys.diagonal, (std::vector<float>{2.0f, 1.5f, 1.5f, 2.0f})); // 2·r(i−1)·(r(i−1)+1), 2·r(n−2)
    EXPECT_EQ(sys.upper, (std::vector<float>{0.5f, 0.125f, 0.25f, 0.0f})); // r(0); r(i−1)²·r(i)
    EXPECT_EQ(sys.lower, (std::vector<float>{0.0f, 1.0f, 1.0f, 1.0f}));
    // R(1) = 3·(r(0)²·dx(1) + dx(0)) = 3·(0.25·6 + 3) = 13.5; R(2) = 3·(0.25·12 + 6) = 27; R(3) = 3·dx(2) = 36.
    EXPECT_EQ(sys.rhsX, (std::vector<float>{9.0f, 13.5f, 27.0f, 36.0f}));
    EXPECT_EQ(sys.rhsY, (std::vector<float>{12.0f, 18.0f, 36.0f, 48.0f}));
    // Seven points a pixel apart: r = 1 and c = (1, 1, 1, 1, 1, 1, 0), the last equation having no
    // upper neighbour. T = d = 1 solves the system with (a + c)·T = b·T/2 in every row, so as for
    // two points the start R/b = 1.5 loses half its error a sweep: 1 + 1/2048 at every point.
    const CubicSplineSystem even = SolveCubicSpline({{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0}});
    EXPECT_EQ(even.upper, (std::vector<float>{1, 1, 1, 1, 1, 1, 0}));
    EXPECT_EQ(even.tangentX, std::vector<float>(7, 2049.0f / 2048.0f));
    // Steps: trunc(260/4) = 65, trunc(180/4) = 45, trunc(270/4) = 67, trunc(400/4) = 100; each
    // segment holds its start point and then its steps: 66 + 46 + 68 + 101 points.
    const std::vector<PlotPoint> points = {{20, 380}, {80, 120}, {130, 300}, {400, 60}, {800, 380}};
    const std::vector<PlotPoint> curve = CubicSplinePoints(points);
    ASSERT_EQ(curve.size(), 281u);
    const std::size_t starts[] = {0, 66, 112, 180, 281};
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        EXPECT_EQ(curve[starts[i]], points[i]) << "segment " << i << " starts on its point";
        EXPECT_EQ(curve[starts[i + 1] - 1], points[i + 1]) << "segment " << i << " ends on the next point";
    }
    // A chord of 3 pixels: trunc(3/4) = 0 steps, raised to 1; fewer than two points give nothing.
    EXPECT_EQ(CubicSplinePoints({{20, 100}, {23, 100}}), (std::vector<PlotPoint>{{20, 100}, {23, 100}}));
    EXPECT_TRUE(CubicSplinePoints({{20, 100}}).empty());
    for (const PlotPoint& p : CubicSplinePoints({{20, 200}, {20, 200}, {60, 200}, {100, 200}, {300, 200}}))
        EXPECT_TRUE(p.y == 200 && p.x >= 20 && p.x <= 300) << "coincident points on a line stay on it";
}

TEST(BetaSpline, BasisMatrixForBetaOneTwoHasDelta42AndTheFFTViewAddsTwoPointsAtEachEnd)
{
    const BetaSplineBasis m = MakeBetaSplineBasis(2.0, 0.0);
    const double expected[4][4] = {{-16, 28, -14, 2}, {48, -72, 24, 0}, {-48, 36, 12, 0}, {16, 24, 2, 0}};
    for (std::size_t r = 0; r < 4; ++r)
        for (std::size_t c = 0; c < 4; ++c)
            EXPECT_NEAR(m[r][c] * 42.0, expected[r][c], 1e-12) << "row " << r << ", column " << c;
    EXPECT_EQ(FFTBetaControlPoints({{20, 380}, {300, 100}, {800, 380}}, 800, 400),
              (std::vector<PlotPoint>{{21, 380}, {22, 380}, {20, 380}, {300, 100}, {800, 380}, {798, 380}, {799, 380}}));
}

TEST(BetaSpline, ElevenKnownPointsPerSegment)
{
    EXPECT_TRUE(BetaSplinePoints({{0, 0}, {10, 10}, {20, 0}}).empty());
    // Control points on a line 42 apart: at t = 0 the point is (16·P0 + 24·P1 + 2·P2)/42, for the
    // second segment (16·42 + 24·84 + 2·126)/42 = 70; the last t of a segment lies just below 1,
    // where the next one starts.
    const std::vector<PlotPoint> line = BetaSplinePoints({{0, 7}, {42, 7}, {84, 7}, {126, 7}, {168, 7}});
    ASSERT_EQ(line.size(), 22u);
    EXPECT_EQ(line[0], (PlotPoint{28, 7}));
    EXPECT_EQ(line[11], (PlotPoint{70, 7}));
    EXPECT_NEAR(line[10].x, line[11].x, 1);
    for (const PlotPoint& p : line)
        EXPECT_EQ(p.y, 7);
    // Four equal points: every weight row sums to 0 except the constant one (1), so all coincide.
    for (const PlotPoint& p : BetaSplinePoints({{50, 60}, {50, 60}, {50, 60}, {50, 60}}))
        EXPECT_EQ(p, (PlotPoint{50, 60}));
}

