// The parameters of the 3D phase-space reconstruction: one field per profile key of the
// [Rekonstruktion] section, plus the fixed data colour and the point size the renderer uses,
// which are not stored.
#pragma once

#include "core/common/Rgb.h"

struct ProfileSettings;

constexpr int kRekoTauMin = 1, kRekoTauMax = 500;  // "Tau" spin
constexpr int kRekoSizeMin = 1, kRekoSizeMax = 20; // "Punktgröße" spin

struct RekoSettings
{
    int nTau = 5;               // IniRekoTau: delay τ in decimated points
    int nNumRekoPoints = 10000; // IniRekoNumRekoPoints, "Punktzahl": largest number of points
    bool bIsPunkte = true;      // IniRekobIsPunkte: a point cloud (true) or a connected line
    float fSizePts = 1.0f;      // IniRekoSizePts: the "Punktgröße" field, 1 .. 20
    bool bIsBunt = true;        // IniRekobIsBunt: rainbow along the time axis ("Bunt") or "Fest"
    Rgb clrBackBuffer{0, 0, 0}; // IniRekoclrBackBuffer: background
    Rgb clrFixed{255, 0, 0};    // the "Fest" colour, chosen with "Farbwahl"
    // Size of a drawn point in pixels: "Punktgröße" × 0.5, back to 1 when "Punkte" or "Linien"
    // is chosen.
    float fPointSize = 0.5f;

    friend bool operator==(const RekoSettings&, const RekoSettings&) = default;
};

// The axes are drawn in the complement (255 − each channel) of the background.
Rgb RekoAxisColour(const Rgb& background);

// "Punktzahl" typed: a largest number of points at most 2τ becomes 3τ, otherwise it stays.
int RekoPunktzahl(int largest, int tau);

// τ and the point size limited to their spins, the number of points to at least 1.
RekoSettings ClampedRekoSettings(RekoSettings settings);

// From and into the profile. A profile without the section reads as zeros; a τ, number of
// points or point size of 0 is taken as absent and gives the default above, other values are
// limited to the spins' ranges. The point size drawn starts as "Punktgröße" × 0.5.
RekoSettings RekoSettingsFromProfile(const ProfileSettings& profile);
void StoreRekoSettings(const RekoSettings& settings, ProfileSettings& profile);
