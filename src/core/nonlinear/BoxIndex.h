// Cell index of a box grid: trunc(v) modulo (mask + 1), for a value v = coordinate / ε.
// The grids wrap around, so distant values may share a cell; the distance tests sort them out.
#pragma once

#include <cmath>
#include <cstdint>

// trunc(v) mod (mask + 1) in the mathematical sense (mask + 1 a power of two). Values too
// large for an integer are reduced with fmod first; NaN lands in cell 0 (its point never
// passes a distance test).
inline unsigned boxIndex(double v, unsigned mask)
{
    if (v > -9.0e18 && v < 9.0e18)
        return static_cast<unsigned>(static_cast<std::uint64_t>(static_cast<std::int64_t>(v)) & mask);
    if (std::isfinite(v))
        return boxIndex(std::fmod(std::trunc(v), static_cast<double>(mask) + 1.0), mask);
    return 0;
}
