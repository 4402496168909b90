#include "core/wavelet/ScaleGrid.h"

#include <cmath>

CScaleGrid::CScaleGrid(float low, float high, long n, int division)
{
    if (n <= 0)
        return;
    m_scales.resize(static_cast<size_t>(n));
    const float ratio = high / low;
    for (long i = 1; i <= n; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(n);
        float g = 0.0f;
        if (division == 0)
            g = 1.0f / (1.0f / low + (1.0f / high - 1.0f / low) * t);
        else if (division == 1)
            g = low + (high - low) * t;
        else
            g = low * std::pow(ratio, t);
        m_scales[static_cast<size_t>(i - 1)] = g;
    }
}

bool CScaleGrid::allFinite() const
{
    for (float g : m_scales)
        if (!std::isfinite(g) || g == 0.0f)
            return false;
    return true;
}
