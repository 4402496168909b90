#include "core/wavelet/wavelet_morlet.h"

#include "core/wavelet/CwtError.h"
#include "core/wavelet/CwtText.h"
#include "core/wavelet/WaveletArguments.h"

#include <cmath>

void wavelet_morlet::init()
{
    m_c = std::sqrt(kCwtPi);
    m_strName = "Morlet";
    setScale(1.0f);
}

void wavelet_morlet::setScale(float s)
{
    m_fScale = s;
    m_rsupp = kCwtTwoPi * s;
    m_lsupp = -m_rsupp;
}

void wavelet_morlet::parse(const char* rest)
{
    const WaveletArguments args = parseWaveletArguments(rest);
    if (args.none)
        return;
    const float s = args.values.size() == 1 ? static_cast<float>(args.values[0]) : 0.0f;
    if (!args.wellFormed || args.values.size() != 1 || !(s > 0.0f) || !std::isfinite(kCwtTwoPi * s))
        throw CwtError(cwtFormat("Morlet wavelet accepts only one float argument for frequency, but not <%s>\n",
                                 args.text.c_str()));
    setScale(s);
}

float wavelet_morlet::evaluate(float t) const
{
    const float q = t / m_fScale;
    const float envelope = std::exp(-(q * q) / 2.0f);
    return m_nPart == 0 ? envelope * std::cos(kCwtTwoPi * t) : envelope * std::sin(kCwtTwoPi * t);
}
