// The surface of the 3D waterfall: R rows of V vertices each, the newest row in front. Rows are
// kept in a ring (the row counter wraps after R rows); the geometry lists them by age, newest
// first, so that every row seems to move one row spacing back when a new one enters.
#pragma once

#include "WaterfallRow.h"

#include "core/common/Rgb.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

struct WaterfallVertex
{
    float x = 0, y = 0, z = 0;    // x across (frequency), y up (height), z back (age)
    float nx = 0, ny = 1, nz = 0; // unit normal
    Rgb colour;
};

class WaterfallMesh
{
public:
    static constexpr int kVertexBudget = 10000; // R = trunc(10000 / V): the mesh holds about this many
    static constexpr double kDepth = 20.0;      // world units from the front row to behind the last

    // R for rows of V vertices; 0 for V = 0, at least 1 otherwise.
    static int RowsFor(int nVerticesPerRow);

    // No rows; V and R are fixed again by the next row.
    void clear();
    // The newest row. The first row after clear(), or a row of another length (the settings or
    // the transform size changed), starts the mesh afresh with V = its length; a row without
    // vertices is ignored.
    void addRow(std::span<const WaterfallPoint> row);

    int verticesPerRow() const { return m_nV; }    // V
    int rowCapacity() const { return m_nR; }       // R
    int filledRows() const { return m_nFilled; }   // rows added since the start, at most R
    int rowCounter() const { return m_nNext; }     // ring slot of the next row, 0 … R − 1
    double rowSpacing() const { return m_nR > 0 ? kDepth / m_nR : 0.0; }
    // Front-to-back: the row of age a (0 = newest) lies at z = −kDepth/2 + a·rowSpacing.
    double rowZ(int age) const { return -kDepth / 2 + age * rowSpacing(); }
    // The row of age a (0 = newest), a < filledRows().
    std::span<const WaterfallPoint> row(int age) const;

    // The vertices of the filled rows, newest row first, each row left to right, with normals
    // (the normalised sum of the unit normals of the adjacent triangles; up where there are none)
    // and colours: with bBunt the ramp colour of trunc(level·1663) (black from 1664 on), else
    // fixedColour.
    std::vector<WaterfallVertex> vertices(bool bBunt, Rgb fixedColour) const;
    // Triangles joining the rows of age a and a + 1 for all R rows: 2·(V − 1)·(R − 1) triangles,
    // three indices each, ordered by a, so that the first drawnIndexCount() of them join filled
    // rows only. The cross product (b − a)×(c − a) of each triangle (a, b, c) points up.
    const std::vector<std::uint32_t>& indices() const { return m_indices; }
    std::size_t drawnIndexCount() const;

private:
    int m_nV = 0;
    int m_nR = 0;
    int m_nFilled = 0;
    int m_nNext = 0;
    std::vector<WaterfallPoint> m_ring; // R·V points, slot k at k·V
    std::vector<std::uint32_t> m_indices;
};
