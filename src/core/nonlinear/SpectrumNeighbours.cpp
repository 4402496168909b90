#include "core/nonlinear/SpectrumNeighbours.h"

#include "core/nonlinear/BoxIndex.h"
#include "core/nonlinear/MaxLyapunov.h"

#include <algorithm>
#include <cmath>
#include <utility>

SpectrumNeighbours::SpectrumNeighbours(std::span<const double> x, int embeddingDimension, int delay,
                                       std::size_t first, std::size_t end)
    : m_x(x), m_dim(static_cast<std::size_t>(embeddingDimension)), m_delay(static_cast<std::size_t>(delay)),
      m_first(first), m_end(end)
{
}

bool SpectrumNeighbours::allocate(MaxLyapunov& engine)
{
    return engine.check_alloc(m_cells, std::size_t{kMask + 1} * (kMask + 1), std::int32_t{-1})
           && engine.check_alloc(m_successor, m_x.size(), std::int32_t{-1})
           && engine.check_alloc(m_touched, 0, std::uint32_t{0});
}

void SpectrumNeighbours::fill(double eps)
{
    if (eps == m_filledEps)
        return; // same radius, same boxes
    for (std::uint32_t cell : m_touched)
        m_cells[cell] = -1;
    m_touched.clear();
    const double inv = 1.0 / eps;
    for (std::size_t i = m_first; i < m_end; ++i) {
        // Row from the first, column from the last component: one series, the same value.
        const unsigned row = boxIndex(m_x[i] * inv, kMask);
        const unsigned col = row;
        const std::uint32_t cell = row * (kMask + 1) + col;
        if (m_cells[cell] < 0)
            m_touched.push_back(cell);
        m_successor[i] = m_cells[cell];
        m_cells[cell] = static_cast<std::int32_t>(i);
    }
    m_filledEps = eps;
}

void SpectrumNeighbours::collect(std::size_t n, double eps, std::vector<std::uint32_t>& found) const
{
    found.clear();
    const double inv = 1.0 / eps;
    const unsigned row = boxIndex(m_x[n] * inv, kMask);
    const unsigned col = row;
    for (unsigned dr = 0; dr < 3; ++dr) {
        const unsigned r = (row + kMask + dr) & kMask;
        for (unsigned dc = 0; dc < 3; ++dc) {
            const unsigned c = (col + kMask + dc) & kMask;
            for (std::int32_t j = m_cells[r * (kMask + 1) + c]; j >= 0; j = m_successor[j]) {
                bool inside = true;
                for (std::size_t k = 0; k < m_dim && inside; ++k)
                    inside = std::fabs(m_x[n - k * m_delay] - m_x[static_cast<std::size_t>(j) - k * m_delay]) <= eps;
                if (inside)
                    found.push_back(static_cast<std::uint32_t>(j));
            }
        }
    }
}

double SpectrumNeighbours::maxDistance(std::size_t n, std::size_t j) const
{
    if (j == n)
        return 2.0;
    double dist = 0.0;
    for (std::size_t k = 0; k < m_dim; ++k)
        dist = std::max(dist, std::fabs(m_x[n - k * m_delay] - m_x[j - k * m_delay]));
    return dist;
}

double SpectrumNeighbours::keepNearest(std::size_t n, std::size_t nMin, std::vector<std::uint32_t>& found) const
{
    std::vector<std::pair<double, std::uint32_t>> byDistance;
    byDistance.reserve(found.size());
    for (std::uint32_t j : found)
        byDistance.emplace_back(maxDistance(n, j), j);
    // Distances of found points are finite (NaN coordinates never pass the ε test), so the
    // (distance, index) order is a strict weak order.
    const auto nth = byDistance.begin() + static_cast<std::ptrdiff_t>(nMin - 1);
    std::nth_element(byDistance.begin(), nth, byDistance.end());
    std::sort(byDistance.begin(), nth + 1);
    found.resize(nMin);
    for (std::size_t k = 0; k < nMin; ++k)
        found[k] = byDistance[k].second;
    return byDistance[nMin - 1].first;
}

double SpectrumNeighbours::search(std::size_t n, double eps, double growth, double restart, std::size_t nMin,
                                  std::vector<std::uint32_t>& used)
{
    used.clear();
    if (!(eps > 0.0))
        eps = restart;
    while (eps < 1.0) {
        fill(eps);
        collect(n, eps, used);
        if (used.size() > nMin)
            return keepNearest(n, nMin, used);
        eps *= growth;
    }
    return eps;
}
