#include "NotenbildLayout.h"

#include "FFTPlotDecor.h"
#include "FFTPlotMapping.h"
#include "NotenbildStaff.h"
#include "NoteNames.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

namespace {

constexpr int kLabelHeight = 11;

// The rows of reference lines and measured partials share one scale: y = trunc((H − 10) − u·s),
// with u = log2(i) or i − 1 for the reference lines and the same measure of f_k/f_0 for the peaks.
struct RowScale
{
    double dScale = 0;
    bool bLinear = false;
    int nHeight = 0;
    int row(double u) const { return TruncToPixel((nHeight - 10) - u * dScale); }
};

RowScale ScaleFor(int nHeight, const NotenbildSettings& settings)
{
    const int c = settings.nObertonanzahl;
    const double span = nHeight - 20;
    return {settings.bIsLinear ? span / c : span / std::log2(c + 1.0), settings.bIsLinear, nHeight};
}

std::string IntervalLabel(int nPartial)
{
    static const char* const kIntervals[] = {": Grundton", ": Oktave",  ": Quinte",
                                             ": Quarte",   ": gr.Terz", ": kl.Terz"};
    std::string label = std::to_string(nPartial);
    if (nPartial >= 1 && nPartial <= 6)
        label += kIntervals[nPartial - 1];
    return label;
}

std::string HzLabel(double f)
{
    return PlotNumber(f, std::abs(f) < 100.0 ? 1 : 0) + " Hz";
}

PlotText Label(int x, int y, std::string text, TextAnchor anchor = TextAnchor::Left)
{
    return {{x, y}, std::move(text), kNotenbildTextColour, anchor, "Century Gothic", kLabelHeight};
}

} // namespace

std::vector<int> NotenbildReferenceRows(int nHeight, const NotenbildSettings& settings)
{
    const RowScale scale = ScaleFor(nHeight, settings);
    std::vector<int> rows;
    for (int i = 1; i <= settings.nObertonanzahl + 1; ++i)
        rows.push_back(scale.row(settings.bIsLinear ? i - 1.0 : std::log2(static_cast<double>(i))));
    return rows;
}

int NotenbildPartialLength(double dLevelDbr, int nWidth)
{
    const double ln81 = std::log(81.0);
    const double below = std::max(1.0 - dLevelDbr, 1.0); // 1 − L, at least 1 (0 dBr)
    return TruncToPixel(1.5 * (nWidth - 50) * (ln81 - std::log(below)) / ln81);
}

NotenbildDrawing NotenbildSpectrumLayout(int nWidth, int nHeight, const NotenbildSettings& settings,
                                         std::span<const NotenbildPeak> peaks)
{
    NotenbildDrawing d;
    const std::vector<int> rows = NotenbildReferenceRows(nHeight, settings);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        d.lines.push_back({{10, rows[i]}, {nWidth - 40, rows[i]}, kNotenbildReferenceColour});
        d.texts.push_back(Label(12, rows[i] - 2, IntervalLabel(static_cast<int>(i) + 1)));
    }
    if (peaks.empty() || !(peaks[0].first > 0))
        return d;
    const RowScale scale = ScaleFor(nHeight, settings);
    const double f0 = peaks[0].first;
    const int centre = (nWidth - 50) / 2 + 10;
    const std::size_t shown = std::min(peaks.size(), static_cast<std::size_t>(settings.nObertonanzahl) + 1);
    int previousRow = 0;
    for (std::size_t k = 0; k < shown; ++k) {
        const auto [f, level] = peaks[k];
        const int y = scale.row(settings.bIsLinear ? (f - f0) / f0 : std::log2(f / f0));
        const int length = NotenbildPartialLength(level, nWidth);
        d.lines.push_back({{centre - length / 2, y}, {centre + length / 2, y}, kNotenbildPartialColour});
        // A label of 11 pixels with its baseline 1 below the line has its top about 7 above it.
        d.texts.push_back(Label(nWidth - 38, y + 1, HzLabel(f)));
        if (const std::optional<NoteName> note = NameOfFrequency(f, settings.nKammerton))
            d.texts.push_back(Label(centre, y - 3, NoteLabel(*note), TextAnchor::Centre));
        if (k > 0)
            d.texts.push_back(Label(nWidth - 42, (y + previousRow) / 2 + 4, HzLabel(f - peaks[k - 1].first),
                                    TextAnchor::Right));
        previousRow = y;
    }
    return d;
}

NotenbildDrawing NotenbildLayout(int nWidth, int nHeight, const NotenbildSettings& settings,
                                 std::span<const NotenbildPeak> peaks)
{
    switch (settings.nWhatIs) {
    case 0:
        return NotenbildSpectrumLayout(nWidth, nHeight, settings, peaks);
    case 1:
        return NotenbildStaffLayout(nWidth, nHeight, settings, peaks);
    default:
        return {}; // "detektierter Notenverlauf": the background only
    }
}

std::vector<int> NotenbildPartialsToPlay(std::span<const NotenbildPeak> peaks, int nObertonanzahl)
{
    std::vector<int> tones;
    if (peaks.size() < 3 || nObertonanzahl < 1)
        return tones;
    const std::size_t n = std::min(peaks.size(), static_cast<std::size_t>(nObertonanzahl));
    for (std::size_t k = 0; k < n; ++k)
        tones.push_back(static_cast<int>(std::clamp(peaks[k].first, 0.0, 1e9))); // whole Hz, truncated
    return tones;
}
