#include "SonoSettings.h"

#include "core/profiles/ProfileSettings.h"

#include <algorithm>

double SonoZoom(const SonoSettings& s)
{
    return s.nZoomPosition ? 4.0 * *s.nZoomPosition + 1.0 : kSonoUnmovedZoom;
}

SonoSettings ClampedSonoSettings(SonoSettings s)
{
    s.nBottomCutHz = std::clamp(s.nBottomCutHz, 1, 999);
    s.nTopCutkHz = std::clamp(s.nTopCutkHz, 1, 100);
    s.nLiniendicke = std::clamp(s.nLiniendicke, 1, 9);
    if (s.nZoomPosition)
        s.nZoomPosition = std::clamp(*s.nZoomPosition, 0, 10);
    return s;
}

SonoSettings SonoSettingsFromProfile(const ProfileSettings& p)
{
    SonoSettings s;
    s.nBottomCutHz = p.IniSonoBottomCutHz;
    s.nTopCutkHz = p.IniSonoTopCutkHz;
    s.bIsAmpLinear = p.IniSonobIsAmpLinear != 0;
    s.bIsFreqLinear = p.IniSonobIsFreqLinear != 0;
    s.bIsFarbig1 = p.IniSonobIsFarbig1 != 0;
    s.nLiniendicke = p.IniSonoLiniendicke;
    s.bIsSmooth = p.IniSonobIsSmooth != 0;
    return ClampedSonoSettings(s);
}

void StoreSonoSettings(const SonoSettings& settings, ProfileSettings& p)
{
    const SonoSettings s = ClampedSonoSettings(settings);
    p.IniSonoBottomCutHz = s.nBottomCutHz;
    p.IniSonoTopCutkHz = s.nTopCutkHz;
    p.IniSonobIsAmpLinear = s.bIsAmpLinear ? 1 : 0;
    p.IniSonobIsFreqLinear = s.bIsFreqLinear ? 1 : 0;
    p.IniSonobIsFarbig1 = s.bIsFarbig1 ? 1 : 0;
    p.IniSonoLiniendicke = s.nLiniendicke;
    p.IniSonobIsSmooth = s.bIsSmooth ? 1 : 0;
}
