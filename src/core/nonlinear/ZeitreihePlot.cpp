#include "core/nonlinear/ZeitreihePlot.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace Zeitreihe {

namespace {

// Truncation towards zero, held inside the range of a pixel coordinate (a long series at a large
// zoom would overflow an int).
int toPixel(double v)
{
    if (!(v == v))
        return 0;
    return static_cast<int>(std::clamp(v, -2.0e9, 2.0e9));
}

PlotText label(const std::string& text, int x, TextAnchor anchor)
{
    // Arial of height 16 on the top line: its baseline lies about 13 pixels down.
    return PlotText{{x, 13}, text, kText, anchor, "Arial", 16};
}

void addStaircase(Plot& plot)
{
    const std::vector<PlotPoint>& p = plot.points;
    for (std::size_t j = 1; j < p.size(); ++j) {
        const PlotPoint corner{p[j].x, p[j - 1].y};
        plot.lines.push_back({p[j - 1], corner, kCurve});
        plot.lines.push_back({corner, p[j], kCurve});
    }
}

void addZeroLine(Plot& plot, int right, int height)
{
    plot.lines.push_back({{0, height / 2}, {right, height / 2}, kZeroLine});
}

// The step curve of y with full-scale A and divisor c (modes 0 and 1).
Plot stepCurve(std::span<const double> y, double A, double c, double pixelsPerPoint, int height)
{
    Plot plot;
    const std::size_t n = y.size();
    if (pixelsPerPoint == 0.0)
        pixelsPerPoint = 1.0;
    const std::size_t s =
        pixelsPerPoint >= 1.0 ? 1 : std::max<std::size_t>(1, static_cast<std::size_t>(1.0 / pixelsPerPoint));
    const double k = A > 0.0 ? height / A / c : 0.0;
    plot.points.reserve((n - 1) / s + 1);
    for (std::size_t i = 0; i < n; i += s)
        plot.points.push_back({toPixel(static_cast<double>(i) * pixelsPerPoint), toPixel((A - y[i]) * k)});
    plot.nScrollWidth = toPixel(static_cast<double>(n) * pixelsPerPoint);
    addStaircase(plot);
    addZeroLine(plot, plot.nScrollWidth, height);
    return plot;
}

} // namespace

double pixelsPerPointOfField(int v)
{
    if (v >= 1)
        return v;
    if (v == 0)
        return 1.0;
    return 1.0 / std::abs(static_cast<double>(v));
}

int fieldOfPixelsPerPoint(double pixelsPerPoint)
{
    if (pixelsPerPoint >= 1.0)
        return toPixel(pixelsPerPoint);
    return pixelsPerPoint > 0.0 ? toPixel(-1.0 / pixelsPerPoint) : 1;
}

bool exceedsDrawingLimit(std::size_t n, double pixelsPerPoint)
{
    return static_cast<double>(n) > 20000.0 / pixelsPerPoint;
}

double simplifiedPixelsPerPoint(std::size_t n)
{
    return 5000.0 / static_cast<double>(std::max<std::size_t>(n, 1));
}

std::string performanceQuestion(std::size_t n, double pixelsPerPoint)
{
    char zoom[32];
    const auto end = std::to_chars(zoom, zoom + sizeof zoom, pixelsPerPoint, std::chars_format::general, 5).ptr;
    return "Die Anzahl von " + std::to_string(n) + " Datenpunkten beeinträchtigt bei der gewählten Einstellung von " +
           std::string(zoom, end) + " Pixel pro Messpunkten die Leistung, wollen Sie die Darstellung vereinfachen ?";
}

Plot seriesPlot(std::span<const double> y, double fullScale, bool bSigned, double pixelsPerPoint, int height)
{
    if (y.size() == 1) {
        Plot plot;
        plot.points.push_back({0, 0});
        return plot;
    }
    if (y.empty())
        return {};
    return stepCurve(y, fullScale, bSigned ? 2.0 : 1.0, pixelsPerPoint, height);
}

Plot autoCorrPlot(std::span<const double> r, int firstMinLag, double pixelsPerPoint, int width, int height)
{
    if (r.size() < 11)
        return {};
    double A = 0.0;
    for (double v : r)
        A = std::max(A, std::abs(v));
    Plot plot = stepCurve(r, A, 1.0, pixelsPerPoint, height);
    plot.labels.push_back(label(firstMinimumLabel(firstMinLag), width, TextAnchor::Right));
    return plot;
}

Plot mutualInformationPlot(const MutualInformationResult& mi, int width, int height)
{
    Plot plot;
    if (!mi.computed)
        return plot;
    const int T = mi.maxDelay;
    const double M = mi.largestDelayed;
    if (T > 1 && M > 0.0) {
        for (int tau = 0; tau <= T; ++tau)
            plot.points.push_back({kMiPixelsPerDelay * tau,
                                   toPixel((M - mi.information[static_cast<std::size_t>(tau)]) * height / M)});
    }
    plot.nScrollWidth = T * kMiPixelsPerDelay;
    addStaircase(plot);
    addZeroLine(plot, plot.nScrollWidth, height);
    plot.labels.push_back(label(entropyLabel(mi.entropy), width / 2, TextAnchor::Centre));
    plot.labels.push_back(label(firstMinimumLabel(mi.firstMinimum), width, TextAnchor::Right));
    return plot;
}

} // namespace Zeitreihe
