#include "ProfileSettings.h"

#include "IniFile.h"
#include "core/spectral/NoteNames.h"

#include <algorithm>
#include <cmath>

namespace {

// The placement sections in the order they appear in a profile, with the layout slot each fills.
struct PlacementSection
{
    const char* name;
    int slot;
};

constexpr PlacementSection kPlacementSections[kLayoutSlotCount] = {
    {"MainWindow", 0},         {"UebersichtWindow", 1}, {"FFTWindow", 2},       {"FFT3DWindow", 5},
    {"AnalyseWindow", 3},      {"NotenbildWindow", 6},  {"RekonstruktionsWindow", 4},
    {"SonogrammWindow", 7},    {"WaveletWindow", 8},    {"ZeitreiheWindow", 9},
};

void ExchangePlacement(CIniFile& ini, bool bRead, WindowPlacement& wp, const char* section)
{
    ini.SetSection(section);
    ini.Exchange(bRead, &wp.showCmd, "wp->showCmd");
    ini.Exchange(bRead, &wp.flags, "wp->flags");
    ini.Exchange(bRead, &wp.minX, "wp->ptMinPosition.x");
    ini.Exchange(bRead, &wp.minY, "wp->ptMinPosition.y");
    ini.Exchange(bRead, &wp.maxX, "wp->ptMaxPosition.x");
    ini.Exchange(bRead, &wp.maxY, "wp->ptMaxPosition.y");
    ini.Exchange(bRead, &wp.left, "wp->rcNormalPosition.left");
    ini.Exchange(bRead, &wp.top, "wp->rcNormalPosition.top");
    ini.Exchange(bRead, &wp.right, "wp->rcNormalPosition.right");
    ini.Exchange(bRead, &wp.bottom, "wp->rcNormalPosition.bottom");
    wp.length = 44; // the record's size; never stored
}

} // namespace

int NormaliseFFTSize(int v)
{
    if (v <= 0)
        return 0;
    const int e = static_cast<int>(std::trunc(10.0 * std::log10(static_cast<double>(v)) / std::log10(2.0)));
    if (e % 10 != 0)
        v = static_cast<int>(std::trunc(std::pow(2.0, (e - e % 10) / 10)));
    // Within 2^0.1 (7 %) above a power of two e is a multiple of 10 and v is kept as it was;
    // such a size drops to that power of two as well.
    while ((v & (v - 1)) != 0)
        v &= v - 1;
    if (v < kMinFFTSize)
        return kMinFFTSize;
    if (v > kMaxFFTSize)
        return kMaxFFTSize;
    return v;
}

