#include "core/nonlinear/NonlinearReport.h"

#include "core/common/NumberText.h"
#include "core/nonlinear/MaxLyapunov.h"

#include <cmath>
#include <cstdio>
#include <ostream>
#include <string>

namespace {

template <class Range, class F>
void jsonArray(std::ostream& out, const Range& range, F&& item)
{
    out << '[';
    bool first = true;
    for (const auto& v : range) {
        if (!first)
            out << ',';
        first = false;
        item(v);
    }
    out << ']';
}

} // namespace

void writeMaxExponent(const MaxExponentResult& r, ReportFormat format, std::ostream& out)
{
    if (format == ReportFormat::Csv) {
        out << "dim,radius_index,radius,dn,S\n";
        if (!r.hasEntries())
            return;
        for (unsigned m = r.minDimension; m <= r.maxDimension; ++m)
            for (unsigned e = 0; e < r.radiusCount; ++e)
                for (unsigned dn = 0; dn <= r.steps; ++dn)
                    out << m << ',' << e << ',' << formatNumber(r.radii[e]) << ',' << dn << ',' << formatNumber(r.S(m, e, dn)) << '\n';
        return;
    }
    out << "{\"steps\":" << r.steps << ",\"min_dim\":" << r.minDimension << ",\"max_dim\":" << r.maxDimension
        << ",\"radii\":";
    jsonArray(out, r.radii, [&](double v) { out << formatJsonNumber(v); });
    out << ",\"dimensions\":[";
    for (unsigned m = r.minDimension; r.hasEntries() && m <= r.maxDimension; ++m) {
        if (m != r.minDimension)
            out << ',';
        out << "{\"dim\":" << m << ",\"S\":[";
        for (unsigned e = 0; e < r.radiusCount; ++e) {
            out << (e ? ",[" : "[");
            for (unsigned dn = 0; dn <= r.steps; ++dn)
                out << (dn ? "," : "") << formatJsonNumber(r.S(m, e, dn));
            out << ']';
        }
        out << "]}";
    }
    out << "]}\n";
}

void writeSpectrum(const SpectrumResult& r, ReportFormat format, std::ostream& out)
{
    if (format == ReportFormat::Csv) {
        out << "row,k,value\n";
        for (long long row = 0; row < r.rowCount; ++row)
            for (int k = 0; k < r.exponentCount; ++k)
                out << row << ',' << k << ',' << formatNumber(r.rows[static_cast<std::size_t>(row)][k]) << '\n';
        return;
    }
    out << "{\"exponents\":";
    jsonArray(out, r.exponents, [&](double v) { out << formatJsonNumber(v); });
    out << ",\"kaplan_yorke\":" << formatJsonNumber(r.kaplanYorke) << ",\"mean_neighbours\":" << formatJsonNumber(r.meanNeighbours)
        << ",\"mean_radius\":" << formatJsonNumber(r.meanRadius) << ",\"rows\":[";
    for (long long row = 0; row < r.rowCount; ++row) {
        if (row)
            out << ',';
        jsonArray(out, r.rows[static_cast<std::size_t>(row)], [&](double v) { out << formatJsonNumber(v); });
    }
    out << "]}\n";
}

void writeCorrelation(const CorrelationResult& r, ReportFormat format, std::ostream& out)
{
    const int entries = r.radiusCount - 1;
    if (format == ReportFormat::Csv) {
        out << "dim,radius,slope\n";
        for (int m = 1; m <= static_cast<int>(r.entries.size()); ++m)
            for (int k = 0; k < entries; ++k) {
                const CorrelationEntry& e = r.entries[m - 1][k];
                out << m << ',' << formatNumber(e.radius) << ',' << formatNumber(e.slope) << '\n';
            }
        return;
    }
    out << "{\"max_dim\":" << r.maxDimension << ",\"radii\":" << r.radiusCount << ",\"dimensions\":[";
    for (int m = 1; m <= static_cast<int>(r.entries.size()); ++m) {
        if (m > 1)
            out << ',';
        out << "{\"dim\":" << m << ",\"radius\":[";
        for (int k = 0; k < entries; ++k)
            out << (k ? "," : "") << formatJsonNumber(r.entries[m - 1][k].radius);
        out << "],\"slope\":[";
        for (int k = 0; k < entries; ++k)
            out << (k ? "," : "") << formatJsonNumber(r.entries[m - 1][k].slope);
        out << "]}";
    }
    out << "]}\n";
}

