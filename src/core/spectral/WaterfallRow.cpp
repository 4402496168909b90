#include "WaterfallRow.h"

#include "FFTPlotMapping.h"

#include <algorithm>
#include <cmath>

namespace {

double FullScale(int nBitsPerSample)
{
    return std::ldexp(1.0, std::clamp(nBitsPerSample, 1, 62));
}

} // namespace

double WaterfallHeight(double magnitude, bool bAmpLinear, int nBitsPerSample)
{
    const double F = FullScale(nBitsPerSample);
    const double m = std::isfinite(magnitude) ? std::trunc(std::max(magnitude, 0.0)) : 0.0;
    return bAmpLinear ? 60.0 * m / F : 4.0 * std::log(m + 1.0) / std::log(F);
}

double WaterfallColourTop(bool bAmpLinear, int nBitsPerSample)
{
    return WaterfallHeight(FullScale(nBitsPerSample) / 4.0, bAmpLinear, nBitsPerSample);
}

void MakeWaterfallRow(const WaterfallSettings& settings, const WaterfallSpectrum& spectrum, WaterfallRow& row)
{
    const WaterfallSettings s = ClampedWaterfallSettings(settings);
    const double B = s.nBreite;
    const double p = WaterfallPrecision(s);
    const double bottom = s.nBottomCutHz;
    const double top = s.nTopCutkHz * 1000.0;
    const double colourTop = WaterfallColourTop(s.bIsAmpLinear, spectrum.nBitsPerSample);
    const auto point = [&](double x, double h) {
        return WaterfallPoint{static_cast<float>(x), static_cast<float>(h), static_cast<float>(h / colourTop)};
    };

    row.clear();
    row.push_back(point(-B, 0.0));
    double lastX = -B;
    const int half = std::max(spectrum.nFFTSize, 0) / 2;
    const double binHz = spectrum.nFFTSize > 0 ? static_cast<double>(spectrum.nSampleRate) / spectrum.nFFTSize : 0.0;
    for (int i = 0; i < half; ++i) {
        const double f = i * binHz;
        if (f <= bottom)
            continue;
        const double r = FrequencyRatio(f, bottom, top, s.bIsFreqLinear);
        if (r > 1.0)
            break; // the ratio grows with f: no later bin lies inside the cut
        const double x = 2.0 * B * r - B;
        if (!(x > lastX + p))
            continue;
        const auto k = static_cast<std::size_t>(i);
        const double m = k < spectrum.magnitudes.size() ? spectrum.magnitudes[k] : 0.0;
        row.push_back(point(x, WaterfallHeight(m, s.bIsAmpLinear, spectrum.nBitsPerSample)));
        lastX = x;
    }
    row.push_back(point(B, 0.0));
}
