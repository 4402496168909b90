#include "core/wavelet/wavelet_sinus.h"

#include <cmath>

void wavelet_sinus::init()
{
    m_c = 1.0f;
    m_lsupp = -0.5f;
    m_rsupp = 0.5f;
    m_strName = "Sinus";
}

float wavelet_sinus::evaluate(float t) const
{
    return std::sin(kCwtTwoPi * t);
}
