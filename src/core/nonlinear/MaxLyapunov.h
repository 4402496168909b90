// The analysis engine of the nonlinear time-series analysis: maximal Lyapunov exponent,
// Lyapunov spectrum with Kaplan-Yorke dimension, and correlation dimensions, plus the
// rescaling and allocation checks that the mutual-information display shares.
//
// One object serves one run. It is otherwise pure: it reads the series, polls the abort
// token at its checkpoints, raises it on its own errors (after a message through the message
// callback) and reports partial results through the progress callbacks, all on the calling
// thread. The caller clears the token before a run. Two runs on the same data and parameters
// give identical numbers.
#pragma once

#include "core/common/AbortToken.h"
#include "core/nonlinear/NonlinearResults.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <new>
#include <span>
#include <string>
#include <vector>

// Parameters of the maximal exponent (set-parameters selector 1). Radii in units of the data
// range unless the matching absolute flag is set (then in data units).
struct MaxExponentParameters
{
    unsigned boxMask = 127;          // 128 × 128 box grid
    unsigned maxDimension = 2;       // M
    unsigned minDimension = 2;
    unsigned delay = 1;              // d, samples
    unsigned radiusCount = 5;        // E
    unsigned steps = 50;             // largest Δn
    unsigned exclusion = 0;          // w: neighbours with |j − i| ≤ w are skipped
    double epsMin = 0.001;
    double epsMax = 0.01;
    bool epsMinAbsolute = false;
    bool epsMaxAbsolute = false;
    std::size_t references = std::numeric_limits<std::size_t>::max(); // R; default all points
};

// Parameters of the Lyapunov spectrum (selector 0).
struct SpectrumParameters
{
    int embeddingDimension = 3; // E
    int components = 1;         // always 1 here
    int delay = 2;              // d
    int minNeighbours = 30;     // n_min
    double startRadius = 0.001; // ε_0, only used when radiusGiven (then in data units)
    bool radiusGiven = false;
    bool reverse = false;       // reverse the series in time before the run
    double growth = 1.2;        // radius growth factor of the neighbour search
    int boxMask = 511;          // 512 × 512 box grid
};

// Parameters of the correlation dimensions (selector 2).
struct CorrelationParameters
{
    int maxDimension = 10;  // m_max
    int radiusCount = 100;  // K
    int delay = 1;          // d
    double epsMax = 1.0;
    double epsMin = 0.001;
    long long pairs = 1000; // P: a radius is finished at P pairs in dimension m_max
    int components = 1;
    int exclusion = 0;      // w: pairs at most w samples apart are not counted
    int boxMask = 255;      // 256 × 256 grid, 256-cell line of boxes
};

class MaxLyapunov
{
public:
    // The token is the process-wide stop flag of the caller; it must outlive the engine.
    explicit MaxLyapunov(AbortToken& abort, NonlinearCallbacks callbacks = {});

    // Selector 0: also clears the radius-given and reverse flags, sets one component, growth
    // 1.2 and the 512 × 512 grid. (So a run starts its search at 0.001 whatever startRadius is.)
    void setSpectrumParameters(int embeddingDimension, int delay, int minNeighbours, double startRadius);
    // Selector 1: also sets w = 0, the 128 × 128 grid and both radii relative to the data range.
    void setMaxExponentParameters(unsigned steps, unsigned maxDimension, unsigned minDimension,
                                  unsigned delay, unsigned radiusCount, double epsMin, double epsMax,
                                  std::size_t references);
    // Selector 2: also sets one component, w = 0 and the 256 × 256 grid.
    void setCorrelationParameters(long long pairs, int maxDimension, int delay, int radiusCount,
                                  double epsMin, double epsMax);

    // Direct access, e.g. for the temporal exclusion or the flags the analysis view never sets.
    MaxExponentParameters& maxExponentParameters() { return m_maxExp; }
    SpectrumParameters& spectrumParameters() { return m_spectrum; }
    CorrelationParameters& correlationParameters() { return m_corr; }
    const NonlinearCallbacks& callbacks() const { return m_callbacks; }
    AbortToken& abortToken() { return m_abort; }

    // Sizes `area` to `count` elements of `value`. When that cannot be allocated (or would take
    // more than kMaxAreaBytes) it shows "MaxLyapunov::check_alloc: Couldn't allocate enough
    // memory.\n", raises the stop flag and returns false; the run then ends without touching
    // the area.
    template <class T>
    bool check_alloc(std::vector<T>& area, std::size_t count, const T& value = T());
    static constexpr std::size_t kMaxAreaBytes = std::size_t{1} << 31;

    // x ← (x − min) / (max − min) in place; returns false after the message "rescale_data: data
    // ranges = Null. …" and raising the stop flag when max = min (series unchanged then). An
    // empty series counts as constant.
    bool rescale_data(std::span<double> series, double& minimum, double& range);

    // Maximal exponent: the stretch factors S(Δn) per dimension and radius. Rescales the
    // series in place. Too few points ("Too few points to handle these parameters!\n") give a
    // result without entries and the raised stop flag.
    MaxExponentResult computeMaxExponent(std::span<double> series);

    // Lyapunov spectrum along reference points (E − 1)·d … min(I, L − d) − 1. Rescales the
    // series in place (and reverses it when the reverse flag is set).
    SpectrumResult computeSpectrum(std::span<double> series, long long iterations);

    // Correlation sums and their local slopes for dimensions 1 … m_max. Rescales in place.
    CorrelationResult computeCorrelationDimensions(std::span<double> series);

    // Texts of the engine, byte for byte.
    static const char* const kAllocMessage;
    static const char* const kRescaleMessage;
    static const char* const kTooFewPointsMessage;
    static const char* const kSeriesTooShortMessage;
    static const char* const kZeroVarianceMessage;
    static const char* const kNotEnoughNeighboursMessage;
    static const char* const kSingularMessage;
    static const char* const kEmbeddingTooLongMessage;

    // Shows a message and raises the stop flag (the engine's way of failing).
    void fail(const char* message);
    void message(const std::string& text) const;
    // A checkpoint: tells the checkpoint callback, then reports whether the run must end.
    bool checkpoint(long long index);

private:
    AbortToken& m_abort;
    NonlinearCallbacks m_callbacks;
    MaxExponentParameters m_maxExp;
    SpectrumParameters m_spectrum;
    CorrelationParameters m_corr;
};

template <class T>
bool MaxLyapunov::check_alloc(std::vector<T>& area, std::size_t count, const T& value)
{
    if (count > kMaxAreaBytes / sizeof(T)) {
        fail(kAllocMessage);
        return false;
    }
    try {
        area.assign(count, value);
    } catch (const std::bad_alloc&) {
        area.clear();
        fail(kAllocMessage);
        return false;
    }
    return true;
}
