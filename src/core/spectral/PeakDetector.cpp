#include "PeakDetector.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

double BinFrequencyHz(std::size_t k, int nSampleRate, std::size_t nBins)
{
    if (nBins < 2)
        return 0.0;
    const auto n = static_cast<std::int64_t>(2 * (nBins - 1));
    return static_cast<double>(static_cast<std::int64_t>(k) * nSampleRate / n);
}

std::size_t FirstBinAboveCut(std::size_t nBins, int nSampleRate, double dLowerCutHz)
{
    std::size_t k = 1;
    while (k < nBins && BinFrequencyHz(k, nSampleRate, nBins) <= dLowerCutHz)
        ++k;
    return k;
}

ExactPeak RefinePeak(std::span<const double> m, std::size_t p, double dSampleRate)
{
    if (m.size() < 2 || p >= m.size())
        return {};
    const double n = 2.0 * static_cast<double>(m.size() - 1);
    const double below = p > 0 ? m[p - 1] : -1.0; // −1: no neighbour on that side
    const double above = p + 1 < m.size() ? m[p + 1] : -1.0;
    const bool bAbove = above > below;
    const double neighbour = bAbove ? above : below;
    double delta = 0.0;
    if (m[p] + neighbour > 0.0)
        delta = (bAbove ? 1.0 : -1.0) * neighbour / (m[p] + neighbour);
    const double x = std::numbers::pi * std::abs(delta);
    const double gain = x > 0.0 ? x / std::sin(x) : 1.0;
    return {(static_cast<double>(p) + delta) * dSampleRate / n, m[p] * gain};
}

std::vector<std::size_t> FindPeakBins(std::span<const double> m, std::size_t firstBin, int nDropDistance,
                                      double dFullScale)
{
    std::vector<std::size_t> bins;
    if (m.empty())
        return bins;
    const std::size_t last = m.size() - 1;
    const auto d = static_cast<std::size_t>(std::max(nDropDistance, 0));
    std::size_t k = firstBin;
    while (k < last) {
        const std::size_t start = k;
        std::size_t rise = 0, plateau = 0, fall = 0;
        while (k < last && m[k + 1] > m[k]) {
            ++k;
            ++rise;
        }
        while (k < last && m[k + 1] == m[k]) {
            ++k;
            ++plateau;
        }
        const std::size_t p = k;
        while (k < last && m[k + 1] < m[k]) {
            ++k;
            ++fall;
        }
        if (rise + plateau > 0 && fall > 0) {
            const double v = m[p];
            const double left = m[p >= d ? p - d : 0];
            const double right = m[std::min(p + d, last)];
            if ((right < 0.2 * v || left < 0.2 * v) && v > 0.0001 * dFullScale)
                bins.push_back(p);
        }
        if (k == start) // a value that compares with nothing (NaN): step over it
            ++k;
    }
    return bins;
}

void MergeClosePeaks(std::vector<PlotPoint>& peaks, std::size_t first, int nMinDistance, PeakValues* values)
{
    std::size_t i = first;
    while (i + 1 < peaks.size()) {
        const PlotPoint a = peaks[i];
        const PlotPoint b = peaks[i + 1];
        if (static_cast<long long>(b.x) - nMinDistance <= a.x) {
            const auto gone = static_cast<std::ptrdiff_t>(b.y >= a.y ? i + 1 : i);
            peaks.erase(peaks.begin() + gone);
            if (values)
                values->erase(values->begin() + gone);
        } else {
            ++i;
        }
    }
}

void ReplayPeakEdits(std::vector<PlotPoint>& peaks, const std::vector<PlotPoint>& edits, PeakValues* values)
{
    for (const PlotPoint& e : edits) {
        if (e.y == 0) {
            if (e.x >= 0 && static_cast<std::size_t>(e.x) < peaks.size()) {
                peaks.erase(peaks.begin() + e.x);
                if (values)
                    values->erase(values->begin() + e.x);
            }
            continue;
        }
        const auto at = std::find_if(peaks.begin(), peaks.end(), [&](const PlotPoint& p) { return p.x >= e.x; });
        if (values)
            values->insert(values->begin() + (at - peaks.begin()), std::nullopt);
        peaks.insert(at, e);
    }
}

std::vector<PlotPoint> BuildPeakList(std::span<const double> magnitudes, int nSampleRate, const FFTPlotMapping& mapping,
                                     int nDropDistance, int nMinDistance, const std::vector<PlotPoint>& edits,
                                     PeakValues& values)
{
    std::vector<PlotPoint> peaks{{kPlotLeft, mapping.baseline()}};
    values.assign(1, std::nullopt);
    const std::size_t first = FirstBinAboveCut(magnitudes.size(), nSampleRate, mapping.bottomFrequency());
    for (std::size_t p : FindPeakBins(magnitudes, first, nDropDistance, mapping.fullScale())) {
        const double f = BinFrequencyHz(p, nSampleRate, magnitudes.size());
        peaks.push_back({mapping.frequencyToX(f) + 1, mapping.magnitudeToY(magnitudes[p])});
        values.push_back(RefinePeak(magnitudes, p, nSampleRate));
    }
    MergeClosePeaks(peaks, 1, nMinDistance, &values);
    ReplayPeakEdits(peaks, edits, &values);
    peaks.push_back({mapping.width(), mapping.baseline()});
    values.push_back(std::nullopt);
    return peaks;
}

bool NoteImageKeepsPeak(double f, double level)
{
    if (!(level > -96.0))
        return false;
    if (f < 1000.0)
        return level > -50.0;
    if (f < 5000.0)
        return level > -70.0;
    return true;
}

std::vector<std::pair<double, double>> NoteImagePeaks(const std::vector<PlotPoint>& peakList,
                                                      const FFTPlotMapping& mapping, const PeakValues& values)
{
    std::vector<std::pair<double, double>> maxima;
    // The last entry is the framing end point, not a peak.
    for (std::size_t i = 0; i + 1 < peakList.size(); ++i) {
        const PlotPoint& p = peakList[i];
        if (p.x <= kPlotLeft)
            continue;
        const std::optional<ExactPeak> exact = i < values.size() ? values[i] : std::nullopt;
        const double f = exact ? exact->dFrequencyHz : mapping.xToFrequency(p.x);
        const double level = exact ? LevelDbr(exact->dMagnitude, mapping.fullScale()) : mapping.yToLevel(p.y);
        if (std::isfinite(f) && NoteImageKeepsPeak(f, level))
            maxima.emplace_back(f, level);
    }
    std::stable_sort(maxima.begin(), maxima.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    return maxima;
}
