#include "core/nonlinear/MaxExponentGrid.h"

#include "core/nonlinear/BoxIndex.h"
#include "core/nonlinear/MaxLyapunov.h"

#include <algorithm>

bool MaxExponentGrid::allocate(MaxLyapunov& engine, std::size_t length)
{
    return engine.check_alloc(m_cells, std::size_t{kMask + 1} * (kMask + 1), std::int32_t{-1})
           && engine.check_alloc(m_successor, length, std::int32_t{-1});
}

void MaxExponentGrid::fill(std::span<const double> x, std::size_t boxed, std::size_t delay, double eps)
{
    std::fill(m_cells.begin(), m_cells.end(), -1);
    const double inv = 1.0 / eps;
    for (std::size_t i = 0; i < boxed; ++i) {
        const unsigned row = boxIndex(x[i] * inv, kMask);
        const unsigned col = boxIndex(x[i + delay] * inv, kMask);
        std::int32_t& head = m_cells[row * (kMask + 1) + col];
        m_successor[i] = head;
        head = static_cast<std::int32_t>(i);
    }
}

void MaxExponentGrid::collect(std::span<const double> x, std::size_t i, std::size_t maxDim,
                              std::size_t delay, std::size_t exclusion, double eps,
                              std::vector<GridNeighbour>& out) const
{
    out.clear();
    const double inv = 1.0 / eps;
    const double eps2 = eps * eps;
    const unsigned row = boxIndex(x[i] * inv, kMask);
    const unsigned col = boxIndex(x[i + delay] * inv, kMask);
    const long long lo = static_cast<long long>(i) - static_cast<long long>(exclusion);
    const long long hi = static_cast<long long>(i) + static_cast<long long>(exclusion);
    for (unsigned dr = 0; dr < 3; ++dr) {
        const unsigned r = (row + kMask + dr) & kMask; // row − 1 … row + 1, wrapping
        for (unsigned dc = 0; dc < 3; ++dc) {
            const unsigned c = (col + kMask + dc) & kMask;
            for (std::int32_t j = m_cells[r * (kMask + 1) + c]; j >= 0; j = m_successor[j]) {
                if (j >= lo && j <= hi)
                    continue;
                double diff = x[i] - x[static_cast<std::size_t>(j)];
                double s = diff * diff;
                if (!(s <= eps2))
                    continue;
                std::uint32_t depth = 0;
                for (std::size_t k = 1; k < maxDim; ++k) {
                    diff = x[i + k * delay] - x[static_cast<std::size_t>(j) + k * delay];
                    s += diff * diff;
                    if (!(s <= eps2))
                        break;
                    depth = static_cast<std::uint32_t>(k);
                }
                if (depth > 0)
                    out.push_back({static_cast<std::uint32_t>(j), depth});
            }
        }
    }
}
