#include "core/wavelet/wavelet_spinning.h"

#include "core/wavelet/CwtError.h"
#include "core/wavelet/CwtText.h"
#include "core/wavelet/WaveletArguments.h"

#include <cmath>
#include <complex>

void wavelet_spinning::init()
{
    m_c = 1.0f;
    m_lsupp = -20.0f;
    m_rsupp = 20.0f;
    m_strName = "Spinning";
    m_fMu1 = 0.0f;
    m_fMu2 = 0.25f;
    m_fA = kCwtTwoPi / std::sqrt(m_fMu2);
}

void wavelet_spinning::parse(const char* rest)
{
    const WaveletArguments args = parseWaveletArguments(rest);
    if (args.none)
        throw CwtError("Two arguments required for spinning wavelet.\n");
    const std::string malformed =
        cwtFormat("Spinning wavelet requires two arguments but not <%s>\n", args.text.c_str());
    if (!args.wellFormed || args.values.size() != 2)
        throw CwtError(malformed);
    const float mu1 = static_cast<float>(args.values[0]);
    const float mu2 = static_cast<float>(args.values[1]);
    if (!(mu2 >= 0.25f))
        throw CwtError(cwtFormat(
            "To get an admissible wavelet it must hold mu2 >= 1/4, but for mu2=%f this does not hold.\n",
            static_cast<double>(mu2)));
    diagnose(cwtFormat("Spinning: mu1 %g, mu2 %g\n", static_cast<double>(mu1), static_cast<double>(mu2)));

    const float a = kCwtTwoPi / std::sqrt(mu2);
    const float R = -0.5f - std::sqrt(mu2);
    const float K = std::log(20.0f) - (mu1 * std::atan(mu1) + 0.5f * R * std::log(1.0f + mu1 * mu1));
    float lsupp = 0.0f;
    float rsupp = 0.0f;
    if (mu1 > 0.0f) {
        lsupp = -std::exp(-K / R) / a;
        rsupp = std::exp(-(K + mu1) / R) / a;
    } else {
        lsupp = -std::exp(-(K - mu1) / R) / a;
        rsupp = std::exp(-K / R) / a;
    }
    if (!std::isfinite(lsupp) || !std::isfinite(rsupp) || !(rsupp > lsupp))
        throw CwtError(malformed);
    m_fMu1 = mu1;
    m_fMu2 = mu2;
    m_fA = a;
    m_lsupp = lsupp;
    m_rsupp = rsupp;
    diagnose(cwtFormat("Spinning: lsupp %g, rsupp %g\n", static_cast<double>(m_lsupp), static_cast<double>(m_rsupp)));
}

float wavelet_spinning::evaluate(float t) const
{
    const std::complex<float> exponent(-0.5f - std::sqrt(m_fMu2), m_fMu1);
    const std::complex<float> value = std::pow(std::complex<float>(1.0f, -m_fA * t), exponent);
    return m_nPart == 0 ? value.real() : value.imag();
}
