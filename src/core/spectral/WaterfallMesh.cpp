#include "WaterfallMesh.h"

#include "ColourRamp.h"

#include <algorithm>
#include <cmath>

namespace {

struct V3
{
    double x = 0, y = 0, z = 0;
};

V3 Sub(const V3& a, const V3& b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

V3 Cross(const V3& a, const V3& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

} // namespace

int WaterfallMesh::RowsFor(int nVerticesPerRow)
{
    if (nVerticesPerRow <= 0)
        return 0;
    return std::max(1, kVertexBudget / nVerticesPerRow);
}

void WaterfallMesh::clear()
{
    m_nV = m_nR = m_nFilled = m_nNext = 0;
    m_ring.clear();
    m_indices.clear();
}

void WaterfallMesh::addRow(std::span<const WaterfallPoint> row)
{
    if (row.empty())
        return;
    if (static_cast<int>(row.size()) != m_nV) {
        clear();
        m_nV = static_cast<int>(row.size());
        m_nR = RowsFor(m_nV);
        m_ring.assign(static_cast<std::size_t>(m_nR) * static_cast<std::size_t>(m_nV), {});
        const auto V = static_cast<std::uint32_t>(m_nV);
        m_indices.reserve(static_cast<std::size_t>(6) * (V - 1) * static_cast<std::uint32_t>(std::max(m_nR - 1, 0)));
        for (std::uint32_t a = 0; a + 1 < static_cast<std::uint32_t>(m_nR); ++a) {
            for (std::uint32_t i = 0; i + 1 < V; ++i) {
                const std::uint32_t p0 = a * V + i, p1 = p0 + 1, p2 = p0 + V, p3 = p2 + 1;
                // p0, p1 in front (smaller z), p2, p3 behind: both triangles face up.
                m_indices.insert(m_indices.end(), {p0, p2, p1, p1, p2, p3});
            }
        }
    }
    std::copy(row.begin(), row.end(), m_ring.begin() + static_cast<std::ptrdiff_t>(m_nNext) * m_nV);
    m_nNext = (m_nNext + 1) % m_nR;
    m_nFilled = std::min(m_nFilled + 1, m_nR);
}

std::span<const WaterfallPoint> WaterfallMesh::row(int age) const
{
    const int slot = ((m_nNext - 1 - age) % m_nR + m_nR) % m_nR;
    return std::span<const WaterfallPoint>(m_ring).subspan(static_cast<std::size_t>(slot) * static_cast<std::size_t>(m_nV),
                                                           static_cast<std::size_t>(m_nV));
}

std::size_t WaterfallMesh::drawnIndexCount() const
{
    if (m_nFilled < 2)
        return 0;
    return static_cast<std::size_t>(6) * static_cast<std::size_t>(m_nV - 1) * static_cast<std::size_t>(m_nFilled - 1);
}

std::vector<WaterfallVertex> WaterfallMesh::vertices(bool bBunt, Rgb fixedColour) const
{
    std::vector<WaterfallVertex> out;
    out.reserve(static_cast<std::size_t>(m_nFilled) * static_cast<std::size_t>(m_nV));
    for (int a = 0; a < m_nFilled; ++a) {
        const auto z = static_cast<float>(rowZ(a));
        for (const WaterfallPoint& p : row(a)) {
            WaterfallVertex v;
            v.x = p.x;
            v.y = p.h;
            v.z = z;
            v.ny = 0; // summed below
            v.colour = bBunt ? Ramp3DColour(static_cast<int>(std::trunc(std::clamp(p.level * 1663.0, -1.0, 1e6))))
                             : fixedColour;
            out.push_back(v);
        }
    }

    std::vector<V3> sums(out.size());
    const std::size_t count = drawnIndexCount();
    for (std::size_t t = 0; t + 2 < count; t += 3) {
        const std::uint32_t ia = m_indices[t], ib = m_indices[t + 1], ic = m_indices[t + 2];
        const V3 a{out[ia].x, out[ia].y, out[ia].z}, b{out[ib].x, out[ib].y, out[ib].z}, c{out[ic].x, out[ic].y, out[ic].z};
        const V3 n = Cross(Sub(b, a), Sub(c, a));
        const double len = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
        if (!(len > 0.0))
            continue; // a degenerate triangle has no direction
        for (const std::uint32_t k : {ia, ib, ic}) {
            sums[k].x += n.x / len;
            sums[k].y += n.y / len;
            sums[k].z += n.z / len;
        }
    }
    for (std::size_t k = 0; k < out.size(); ++k) {
        const V3& s = sums[k];
        const double len = std::sqrt(s.x * s.x + s.y * s.y + s.z * s.z);
        if (len > 0.0) {
            out[k].nx = static_cast<float>(s.x / len);
            out[k].ny = static_cast<float>(s.y / len);
            out[k].nz = static_cast<float>(s.z / len);
        } else {
            out[k].ny = 1;
        }
    }
    return out;
}
