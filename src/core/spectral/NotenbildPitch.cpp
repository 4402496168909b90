#include "NotenbildPitch.h"

#include "FFTPlotDecor.h"
#include "NotenbildStaff.h"

#include <algorithm>
#include <cmath>

namespace {

struct TracePoint
{
    int x = 0;
    int y = 0;
    bool bVoiced = false;
};

// x of every hop shown, with its row; hops that are not shown (live, beyond the ring) are left out.
std::vector<TracePoint> TracePoints(int nWidth, int nHeight, const NotenbildPitchTrace& trace)
{
    std::vector<TracePoint> points;
    const int span = nWidth - kPitchTraceLeft - kPitchTraceRightGap;
    const std::size_t n = trace.hops.size();
    if (span <= 0 || n == 0)
        return points;
    std::size_t first = 0;
    const auto columns = static_cast<std::uint64_t>(span / kPitchLiveStep);
    if (trace.bLive) {
        if (columns <= kPitchLiveClearedSteps)
            return points;
        first = n - std::min<std::size_t>(n, static_cast<std::size_t>(columns - kPitchLiveClearedSteps));
    }
    for (std::size_t i = first; i < n; ++i) {
        TracePoint p;
        if (trace.bLive) {
            const std::uint64_t number = trace.nNewest - (n - 1 - i);
            p.x = kPitchTraceLeft + static_cast<int>(number % columns) * kPitchLiveStep;
        } else {
            p.x = kPitchTraceLeft + (n > 1 ? static_cast<int>(static_cast<double>(i) * span / static_cast<double>(n - 1)) : 0);
        }
        p.bVoiced = trace.hops[i].voiced();
        if (p.bVoiced)
            p.y = static_cast<int>(std::lround(std::clamp(NotenbildPitchRow(trace.hops[i].dFrequencyHz, nHeight), -1e6, 1e6)));
        points.push_back(p);
    }
    return points;
}

void Stroke(NotenbildDrawing& d, PlotPoint from, PlotPoint to)
{
    d.lines.push_back({from, to, kPitchTraceColour});
    d.lines.push_back({{from.x, from.y + 1}, {to.x, to.y + 1}, kPitchTraceColour});
}

} // namespace

double NotenbildPitchRow(double dFrequencyHz, int nHeight)
{
    return nHeight - 10.0 - (35.0 * std::log2(dFrequencyHz / 27.5) + 5.0);
}

std::optional<double> NotenbildPitchTrace::label() const
{
    if (bLive) {
        if (hops.empty() || !hops.back().voiced())
            return std::nullopt;
        return hops.back().dFrequencyHz;
    }
    std::vector<double> voiced;
    for (const PitchEstimate& e : hops)
        if (e.voiced())
            voiced.push_back(e.dFrequencyHz);
    if (voiced.empty())
        return std::nullopt;
    std::nth_element(voiced.begin(), voiced.begin() + static_cast<std::ptrdiff_t>(voiced.size() / 2), voiced.end());
    return voiced[voiced.size() / 2];
}

NotenbildDrawing NotenbildPitchLayout(int nWidth, int nHeight, const NotenbildPitchTrace& trace)
{
    NotenbildDrawing d = NotenbildStaffLayout(nWidth, nHeight, NotenbildSettings{}, {});
    const std::vector<TracePoint> points = TracePoints(nWidth, nHeight, trace);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const TracePoint& p = points[i];
        if (!p.bVoiced)
            continue;
        // A line on to the next hop when it has a pitch and follows at the right; a hop alone gets a dash.
        const bool bJoinsNext = i + 1 < points.size() && points[i + 1].bVoiced && points[i + 1].x > p.x;
        const bool bJoinedBefore = i > 0 && points[i - 1].bVoiced && points[i - 1].x < p.x;
        if (bJoinsNext)
            Stroke(d, {p.x, p.y}, {points[i + 1].x, points[i + 1].y});
        else if (!bJoinedBefore)
            Stroke(d, {p.x - 1, p.y}, {p.x + 1, p.y});
    }
    const std::optional<double> hz = trace.label();
    const std::optional<NoteName> note = hz ? NameOfFrequency(*hz, trace.dA4Hz) : std::nullopt;
    if (note) {
        d.texts.push_back({{nWidth - 45, 10 + kPitchLabelHeight}, NoteLabel(*note), kPitchLabelColour,
                           TextAnchor::Right, "Century Gothic", kPitchLabelHeight});
        d.texts.push_back({{nWidth - 45, 32 + kPitchLabelHeight}, PlotNumber(*hz, 1) + " Hz", kPitchLabelColour,
                           TextAnchor::Right, "Century Gothic", 16});
    }
    return d;
}
