// Every setting a profile file carries, one field per key (named after the key), with the
// types the file uses. All settings start at 0 and all texts empty, apart from the reference
// pitch (440 Hz); the profile files supplied with the program define every key.
#pragma once

#include "WindowPlacement.h"

#include <array>
#include <string>

class CIniFile;

struct ProfileSettings
{
    // [Dokument]
    int IniDokumentNumFFTPoints = 0;
    std::string IniDokumentPlayFile;
    // [Fenster] module windows open (0/1)
    int IniFensterFFT = 0, IniFensterFFT3D = 0, IniFensterAnalyse = 0, IniFensterNotenbild = 0,
        IniFensterReko = 0, IniFensterSono = 0, IniFensterWavelet = 0, IniFensterZeitreihe = 0;
    // [FFT]
    int IniFFTBottomCutHz = 0, IniFFTTopCutkHz = 0, IniFFTBottomCutAmp = 0, IniFFTTopCutAmp = 0, IniFFTDelay = 0,
        IniFFTbIsDelay = 0, IniFFTbGrid = 0, IniFFTMinAbstandMaxima = 0, IniFFTMinAbstandNachbarMin = 0,
        IniFFTbIsAmpLinear = 0, IniFFTbIsFreqLinear = 0, IniFFTbDarstellung = 0, IniFFTbIsCrossVisible = 0,
        IniFFTbIsSpline = 0, IniFFTSplineTyp = 0, IniFFTbIsSumme = 0;
    // [3DFFT]
    float Ini3DFFTSchrittweite = 0.0f;
    int Ini3DFFTclrBackBuffer = 0; // colour
    int Ini3DFFTBottomCutHz = 0, Ini3DFFTTopCutkHz = 0;
    float Ini3DFFTSizePts = 0.0f;
    int Ini3DFFTbIsWire = 0, Ini3DFFTBreite = 0;
    float Ini3DFFTEpsilon = 0.0f;
    int Ini3DFFTTau = 0, Ini3DFFTbIsBunt = 0, Ini3DFFTbIsAmpLinear = 0, Ini3DFFTbIsFreqLinear = 0;
    // [Rekonstruktion]
    int IniRekoTau = 0;
    int IniRekoclrBackBuffer = 0; // colour
    float IniRekoSizePts = 0.0f;
    int IniRekobIsPunkte = 0, IniRekoNumRekoPoints = 0, IniRekobIsBunt = 0;
    // [Sonogramm]
    int IniSonoBottomCutHz = 0, IniSonoLiniendicke = 0, IniSonobIsSmooth = 0, IniSonoTopCutkHz = 0,
        IniSonobIsAmpLinear = 0, IniSonobIsFreqLinear = 0, IniSonobIsFarbig1 = 0;
    // [Notenbild]
    int IniNotenbildIsLinear = 0, IniNotenbildWhatIs = 0, IniNotenbildObertonanzahl = 0;
    // Reference pitch a' in whole Hz for every note name, 415 … 466: 440 where a profile lacks
    // the key (it came after the first profiles), an outside value held at the nearer end.
    int IniNotenbildKammerton = 440;
    // [Wavelet]
    std::string IniWaveletWavelet;
    float IniWaveletFreqmin = 0.0f, IniWaveletFreqmax = 0.0f; // stored as scales in seconds: 1 / frequency
    int IniWaveletFreqn = 0, IniWaveletZeitn = 0, IniWaveletadiv = 0;
    // [Analyse]
    int IniAnalyseDimLya = 0, IniAnalyseTauLya = 0, IniAnalyseNumberOfLya = 0, IniAnalyseIterLya = 0,
        IniAnalyseNumPointsLya = 0, IniAnalyseMaxDimLya = 0;
    double IniAnalyseRadiusMinLya = 0.0;
    int IniAnalyseNumPointsLyaMax = 0, IniAnalyseIterLyaMax = 0, IniAnalyseNumberOfLyaMax = 0,
        IniAnalyseTauLyaMax = 0;
    double IniAnalyseRadiusMinLyaMax = 0.0, IniAnalyseRadiusMaxLyaMax = 0.0;
    int IniAnalyseMinDimDoneMaxLya = 0, IniAnalyseMaxDimDoneMaxLya = 0, IniAnalyseReferenzLyaMax = 0,
        IniAnalyseDimKorr = 0, IniAnalyseNumPointsKorr = 0, IniAnalyseNumberOfKorr = 0, IniAnalyseTauKorr = 0;
    double IniAnalyseRadiusMinKorr = 0.0, IniAnalyseRadiusMaxKorr = 0.0;
    int IniAnalyseMaxDimKorr = 0, IniAnalyseIterKorr = 0, IniAnalyseWhatIs = 0;
    // The ten layout slots: 0 main window (pixels, screen), 1 waveform window, 2..9 module
    // windows (normal rectangle in percent of the main window's usable client area).
    std::array<WindowPlacement, kLayoutSlotCount> placements{};

    friend bool operator==(const ProfileSettings&, const ProfileSettings&) = default;
};

// Reads (bRead) or writes every key above, section by section in the file's order, then the
// ten placement sections. Reading uses each setting's current value as the default, so absent
// keys leave settings unchanged, except the reference pitch: absent, it reads as 440. The FFT
// size is normalised and the reference pitch held within its range after they are exchanged.
void ExchangeProfile(CIniFile& ini, bool bRead, ProfileSettings& settings);

// The FFT sizes the program offers.
constexpr int kMinFFTSize = 256;
constexpr int kMaxFFTSize = 32768;

// A size that is not a power of two drops to the next lower one: 1000 -> 512, 3000 -> 2048;
// e = trunc(10·log10(v)/log10(2)); if e mod 10 != 0: v = trunc(2^((e − e mod 10)/10)).
// Sizes up to 7 % above a power of two, which that rule keeps, drop to it as well (1050 -> 1024).
// The result is then held within kMinFFTSize..kMaxFFTSize (100 -> 256, 65536 -> 32768).
// 0 and negative values give 0: the setting then holds no size yet, as before any document.
int NormaliseFFTSize(int v);
