// What the analysis window draws, in client pixels: the maximal-exponent plot, the spectrum
// plot and the correlation-dimension plot, the slope tool's read-out and the range markers.
// Widget-free; the window, its pictures and resoni-render paint these lists in order.
#pragma once

#include "core/common/PlotPrimitives.h"
#include "core/nonlinear/NonlinearResults.h"

#include <string>
#include <vector>

// A line of width `width` (1 or 3), solid or dotted.
struct AnalyseStroke
{
    PlotPoint from;
    PlotPoint to;
    Rgb colour;
    int width = 1;
    bool dotted = false;
};

// A text whose top-left corner (Left), top centre (Centre) or top-right corner (Right) is at
// `at`; vertical texts are turned 90° counter-clockwise about that point. A text with a
// wrap width is broken into lines of at most that many pixels.
struct AnalyseLabel
{
    PlotPoint at;
    std::string text;
    TextAnchor anchor = TextAnchor::Left;
    const char* font = "Century Gothic";
    int nPixelHeight = 16;
    bool bVertical = false;
    int nWrapWidth = 0;
};

struct AnalysePicture
{
    std::vector<PlotRect> fills; // painted first
    std::vector<AnalyseStroke> strokes;
    std::vector<AnalyseLabel> labels; // painted last, black
};

inline constexpr Rgb kAnalyseRed{255, 0, 0};
inline constexpr Rgb kAnalyseBlue{0, 0, 255};
inline constexpr Rgb kAnalyseGreen{0, 255, 0};
inline constexpr Rgb kAnalyseBlack{0, 0, 0};
inline constexpr Rgb kAnalyseWhite{255, 255, 255};

// The text "Berechnen" shows for a series of fewer than 50 values, word-wrapped into W × H.
AnalysePicture AnalyseTooShortPicture(int width, int height);
extern const char* const kAnalyseTooShortText;

// Scales of the maximal-exponent plot: h = (W − 40) div (s + 1) pixels per step, v = (H − 30)/M
// pixels per unit of S, M = |smallest S| over the drawn radii and dimensions (1 when all are 0).
struct MaxExponentScale
{
    int h = 1;
    double v = 1.0;
    double M = 1.0;
};
MaxExponentScale MaxExponentPlotScale(const MaxExponentResult& result, unsigned radiiDrawn, int width, int height);
AnalysePicture MaxExponentPlot(const MaxExponentResult& result, unsigned radiiDrawn, int width, int height);

// The slope tool: pixels to plot units n = (x − 40)/h, S = −y/v, and the read-out
// "Steigung: " + the first six characters of the slope with 10 significant digits.
struct AnalyseSlope
{
    double value = 0.0;
    std::string text;
};
AnalyseSlope MaxExponentSlope(const MaxExponentScale& scale, PlotPoint start, PlotPoint end);
// The measured line (black, width 3) and its read-out centred on the top line (Arial 16).
void AddSlopeLine(AnalysePicture& picture, PlotPoint start, PlotPoint end, const std::string& text, int width);

// The spectrum plot of rows 0 … rowsDrawn − 1 with last index lastIndex; a dotted line at each
// exponent's mean when rowsDrawn = lastIndex − N·d. withText adds the Kaplan-Yorke text.
AnalysePicture SpectrumPlot(const SpectrumResult& result, long long rowsDrawn, long long lastIndex, int width,
                            int height, bool withText);
// The rows a redraw of a finished run draws: I − E·d, but never more than were computed.
long long SpectrumRowsToDraw(const SpectrumResult& result);

// The correlation-dimension plot with the range markers m1 < m2 (0 = unset). means receives
// the averaged slope per dimension when both markers are set.
AnalysePicture CorrelationPlot(const CorrelationResult& result, int marker1, int marker2, int width, int height,
                               std::vector<double>* means = nullptr);

// A release at x moves the range markers (mode 2): near (5 pixels) the first → it goes to the
// press position; near the second → likewise; else the first unset is set to x, or the nearer
// moves to x (the second on equal distance). Afterwards m1 ≤ m2.
void MoveRangeMarkers(int& marker1, int& marker2, int pressX, int releaseX);
