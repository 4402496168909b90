#include "core/wavelet/wavelet_poisson.h"

#include <cmath>

void wavelet_poisson::init()
{
    m_c = 1.0f;
    m_lsupp = -10.0f;
    m_rsupp = 10.0f;
    m_strName = "Poisson";
}

float wavelet_poisson::evaluate(float t) const
{
    const float x = (2.0f / 3.0f) * t;
    const float x2 = x * x;
    return (1.0f - x2) / (kCwtPi * (1.0f + x2));
}
