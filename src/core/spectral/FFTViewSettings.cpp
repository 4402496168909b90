#include "FFTViewSettings.h"

#include "core/profiles/ProfileSettings.h"

#include <algorithm>

FFTViewSettings ClampedFFTViewSettings(FFTViewSettings s)
{
    s.nBottomCutHz = std::clamp(s.nBottomCutHz, 1, 999);
    s.nTopCutkHz = std::clamp(s.nTopCutkHz, 1, 100);
    s.nTopCutAmp = std::clamp(s.nTopCutAmp, -99, 0);
    s.nBottomCutAmp = std::clamp(s.nBottomCutAmp, -99, 0);
    s.nDelay = std::clamp(s.nDelay, 0, 15);
    s.nMinAbstandMaxima = std::clamp(s.nMinAbstandMaxima, 0, 50);
    s.nMinAbstandNachbarMin = std::clamp(s.nMinAbstandNachbarMin, 1, 50);
    if (static_cast<int>(s.style) < 0 || static_cast<int>(s.style) > 2)
        s.style = FFTDrawingStyle::Lines;
    if (static_cast<int>(s.curve) < 0 || static_cast<int>(s.curve) > 3)
        s.curve = FFTCurveType::None;
    return s;
}

FFTViewSettings FFTViewSettingsFromProfile(const ProfileSettings& p)
{
    FFTViewSettings s;
    s.nBottomCutHz = p.IniFFTBottomCutHz;
    s.nTopCutkHz = p.IniFFTTopCutkHz;
    s.nTopCutAmp = p.IniFFTTopCutAmp;
    s.nBottomCutAmp = p.IniFFTBottomCutAmp;
    s.bIsAmpLinear = p.IniFFTbIsAmpLinear != 0;
    s.bIsFreqLinear = p.IniFFTbIsFreqLinear != 0;
    s.style = static_cast<FFTDrawingStyle>(p.IniFFTbDarstellung);
    s.bIsSumme = p.IniFFTbIsSumme != 0;
    s.bIsDelay = p.IniFFTbIsDelay != 0;
    s.nDelay = p.IniFFTDelay;
    s.bGrid = p.IniFFTbGrid != 0;
    s.nMinAbstandMaxima = p.IniFFTMinAbstandMaxima;
    s.nMinAbstandNachbarMin = p.IniFFTMinAbstandNachbarMin;
    s.bIsSpline = p.IniFFTbIsSpline != 0;
    s.curve = static_cast<FFTCurveType>(p.IniFFTSplineTyp);
    s.bIsCrossVisible = p.IniFFTbIsCrossVisible != 0;
    return ClampedFFTViewSettings(s);
}

void StoreFFTViewSettings(const FFTViewSettings& s, ProfileSettings& p)
{
    p.IniFFTBottomCutHz = s.nBottomCutHz;
    p.IniFFTTopCutkHz = s.nTopCutkHz;
    p.IniFFTTopCutAmp = s.nTopCutAmp;
    p.IniFFTBottomCutAmp = s.nBottomCutAmp;
    p.IniFFTbIsAmpLinear = s.bIsAmpLinear ? 1 : 0;
    p.IniFFTbIsFreqLinear = s.bIsFreqLinear ? 1 : 0;
    p.IniFFTbDarstellung = static_cast<int>(s.style);
    p.IniFFTbIsSumme = s.bIsSumme ? 1 : 0;
    p.IniFFTbIsDelay = s.bIsDelay ? 1 : 0;
    p.IniFFTDelay = s.nDelay;
    p.IniFFTbGrid = s.bGrid ? 1 : 0;
    p.IniFFTMinAbstandMaxima = s.nMinAbstandMaxima;
    p.IniFFTMinAbstandNachbarMin = s.nMinAbstandNachbarMin;
    p.IniFFTbIsSpline = s.bIsSpline ? 1 : 0;
    p.IniFFTSplineTyp = static_cast<int>(s.curve);
    p.IniFFTbIsCrossVisible = s.bIsCrossVisible ? 1 : 0;
}
