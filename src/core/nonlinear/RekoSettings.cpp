#include "core/nonlinear/RekoSettings.h"

#include "core/profiles/IniNumbers.h"
#include "core/profiles/ProfileSettings.h"

#include <algorithm>
#include <cstdint>

Rgb RekoAxisColour(const Rgb& background)
{
    const auto inv = [](std::uint8_t c) { return static_cast<std::uint8_t>(255 - c); };
    return {inv(background.red), inv(background.green), inv(background.blue)};
}

int RekoPunktzahl(int largest, int tau)
{
    return largest <= 2 * tau ? 3 * tau : largest;
}

RekoSettings ClampedRekoSettings(RekoSettings s)
{
    s.nTau = std::clamp(s.nTau, kRekoTauMin, kRekoTauMax);
    s.nNumRekoPoints = std::max(s.nNumRekoPoints, 1);
    s.fSizePts = std::clamp(s.fSizePts, float{kRekoSizeMin}, float{kRekoSizeMax});
    return s;
}

RekoSettings RekoSettingsFromProfile(const ProfileSettings& p)
{
    RekoSettings s;
    if (p.IniRekoTau != 0)
        s.nTau = p.IniRekoTau;
    if (p.IniRekoNumRekoPoints != 0)
        s.nNumRekoPoints = p.IniRekoNumRekoPoints;
    if (p.IniRekoSizePts != 0.0f)
        s.fSizePts = p.IniRekoSizePts;
    s.bIsPunkte = p.IniRekobIsPunkte != 0;
    s.bIsBunt = p.IniRekobIsBunt != 0;
    s.clrBackBuffer = IniRgbFromColour(p.IniRekoclrBackBuffer);
    s = ClampedRekoSettings(s);
    s.fPointSize = s.fSizePts * 0.5f;
    return s;
}

void StoreRekoSettings(const RekoSettings& settings, ProfileSettings& p)
{
    const RekoSettings s = ClampedRekoSettings(settings);
    p.IniRekoTau = s.nTau;
    p.IniRekoNumRekoPoints = s.nNumRekoPoints;
    p.IniRekoSizePts = s.fSizePts;
    p.IniRekobIsPunkte = s.bIsPunkte ? 1 : 0;
    p.IniRekobIsBunt = s.bIsBunt ? 1 : 0;
    p.IniRekoclrBackBuffer = IniColourFromRgb(s.clrBackBuffer);
}
