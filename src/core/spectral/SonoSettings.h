// The sonogram's parameters, one field per profile key, with the standard profile's values as
// defaults, plus the position of the "Zoom" slider (not stored): the colour sensitivity z.
#pragma once

#include <optional>

struct ProfileSettings;

constexpr int kSonoZoomStart = 5;         // where the slider stands when the window opens
constexpr double kSonoUnmovedZoom = 32.0; // z until the slider is first moved

struct SonoSettings
{
    int nBottomCutHz = 20;     // IniSonoBottomCutHz, 1 .. 999 Hz: lowest frequency shown
    int nTopCutkHz = 10;       // IniSonoTopCutkHz, 1 .. 100 kHz: highest frequency shown
    bool bIsAmpLinear = false; // IniSonobIsAmpLinear: linear or logarithmic colour scale
    bool bIsFreqLinear = true; // IniSonobIsFreqLinear: linear or logarithmic frequency axis
    bool bIsFarbig1 = true;    // IniSonobIsFarbig1: "Farbig1" (true) or "Farbig2"
    int nLiniendicke = 2;      // IniSonoLiniendicke, 1 .. 9: width of one column in pixels
    bool bIsSmooth = true;     // IniSonobIsSmooth, "Glättung": interpolate the rows between bins
    // "Zoom" slider position 0 .. 10 once the user has moved it; none before.
    std::optional<int> nZoomPosition;

    friend bool operator==(const SonoSettings&, const SonoSettings&) = default;
};

// z = 4·position + 1 (1 at position 0, 41 at 10); 32 before the slider is first moved.
double SonoZoom(const SonoSettings& settings);

// Every value limited to its control's range (a profile may hold anything).
SonoSettings ClampedSonoSettings(SonoSettings settings);

// From and into the profile's [Sonogramm] keys; reading clamps to the ranges above. The zoom
// is not stored: read settings start with the slider unmoved.
SonoSettings SonoSettingsFromProfile(const ProfileSettings& profile);
void StoreSonoSettings(const SonoSettings& settings, ProfileSettings& profile);
