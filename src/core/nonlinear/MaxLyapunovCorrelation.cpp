// The correlation dimensions of MaxLyapunov: pair counts of the delay vectors within a
// geometric ladder of radii, gathered with a search radius that shrinks as radii are finished.
#include "core/nonlinear/BoxIndex.h"
#include "core/nonlinear/CorrelationOrder.h"
#include "core/nonlinear/MaxLyapunov.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace {

constexpr unsigned kCorrMask = 255; // 256 × 256 grid, 256-cell line

long long wholeSeconds()
{
    using namespace std::chrono;
    return duration_cast<seconds>(steady_clock::now().time_since_epoch()).count();
}

// The search structures: the grid keyed by (x[q], x[q + d]) for dimensions ≥ 2 and the line of
// boxes keyed by x[q] for dimension 1. Lists are linked through per-point successors.
struct CorrelationBoxes
{
    std::vector<std::int32_t> grid, line, gridNext, lineNext;
    bool useGrid = false; // only when m_max > 1 (then x[q + d] exists for every vector)

    void clear()
    {
        std::fill(grid.begin(), grid.end(), -1);
        std::fill(line.begin(), line.end(), -1);
    }
    void insert(std::span<const double> x, std::uint32_t q, std::size_t d, double inv)
    {
        const unsigned row = boxIndex(x[q] * inv, kCorrMask);
        lineNext[q] = line[row];
        line[row] = static_cast<std::int32_t>(q);
        if (useGrid) {
            const unsigned col = boxIndex(x[q + d] * inv, kCorrMask);
            std::int32_t& head = grid[row * (kCorrMask + 1) + col];
            gridNext[q] = head;
            head = static_cast<std::int32_t>(q);
        }
    }
};

} // namespace

