#include "NotenbildSettings.h"

#include "NoteNames.h"
#include "core/profiles/ProfileSettings.h"

#include <algorithm>

NotenbildSettings ClampedNotenbildSettings(NotenbildSettings s)
{
    s.nWhatIs = std::clamp(s.nWhatIs, 0, 2);
    s.nObertonanzahl = std::clamp(s.nObertonanzahl, kMinObertonanzahl, kMaxObertonanzahl);
    s.nKammerton = std::clamp(s.nKammerton, kMinA4Hz, kMaxA4Hz);
    return s;
}

NotenbildSettings NotenbildSettingsFromProfile(const ProfileSettings& p)
{
    NotenbildSettings s;
    s.nWhatIs = p.IniNotenbildWhatIs;
    s.bIsLinear = p.IniNotenbildIsLinear != 0;
    s.nObertonanzahl = p.IniNotenbildObertonanzahl;
    s.nKammerton = p.IniNotenbildKammerton;
    return ClampedNotenbildSettings(s);
}

void StoreNotenbildSettings(const NotenbildSettings& s, ProfileSettings& p)
{
    p.IniNotenbildWhatIs = s.nWhatIs;
    p.IniNotenbildIsLinear = s.bIsLinear ? 1 : 0;
    p.IniNotenbildObertonanzahl = s.nObertonanzahl;
    p.IniNotenbildKammerton = s.nKammerton;
}
