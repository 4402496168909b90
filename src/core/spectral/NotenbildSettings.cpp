#include "NotenbildSettings.h"

#include "core/profiles/ProfileSettings.h"

#include <algorithm>

NotenbildSettings ClampedNotenbildSettings(NotenbildSettings s)
{
    s.nWhatIs = std::clamp(s.nWhatIs, 0, 2);
    s.nObertonanzahl = std::clamp(s.nObertonanzahl, kMinObertonanzahl, kMaxObertonanzahl);
    return s;
}

NotenbildSettings NotenbildSettingsFromProfile(const ProfileSettings& p)
{
    NotenbildSettings s;
    s.nWhatIs = p.IniNotenbildWhatIs;
    s.bIsLinear = p.IniNotenbildIsLinear != 0;
    s.nObertonanzahl = p.IniNotenbildObertonanzahl;
    return ClampedNotenbildSettings(s);
}

void StoreNotenbildSettings(const NotenbildSettings& s, ProfileSettings& p)
{
    p.IniNotenbildWhatIs = s.nWhatIs;
    p.IniNotenbildIsLinear = s.bIsLinear ? 1 : 0;
    p.IniNotenbildObertonanzahl = s.nObertonanzahl;
}
