#include "core/wavelet/WaveletSettings.h"

#include "core/profiles/ProfileSettings.h"

#include <charconv>
#include <cmath>

const std::array<WaveletListEntry, 8> kWaveletList = {{
    {"Haar (reell)", "haar", false, "", "Haar-Wavelet"},
    {"Mexikanischer Hut (reell)", "mexicanhat", false, "", "Mexikanischer Hut - Wavelet"},
    {"Sinuswelle (reell)", "sinus", false, "", "Sinusförmiges Wavelet "},
    {"Poisson (reell)", "poisson", false, "", "Poisson-Wavelet"},
    {"Cauchy (complex)", "cauchy", true, "2", "Cauchy-Wavelet beliebiger Ordnung\n1 Parameter=Ordnung "},
    {"Spinning (complex)", "spinning", true, "2,2",
     "Verallgemeinertes Cauchy-Wavelet für die Analyse von Spinnrotordaten\n2 Parameter: mu1,mu2 "},
    {"Morlet (complex)", "morlet", true, "2", "Morlet-Wavelet mit unabhängig wählbarer Skale\n1 Parameter=Basisskale "},
    {"B-Spline (complex)", "bspline", true, "10,10",
     "B-Spline-Wavelet\nn Parameter = Liste der Fensterbreiten für B-Splineerstellung."},
}};

int waveletListIndex(const std::string& wavelet)
{
    for (size_t i = 0; i < kWaveletList.size(); ++i)
        if (wavelet.rfind(kWaveletList[i].shortName, 0) == 0)
            return static_cast<int>(i);
    return 0;
}

std::string waveletString(int index, const std::string& parameter)
{
    const WaveletListEntry& entry = kWaveletList.at(static_cast<size_t>(index));
    return entry.bParameter ? std::string(entry.shortName) + "," + parameter : std::string(entry.shortName);
}

std::string waveletParameterText(const std::string& wavelet)
{
    const std::string name = kWaveletList[static_cast<size_t>(waveletListIndex(wavelet))].shortName;
    if (wavelet.rfind(name, 0) != 0 || wavelet.size() <= name.size() || wavelet[name.size()] != ',')
        return {};
    return wavelet.substr(name.size() + 1);
}

double waveletFrequencyFromText(const std::string& text)
{
    std::string digits;
    for (char ch : text)
        if (ch != '.')
            digits += ch;
    const size_t start = digits.find_first_not_of(" \t");
    if (start == std::string::npos)
        return 0.0;
    double value = 0.0;
    const auto result = std::from_chars(digits.data() + start, digits.data() + digits.size(), value);
    return result.ec == std::errc() ? value : 0.0;
}

void cwtRequestFromProfile(const ProfileSettings& settings, CwtRequest& request)
{
    const auto usable = [](float scale) { return std::isfinite(scale) && scale > 0.0f; };
    if (!settings.IniWaveletWavelet.empty())
        request.wavelet = settings.IniWaveletWavelet;
    if (usable(settings.IniWaveletFreqmin))
        request.scaleLow = settings.IniWaveletFreqmin;
    if (usable(settings.IniWaveletFreqmax))
        request.scaleHigh = settings.IniWaveletFreqmax;
    if (settings.IniWaveletFreqn > 0)
        request.rows = settings.IniWaveletFreqn;
    if (settings.IniWaveletZeitn > 0)
        request.columns = settings.IniWaveletZeitn;
    if (settings.IniWaveletadiv >= 0 && settings.IniWaveletadiv <= 2 && !settings.IniWaveletWavelet.empty())
        request.division = settings.IniWaveletadiv;
}

void storeCwtRequest(const CwtRequest& request, ProfileSettings& settings)
{
    // A frequency field left at 0 (an infinite scale) keeps the last stored frequency.
    settings.IniWaveletWavelet = request.wavelet;
    if (std::isfinite(request.scaleLow) && request.scaleLow > 0.0f)
        settings.IniWaveletFreqmin = request.scaleLow;
    if (std::isfinite(request.scaleHigh) && request.scaleHigh > 0.0f)
        settings.IniWaveletFreqmax = request.scaleHigh;
    settings.IniWaveletFreqn = static_cast<int>(request.rows);
    settings.IniWaveletZeitn = static_cast<int>(request.columns);
    settings.IniWaveletadiv = request.division;
}
