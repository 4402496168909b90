#include "SonoFrequencyScale.h"

#include <cmath>

SonoFrequencyScale::SonoFrequencyScale(const SonoSettings& settings)
    : m_bLinear(settings.bIsFreqLinear), m_dTop(ClampedSonoSettings(settings).nTopCutkHz * 1000.0),
      m_dBottom(ClampedSonoSettings(settings).nBottomCutHz), m_dInvLogTop(1.0 / std::log(m_dTop)), m_dG0(0.0)
{
    m_dG0 = g(m_dBottom);
}

double SonoFrequencyScale::g(double f) const
{
    return m_bLinear ? f / m_dTop : std::log(f) * m_dInvLogTop;
}

double SonoFrequencyScale::frequencyAt(double r) const
{
    const double e = r * (1.0 - m_dG0) + m_dG0;
    return m_bLinear ? m_dTop * e : std::pow(m_dTop, e);
}

int SonoFrequencyScale::row(double f, int nHeight) const
{
    return static_cast<int>((1.0 - ratio(f)) * nHeight); // truncated toward zero
}