void ExchangeProfile(CIniFile& ini, bool bRead, ProfileSettings& s)
{
    ini.SetSection("Dokument");
    ini.Exchange(bRead, &s.IniDokumentNumFFTPoints, "IniDokumentNumFFTPoints");
    s.IniDokumentNumFFTPoints = NormaliseFFTSize(s.IniDokumentNumFFTPoints);
    ini.Exchange(bRead, &s.IniDokumentPlayFile, "IniDokumentPlayFile");

    ini.SetSection("Fenster");
    ini.Exchange(bRead, &s.IniFensterFFT, "IniFensterFFT");
    ini.Exchange(bRead, &s.IniFensterFFT3D, "IniFensterFFT3D");
    ini.Exchange(bRead, &s.IniFensterAnalyse, "IniFensterAnalyse");
    ini.Exchange(bRead, &s.IniFensterNotenbild, "IniFensterNotenbild");
    ini.Exchange(bRead, &s.IniFensterReko, "IniFensterReko");
    ini.Exchange(bRead, &s.IniFensterSono, "IniFensterSono");
    ini.Exchange(bRead, &s.IniFensterWavelet, "IniFensterWavelet");
    ini.Exchange(bRead, &s.IniFensterZeitreihe, "IniFensterZeitreihe");

    ini.SetSection("FFT");
    ini.Exchange(bRead, &s.IniFFTBottomCutHz, "IniFFTBottomCutHz");
    ini.Exchange(bRead, &s.IniFFTTopCutkHz, "IniFFTTopCutkHz");
    ini.Exchange(bRead, &s.IniFFTBottomCutAmp, "IniFFTBottomCutAmp");
    ini.Exchange(bRead, &s.IniFFTTopCutAmp, "IniFFTTopCutAmp");
    ini.Exchange(bRead, &s.IniFFTDelay, "IniFFTDelay");
    ini.Exchange(bRead, &s.IniFFTbIsDelay, "IniFFTbIsDelay");
    ini.Exchange(bRead, &s.IniFFTbGrid, "IniFFTbGrid");
    ini.Exchange(bRead, &s.IniFFTMinAbstandMaxima, "IniFFTMinAbstandMaxima");
    ini.Exchange(bRead, &s.IniFFTMinAbstandNachbarMin, "IniFFTMinAbstandNachbarMin");
    ini.Exchange(bRead, &s.IniFFTbIsAmpLinear, "IniFFTbIsAmpLinear");
    ini.Exchange(bRead, &s.IniFFTbIsFreqLinear, "IniFFTbIsFreqLinear");
    ini.Exchange(bRead, &s.IniFFTbDarstellung, "IniFFTbDarstellung");
    ini.Exchange(bRead, &s.IniFFTbIsCrossVisible, "IniFFTbIsCrossVisible");
    ini.Exchange(bRead, &s.IniFFTbIsSpline, "IniFFTbIsSpline");
    ini.Exchange(bRead, &s.IniFFTSplineTyp, "IniFFTSplineTyp");
    ini.Exchange(bRead, &s.IniFFTbIsSumme, "IniFFTbIsSumme");

    ini.SetSection("3DFFT");
    ini.Exchange(bRead, &s.Ini3DFFTSchrittweite, "Ini3DFFTSchrittweite");
    ini.Exchange(bRead, &s.Ini3DFFTclrBackBuffer, "Ini3DFFTclrBackBuffer");
    ini.Exchange(bRead, &s.Ini3DFFTBottomCutHz, "Ini3DFFTBottomCutHz");
    ini.Exchange(bRead, &s.Ini3DFFTTopCutkHz, "Ini3DFFTTopCutkHz");
    ini.Exchange(bRead, &s.Ini3DFFTSizePts, "Ini3DFFTSizePts");
    ini.Exchange(bRead, &s.Ini3DFFTbIsWire, "Ini3DFFTbIsWire");
    ini.Exchange(bRead, &s.Ini3DFFTBreite, "Ini3DFFTBreite");
    ini.Exchange(bRead, &s.Ini3DFFTEpsilon, "Ini3DFFTEpsilon");
    ini.Exchange(bRead, &s.Ini3DFFTTau, "Ini3DFFTTau");
    ini.Exchange(bRead, &s.Ini3DFFTbIsBunt, "Ini3DFFTbIsBunt");
    ini.Exchange(bRead, &s.Ini3DFFTbIsAmpLinear, "Ini3DFFTbIsAmpLinear");
    ini.Exchange(bRead, &s.Ini3DFFTbIsFreqLinear, "Ini3DFFTbIsFreqLinear");

    ini.SetSection("Rekonstruktion");
    ini.Exchange(bRead, &s.IniRekoTau, "IniRekoTau");
    ini.Exchange(bRead, &s.IniRekoclrBackBuffer, "IniRekoclrBackBuffer");
    ini.Exchange(bRead, &s.IniRekoSizePts, "IniRekoSizePts");
    ini.Exchange(bRead, &s.IniRekobIsPunkte, "IniRekobIsPunkte");
    ini.Exchange(bRead, &s.IniRekoNumRekoPoints, "IniRekoNumRekoPoints");
    ini.Exchange(bRead, &s.IniRekobIsBunt, "IniRekobIsBunt");

    ini.SetSection("Sonogramm");
    ini.Exchange(bRead, &s.IniSonoBottomCutHz, "IniSonoBottomCutHz");
    ini.Exchange(bRead, &s.IniSonoLiniendicke, "IniSonoLiniendicke");
    ini.Exchange(bRead, &s.IniSonobIsSmooth, "IniSonobIsSmooth");
    ini.Exchange(bRead, &s.IniSonoTopCutkHz, "IniSonoTopCutkHz");
    ini.Exchange(bRead, &s.IniSonobIsAmpLinear, "IniSonobIsAmpLinear");
    ini.Exchange(bRead, &s.IniSonobIsFreqLinear, "IniSonobIsFreqLinear");
    ini.Exchange(bRead, &s.IniSonobIsFarbig1, "IniSonobIsFarbig1");

    ini.SetSection("Notenbild");
    ini.Exchange(bRead, &s.IniNotenbildIsLinear, "IniNotenbildIsLinear");
    ini.Exchange(bRead, &s.IniNotenbildWhatIs, "IniNotenbildWhatIs");
    ini.Exchange(bRead, &s.IniNotenbildObertonanzahl, "IniNotenbildObertonanzahl");
    if (bRead)
        s.IniNotenbildKammerton = static_cast<int>(kDefaultA4Hz);
    ini.Exchange(bRead, &s.IniNotenbildKammerton, "IniNotenbildKammerton");
    s.IniNotenbildKammerton = std::clamp(s.IniNotenbildKammerton, kMinA4Hz, kMaxA4Hz);

    ini.SetSection("Wavelet");
    ini.Exchange(bRead, &s.IniWaveletWavelet, "IniWaveletWavelet");
    ini.Exchange(bRead, &s.IniWaveletFreqmin, "IniWaveletFreqmin");
    ini.Exchange(bRead, &s.IniWaveletFreqmax, "IniWaveletFreqmax");
    ini.Exchange(bRead, &s.IniWaveletFreqn, "IniWaveletFreqn");
    ini.Exchange(bRead, &s.IniWaveletZeitn, "IniWaveletZeitn");
    ini.Exchange(bRead, &s.IniWaveletadiv, "IniWaveletadiv");

    ini.SetSection("Analyse");
    ini.Exchange(bRead, &s.IniAnalyseDimLya, "IniAnalyseDimLya");
    ini.Exchange(bRead, &s.IniAnalyseTauLya, "IniAnalyseTauLya");
    ini.Exchange(bRead, &s.IniAnalyseNumberOfLya, "IniAnalyseNumberOfLya");
    ini.Exchange(bRead, &s.IniAnalyseIterLya, "IniAnalyseIterLya");
    ini.Exchange(bRead, &s.IniAnalyseNumPointsLya, "IniAnalyseNumPointsLya");
    ini.Exchange(bRead, &s.IniAnalyseMaxDimLya, "IniAnalyseMaxDimLya");
    ini.Exchange(bRead, &s.IniAnalyseRadiusMinLya, "IniAnalyseRadiusMinLya");
    ini.Exchange(bRead, &s.IniAnalyseNumPointsLyaMax, "IniAnalyseNumPointsLyaMax");
    ini.Exchange(bRead, &s.IniAnalyseIterLyaMax, "IniAnalyseIterLyaMax");
    ini.Exchange(bRead, &s.IniAnalyseNumberOfLyaMax, "IniAnalyseNumberOfLyaMax");
    ini.Exchange(bRead, &s.IniAnalyseTauLyaMax, "IniAnalyseTauLyaMax");
    ini.Exchange(bRead, &s.IniAnalyseRadiusMinLyaMax, "IniAnalyseRadiusMinLyaMax");
    ini.Exchange(bRead, &s.IniAnalyseRadiusMaxLyaMax, "IniAnalyseRadiusMaxLyaMax");
    ini.Exchange(bRead, &s.IniAnalyseMinDimDoneMaxLya, "IniAnalyseMinDimDoneMaxLya");
    ini.Exchange(bRead, &s.IniAnalyseMaxDimDoneMaxLya, "IniAnalyseMaxDimDoneMaxLya");
    ini.Exchange(bRead, &s.IniAnalyseReferenzLyaMax, "IniAnalyseReferenzLyaMax");
    ini.Exchange(bRead, &s.IniAnalyseDimKorr, "IniAnalyseDimKorr");
    ini.Exchange(bRead, &s.IniAnalyseNumPointsKorr, "IniAnalyseNumPointsKorr");
    ini.Exchange(bRead, &s.IniAnalyseNumberOfKorr, "IniAnalyseNumberOfKorr");
    ini.Exchange(bRead, &s.IniAnalyseTauKorr, "IniAnalyseTauKorr");
    ini.Exchange(bRead, &s.IniAnalyseRadiusMinKorr, "IniAnalyseRadiusMinKorr");
    ini.Exchange(bRead, &s.IniAnalyseRadiusMaxKorr, "IniAnalyseRadiusMaxKorr");
    ini.Exchange(bRead, &s.IniAnalyseMaxDimKorr, "IniAnalyseMaxDimKorr");
    ini.Exchange(bRead, &s.IniAnalyseIterKorr, "IniAnalyseIterKorr");
    ini.Exchange(bRead, &s.IniAnalyseWhatIs, "IniAnalyseWhatIs");

    for (const PlacementSection& p : kPlacementSections)
        ExchangePlacement(ini, bRead, s.placements[static_cast<std::size_t>(p.slot)], p.name);
}
