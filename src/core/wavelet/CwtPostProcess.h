// Turning raw transform coefficients into the engine's output values (0 … 255 for colouring).
#pragma once

#include <cstddef>

// v = |v| for every value (real wavelets).
void cwtAbsoluteValues(float* values, size_t count);

// Byte scaling over all values: lo = min, hi = max; v = trunc((v − lo) × 255 / (hi − lo)),
// kept as a float. A flat set (lo == hi) is widened to [lo − 0.01, hi + 0.01] for the divisor
// only, so all its values become 0 (a silent selection shows black).
void cwtByteScale(float* values, size_t count);

// Complex wavelets: mag = √(re² + im²) per coefficient; out = mag × 255 / max(mag) (divisor 1
// when the largest magnitude is 0). re and im hold n rows of m columns, row q belonging to grid
// index n − q; out gets the rows in reverse order, so out row 0 belongs to grid index 1 (the
// largest scale). re may be modified; out must not overlap re or im.
void cwtComplexMagnitudes(float* re, const float* im, long n, long m, float* out);