CorrelationResult MaxLyapunov::computeCorrelationDimensions(std::span<double> x)
{
    const CorrelationParameters& p = m_corr;
    CorrelationResult result;
    // Counts below their smallest meaningful value are raised to it.
    const int mMax = std::max(p.maxDimension, 1);
    const int K = std::max(p.radiusCount, 1);
    const std::size_t d = static_cast<std::size_t>(std::max(p.delay, 0));
    const long long P = p.pairs;
    const long long w = std::max(p.exclusion, 0);
    const long long L = static_cast<long long>(x.size());
    result.maxDimension = mMax;
    result.radiusCount = K;

    // 1. Result records, then rescaling.
    bool ok = check_alloc(result.entries, static_cast<std::size_t>(mMax));
    for (std::size_t m = 0; ok && m < result.entries.size(); ++m)
        ok = check_alloc(result.entries[m], static_cast<std::size_t>(K));
    if (!ok) {
        result.entries.clear();
        return result;
    }
    double minimum = 0.0;
    double range = 0.0;
    rescale_data(x, minimum, range);

    // 2. Radius rules (a radius that is not a positive number falls back as noted).
    double epsMax = std::fabs(p.epsMax);
    if (!(epsMax > 0.0) || epsMax >= 1.0)
        epsMax = 1.0;
    double epsMin = std::fabs(p.epsMin);
    if (!(epsMin > 0.0) || epsMin >= epsMax)
        epsMin = epsMax * 0.5;
    result.epsMin = epsMin;
    result.epsMax = epsMax;

    // 3. Number of delay vectors.
    const long double nVectors = static_cast<long double>(L) - static_cast<long double>(mMax - 1) * d;
    if (nVectors <= 0 || nVectors > static_cast<long double>(INT32_MAX)) {
        fail(nVectors <= 0 ? kEmbeddingTooLongMessage : kAllocMessage);
        return result;
    }
    const std::uint32_t N = static_cast<std::uint32_t>(nVectors);

    // 4. Work areas and the radius ladder ε_k = ε_max / f^k.
    CorrelationBoxes boxes;
    boxes.useGrid = mMax > 1;
    std::vector<std::uint32_t> order, position;
    std::vector<long long> foundDiff; // found[m][k] = Σ_{k' ≤ k} foundDiff[m][k'], m = 1 … m_max
    std::vector<long long> normDiff;  // norm[k] = Σ_{k' ≤ k} normDiff[k']
    std::vector<double> eps;
    const std::size_t stride = static_cast<std::size_t>(K) + 1;
    ok = check_alloc(boxes.grid, boxes.useGrid ? std::size_t{kCorrMask + 1} * (kCorrMask + 1) : 0, std::int32_t{-1})
         && check_alloc(boxes.line, std::size_t{kCorrMask + 1}, std::int32_t{-1})
         && check_alloc(boxes.gridNext, boxes.useGrid ? N : 0, std::int32_t{-1})
         && check_alloc(boxes.lineNext, N, std::int32_t{-1})
         && check_alloc(foundDiff, (static_cast<std::size_t>(mMax) + 1) * stride, 0LL)
         && check_alloc(normDiff, stride, 0LL) && check_alloc(eps, static_cast<std::size_t>(K), 0.0)
         && check_alloc(position, N, 0u);
    if (ok) {
        try {
            order = correlationProcessingOrder(N);
        } catch (const std::bad_alloc&) {
            fail(kAllocMessage);
            ok = false;
        }
    }
    if (!ok)
        return result;
    double searchEps = epsMax;
    double inv = 1.0 / searchEps;
    const double f = std::pow(epsMax / epsMin, 1.0 / (K - 1));
    const double lnEpsMax = std::log(epsMax);
    const double lnF = std::log(f);
    eps[0] = epsMax;
    for (int k = 1; k < K; ++k)
        eps[k] = eps[k - 1] / f;
    int kMin = 0;

    // 5. Inverse of the order: position of every index.
    for (std::uint32_t i = 0; i < N; ++i)
        position[order[i]] = i;

    // Largest k with the pair inside ε_k, from its maximum-norm distance δ.
    auto largestIndex = [&](double delta) -> int {
        if (delta < epsMin)
            return K - 1;
        const double t = std::trunc((lnEpsMax - std::log(delta)) / lnF);
        return t >= static_cast<double>(K - 1) ? K - 1 : (t > 0.0 ? static_cast<int>(t) : 0);
    };
    auto addRange = [&](int m, int last) {
        if (last >= kMin) {
            foundDiff[static_cast<std::size_t>(m) * stride + kMin] += 1;
            foundDiff[static_cast<std::size_t>(m) * stride + last + 1] -= 1;
        }
    };
    auto foundTopAt = [&](int k) {
        long long s = 0;
        for (int i = 0; i <= k; ++i)
            s += foundDiff[static_cast<std::size_t>(mMax) * stride + i];
        return s;
    };

    // Result from the counts: slope between ε_{k−1} and ε_k of every dimension.
    result.pairCounts.assign(static_cast<std::size_t>(mMax), std::vector<double>(static_cast<std::size_t>(K), 0.0));
    result.norms.assign(static_cast<std::size_t>(K), 0.0);
    auto refresh = [&](long long n) {
        long long s = 0;
        for (int k = 0; k < K; ++k) {
            s += normDiff[k];
            result.norms[k] = static_cast<double>(s);
        }
        for (int m = 1; m <= mMax; ++m) {
            std::vector<double>& found = result.pairCounts[m - 1];
            s = 0;
            for (int k = 0; k < K; ++k) {
                s += foundDiff[static_cast<std::size_t>(m) * stride + k];
                found[k] = static_cast<double>(s);
            }
            for (int k = 1; k < K; ++k) {
                CorrelationEntry& entry = result.entries[m - 1][k - 1];
                entry.radius = epsMax / std::pow(f, static_cast<double>(k));
                if (found[k] > 0 && found[k - 1] > 0)
                    entry.slope = std::log((found[k - 1] / found[k]) / result.norms[k - 1] * result.norms[k]) / lnF;
                else
                    entry.slope = 0.0;
            }
        }
        result.pointsProcessed = n;
        if (m_callbacks.onCorrelationProgress)
            m_callbacks.onCorrelationProgress(result);
    };

    // 6. Empty boxes, clock.
    boxes.clear();
    long long lastRefresh = wholeSeconds();

    // 7. One point after the other.
    for (std::uint32_t n = 1; n < N; ++n) {
        // a. Checkpoint every 50 points; the stop flag is tested for every point.
        if (n % 50 == 0 && m_callbacks.onCheckpoint)
            m_callbacks.onCheckpoint(n);
        if (m_abort.isRaised())
            break;

        // b. Insert the previous point.
        boxes.insert(x, order[n - 1], d, inv);

        // c. Finished radii: shrink the search radius and rebuild the boxes.
        long long top = foundTopAt(kMin);
        if (top >= P) {
            while (kMin <= K - 1 && top >= P) {
                ++kMin;
                if (kMin <= K - 1)
                    top += foundDiff[static_cast<std::size_t>(mMax) * stride + kMin];
            }
            if (kMin <= K - 1) {
                searchEps = eps[kMin];
                inv = 1.0 / searchEps;
                boxes.clear();
                for (std::uint32_t i = 0; i < n; ++i)
                    boxes.insert(x, order[i], d, inv);
            }
        }

        // d. Pairs of the next point with all inserted ones.
        if (kMin <= K - 1) {
            const std::uint32_t pt = order[n];
            const double xp = x[pt];
            const unsigned row = boxIndex(xp * inv, kCorrMask);
            for (unsigned dr = 0; dr < 3; ++dr) {
                const unsigned r = (row + kCorrMask + dr) & kCorrMask;
                for (std::int32_t j = boxes.line[r]; j >= 0; j = boxes.lineNext[j]) {
                    if (std::llabs(static_cast<long long>(j) - pt) <= w)
                        continue;
                    const double delta = std::fabs(xp - x[static_cast<std::size_t>(j)]);
                    if (delta <= searchEps)
                        addRange(1, largestIndex(delta));
                }
            }
            if (boxes.useGrid) {
                const unsigned col = boxIndex(x[pt + d] * inv, kCorrMask);
                for (unsigned dr = 0; dr < 3; ++dr) {
                    const unsigned r = (row + kCorrMask + dr) & kCorrMask;
                    for (unsigned dc = 0; dc < 3; ++dc) {
                        const unsigned c = (col + kCorrMask + dc) & kCorrMask;
                        for (std::int32_t j = boxes.grid[r * (kCorrMask + 1) + c]; j >= 0; j = boxes.gridNext[j]) {
                            if (std::llabs(static_cast<long long>(j) - pt) <= w)
                                continue;
                            double delta = 0.0;
                            int index = K - 1;
                            for (int cc = 0; cc < mMax; ++cc) {
                                const std::size_t off = static_cast<std::size_t>(cc) * d;
                                const double dc2 = std::fabs(x[pt + off] - x[static_cast<std::size_t>(j) + off]);
                                if (!(dc2 <= searchEps))
                                    break;
                                if (dc2 > delta) {
                                    delta = dc2;
                                    index = largestIndex(delta);
                                }
                                if (cc >= 1)
                                    addRange(cc + 1, index);
                            }
                        }
                    }
                }
            }
            long long partners = n;
            if (w > 0) {
                const long long lo = std::max(0LL, static_cast<long long>(pt) - w);
                const long long hi = std::min(static_cast<long long>(N) - 1, static_cast<long long>(pt) + w);
                for (long long idx = lo; idx <= hi; ++idx)
                    if (idx != pt && position[static_cast<std::size_t>(idx)] < n)
                        --partners;
            }
            normDiff[kMin] += partners;
        }

        // e. Refresh at least every two whole-second ticks, at the last point and at the end.
        const long long now = wholeSeconds();
        if (now - lastRefresh > 1 || n == N - 1 || kMin > K - 1) {
            lastRefresh = now;
            refresh(n);
            if (kMin > K - 1)
                break;
        }
    }
    result.completed = !m_abort.isRaised();
    return result;
}
