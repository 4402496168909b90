// What the time-series view draws in its three modes (the series, its autocorrelation, the mutual
// information of the series and its delayed copy), as lines and texts in pixels, and the zoom rules
// of its field "Pixel pro Messpunkt". Widget-free: the window and resoni-render paint the result.
#pragma once

#include "core/common/PlotPrimitives.h"
#include "core/nonlinear/MutualInformation.h"

#include <cstddef>
#include <span>
#include <string>
#include <vector>

namespace Zeitreihe {

constexpr Rgb kBackground{0, 0, 0};
constexpr Rgb kCurve{0, 255, 0};
constexpr Rgb kZeroLine{255, 255, 255};
constexpr Rgb kText{255, 255, 255};
constexpr int kMiPixelsPerDelay = 4; // the mutual information's x scale: 4 pixels per delay

// The field "Pixel pro Messpunkt" read as v: v ≥ 1 gives v pixels per point, 0 gives 1, v ≤ −1 gives
// 1/|v| (|v| points share a pixel).
double pixelsPerPointOfField(int v);
// The field's value for a zoom: the zoom itself from 1 up, else −1/zoom; truncated.
int fieldOfPixelsPerPoint(double pixelsPerPoint);
// n values are too many for the zoom: n > 20000 / pixels per point.
bool exceedsDrawingLimit(std::size_t n, double pixelsPerPoint);
// The zoom the answer Yes chooses: 5000 / n pixels per point (about 5000 pixels of width).
double simplifiedPixelsPerPoint(std::size_t n);
// "Die Anzahl von n Datenpunkten beeinträchtigt …" with the zoom written with 5 significant digits.
std::string performanceQuestion(std::size_t n, double pixelsPerPoint);

// One mode's picture: lines in scrolled (logical) pixels, labels in client pixels on the top line.
struct Plot
{
    std::vector<PlotPoint> points; // the polyline of the mode, as the staircase runs through it
    std::vector<PlotLine> lines;   // staircase, then the zero line
    std::vector<PlotText> labels;
    int nScrollWidth = 0;          // horizontal extent of the scrolling view; 0 leaves it as it was
};

// The step curve of values y[0 … n−1] (modes 0 and 1): with s = 1 for pixels per point ≥ 1, else
// trunc(1 / pixels per point), the points (trunc(i·ppp), trunc((A − y[i])·H / A / c)) for
// i = 0, s, 2s, … ≤ n − 1; c = 2 for signed samples (0 at H/2), 1 for unsigned (0 at the bottom).
// The staircase runs horizontally first, then vertically; the zero line is at H/2 over trunc(n·ppp).
// Mode 0 takes A = the full-scale value of the samples; one value gives the single point (0, 0).
Plot seriesPlot(std::span<const double> y, double fullScale, bool bSigned, double pixelsPerPoint, int height);
// Mode 1: A = the largest |r|; fewer than 11 values draw nothing. The label "1.Minimum: " with the
// lag, or "nicht gefunden" for lag 0, right-aligned at the client width.
Plot autoCorrPlot(std::span<const double> r, int firstMinLag, double pixelsPerPoint, int width, int height);
// Mode 2, from a computed result with T = maxDelay: the points (4τ, trunc((M − I(τ))·H / M)) for
// τ = 0 … T, M the largest I(τ ≥ 1); the scroll extent 4T; the entropy label centred and the
// first minimum right-aligned. A result that was not computed draws nothing.
Plot mutualInformationPlot(const MutualInformationResult& mi, int width, int height);

} // namespace Zeitreihe
