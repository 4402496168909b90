// The 3D waterfall's parameters, one field per control of its bar, with the standard profile's
// values as defaults; read from and stored into the profile's [3DFFT] keys.
#pragma once

#include "core/common/Rgb.h"

struct ProfileSettings;

struct WaterfallSettings
{
    int nBottomCutHz = 20;       // Ini3DFFTBottomCutHz, 1 .. 999 Hz: lowest frequency of a row
    int nTopCutkHz = 10;         // Ini3DFFTTopCutkHz, 1 .. 100 kHz: highest frequency of a row
    bool bIsFreqLinear = false;  // Ini3DFFTbIsFreqLinear
    bool bIsAmpLinear = false;   // Ini3DFFTbIsAmpLinear: height 60·m/F (linear) or 4·ln(m+1)/ln F
    int nBreite = 10;            // Ini3DFFTBreite, 1 .. 20: a row spans x = −Breite … +Breite
    // "Präzision" 1 .. 20: a vertex is taken when its x exceeds the previous one by more than
    // Präzision/100. Kept in Ini3DFFTSchrittweite as Präzision/100 (0.01 … 0.20).
    int nPraezision = 5;
    bool bIsWire = false;        // Ini3DFFTbIsWire: "Gitter" (true) or "Flächen"
    bool bIsBunt = true;         // Ini3DFFTbIsBunt: colour by height ("Bunt") or "Fest"
    Rgb dataColour{255, 0, 0};   // "Daten": the fixed colour (not stored; red when the view opens)
    Rgb background{0, 0, 0};     // Ini3DFFTclrBackBuffer, "Hintergund"
    // Kept in the profile with the view; the waterfall itself does not use them.
    float fFFTPoints = 2048.0f;  // Ini3DFFTSizePts
    float fEpsilon = 0.01f;      // Ini3DFFTEpsilon
    int nTau = 1;                // Ini3DFFTTau

    friend bool operator==(const WaterfallSettings&, const WaterfallSettings&) = default;
};

// p = Präzision/100, the least x distance between two vertices of a row.
double WaterfallPrecision(const WaterfallSettings& settings);

// Every value limited to its control's range; a 0 where the range starts at 1 (a key the profile
// lacks) becomes the default instead.
WaterfallSettings ClampedWaterfallSettings(WaterfallSettings settings);

WaterfallSettings WaterfallSettingsFromProfile(const ProfileSettings& profile);
void StoreWaterfallSettings(const WaterfallSettings& settings, ProfileSettings& profile);
