// Results of the three computations of the analysis engine MaxLyapunov and the callbacks
// through which a run reports progress. Every result entry that no reference point or pair
// reached holds 0 (never uninitialised memory); the count arrays tell which entries are real.
#pragma once

#include "core/common/Callbacks.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Stretch factors of the maximal Lyapunov exponent.
// S(Δn) = mean over reference points i of ln( sqrt( mean over neighbours j of D_ij(Δn) ) ),
// D_ij(Δn) = Σ_{c<m} (x[i+Δn+c·d] − x[j+Δn+c·d])², on the series rescaled to [0, 1].
// Δn counts samples, so the slope of S over Δn is the exponent per sample.
struct MaxExponentResult
{
    unsigned steps = 0;        // largest Δn
    unsigned radiusCount = 0;  // E actually used (1 when ε_min ≥ ε_max)
    unsigned minDimension = 2; // smallest embedding dimension computed
    unsigned maxDimension = 2; // largest embedding dimension computed (M)
    std::size_t referenceCount = 0; // R after its reduction to L − steps − (M − 1)·d
    std::vector<double> radii;      // ε_e, e = 0 … E − 1, in units of the data range

    // stretch[k][(steps + 1)·e + Δn] for dimension m = k + 2, k = 0 … M − 2, e = 0 … E
    // ((E + 1)·(steps + 1) entries each). Entries no reference point contributed to are 0;
    // contributors[k][…] (same layout) counts the reference points behind each entry.
    // Both are empty when the series was too short for the parameters.
    std::vector<std::vector<double>> stretch;
    std::vector<std::vector<std::uint32_t>> contributors;

    bool hasEntries() const { return !stretch.empty(); }
    // S of dimension m (2 … M), radius index e, step Δn. No range check beyond the layout.
    double S(unsigned m, unsigned e, unsigned dn) const { return stretch[m - 2][(steps + 1) * e + dn]; }
    std::uint32_t contributorsOf(unsigned m, unsigned e, unsigned dn) const
    {
        return contributors[m - 2][(steps + 1) * e + dn];
    }
};

// Running estimates of the Lyapunov spectrum (exponents per sample, natural logarithm).
struct SpectrumResult
{
    int exponentCount = 0;      // N = embedding dimension × components
    int delay = 1;              // d, also the step of the local model
    long long iterations = 0;   // I as passed to the run
    long long last = 0;         // min(I, L − d): reference points run up to last − 1
    long long firstReference = 0; // (E − 1)·d
    // rows[c − 1][k] = Λ[k] / c, the estimates after c reference points. rows holds one
    // zero-filled row for every reference point the run could reach; rowCount are written.
    std::vector<std::vector<double>> rows;
    long long rowCount = 0;

    bool completed = false;          // the loop ended without the stop flag
    std::vector<double> exponents;   // final Λ[k] / c (empty when rowCount is 0)
    double kaplanYorke = 0.0;        // D_KY of the final exponents (valid when completed)
    double meanNeighbours = 0.0;     // neighbour sum / c
    double meanRadius = 0.0;         // largest data range × radius sum / c (data units)
    std::vector<double> predictionErrors; // squared one-step errors summed, per component
    // "Kaplan-Yorke-Dimension:" … "\nAnzahl nächster Nachbarn: ~" …, written under the plot;
    // empty unless completed.
    std::string kaplanYorkeText;
};

// One point of a correlation-dimension curve.
struct CorrelationEntry
{
    double radius = 0.0; // ε_k in units of the data range
    double slope = 0.0;  // ln(C(ε_{k−1}) / C(ε_k)) / ln f, the local slope of ln C over ln ε
};

// Local slopes of the correlation sums C_m(ε_k) = found[m][k] / norm[k].
struct CorrelationResult
{
    int maxDimension = 0; // m_max
    int radiusCount = 0;  // K
    double epsMin = 0.0;  // the radii after the ε rules, units of the data range
    double epsMax = 0.0;
    // entries[m − 1][k − 1] for m = 1 … m_max, k = 1 … K − 1: radius ε_max / f^k and the slope
    // between ε_{k−1} and ε_k; entry K − 1 of every dimension stays {0, 0}. Slopes are 0 where
    // no pair was found at ε_k or ε_{k−1}; all entries stay {0, 0} until the first refresh.
    std::vector<std::vector<CorrelationEntry>> entries;
    // The pair counts found[m][k] (index m − 1) and norm[k] of the last refresh.
    std::vector<std::vector<double>> pairCounts;
    std::vector<double> norms;
    long long pointsProcessed = 0; // n of the last refresh
    bool completed = false;        // the loop ended without the stop flag
};

// Progress of the maximal exponent: called after each radius with the radii done so far.
using MaxExponentProgress = std::function<void(const MaxExponentResult& result, unsigned radiiDone)>;
// Progress of the spectrum: called after every reference point once more than 10 are done.
using SpectrumProgress = std::function<void(const SpectrumResult& result)>;
// Progress of the correlation dimensions: called at every refresh (more than one whole second
// since the last one, the last point, or all radii finished).
using CorrelationProgress = std::function<void(const CorrelationResult& result)>;
// Called at every checkpoint (every 50 reference points or points) before the stop flag is
// tested; index is the reference point or point number.
using CheckpointCallback = std::function<void(long long index)>;

struct NonlinearCallbacks
{
    MessageCallback onMessage;            // the engine's message boxes, texts byte for byte
    CheckpointCallback onCheckpoint;
    MaxExponentProgress onMaxExponentProgress;
    SpectrumProgress onSpectrumProgress;
    CorrelationProgress onCorrelationProgress;
};
