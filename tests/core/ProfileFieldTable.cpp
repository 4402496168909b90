#include "ProfileFieldTable.h"

#include <array>

namespace {

using S = ProfileSettings;

} // namespace

const std::vector<ProfileField>& ProfileFields()
{
    static const std::vector<ProfileField> fields = {
        {"Dokument", "IniDokumentNumFFTPoints", &S::IniDokumentNumFFTPoints},
        {"Dokument", "IniDokumentPlayFile", &S::IniDokumentPlayFile},
        {"Fenster", "IniFensterFFT", &S::IniFensterFFT},
        {"Fenster", "IniFensterFFT3D", &S::IniFensterFFT3D},
        {"Fenster", "IniFensterAnalyse", &S::IniFensterAnalyse},
        {"Fenster", "IniFensterNotenbild", &S::IniFensterNotenbild},
        {"Fenster", "IniFensterReko", &S::IniFensterReko},
        {"Fenster", "IniFensterSono", &S::IniFensterSono},
        {"Fenster", "IniFensterWavelet", &S::IniFensterWavelet},
        {"Fenster", "IniFensterZeitreihe", &S::IniFensterZeitreihe},
        {"FFT", "IniFFTBottomCutHz", &S::IniFFTBottomCutHz},
        {"FFT", "IniFFTTopCutkHz", &S::IniFFTTopCutkHz},
        {"FFT", "IniFFTBottomCutAmp", &S::IniFFTBottomCutAmp},
        {"FFT", "IniFFTTopCutAmp", &S::IniFFTTopCutAmp},
        {"FFT", "IniFFTDelay", &S::IniFFTDelay},
        {"FFT", "IniFFTbIsDelay", &S::IniFFTbIsDelay},
        {"FFT", "IniFFTbGrid", &S::IniFFTbGrid},
        {"FFT", "IniFFTMinAbstandMaxima", &S::IniFFTMinAbstandMaxima},
        {"FFT", "IniFFTMinAbstandNachbarMin", &S::IniFFTMinAbstandNachbarMin},
        {"FFT", "IniFFTbIsAmpLinear", &S::IniFFTbIsAmpLinear},
        {"FFT", "IniFFTbIsFreqLinear", &S::IniFFTbIsFreqLinear},
        {"FFT", "IniFFTbDarstellung", &S::IniFFTbDarstellung},
        {"FFT", "IniFFTbIsCrossVisible", &S::IniFFTbIsCrossVisible},
        {"FFT", "IniFFTbIsSpline", &S::IniFFTbIsSpline},
        {"FFT", "IniFFTSplineTyp", &S::IniFFTSplineTyp},
        {"FFT", "IniFFTbIsSumme", &S::IniFFTbIsSumme},
        {"3DFFT", "Ini3DFFTSchrittweite", &S::Ini3DFFTSchrittweite},
        {"3DFFT", "Ini3DFFTclrBackBuffer", &S::Ini3DFFTclrBackBuffer},
        {"3DFFT", "Ini3DFFTBottomCutHz", &S::Ini3DFFTBottomCutHz},
        {"3DFFT", "Ini3DFFTTopCutkHz", &S::Ini3DFFTTopCutkHz},
        {"3DFFT", "Ini3DFFTSizePts", &S::Ini3DFFTSizePts},
        {"3DFFT", "Ini3DFFTbIsWire", &S::Ini3DFFTbIsWire},
        {"3DFFT", "Ini3DFFTBreite", &S::Ini3DFFTBreite},
        {"3DFFT", "Ini3DFFTEpsilon", &S::Ini3DFFTEpsilon},
        {"3DFFT", "Ini3DFFTTau", &S::Ini3DFFTTau},
        {"3DFFT", "Ini3DFFTbIsBunt", &S::Ini3DFFTbIsBunt},
        {"3DFFT", "Ini3DFFTbIsAmpLinear", &S::Ini3DFFTbIsAmpLinear},
        {"3DFFT", "Ini3DFFTbIsFreqLinear", &S::Ini3DFFTbIsFreqLinear},
        {"Rekonstruktion", "IniRekoTau", &S::IniRekoTau},
        {"Rekonstruktion", "IniRekoclrBackBuffer", &S::IniRekoclrBackBuffer},
        {"Rekonstruktion", "IniRekoSizePts", &S::IniRekoSizePts},
        {"Rekonstruktion", "IniRekobIsPunkte", &S::IniRekobIsPunkte},
        {"Rekonstruktion", "IniRekoNumRekoPoints", &S::IniRekoNumRekoPoints},
        {"Rekonstruktion", "IniRekobIsBunt", &S::IniRekobIsBunt},
        {"Sonogramm", "IniSonoBottomCutHz", &S::IniSonoBottomCutHz},
        {"Sonogramm", "IniSonoLiniendicke", &S::IniSonoLiniendicke},
        {"Sonogramm", "IniSonobIsSmooth", &S::IniSonobIsSmooth},
        {"Sonogramm", "IniSonoTopCutkHz", &S::IniSonoTopCutkHz},
        {"Sonogramm", "IniSonobIsAmpLinear", &S::IniSonobIsAmpLinear},
        {"Sonogramm", "IniSonobIsFreqLinear", &S::IniSonobIsFreqLinear},
        {"Sonogramm", "IniSonobIsFarbig1", &S::IniSonobIsFarbig1},
        {"Notenbild", "IniNotenbildIsLinear", &S::IniNotenbildIsLinear},
        {"Notenbild", "IniNotenbildWhatIs", &S::IniNotenbildWhatIs},
        {"Notenbild", "IniNotenbildObertonanzahl", &S::IniNotenbildObertonanzahl},
        {"Wavelet", "IniWaveletWavelet", &S::IniWaveletWavelet},
        {"Wavelet", "IniWaveletFreqmin", &S::IniWaveletFreqmin},
        {"Wavelet", "IniWaveletFreqmax", &S::IniWaveletFreqmax},
        {"Wavelet", "IniWaveletFreqn", &S::IniWaveletFreqn},
        {"Wavelet", "IniWaveletZeitn", &S::IniWaveletZeitn},
        {"Wavelet", "IniWaveletadiv", &S::IniWaveletadiv},
        {"Analyse", "IniAnalyseDimLya", &S::IniAnalyseDimLya},
        {"Analyse", "IniAnalyseTauLya", &S::IniAnalyseTauLya},
        {"Analyse", "IniAnalyseNumberOfLya", &S::IniAnalyseNumberOfLya},
        {"Analyse", "IniAnalyseIterLya", &S::IniAnalyseIterLya},
        {"Analyse", "IniAnalyseNumPointsLya", &S::IniAnalyseNumPointsLya},
        {"Analyse", "IniAnalyseMaxDimLya", &S::IniAnalyseMaxDimLya},
        {"Analyse", "IniAnalyseRadiusMinLya", &S::IniAnalyseRadiusMinLya},
        {"Analyse", "IniAnalyseNumPointsLyaMax", &S::IniAnalyseNumPointsLyaMax},
        {"Analyse", "IniAnalyseIterLyaMax", &S::IniAnalyseIterLyaMax},
        {"Analyse", "IniAnalyseNumberOfLyaMax", &S::IniAnalyseNumberOfLyaMax},
        {"Analyse", "IniAnalyseTauLyaMax", &S::IniAnalyseTauLyaMax},
        {"Analyse", "IniAnalyseRadiusMinLyaMax", &S::IniAnalyseRadiusMinLyaMax},
        {"Analyse", "IniAnalyseRadiusMaxLyaMax", &S::IniAnalyseRadiusMaxLyaMax},
        {"Analyse", "IniAnalyseMinDimDoneMaxLya", &S::IniAnalyseMinDimDoneMaxLya},
        {"Analyse", "IniAnalyseMaxDimDoneMaxLya", &S::IniAnalyseMaxDimDoneMaxLya},
        {"Analyse", "IniAnalyseReferenzLyaMax", &S::IniAnalyseReferenzLyaMax},
        {"Analyse", "IniAnalyseDimKorr", &S::IniAnalyseDimKorr},
        {"Analyse", "IniAnalyseNumPointsKorr", &S::IniAnalyseNumPointsKorr},
        {"Analyse", "IniAnalyseNumberOfKorr", &S::IniAnalyseNumberOfKorr},
        {"Analyse", "IniAnalyseTauKorr", &S::IniAnalyseTauKorr},
        {"Analyse", "IniAnalyseRadiusMinKorr", &S::IniAnalyseRadiusMinKorr},
        {"Analyse", "IniAnalyseRadiusMaxKorr", &S::IniAnalyseRadiusMaxKorr},
        {"Analyse", "IniAnalyseMaxDimKorr", &S::IniAnalyseMaxDimKorr},
        {"Analyse", "IniAnalyseIterKorr", &S::IniAnalyseIterKorr},
        {"Analyse", "IniAnalyseWhatIs", &S::IniAnalyseWhatIs},
    };
    return fields;
}

