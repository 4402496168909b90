#include "core/wavelet/wavelet_haar.h"

#include <cmath>

void wavelet_haar::init()
{
    m_c = std::sqrt(2.0f);
    m_lsupp = -0.5f;
    m_rsupp = 0.5f;
    m_strName = "Haar";
}

float wavelet_haar::evaluate(float t) const
{
    return t >= 0.0f ? 1.0f : -1.0f;
}
