// The nonlinear analyses as resoni-analyze reports them: each run takes a series and the
// parameters of the analysis view, runs the engine and writes CSV (with a header line) or JSON
// to a stream, numbers with 17 significant digits in the C locale (JSON: null for NaN/inf).
#pragma once

#include "core/common/AbortToken.h"
#include "core/common/Callbacks.h"
#include "core/nonlinear/MutualInformation.h"
#include "core/nonlinear/NonlinearResults.h"

#include <cstddef>
#include <iosfwd>
#include <limits>
#include <vector>

enum class ReportFormat { Csv, Json };

// Defaults are the engine's.
struct LyapMaxOptions
{
    unsigned steps = 50;
    unsigned minDimension = 2;
    unsigned maxDimension = 2;
    unsigned delay = 1;
    unsigned radii = 5;
    double epsMin = 0.001;
    double epsMax = 0.01;
    std::size_t references = std::numeric_limits<std::size_t>::max(); // all points
};

struct LyapSpectrumOptions
{
    int dimension = 3;
    int delay = 2;
    int neighbours = 30;
    long long iterations = 1000;
    double epsMin = 0.001; // starting radius; the view's selector makes every run start at 0.001
};

struct D2Options
{
    int maxDimension = 10;
    int delay = 1;
    int radii = 100;
    double epsMin = 0.001;
    double epsMax = 1.0;
    long long pairs = 1000;
};

struct MutualInfoOptions
{
    int boxes = 16;
    int maxDelay = 90;
};

// What a run left behind. Output is written only for Completed.
enum class ReportStatus { Completed, Stopped };

// CSV "dim,radius_index,radius,dn,S": dimensions min … max, radius indices 0 … E − 1 (radius in
// units of the data range), Δn = 0 … steps. Entries no reference point reached are 0.
// JSON {"steps", "min_dim", "max_dim", "radii": [...], "dimensions": [{"dim", "S": [[S(Δn)] per radius]}]}.
ReportStatus reportMaxExponent(std::vector<double> series, const LyapMaxOptions& options, ReportFormat format,
                               std::ostream& out, AbortToken& abort, const MessageCallback& onMessage);

// CSV "row,k,value": row r = 0 … rows − 1 holds the estimates after r + 1 reference points,
// k = 0 … N − 1 the exponent (per sample). JSON {"exponents": [final], "kaplan_yorke",
// "mean_neighbours", "mean_radius", "rows": [[...] ...]}.
ReportStatus reportSpectrum(std::vector<double> series, const LyapSpectrumOptions& options, ReportFormat format,
                            std::ostream& out, AbortToken& abort, const MessageCallback& onMessage);

// CSV "dim,radius,slope" for dimensions 1 … m_max and entries 0 … K − 2.
// JSON {"max_dim", "radii", "dimensions": [{"dim", "radius": [...], "slope": [...]}]}.
ReportStatus reportCorrelation(std::vector<double> series, const D2Options& options, ReportFormat format,
                               std::ostream& out, AbortToken& abort, const MessageCallback& onMessage);

// CSV "delay,I" for τ = 0 … T, then the lines "# shannon_entropy,<I(0)>" and
// "# first_minimum,<τ or 0>". JSON {"boxes", "max_delay", "entropy", "first_minimum", "I": [...]}.
// A series of at most 100 values gives Stopped with the message "series too short: the mutual
// information needs more than 100 values".
ReportStatus reportMutualInformation(const std::vector<double>& series, const MutualInfoOptions& options,
                                     ReportFormat format, std::ostream& out, AbortToken& abort,
                                     const MessageCallback& onMessage);

// The writers behind the reports.
void writeMaxExponent(const MaxExponentResult& result, ReportFormat format, std::ostream& out);
void writeSpectrum(const SpectrumResult& result, ReportFormat format, std::ostream& out);
void writeCorrelation(const CorrelationResult& result, ReportFormat format, std::ostream& out);
void writeMutualInformation(const MutualInformationResult& result, ReportFormat format, std::ostream& out);
