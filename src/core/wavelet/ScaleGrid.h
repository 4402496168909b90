// The grid of scales the transform analyses, in seconds per cycle of the row's frequency
// (row frequency = 1 / g Hz; the wavelet's own scale is f_c·g, see CCwt). With x the spacing
// coordinate of the division, x(g) = 1/g (linear: equal steps in frequency), g (reziprok: equal
// steps in scale) or ln g (exponentiell: geometric steps), g(i) is the scale whose coordinate is
// x(low) + (x(high) − x(low))·i / n for i = 1 … n, in single precision. g(n) = high; low itself
// (i = 0) is not part of the grid. The geometric grid is computed as low·(high / low)^(i / n).
#pragma once

#include <cstddef>
#include <vector>

class CScaleGrid
{
public:
    // division: 0 linear, 1 reziprok, anything else exponentiell.
    CScaleGrid(float low, float high, long n, int division = 2);

    long count() const { return static_cast<long>(m_scales.size()); }
    // g(i), 1 ≤ i ≤ n.
    float scale(long i) const { return m_scales[static_cast<size_t>(i - 1)]; }
    // False when a scale is 0 or not a finite number (a low scale of 0, scales of opposite signs).
    bool allFinite() const;

private:
    std::vector<float> m_scales;
};
