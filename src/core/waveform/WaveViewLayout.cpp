#include "core/waveform/WaveViewLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace WaveViewLayout {

namespace {

long long even(long long v)
{
    return v - v % 2;
}

} // namespace

SampleRange rangeForSelection(int x1, int x2, std::size_t n, int overviewTotalWidth)
{
    SampleRange r;
    if (overviewTotalWidth <= 20 || n == 0)
        return r;
    const double q = static_cast<double>(n) / (overviewTotalWidth - 20);
    const auto bound = static_cast<long long>(n);
    r.start = even(std::clamp(static_cast<long long>(std::trunc(x1 * q)), 0LL, bound));
    r.end = even(std::clamp(static_cast<long long>(std::trunc(x2 * q)), 0LL, bound));
    if (r.end < r.start)
        std::swap(r.start, r.end);
    return r;
}

long long drawStep(const SampleRange& range, int clientWidth, int precision)
{
    const double k = std::ceil(static_cast<double>(range.length()) / std::max(clientWidth - 20, 1) /
                               std::max(precision, 1));
    return std::max(1LL, static_cast<long long>(k));
}

std::vector<PlotPoint> signalLine(const WaveSamples& wave, const SampleRange& range, int clientWidth,
                                  int clientHeight, int aZoom, int precision)
{
    std::vector<PlotPoint> out;
    const long long len = range.length();
    if (len <= 0 || range.end > static_cast<long long>(wave.count()))
        return out;
    const long long k = drawStep(range, clientWidth, precision);
    const int width = clientWidth - 20;
    const int h = clientHeight - 20;
    const int mid = h / 2 + kBorder;
    WavePolylineBuilder line(out);
    for (long long i = range.start; i < range.end; i += k) {
        const int x = static_cast<int>(static_cast<double>(i - range.start) * width / len) + kBorder;
        line.add(x, mid - wave.offset(static_cast<std::size_t>(i), aZoom, h));
    }
    line.flush();
    return out;
}

int clampX(int x, int clientWidth)
{
    return std::max(kBorder, std::min(x, clientWidth - kBorder));
}

double samplesPerPixel(const SampleRange& range, int clientWidth)
{
    return static_cast<double>(range.length()) / std::max(clientWidth - 20, 1);
}

long long dragSampleCount(int x1, int x, const SampleRange& range, int clientWidth)
{
    const double u = samplesPerPixel(range, clientWidth);
    const auto at = [&](int px) { return static_cast<long long>(std::trunc(px * u + range.start)); };
    return std::llabs(at(x) - at(x1));
}

Handover selectionFor(int x1, int x2, const SampleRange& range, int clientWidth, bool eightBit)
{
    Handover h;
    if (range.length() == 0)
        return h;
    const double u = samplesPerPixel(range, clientWidth);
    h.first = static_cast<long long>(std::trunc((x1 - kBorder) * u + range.start));
    h.end = static_cast<long long>(std::trunc((x2 - 9) * u + range.start));
    if (!eightBit) {
        h.first = even(h.first);
        h.end = even(h.end);
    }
    return h;
}

void Markers::doubleClick(int x)
{
    if (x1 != 0 && std::abs(x1 - x) < 5) {
        x1 = 0;
    } else if (x2 != 0 && std::abs(x2 - x) < 5) {
        x2 = 0;
    } else if (x1 == 0) {
        x1 = x;
    } else if (x2 == 0) {
        x2 = x;
    } else if (std::abs(x1 - x) < std::abs(x2 - x)) {
        x1 = x;
    } else {
        x2 = x; // the nearer one, marker 2 on a tie
    }
    if (bothSet() && x1 > x2)
        std::swap(x1, x2);
}

} // namespace WaveViewLayout
