#include "SplineCurves.h"

#include "FFTPlotMapping.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

constexpr int kMaxCubicSteps = 65536; // a segment never needs more points than pixels

int RoundToPixel(double v)
{
    return TruncToPixel(std::floor(v + 0.5));
}

} // namespace

BezierChain MakeBezierChain(const std::vector<PlotPoint>& points, PlotPoint start)
{
    BezierChain chain;
    chain.start = start;
    const std::size_t kept = points.size() - points.size() % 3;
    for (std::size_t i = 0; i < kept; i += 3)
        chain.segments.push_back({points[i], points[i + 1], points[i + 2]});
    return chain;
}

std::vector<PlotPoint> SampleBezierChain(const BezierChain& chain, int nStepsPerSegment)
{
    const int steps = std::max(nStepsPerSegment, 1);
    std::vector<PlotPoint> out{chain.start};
    PlotPoint s = chain.start;
    for (const auto& seg : chain.segments) {
        for (int j = 1; j <= steps; ++j) {
            const double t = static_cast<double>(j) / steps;
            const double u = 1.0 - t;
            const double w0 = u * u * u, w1 = 3.0 * u * u * t, w2 = 3.0 * u * t * t, w3 = t * t * t;
            out.push_back({RoundToPixel(w0 * s.x + w1 * seg[0].x + w2 * seg[1].x + w3 * seg[2].x),
                           RoundToPixel(w0 * s.y + w1 * seg[0].y + w2 * seg[1].y + w3 * seg[2].y)});
        }
        s = seg[2];
    }
    return out;
}

CubicSplineSystem SolveCubicSpline(const std::vector<PlotPoint>& p)
{
    CubicSplineSystem sys;
    const std::size_t n = p.size();
    if (n < 2)
        return sys;
    const std::size_t m = n - 1; // chords
    sys.dx.resize(m);
    sys.dy.resize(m);
    std::vector<float> length(m);
    for (std::size_t i = 0; i < m; ++i) {
        sys.dx[i] = static_cast<float>(static_cast<long long>(p[i + 1].x) - p[i].x);
        sys.dy[i] = static_cast<float>(static_cast<long long>(p[i + 1].y) - p[i].y);
        length[i] = std::sqrt(sys.dx[i] * sys.dx[i] + sys.dy[i] * sys.dy[i]);
    }
    std::vector<float>& r = sys.ratio;
    r.assign(m, 1.0f);
    for (std::size_t i = 0; i + 1 < m; ++i) // r(n−2) stays 1
        if (length[i] > 0.0f && length[i + 1] > 0.0f)
            r[i] = length[i] / length[i + 1];

    sys.lower.assign(n, 0.0f);
    sys.diagonal.assign(n, 0.0f);
    sys.upper.assign(n, 0.0f);
    sys.rhsX.assign(n, 0.0f);
    sys.rhsY.assign(n, 0.0f);
    sys.diagonal[0] = 2.0f;
    sys.upper[0] = r[0];
    sys.rhsX[0] = 3.0f * sys.dx[0];
    sys.rhsY[0] = 3.0f * sys.dy[0];
    for (std::size_t i = 1; i + 1 < n; ++i) {
        const float q = r[i - 1];
        sys.lower[i] = 1.0f;
        sys.diagonal[i] = 2.0f * q * (q + 1.0f);
        sys.upper[i] = q * r[i] * q;
        sys.rhsX[i] = 3.0f * (q * q * sys.dx[i] + sys.dx[i - 1]);
        sys.rhsY[i] = 3.0f * (q * q * sys.dy[i] + sys.dy[i - 1]);
    }
    sys.lower[n - 1] = 1.0f;
    sys.diagonal[n - 1] = 2.0f * r[n - 2];
    sys.rhsX[n - 1] = 3.0f * sys.dx[n - 2];
    sys.rhsY[n - 1] = 3.0f * sys.dy[n - 2];

    auto jacobi = [&](const std::vector<float>& rhs) {
        std::vector<float> t(n), next(n);
        for (std::size_t i = 0; i < n; ++i)
            t[i] = rhs[i] / sys.diagonal[i];
        for (int sweep = 0; sweep < 10; ++sweep) {
            next[0] = (rhs[0] - sys.upper[0] * t[1]) / sys.diagonal[0];
            for (std::size_t i = 1; i + 1 < n; ++i)
                next[i] = (rhs[i] - sys.lower[i] * t[i - 1] - sys.upper[i] * t[i + 1]) / sys.diagonal[i];
            next[n - 1] = (rhs[n - 1] - sys.lower[n - 1] * t[n - 2]) / sys.diagonal[n - 1];
            t.swap(next);
        }
        return t;
    };
    sys.tangentX = jacobi(sys.rhsX);
    sys.tangentY = jacobi(sys.rhsY);
    return sys;
}

