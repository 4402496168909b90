#include "WaterfallSettings.h"

#include "core/profiles/IniNumbers.h"
#include "core/profiles/ProfileSettings.h"

#include <algorithm>
#include <cmath>

namespace {

int InRange(int value, int low, int high, int fallback)
{
    return value == 0 ? fallback : std::clamp(value, low, high);
}

// A float key that must be positive: the default when it is not (or not a number).
float Positive(float value, float fallback)
{
    return value > 0.0f && std::isfinite(value) ? value : fallback;
}

} // namespace

double WaterfallPrecision(const WaterfallSettings& settings)
{
    return std::clamp(settings.nPraezision, 1, 20) / 100.0;
}

WaterfallSettings ClampedWaterfallSettings(WaterfallSettings s)
{
    const WaterfallSettings d;
    s.nBottomCutHz = InRange(s.nBottomCutHz, 1, 999, d.nBottomCutHz);
    s.nTopCutkHz = InRange(s.nTopCutkHz, 1, 100, d.nTopCutkHz);
    s.nBreite = InRange(s.nBreite, 1, 20, d.nBreite);
    s.nPraezision = InRange(s.nPraezision, 1, 20, d.nPraezision);
    s.fFFTPoints = Positive(s.fFFTPoints, d.fFFTPoints);
    s.fEpsilon = Positive(s.fEpsilon, d.fEpsilon);
    s.nTau = s.nTau > 0 ? s.nTau : d.nTau;
    return s;
}

WaterfallSettings WaterfallSettingsFromProfile(const ProfileSettings& p)
{
    WaterfallSettings s;
    s.nBottomCutHz = p.Ini3DFFTBottomCutHz;
    s.nTopCutkHz = p.Ini3DFFTTopCutkHz;
    s.bIsFreqLinear = p.Ini3DFFTbIsFreqLinear != 0;
    s.bIsAmpLinear = p.Ini3DFFTbIsAmpLinear != 0;
    s.nBreite = p.Ini3DFFTBreite;
    // 0.05 → 5; rounded, since the stored float is not exactly a hundredth.
    const double hundredths = std::isfinite(p.Ini3DFFTSchrittweite) ? p.Ini3DFFTSchrittweite * 100.0 : 0.0;
    s.nPraezision = static_cast<int>(std::lround(std::clamp(hundredths, -1e6, 1e6)));
    s.bIsWire = p.Ini3DFFTbIsWire != 0;
    s.bIsBunt = p.Ini3DFFTbIsBunt != 0;
    s.background = IniRgbFromColour(p.Ini3DFFTclrBackBuffer);
    s.fFFTPoints = p.Ini3DFFTSizePts;
    s.fEpsilon = p.Ini3DFFTEpsilon;
    s.nTau = p.Ini3DFFTTau;
    return ClampedWaterfallSettings(s);
}

void StoreWaterfallSettings(const WaterfallSettings& settings, ProfileSettings& p)
{
    const WaterfallSettings s = ClampedWaterfallSettings(settings);
    p.Ini3DFFTBottomCutHz = s.nBottomCutHz;
    p.Ini3DFFTTopCutkHz = s.nTopCutkHz;
    p.Ini3DFFTbIsFreqLinear = s.bIsFreqLinear ? 1 : 0;
    p.Ini3DFFTbIsAmpLinear = s.bIsAmpLinear ? 1 : 0;
    p.Ini3DFFTBreite = s.nBreite;
    p.Ini3DFFTSchrittweite = static_cast<float>(s.nPraezision / 100.0);
    p.Ini3DFFTbIsWire = s.bIsWire ? 1 : 0;
    p.Ini3DFFTbIsBunt = s.bIsBunt ? 1 : 0;
    p.Ini3DFFTclrBackBuffer = IniColourFromRgb(s.background);
    p.Ini3DFFTSizePts = s.fFFTPoints;
    p.Ini3DFFTEpsilon = s.fEpsilon;
    p.Ini3DFFTTau = s.nTau;
}
