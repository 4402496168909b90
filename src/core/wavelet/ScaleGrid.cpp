#include "core/wavelet/ScaleGrid.h"

#include <cmath>

CScaleGrid::CScaleGrid(float low, float high, long n)
{
    if (n <= 0)
        return;
    m_scales.resize(static_cast<size_t>(n));
    const float ratio = high / low;
    for (long i = 1; i <= n; ++i)
        m_scales[static_cast<size_t>(i - 1)] =
            low * std::pow(ratio, static_cast<float>(i) / static_cast<float>(n));
}

bool CScaleGrid::allFinite() const
{
    for (float g : m_scales)
        if (!std::isfinite(g))
            return false;
    return true;
}
