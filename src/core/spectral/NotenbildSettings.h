// The note image's parameters, one field per profile key, with the standard profile's values as
// defaults, so the view and its tests start from the same settings.
#pragma once

struct ProfileSettings;

struct NotenbildSettings
{
    int nWhatIs = 0;        // IniNotenbildWhatIs, 0 .. 2: overtone spectrum, staff, detected notes
    bool bIsLinear = true;  // IniNotenbildIsLinear: spacing of the overtone spectrum
    int nObertonanzahl = 8; // IniNotenbildObertonanzahl, 3 .. 40: partials shown and played
    int nKammerton = 440;   // IniNotenbildKammerton, 415 .. 466: a' in Hz for the note names
    friend bool operator==(const NotenbildSettings&, const NotenbildSettings&) = default;
};

constexpr int kMinObertonanzahl = 3;
constexpr int kMaxObertonanzahl = 40;

// Every value limited to its control's range (a profile may hold anything).
NotenbildSettings ClampedNotenbildSettings(NotenbildSettings settings);

// From and into the profile's [Notenbild] keys; reading clamps to the ranges above.
NotenbildSettings NotenbildSettingsFromProfile(const ProfileSettings& profile);
void StoreNotenbildSettings(const NotenbildSettings& settings, ProfileSettings& profile);
