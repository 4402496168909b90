// The three smoothing curves through an ordered list of integer points (the FFT view's peak
// list, the envelope editor's kept points): a Bézier chain, a chord-length-weighted cubic Hermite
// spline solved by ten Jacobi sweeps in single precision, and a uniform Beta-spline. Point
// generation only; the views draw the results as polylines.
#pragma once

#include "core/common/PlotPrimitives.h"

#include <array>
#include <vector>

// --- Bézier chain ---------------------------------------------------------------------------

// Segments drawn from `start`: each takes the next three points of the list as first control
// point, second control point and end point, B(t) = (1−t)³·S + 3(1−t)²t·C1 + 3(1−t)t²·C2 + t³·E
// with S the end of the previous segment. Points are dropped from the end of the list until its
// length is a multiple of 3 (a list of 4 keeps 3: one segment).
struct BezierChain
{
    PlotPoint start;
    std::vector<std::array<PlotPoint, 3>> segments; // C1, C2, E
};
BezierChain MakeBezierChain(const std::vector<PlotPoint>& points, PlotPoint start);
// The chain as a polyline: the start, then nStepsPerSegment points per segment at
// t = j/nStepsPerSegment (j = 1 ..), coordinates rounded to the nearest pixel.
std::vector<PlotPoint> SampleBezierChain(const BezierChain& chain, int nStepsPerSegment = 16);

// --- chord-length-weighted cubic ------------------------------------------------------------

// The cubic spline's intermediate values, in single precision as the curve computes them.
struct CubicSplineSystem
{
    std::vector<float> dx, dy;     // chords P(i+1) − P(i), i = 0 .. n−2
    std::vector<float> ratio;      // r(i) = L(i)/L(i+1), r(n−2) = 1 (1 also where a chord is 0)
    std::vector<float> lower, diagonal, upper, rhsX, rhsY; // n equations
    std::vector<float> tangentX, tangentY;                 // after ten Jacobi sweeps
};
// Steps 1 to 4 for n >= 2 points: chords, ratios, the tridiagonal system
//   b(0) = 2, c(0) = r(0); for i = 1 .. n−2: a(i) = 1, b(i) = 2·r(i−1)·(r(i−1) + 1),
//   c(i) = r(i−1)·r(i)·r(i−1); a(n−1) = 1, b(n−1) = 2·r(n−2);
//   R(0) = 3·d(0), R(i) = 3·(r(i−1)²·d(i) + d(i−1)), R(n−1) = 3·d(n−2),
// and its Jacobi solution (start T = R/b, then ten sweeps from the previous sweep's values).
CubicSplineSystem SolveCubicSpline(const std::vector<PlotPoint>& points);
// The curve list: per segment i its start point P(i), then for j = 1 .. steps, t = j/steps,
// P(i) + (3 − 2t)t²·(dx, dy) + t(t − 1)²·T0 + t²(t − 1)·T1, truncated, with T0 = T(i),
// T1 = r(i)·T(i+1) and steps = trunc(max(|dx|, |dy|)·0.25), at least 1 (and at most 65536).
// Empty for fewer than two points.
std::vector<PlotPoint> CubicSplinePoints(const std::vector<PlotPoint>& points);

// --- Beta-spline ----------------------------------------------------------------------------

// The 4 × 4 basis matrix M (rows for t³, t², t, 1; columns for the four control points) with
// δ = 2β1³ + 4(β1² + β1) + β2 + 2 (β1 = 2, β2 = 0: δ = 42).
using BetaSplineBasis = std::array<std::array<double, 4>, 4>;
BetaSplineBasis MakeBetaSplineBasis(double beta1 = 2.0, double beta2 = 0.0);
// For each segment j = 0 .. n−4 and t = 0, 0.1, 0.2, … while t < 1 (t accumulated in double, 11
// values), the point [t³, t², t, 1]·M·[P(j) .. P(j+3)] rounded to the nearest pixel (the weights
// sum to 1 only up to rounding, and truncation would drop a straight line by a pixel); all
// joined as one polyline.
// Empty for fewer than four points.
std::vector<PlotPoint> BetaSplinePoints(const std::vector<PlotPoint>& controls, double beta1 = 2.0,
                                        double beta2 = 0.0);
// The FFT view's control points for the Beta curve: its peak list with two extra points put in
// front, (21, H − 20) and (22, H − 20), and two appended, (W − 2, H − 20) and (W − 1, H − 20),
// so that the curve starts and ends on the baseline at the plot's edges.
std::vector<PlotPoint> FFTBetaControlPoints(const std::vector<PlotPoint>& peaks, int nWidth, int nHeight);
