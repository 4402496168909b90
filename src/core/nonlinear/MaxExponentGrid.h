// The 128 × 128 box grid of the maximal exponent, keyed by the first two delay coordinates
// (x[i], x[i + d]), and the neighbour search that fills the neighbour lists of all embedding
// dimensions in one pass.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

class MaxLyapunov;

// A neighbour found for a reference point: its index and how many dimension indices it
// belongs to (depth d means dimensions 2 … d + 1; it is always at least 1).
struct GridNeighbour
{
    std::uint32_t index;
    std::uint32_t depth;
};

class MaxExponentGrid
{
public:
    static constexpr unsigned kMask = 127;

    // Successor list for `length` points and the cells, through the engine's check_alloc.
    bool allocate(MaxLyapunov& engine, std::size_t length);

    // Boxes points 0 … boxed − 1 by cell (trunc(x[i]/ε) mod 128, trunc(x[i+d]/ε) mod 128); each
    // cell heads a list of its points in descending index order. x[i + d] must exist.
    void fill(std::span<const double> x, std::size_t boxed, std::size_t delay, double eps);

    // Neighbours of reference point i in dimensions 2 … maxDim: points j of the 3 × 3 cells
    // around i with |j − i| > w whose first m delay coordinates lie in the Euclidean ball of
    // radius ε, in the order the cells and their lists are visited. Replaces `out`.
    void collect(std::span<const double> x, std::size_t i, std::size_t maxDim, std::size_t delay,
                 std::size_t exclusion, double eps, std::vector<GridNeighbour>& out) const;

private:
    std::vector<std::int32_t> m_cells;     // (kMask + 1)² list heads, −1 = empty
    std::vector<std::int32_t> m_successor; // next point of the same cell, −1 = end
};