std::vector<PlotPoint> CubicSplinePoints(const std::vector<PlotPoint>& p)
{
    std::vector<PlotPoint> curve;
    if (p.size() < 2)
        return curve;
    const CubicSplineSystem sys = SolveCubicSpline(p);
    const std::size_t m = p.size() - 1;
    std::vector<int> steps(m);
    std::size_t total = 0;
    for (std::size_t i = 0; i < m; ++i) {
        const float longer = std::max(std::fabs(std::trunc(sys.dx[i])), std::fabs(std::trunc(sys.dy[i])));
        const float quarter = longer * 0.25f;
        const int s = quarter >= static_cast<float>(kMaxCubicSteps) ? kMaxCubicSteps : static_cast<int>(quarter);
        steps[i] = std::max(s, 1);
        total += static_cast<std::size_t>(steps[i]) + 1;
    }
    curve.reserve(total);
    for (std::size_t i = 0; i < m; ++i) {
        const float t0x = sys.tangentX[i], t0y = sys.tangentY[i];
        const float t1x = sys.ratio[i] * sys.tangentX[i + 1], t1y = sys.ratio[i] * sys.tangentY[i + 1];
        const auto x0 = static_cast<float>(p[i].x), y0 = static_cast<float>(p[i].y);
        curve.push_back(p[i]);
        for (int j = 1; j <= steps[i]; ++j) {
            const float t = static_cast<float>(j) / static_cast<float>(steps[i]);
            const float h01 = (3.0f - 2.0f * t) * t * t;
            const float h10 = t * (t - 1.0f) * (t - 1.0f);
            const float h11 = t * t * (t - 1.0f);
            curve.push_back({TruncToPixel(x0 + h01 * sys.dx[i] + h10 * t0x + h11 * t1x),
                             TruncToPixel(y0 + h01 * sys.dy[i] + h10 * t0y + h11 * t1y)});
        }
    }
    return curve;
}

BetaSplineBasis MakeBetaSplineBasis(double b1, double b2)
{
    const double b1sq = b1 * b1;
    const double b1cu = b1sq * b1;
    const double delta = 2.0 * b1cu + 4.0 * (b1sq + b1) + b2 + 2.0;
    BetaSplineBasis m{};
    m[0] = {-2.0 * b1cu / delta, 2.0 * (b2 + b1cu + b1sq + b1) / delta, -2.0 * (b2 + b1sq + b1 + 1.0) / delta,
            2.0 / delta};
    m[1] = {6.0 * b1cu / delta, -3.0 * (b2 + 2.0 * b1cu + 2.0 * b1sq) / delta, 3.0 * (b2 + 2.0 * b1sq) / delta, 0.0};
    m[2] = {-6.0 * b1cu / delta, 6.0 * (b1cu - b1) / delta, 6.0 * b1 / delta, 0.0};
    m[3] = {2.0 * b1cu / delta, (b2 + 4.0 * (b1sq + b1)) / delta, 2.0 / delta, 0.0};
    return m;
}

std::vector<PlotPoint> BetaSplinePoints(const std::vector<PlotPoint>& c, double beta1, double beta2)
{
    std::vector<PlotPoint> curve;
    if (c.size() < 4)
        return curve;
    const BetaSplineBasis m = MakeBetaSplineBasis(beta1, beta2);
    for (std::size_t j = 0; j + 3 < c.size(); ++j) {
        // Coefficients of t³, t², t, 1 for x and y: M·[P(j) .. P(j+3)].
        double ax[4], ay[4];
        for (int row = 0; row < 4; ++row) {
            ax[row] = 0.0;
            ay[row] = 0.0;
            for (int col = 0; col < 4; ++col) {
                ax[row] += m[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] * c[j + static_cast<std::size_t>(col)].x;
                ay[row] += m[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] * c[j + static_cast<std::size_t>(col)].y;
            }
        }
        for (double t = 0.0; t < 1.0; t += 0.1) {
            const double t2 = t * t, t3 = t2 * t;
            curve.push_back({RoundToPixel(t3 * ax[0] + t2 * ax[1] + t * ax[2] + ax[3]),
                             RoundToPixel(t3 * ay[0] + t2 * ay[1] + t * ay[2] + ay[3])});
        }
    }
    return curve;
}

std::vector<PlotPoint> FFTBetaControlPoints(const std::vector<PlotPoint>& peaks, int nWidth, int nHeight)
{
    const int base = nHeight - kPlotBottomGap;
    std::vector<PlotPoint> c;
    c.reserve(peaks.size() + 4);
    c.push_back({kPlotLeft + 1, base});
    c.push_back({kPlotLeft + 2, base});
    c.insert(c.end(), peaks.begin(), peaks.end());
    c.push_back({nWidth - 2, base});
    c.push_back({nWidth - 1, base});
    return c;
}
