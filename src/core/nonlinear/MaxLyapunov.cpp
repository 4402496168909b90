#include "core/nonlinear/MaxLyapunov.h"

#include "core/nonlinear/MaxExponentGrid.h"

#include <algorithm>
#include <cmath>
#include <utility>

const char* const MaxLyapunov::kAllocMessage = "MaxLyapunov::check_alloc: Couldn't allocate enough memory.\n";
const char* const MaxLyapunov::kRescaleMessage =
    "rescale_data: data ranges = Null. It makes\n\t\tno sense to continue. \n\n";
const char* const MaxLyapunov::kTooFewPointsMessage = "Too few points to handle these parameters!\n";
const char* const MaxLyapunov::kSeriesTooShortMessage = "Your time series is not long enough to find 20 neighbors!\n";
const char* const MaxLyapunov::kZeroVarianceMessage = "Fehler: Variance of the data is zero.\n\n";
const char* const MaxLyapunov::kNotEnoughNeighboursMessage = "#Not enough neighbors found.\n";
const char* const MaxLyapunov::kSingularMessage =
    "Fehler: Singuläre matrix! Erhöhen Sie versuchsweise die Anzahl der berücksichtigten Nachbarn.\n";
const char* const MaxLyapunov::kEmbeddingTooLongMessage =
    "Embedding dimension and delay are too large.\nThe delay vector would be longer than the whole series.\n";

MaxLyapunov::MaxLyapunov(AbortToken& abort, NonlinearCallbacks callbacks)
    : m_abort(abort), m_callbacks(std::move(callbacks))
{
}

void MaxLyapunov::setSpectrumParameters(int embeddingDimension, int delay, int minNeighbours, double startRadius)
{
    m_spectrum.embeddingDimension = embeddingDimension;
    m_spectrum.delay = delay;
    m_spectrum.minNeighbours = minNeighbours;
    m_spectrum.startRadius = startRadius;
    m_spectrum.radiusGiven = false;
    m_spectrum.reverse = false;
    m_spectrum.components = 1;
    m_spectrum.growth = 1.2;
    m_spectrum.boxMask = 511;
}

void MaxLyapunov::setMaxExponentParameters(unsigned steps, unsigned maxDimension, unsigned minDimension,
                                           unsigned delay, unsigned radiusCount, double epsMin,
                                           double epsMax, std::size_t references)
{
    m_maxExp.steps = steps;
    m_maxExp.maxDimension = maxDimension;
    m_maxExp.minDimension = minDimension;
    m_maxExp.delay = delay;
    m_maxExp.radiusCount = radiusCount;
    m_maxExp.epsMin = epsMin;
    m_maxExp.epsMax = epsMax;
    m_maxExp.references = references;
    m_maxExp.exclusion = 0;
    m_maxExp.boxMask = 127;
    m_maxExp.epsMinAbsolute = false;
    m_maxExp.epsMaxAbsolute = false;
}

void MaxLyapunov::setCorrelationParameters(long long pairs, int maxDimension, int delay, int radiusCount,
                                           double epsMin, double epsMax)
{
    m_corr.pairs = pairs;
    m_corr.maxDimension = maxDimension;
    m_corr.delay = delay;
    m_corr.radiusCount = radiusCount;
    m_corr.epsMin = epsMin;
    m_corr.epsMax = epsMax;
    m_corr.components = 1;
    m_corr.exclusion = 0;
    m_corr.boxMask = 255;
}

void MaxLyapunov::message(const std::string& text) const
{
    if (m_callbacks.onMessage)
        m_callbacks.onMessage(text);
}

void MaxLyapunov::fail(const char* text)
{
    message(text);
    m_abort.raise();
}

bool MaxLyapunov::checkpoint(long long index)
{
    if (m_callbacks.onCheckpoint)
        m_callbacks.onCheckpoint(index);
    return m_abort.isRaised();
}

bool MaxLyapunov::rescale_data(std::span<double> series, double& minimum, double& range)
{
    minimum = 0.0;
    range = 0.0;
    if (series.empty()) {
        fail(kRescaleMessage);
        return false;
    }
    double lo = series[0];
    double hi = series[0];
    for (double v : series.subspan(1)) {
        if (v < lo)
            lo = v;
        if (v > hi)
            hi = v;
    }
    minimum = lo;
    range = hi - lo;
    if (range == 0.0) {
        fail(kRescaleMessage);
        return false;
    }
    for (double& v : series)
        v = (v - lo) / range;
    return true;
}

namespace {

// A radius must be a positive finite number of data ranges; anything else falls back to the
// engine default, so that no grid index is ever computed from a division by zero.
double usableRadius(double eps, double fallback)
{
    return (std::isfinite(eps) && eps > 0.0) ? eps : fallback;
}

} // namespace

