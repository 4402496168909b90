// The nearest-neighbour search of the Lyapunov spectrum: a 512 × 512 box grid keyed by the
// first and the last component (with one series both are x[i], so only its diagonal is
// used), a search radius that grows by a factor until more than n_min points lie within it in
// the maximum norm over the delay coordinates x[n], x[n − d], …, x[n − (E − 1)·d], and the
// choice of the n_min nearest of them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

class MaxLyapunov;

class SpectrumNeighbours
{
public:
    static constexpr unsigned kMask = 511;

    // Points first … end − 1 are boxed (first = (E − 1)·d, end = L − d, so every boxed point
    // has its full delay vector and its successor d steps later).
    SpectrumNeighbours(std::span<const double> x, int embeddingDimension, int delay, std::size_t first,
                       std::size_t end);
    bool allocate(MaxLyapunov& engine);

    // Boxes the points for radius ε (clears the cells of the previous filling first).
    void fill(double eps);
    // All boxed points j with max_k |x[n − k·d] − x[j − k·d]| ≤ ε, n itself included when boxed.
    void collect(std::size_t n, double eps, std::vector<std::uint32_t>& found) const;
    // Orders `found` by distance from n (n itself counts as 2.0, farther than any rescaled
    // distance; ties by index), keeps the nMin nearest and returns the nMin-th smallest distance.
    // Requires found.size() > nMin.
    double keepNearest(std::size_t n, std::size_t nMin, std::vector<std::uint32_t>& found) const;

    // Radius search: starting at ε, while ε < 1: fill, collect; with more than nMin points keep
    // the nMin nearest and return the nMin-th distance; else ε ← ε·growth. When ε reaches 1 the
    // points of the last search stay as they are and the last ε is returned. A start radius of
    // 0 (all earlier neighbours coincided) is replaced by `restart` so that the search ends.
    double search(std::size_t n, double eps, double growth, double restart, std::size_t nMin,
                  std::vector<std::uint32_t>& used);

    double maxDistance(std::size_t n, std::size_t j) const;

private:
    std::span<const double> m_x;
    std::size_t m_dim;
    std::size_t m_delay;
    std::size_t m_first;
    std::size_t m_end;
    std::vector<std::int32_t> m_cells;     // 512 × 512 list heads, −1 = empty
    std::vector<std::int32_t> m_successor; // per point
    std::vector<std::uint32_t> m_touched;  // cells filled by the last fill, cleared by the next
    double m_filledEps = -1.0;
};
