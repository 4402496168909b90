#include "core/wavelet/CwtPostProcess.h"

#include <cmath>

void cwtAbsoluteValues(float* values, size_t count)
{
    for (size_t k = 0; k < count; ++k)
        values[k] = std::fabs(values[k]);
}

void cwtByteScale(float* values, size_t count)
{
    if (count == 0)
        return;
    float lo = values[0];
    float hi = values[0];
    for (size_t k = 1; k < count; ++k) {
        if (values[k] < lo)
            lo = values[k];
        if (values[k] > hi)
            hi = values[k];
    }
    // A flat set (all values equal, or a single value) has no range: it is widened by 0.01 on
    // either side so the divisor is not 0, and every value, being the minimum, becomes 0.
    const float range = lo == hi ? (hi + 0.01f) - (lo - 0.01f) : hi - lo;
    for (size_t k = 0; k < count; ++k)
        values[k] = std::trunc((values[k] - lo) * 255.0f / range);
}

void cwtComplexMagnitudes(float* re, const float* im, long n, long m, float* out)
{
    const size_t count = static_cast<size_t>(n) * static_cast<size_t>(m);
    float largest = 0.0f;
    for (size_t k = 0; k < count; ++k) {
        re[k] = std::sqrt(re[k] * re[k] + im[k] * im[k]);
        if (re[k] > largest)
            largest = re[k];
    }
    const float divisor = largest == 0.0f ? 1.0f : largest;
    for (long q = 0; q < n; ++q) {
        const float* src = re + static_cast<size_t>(q) * static_cast<size_t>(m);
        float* dst = out + static_cast<size_t>(n - 1 - q) * static_cast<size_t>(m);
        for (long k = 0; k < m; ++k)
            dst[k] = src[k] == divisor ? 255.0f : src[k] * 255.0f / divisor; // the largest exactly 255
    }
}
