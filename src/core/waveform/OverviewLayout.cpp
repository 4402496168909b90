#include "core/waveform/OverviewLayout.h"

#include <algorithm>
#include <cmath>

namespace OverviewLayout {

int sampleGroup(std::size_t n, int clientWidth, int hZoom)
{
    if (n < static_cast<std::size_t>(std::max(clientWidth, 0)))
        return 1;
    const double a = std::floor(50.0 / std::sqrt(std::max(hZoom, 1) * 0.5));
    return a > 1.0 ? static_cast<int>(a) : 1;
}

std::size_t sampleStep(std::size_t n, int clientWidth, int hZoom, int a)
{
    // A pane narrower than its borders still divides by at least 1.
    const auto columns = static_cast<std::size_t>(std::max(1, (clientWidth - 40) * std::max(hZoom, 1)));
    const std::size_t s = n / columns / static_cast<std::size_t>(std::max(a, 1));
    return std::max<std::size_t>(s, 1);
}

int contentWidth(std::size_t n, std::size_t s, int a, int clientWidth, int hZoom)
{
    const double w = std::trunc(static_cast<double>(n) / static_cast<double>(s) / a);
    // At zoom 1 the whole file fits the pane: the rounded-down step can make N / s / a up to twice
    // the pane's width, so the line is squeezed to it as a short one is stretched.
    if (hZoom <= 1 || w < clientWidth - 20)
        return std::max(hZoom, 1) * (clientWidth - 20);
    return static_cast<int>(std::min(w, 2.0e9));
}

int baseline(int clientHeight)
{
    return (clientHeight - 21) / 2 + kTop;
}

std::vector<PlotPoint> signalLine(const WaveSamples& wave, std::size_t s, int w, int clientHeight, int aZoom,
                                  int xFrom, int xTo)
{
    std::vector<PlotPoint> out;
    const std::size_t n = wave.count();
    if (n == 0 || s == 0)
        return out;
    const double nf = static_cast<float>(n);
    const int h = clientHeight - 21;
    const int mid = h / 2 + kTop;
    // x grows with i: the first and last steps that reach the visible columns, one step wider.
    const auto stepFor = [&](int x) {
        const double i = std::max(0.0, (x - kLeft) * nf / std::max(w, 1));
        return static_cast<std::size_t>(i) / s;
    };
    std::size_t first = stepFor(xFrom);
    first = first > 0 ? first - 1 : 0;
    const std::size_t last = stepFor(xTo + 1) + 2; // all of column xTo and the next point
    {
        WavePolylineBuilder line(out);
        if (first == 0)
            line.add(kLeft, mid);
        for (std::size_t k = first; k <= last; ++k) {
            const std::size_t i = k * s;
            if (i >= n)
                break;
            const int x = static_cast<int>(static_cast<double>(i) * w / nf) + kLeft;
            line.add(x, mid - wave.offset(i, aZoom, h));
        }
    }
    return out;
}

TimeAxis timeAxis(std::size_t n, unsigned rate, int totalWidth, int clientWidth)
{
    TimeAxis axis;
    const std::size_t seconds = rate > 0 ? n / rate : 0;
    const int S = static_cast<int>(std::clamp<std::size_t>(seconds, 1, 1u << 24));
    const int span = totalWidth - 20;
    const int p = span / S;
    if (p <= 0 || clientWidth <= 0)
        return axis;
    const double r = std::trunc(S / (static_cast<double>(span) / clientWidth));
    int L = 1;
    int M = 1;
    if (r > 5)
        L = static_cast<int>(std::floor(r / 5));
    else
        M = 10;
    for (int i = 0; i <= S; i += L) {
        const int x = i * p + kLeft;
        axis.ticks.push_back({x, 19, 14});
        axis.labels.push_back({x - 5, 0, 16, std::to_string(i) + "s"});
        if (L > 1)
            for (int j = i + 1; j < i + L && j <= S; ++j)
                axis.ticks.push_back({j * p + kLeft, 19, 17});
        if (M == 10)
            for (int j = 1; j <= 9; ++j) {
                const int xm = i * p + (j * p) / 10 + kLeft;
                axis.ticks.push_back({xm, 19, 17});
                if (r < 2)
                    axis.labels.push_back({xm - 5, 4, 13, std::to_string(i) + "s" + std::to_string(j * 100)});
            }
    }
    return axis;
}

int clampX(int x, int clientWidth, int scrollX, int totalWidth)
{
    if (x < kLeft && scrollX < kLeft)
        x = kLeft;
    if (x > clientWidth - kLeft && scrollX >= totalWidth - clientWidth - 1)
        x = clientWidth - kLeft;
    return x;
}

CaretMove playCaret(std::size_t cursorBytes, std::size_t lengthBytes, int totalWidth, int scrollX,
                    int clientWidth)
{
    CaretMove move;
    move.scrollX = scrollX;
    if (lengthBytes == 0)
        return move;
    const double pos = static_cast<double>(cursorBytes) / static_cast<double>(lengthBytes) * (totalWidth - 20);
    int x = static_cast<int>(std::trunc(pos - scrollX)) + kLeft;
    if (x < kLeft) {
        move.scrollX = 0;
        x = kLeft;
    }
    if (x > clientWidth) {
        x -= clientWidth;
        move.scrollX = scrollX + clientWidth;
    }
    move.x = x;
    return move;
}

std::size_t playPositionForX(int x1, std::size_t lengthBytes, int totalWidth)
{
    if (totalWidth <= 20 || x1 <= 0)
        return 0;
    const double pos = std::trunc(static_cast<double>(x1) * static_cast<double>(lengthBytes) / (totalWidth - 20));
    return std::min(static_cast<std::size_t>(pos), lengthBytes);
}

} // namespace OverviewLayout