MaxExponentResult MaxLyapunov::computeMaxExponent(std::span<double> x)
{
    const MaxExponentParameters& p = m_maxExp;
    MaxExponentResult result;
    const std::size_t L = x.size();

    // 1. Rescale; absolute radii are divided by the data range.
    double minimum = 0.0;
    double range = 0.0;
    const bool rescaled = rescale_data(x, minimum, range);
    double epsMin = p.epsMin;
    double epsMax = p.epsMax;
    if (rescaled && p.epsMinAbsolute)
        epsMin /= range;
    if (rescaled && p.epsMaxAbsolute)
        epsMax /= range;
    epsMin = usableRadius(epsMin, 0.001);
    epsMax = usableRadius(epsMax, 0.01);

    // 2. A single radius when the range is empty.
    unsigned E = std::max(p.radiusCount, 1u);
    if (epsMin >= epsMax) {
        epsMax = epsMin;
        E = 1;
    }

    // 4. (done first, so that every index of the length rules below stays inside the series)
    // M and the minimal dimension at least 2, M at least the minimal dimension.
    unsigned M = std::max(p.maxDimension, 2u);
    const unsigned minDim = std::max(p.minDimension, 2u);
    if (minDim > M)
        M = minDim;
    const unsigned steps = p.steps;
    const std::size_t d = p.delay;

    result.steps = steps;
    result.radiusCount = E;
    result.minDimension = minDim;
    result.maxDimension = M;

    // 3. Reference count and the length check, in 64-bit arithmetic without overflow.
    const long double span = static_cast<long double>(steps) + static_cast<long double>(M - 1) * d;
    const bool tooFew = span >= static_cast<long double>(L);
    std::size_t R = p.references;
    if (!tooFew && R > L - static_cast<std::size_t>(span))
        R = L - static_cast<std::size_t>(span);
    result.referenceCount = tooFew ? 0 : R;

    result.radii.resize(E);
    const double f = (E != 1) ? std::pow(epsMax / epsMin, 1.0 / (E - 1)) : 1.0;
    for (unsigned e = 0; e < E; ++e)
        result.radii[e] = epsMin * std::pow(f, static_cast<double>(e));

    if (tooFew) {
        fail(kTooFewPointsMessage);
        return result;
    }

    // 5. Work areas and result.
    const std::size_t dims = M - 1;
    const std::size_t row = static_cast<std::size_t>(steps) + 1;
    const std::size_t boxed = L - static_cast<std::size_t>(span); // B = L − (M − 1)·d − steps
    MaxExponentGrid grid;
    std::vector<GridNeighbour> neighbours;
    std::vector<double> sums, localSums;
    std::vector<std::uint32_t> counts, localCounts;
    result.stretch.resize(dims);
    result.contributors.resize(dims);
    bool ok = L <= static_cast<std::size_t>(INT32_MAX) && grid.allocate(*this, L);
    for (std::size_t k = 0; ok && k < dims; ++k)
        ok = check_alloc(result.stretch[k], (static_cast<std::size_t>(E) + 1) * row, 0.0)
             && check_alloc(result.contributors[k], (static_cast<std::size_t>(E) + 1) * row, std::uint32_t{0});
    ok = ok && check_alloc(sums, dims * row, 0.0) && check_alloc(counts, dims * row, std::uint32_t{0})
         && check_alloc(localSums, dims * row, 0.0) && check_alloc(localCounts, dims * row, std::uint32_t{0});
    if (!ok) {
        if (!m_abort.isRaised())
            fail(kAllocMessage); // series too long for 32-bit point lists
        result.stretch.clear();
        result.contributors.clear();
        return result;
    }
    try {
        neighbours.reserve(std::min<std::size_t>(L, 4096));
    } catch (const std::bad_alloc&) {
        fail(kAllocMessage);
        return result;
    }

    const std::size_t kFirst = minDim - 2; // dimension indices kFirst … M − 2 are followed
    for (unsigned e = 0; e < E; ++e) {
        // 7a–c. Radius, cleared sums, boxes.
        const double eps = result.radii[e];
        std::fill(sums.begin(), sums.end(), 0.0);
        std::fill(counts.begin(), counts.end(), 0u);
        grid.fill(x, boxed, d, eps);

        // 7d. Reference points.
        for (std::size_t i = 0; i < R; ++i) {
            if (i % 50 == 0 && checkpoint(static_cast<long long>(i)))
                return result;
            grid.collect(x, i, M, d, p.exclusion, eps, neighbours);
            if (m_abort.isRaised())
                return result;

            // Divergence: D(Δn) of every neighbour, accumulated coordinate by coordinate, so
            // that one pass serves every dimension (the sum of dimension m is the sum of
            // dimension m − 1 plus one term).
            std::fill(localSums.begin() + kFirst * row, localSums.end(), 0.0);
            std::fill(localCounts.begin() + kFirst * row, localCounts.end(), 0u);
            for (const GridNeighbour& nb : neighbours) {
                if (nb.depth <= kFirst)
                    continue;
                const std::size_t j = nb.index;
                const std::size_t lastK = std::min<std::size_t>(nb.depth - 1, dims - 1);
                for (std::size_t dn = 0; dn < row; ++dn) {
                    double diff = x[i + dn] - x[j + dn];
                    double D = diff * diff;
                    for (std::size_t k = 0; k <= lastK; ++k) {
                        const std::size_t c = k + 1; // coordinate added for dimension k + 2
                        diff = x[i + dn + c * d] - x[j + dn + c * d];
                        D += diff * diff;
                        if (k >= kFirst && D > 0.0) {
                            localCounts[k * row + dn] += 1;
                            localSums[k * row + dn] += D;
                        }
                    }
                }
            }
            for (std::size_t k = kFirst; k < dims; ++k) {
                for (std::size_t dn = 0; dn < row; ++dn) {
                    const std::uint32_t n = localCounts[k * row + dn];
                    if (n != 0) {
                        counts[k * row + dn] += 1;
                        sums[k * row + dn] += std::log(localSums[k * row + dn] / n) / 2.0;
                    }
                }
            }
        }

        // 7e. Means into the result; 7f. progress.
        for (std::size_t k = kFirst; k < dims; ++k) {
            for (std::size_t dn = 0; dn < row; ++dn) {
                const std::uint32_t n = counts[k * row + dn];
                if (n != 0) {
                    result.stretch[k][row * e + dn] = sums[k * row + dn] / n;
                    result.contributors[k][row * e + dn] = n;
                }
            }
        }
        if (m_callbacks.onMaxExponentProgress)
            m_callbacks.onMaxExponentProgress(result, e + 1);
    }
    return result;
}
