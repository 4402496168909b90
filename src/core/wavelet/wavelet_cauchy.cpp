#include "core/wavelet/wavelet_cauchy.h"

#include "core/wavelet/CwtError.h"
#include "core/wavelet/CwtText.h"
#include "core/wavelet/WaveletArguments.h"

#include <cmath>
#include <complex>

namespace {

float cauchyA(float order)
{
    return 4.0f * kCwtPi / (2.0f * order + 1.0f);
}

} // namespace

void wavelet_cauchy::init()
{
    m_c = 1.0f;
    m_lsupp = -5.0f;
    m_rsupp = 5.0f;
    m_strName = "Cauchy";
    m_fOrder = 1.0f;
    m_fA = cauchyA(m_fOrder);
}

void wavelet_cauchy::parse(const char* rest)
{
    const WaveletArguments args = parseWaveletArguments(rest);
    if (args.none)
        return;
    const float order = args.values.size() == 1 ? static_cast<float>(args.values[0]) : 0.0f;
    const float a = cauchyA(order);
    const float rsupp = std::pow(20.0f, 1.0f / order) / a;
    if (!args.wellFormed || args.values.size() != 1 || !(order > 0.0f) || !std::isfinite(rsupp) ||
        !(rsupp > 0.0f))
        throw CwtError(cwtFormat(
            "Cauchy wavelet accepts only one non-negative argument for the order, but not <%s>\n",
            args.text.c_str()));
    m_fOrder = order;
    m_fA = a;
    m_c = 1.0f / kCwtTwoPi;
    m_rsupp = rsupp;
    m_lsupp = -rsupp;
    diagnose(cwtFormat("Cauchy: lsupp %g, rsupp %g\n", static_cast<double>(m_lsupp), static_cast<double>(m_rsupp)));
}

float wavelet_cauchy::evaluate(float t) const
{
    const std::complex<float> value = std::pow(std::complex<float>(1.0f, -m_fA * t), -m_fOrder - 1.0f);
    return m_nPart == 0 ? value.real() : value.imag();
}
