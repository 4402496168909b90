// The FFT view's parameters, one field per profile key, with the standard profile's values as
// defaults, so the view, its tests and the command-line tool start from the same settings.
#pragma once

struct ProfileSettings;

enum class FFTDrawingStyle { Bars = 0, Lines = 1, Steps = 2 }; // "Balken", "Linien", "Säulen"
enum class FFTCurveType { None = 0, Bezier = 1, Cubic = 2, Beta = 3 };

struct FFTViewSettings
{
    int nBottomCutHz = 20;      // IniFFTBottomCutHz, 1 .. 999 Hz: lowest frequency shown
    int nTopCutkHz = 20;        // IniFFTTopCutkHz, 1 .. 100 kHz: highest frequency shown
    int nTopCutAmp = 0;         // IniFFTTopCutAmp, 0 .. -99 dBr: level at the top of the plot
    int nBottomCutAmp = -96;    // IniFFTBottomCutAmp, 0 .. -99 dBr: level at the baseline
    bool bIsAmpLinear = false;  // IniFFTbIsAmpLinear
    bool bIsFreqLinear = false; // IniFFTbIsFreqLinear
    FFTDrawingStyle style = FFTDrawingStyle::Lines; // IniFFTbDarstellung
    bool bIsSumme = false;      // IniFFTbIsSumme, "Maxima merken"
    bool bIsDelay = true;       // IniFFTbIsDelay, "Delay"
    int nDelay = 2;             // IniFFTDelay, 0 .. 15 pixels per repaint
    bool bGrid = true;          // IniFFTbGrid, "Gitternetz"
    bool bPeaks = false;        // "ermitteln" (not stored in the profile)
    int nMinAbstandMaxima = 10;     // IniFFTMinAbstandMaxima, 0 .. 50 pixels
    int nMinAbstandNachbarMin = 3;  // IniFFTMinAbstandNachbarMin, 1 .. 50 bins
    bool bIsSpline = false;         // IniFFTbIsSpline
    FFTCurveType curve = FFTCurveType::None; // IniFFTSplineTyp
    bool bIsCrossVisible = false;   // IniFFTbIsCrossVisible
};

// Every value limited to its control's range (a profile may hold anything).
FFTViewSettings ClampedFFTViewSettings(FFTViewSettings settings);

// From and into the profile's [FFT] keys; reading clamps to the ranges above.
FFTViewSettings FFTViewSettingsFromProfile(const ProfileSettings& profile);
void StoreFFTViewSettings(const FFTViewSettings& settings, ProfileSettings& profile);
