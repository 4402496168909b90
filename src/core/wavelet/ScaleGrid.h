// The geometric grid of scales the transform analyses, in seconds:
// g(i) = low × (high / low)^(i / n) for i = 1 … n, in single precision. g(n) = high; low itself
// (i = 0) is not part of the grid. The frequency of scale g is 1 / g Hz.
#pragma once

#include <cstddef>
#include <vector>

class CScaleGrid
{
public:
    CScaleGrid(float low, float high, long n);

    long count() const { return static_cast<long>(m_scales.size()); }
    // g(i), 1 ≤ i ≤ n.
    float scale(long i) const { return m_scales[static_cast<size_t>(i - 1)]; }
    // False when a scale is not a finite number (a low scale of 0, scales of opposite signs).
    bool allFinite() const;

private:
    std::vector<float> m_scales;
};
