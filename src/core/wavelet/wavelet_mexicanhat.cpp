#include "core/wavelet/wavelet_mexicanhat.h"

#include <cmath>

void wavelet_mexicanhat::init()
{
    m_c = std::sqrt(6.0f);
    m_lsupp = -5.0f;
    m_rsupp = 5.0f;
    m_strName = "Mexican hat";
}

float wavelet_mexicanhat::evaluate(float t) const
{
    const float x = 0.375f * std::sqrt(kCwtPi) * t;
    const float x2 = x * x;
    return (1.0f - x2) * std::exp(-x2 / 2.0f);
}