void writeMutualInformation(const MutualInformationResult& r, ReportFormat format, std::ostream& out)
{
    if (format == ReportFormat::Csv) {
        out << "delay,I\n";
        for (std::size_t tau = 0; tau < r.information.size(); ++tau)
            out << tau << ',' << formatNumber(r.information[tau]) << '\n';
        out << "# shannon_entropy," << formatNumber(r.entropy) << "\n# first_minimum," << r.firstMinimum << '\n';
        return;
    }
    out << "{\"boxes\":" << r.boxes << ",\"max_delay\":" << r.maxDelay << ",\"entropy\":" << formatJsonNumber(r.entropy)
        << ",\"first_minimum\":" << r.firstMinimum << ",\"I\":";
    jsonArray(out, r.information, [&](double v) { out << formatJsonNumber(v); });
    out << "}\n";
}

ReportStatus reportMaxExponent(std::vector<double> series, const LyapMaxOptions& o, ReportFormat format,
                               std::ostream& out, AbortToken& abort, const MessageCallback& onMessage)
{
    MaxLyapunov engine(abort, NonlinearCallbacks{onMessage, {}, {}, {}, {}});
    engine.setMaxExponentParameters(o.steps, o.maxDimension, o.minDimension, o.delay, o.radii, o.epsMin, o.epsMax,
                                    o.references);
    const MaxExponentResult result = engine.computeMaxExponent(series);
    if (abort.isRaised())
        return ReportStatus::Stopped;
    writeMaxExponent(result, format, out);
    return ReportStatus::Completed;
}

ReportStatus reportSpectrum(std::vector<double> series, const LyapSpectrumOptions& o, ReportFormat format,
                            std::ostream& out, AbortToken& abort, const MessageCallback& onMessage)
{
    MaxLyapunov engine(abort, NonlinearCallbacks{onMessage, {}, {}, {}, {}});
    engine.setSpectrumParameters(o.dimension, o.delay, o.neighbours, o.epsMin);
    const SpectrumResult result = engine.computeSpectrum(series, o.iterations);
    if (abort.isRaised())
        return ReportStatus::Stopped;
    writeSpectrum(result, format, out);
    return ReportStatus::Completed;
}

ReportStatus reportCorrelation(std::vector<double> series, const D2Options& o, ReportFormat format,
                               std::ostream& out, AbortToken& abort, const MessageCallback& onMessage)
{
    MaxLyapunov engine(abort, NonlinearCallbacks{onMessage, {}, {}, {}, {}});
    engine.setCorrelationParameters(o.pairs, o.maxDimension, o.delay, o.radii, o.epsMin, o.epsMax);
    const CorrelationResult result = engine.computeCorrelationDimensions(series);
    if (abort.isRaised())
        return ReportStatus::Stopped;
    writeCorrelation(result, format, out);
    return ReportStatus::Completed;
}

ReportStatus reportMutualInformation(const std::vector<double>& series, const MutualInfoOptions& o,
                                     ReportFormat format, std::ostream& out, AbortToken& abort,
                                     const MessageCallback& onMessage)
{
    const MutualInformationResult result = computeMutualInformation(series, o.boxes, o.maxDelay, abort, onMessage);
    if (abort.isRaised())
        return ReportStatus::Stopped;
    if (!result.computed) {
        if (onMessage)
            onMessage("series too short: the mutual information needs more than 100 values");
        return ReportStatus::Stopped;
    }
    writeMutualInformation(result, format, out);
    return ReportStatus::Completed;
}
