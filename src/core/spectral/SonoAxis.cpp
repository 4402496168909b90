#include "SonoAxis.h"

#include "FFTPlotDecor.h"
#include "SonoFrequencyScale.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

constexpr int kLabelHeight = 11;
constexpr int kCaptionBaseline = 12;

int RowOf(const SonoFrequencyScale& scale, double f, int nHeight)
{
    return static_cast<int>(std::lround(nHeight - scale.ratio(f) * nHeight));
}

} // namespace

double SonoFrequencyAtRow(const SonoSettings& settings, int y, int nHeight)
{
    const double r = nHeight > 0 ? static_cast<double>(nHeight - y) / nHeight : 0.0;
    return SonoFrequencyScale(settings).frequencyAt(r);
}

std::string SonoFrequencyText(double hz)
{
    if (!std::isfinite(hz))
        return "0";
    const double magnitude = std::abs(hz);
    const int digits = magnitude >= 1.0 ? static_cast<int>(std::floor(std::log10(magnitude))) + 1 : 1;
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, hz, std::chars_format::fixed, std::max(0, 5 - digits));
    return std::string(buffer, result.ptr);
}

std::vector<SonoAxisTick> SonoAxisTicks(const SonoSettings& settings, int nHeight)
{
    std::vector<SonoAxisTick> ticks;
    const SonoFrequencyScale scale(settings);
    const double bottom = scale.bottom();
    const double top = scale.top();
    if (nHeight <= 0)
        return ticks;
    if (scale.isLinear()) {
        const double step = NiceStep(30.0 * (top - bottom) / nHeight);
        for (double f = std::ceil(bottom / step) * step; f <= top * (1 + 1e-9); f += step)
            ticks.push_back({RowOf(scale, f, nHeight), f, true});
        return ticks;
    }
    int lastLabel = nHeight + 1000;
    for (double decade = std::pow(10.0, std::floor(std::log10(bottom))); decade <= top; decade *= 10.0) {
        for (int m = 1; m <= 9; ++m) {
            const double f = m * decade;
            if (f < bottom || f > top * (1 + 1e-9))
                continue;
            SonoAxisTick tick{RowOf(scale, f, nHeight), f, false};
            if ((m == 1 || m == 2 || m == 5) && lastLabel - tick.y >= 16) {
                tick.bLabelled = true;
                lastLabel = tick.y;
            }
            ticks.push_back(tick);
        }
    }
    return ticks;
}

SonoAxisDecor SonoFrequencyAxis(const SonoSettings& settings, int nWidth, int nHeight, Rgb colour)
{
    SonoAxisDecor decor;
    const int x = nWidth - kSonoPictureRightGap;
    decor.lines.push_back({{x, 0}, {x, nHeight - 1}, colour});
    for (const SonoAxisTick& t : SonoAxisTicks(settings, nHeight)) {
        const int y = std::clamp(t.y, 0, nHeight - 1);
        decor.lines.push_back({{x, y}, {x + (t.bLabelled ? 6 : 3), y}, colour});
        if (t.bLabelled && y > kCaptionBaseline + kLabelHeight && y < nHeight - kLabelHeight / 2)
            decor.texts.push_back({{x + 8, y + kLabelHeight / 2 - 1},
                                   PlotNumber(t.dHz / 1000.0, 3),
                                   colour,
                                   TextAnchor::Left,
                                   "Century Gothic",
                                   kLabelHeight});
    }
    decor.texts.push_back(
        {{x + 8, kCaptionBaseline}, "kHz", colour, TextAnchor::Left, "Century Gothic", kLabelHeight});
    return decor;
}