const std::vector<PlacementSectionRef>& PlacementSections()
{
    static const std::vector<PlacementSectionRef> sections = {
        {"MainWindow", 0},      {"UebersichtWindow", 1}, {"FFTWindow", 2},
        {"FFT3DWindow", 5},     {"AnalyseWindow", 3},    {"NotenbildWindow", 6},
        {"RekonstruktionsWindow", 4}, {"SonogrammWindow", 7}, {"WaveletWindow", 8},
        {"ZeitreiheWindow", 9},
    };
    return sections;
}

const std::vector<std::string>& PlacementKeys()
{
    static const std::vector<std::string> keys = {
        "wp->showCmd",           "wp->flags",
        "wp->ptMinPosition.x",   "wp->ptMinPosition.y",
        "wp->ptMaxPosition.x",   "wp->ptMaxPosition.y",
        "wp->rcNormalPosition.left", "wp->rcNormalPosition.top",
        "wp->rcNormalPosition.right", "wp->rcNormalPosition.bottom",
    };
    return keys;
}

std::int32_t& PlacementField(WindowPlacement& wp, int keyIndex)
{
    std::array<std::int32_t*, 10> fields = {&wp.showCmd, &wp.flags, &wp.minX, &wp.minY,   &wp.maxX,
                                            &wp.maxY,    &wp.left,  &wp.top,  &wp.right, &wp.bottom};
    return *fields.at(static_cast<size_t>(keyIndex));
}

void FillDistinct(ProfileSettings& s, int seed)
{
    const auto& fields = ProfileFields();
    for (size_t i = 0; i < fields.size(); ++i) {
        const int n = seed * 1000 + static_cast<int>(i);
        std::visit(
            [&](auto member) {
                using T = std::remove_reference_t<decltype(s.*member)>;
                if constexpr (std::is_same_v<T, std::string>)
                    s.*member = "t" + std::to_string(seed) + "-" + std::to_string(i);
                else if constexpr (std::is_same_v<T, int>)
                    s.*member = n;
                else
                    s.*member = static_cast<T>(n * 0.25);
            },
            fields[i].member);
    }
}
