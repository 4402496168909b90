#include "core/audio/SoundConversion.h"

#include <cmath>
#include <cstdio>

std::size_t ConvertToPcm16(const double* pSrc, std::size_t n, std::int16_t* pDst)
{
    std::size_t nClipped = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double x = pSrc[i];
        if (x > 1.0 || x < -1.0 || std::isnan(x))
            ++nClipped;
        double v = std::isnan(x) ? 0.0 : std::round(x * 32768.0);
        v = v > 32767.0 ? 32767.0 : v < -32768.0 ? -32768.0 : v;
        pDst[i] = static_cast<std::int16_t>(v);
    }
    return nClipped;
}

std::string RateText(std::uint32_t nRate)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%u,%03u", nRate / 1000, nRate % 1000);
    std::string s = buf;
    while (s.back() == '0')
        s.pop_back();
    if (s.back() == ',')
        s.pop_back();
    return s + " kHz";
}

std::string ConversionText(const SoundSourceFormat& source)
{
    std::string s = source.strContainer;
    if (source.nBits > 0)
        s += " " + std::to_string(source.nBits) + "-Bit" + (source.bFloat ? " Float" : "");
    const std::string rate = RateText(source.nRate);
    return s + " " + rate + " \u2192 16-Bit " + rate;
}

std::string ConversionStatusLine(const std::string& strConversion, std::uint64_t nClipped)
{
    if (nClipped == 0)
        return strConversion + ", nicht übersteuert";
    return strConversion + ", " + std::to_string(nClipped) + " Samples übersteuert (begrenzt)";
}
