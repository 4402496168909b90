#include "FFTPlotMapping.h"

#include <algorithm>
#include <cmath>
#include <limits>

int TruncToPixel(double value)
{
    if (std::isnan(value))
        return 0;
    constexpr double kLimit = 1073741824.0; // 2^30
    return static_cast<int>(std::trunc(std::clamp(value, -kLimit, kLimit)));
}

double LevelDbr(double amplitude, double fullScale)
{
    if (!(amplitude > 0.0))
        return -std::numeric_limits<double>::infinity();
    return 20.0 * std::log10(amplitude / fullScale);
}

FFTPlotMapping::FFTPlotMapping(const FFTViewSettings& settings, int nWidth, int nHeight, int nBitsPerSample)
    : m_nWidth(nWidth),
      m_nHeight(nHeight),
      m_bFreqLinear(settings.bIsFreqLinear),
      m_bAmpLinear(settings.bIsAmpLinear),
      m_dTop(settings.nTopCutkHz * 1000.0),
      m_dBottom(settings.nBottomCutHz),
      m_dG0(0.0),
      m_dFullScale(std::ldexp(1.0, std::clamp(nBitsPerSample, 1, 64))),
      m_dAmpTop(m_dFullScale * std::pow(10.0, settings.nTopCutAmp / 20.0)),
      m_dAmpBottom(m_dFullScale * std::pow(10.0, settings.nBottomCutAmp / 20.0))
{
    m_dG0 = g(m_dBottom);
}

double FFTPlotMapping::g(double f) const
{
    return m_bFreqLinear ? f / m_dTop : std::log(f) / std::log(m_dTop);
}

double FFTPlotMapping::frequencyRatio(double f) const
{
    return FrequencyRatio(f, m_dBottom, m_dTop, m_bFreqLinear);
}

double FrequencyRatio(double f, double bottom, double top, bool bLinear)
{
    const auto g = [&](double v) { return bLinear ? v / top : std::log(v) / std::log(top); };
    const double g0 = g(bottom);
    return (g(f) - g0) / (1.0 - g0);
}

int FFTPlotMapping::frequencyToX(double f) const
{
    return TruncToPixel(kPlotLeft + frequencyRatio(f) * (m_nWidth - kPlotLeft));
}

double FFTPlotMapping::xToFrequency(double x) const
{
    const double r = (x - kPlotLeft) / (m_nWidth - kPlotLeft);
    const double e = r * (1.0 - m_dG0) + m_dG0;
    return m_bFreqLinear ? m_dTop * e : std::pow(m_dTop, e);
}

int FFTPlotMapping::magnitudeToY(double magnitude) const
{
    const double v = magnitude + 1.0;
    const double base = baseline();
    const double span = m_nHeight - 45.0; // from the baseline up to y = 25
    double y = base;
    if (m_bAmpLinear) {
        y = base - (v - m_dAmpBottom) * span / (m_dAmpTop - m_dAmpBottom);
    } else if (v > 1.0) {
        y = base - (std::log10(v) - std::log10(m_dAmpBottom)) * span /
                       (std::log10(m_dAmpTop) - std::log10(m_dAmpBottom));
    }
    if (std::isnan(y))
        y = base;
    return std::min(TruncToPixel(y), baseline());
}

double FFTPlotMapping::yToMagnitude(double y) const
{
    const double q = (baseline() - y) / (m_nHeight - 45.0); // 0 at the baseline, 1 at the top cut
    double v = 0.0;
    if (m_bAmpLinear)
        v = m_dAmpBottom + q * (m_dAmpTop - m_dAmpBottom);
    else
        v = std::pow(10.0, std::log10(m_dAmpBottom) + q * (std::log10(m_dAmpTop) - std::log10(m_dAmpBottom)));
    return v - 1.0;
}

double FFTPlotMapping::yToLevel(double y) const
{
    return LevelDbr(yToMagnitude(y), m_dFullScale);
}
