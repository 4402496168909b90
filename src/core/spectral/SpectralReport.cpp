#include "SpectralReport.h"

#include "FFTPlotMapping.h"
#include "FFTPlotModel.h"
#include "FrameSpectrum.h"
#include "NoteNames.h"
#include "core/common/NumberText.h"

#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace {

template <typename F>
std::string JsonArray(std::size_t count, F&& item)
{
    std::string text = "[";
    for (std::size_t i = 0; i < count; ++i) {
        if (i)
            text += ',';
        text += item(i);
    }
    return text + "]";
}

// Names below c ("C,", "Cis,,") hold commas: such a field is quoted.
std::string CsvField(const std::string& text)
{
    return text.find(',') == std::string::npos ? text : "\"" + text + "\"";
}

} // namespace

void WriteSpectrumReport(const SpectralReportInput& in, std::ostream& out)
{
    std::vector<double> spectrum, autoCorr;
    int lag = 0;
    ComputeFrameSpectrum(in.frame, in.nFFTSize, spectrum, autoCorr, lag);
    const double fullScale = std::ldexp(1.0, in.nBitsPerSample);
    auto frequency = [&](std::size_t k) { return static_cast<double>(k) * in.dSampleRate / in.nFFTSize; };
    auto level = [&](std::size_t k) { return LevelDbr(spectrum[k], fullScale); };
    std::string text;
    if (in.bJson) {
        text = "{\"fft_size\":" + std::to_string(in.nFFTSize) + ",\"sample_rate\":" + formatJsonNumber(in.dSampleRate) +
               ",\"frequency_hz\":" + JsonArray(spectrum.size(), [&](std::size_t k) { return formatJsonNumber(frequency(k)); }) +
               ",\"magnitude\":" + JsonArray(spectrum.size(), [&](std::size_t k) { return formatJsonNumber(spectrum[k]); }) +
               ",\"level_dbr\":" + JsonArray(spectrum.size(), [&](std::size_t k) { return formatJsonNumber(level(k)); }) +
               "}\n";
    } else {
        text = "bin,frequency_hz,magnitude,level_dbr\n";
        for (std::size_t k = 0; k < spectrum.size(); ++k)
            text += std::to_string(k) + "," + formatNumber(frequency(k)) + "," + formatNumber(spectrum[k]) + "," +
                    formatNumber(level(k)) + "\n";
    }
    out << text;
}

int WriteAutocorrReport(const SpectralReportInput& in, std::ostream& out)
{
    std::vector<double> spectrum, autoCorr;
    int lag = 0;
    ComputeFrameSpectrum(in.frame, in.nFFTSize, spectrum, autoCorr, lag, in.dCentre);
    std::string text;
    if (in.bJson) {
        text = "{\"fft_size\":" + std::to_string(in.nFFTSize) + ",\"first_min_lag\":" + std::to_string(lag) +
               ",\"value\":" + JsonArray(autoCorr.size(), [&](std::size_t m) { return formatJsonNumber(autoCorr[m]); }) +
               "}\n";
    } else {
        text = "lag,value\n";
        for (std::size_t m = 0; m < autoCorr.size(); ++m)
            text += std::to_string(m) + "," + formatNumber(autoCorr[m]) + "\n";
    }
    out << text;
    return lag;
}

void WritePeaksReport(const SpectralReportInput& in, const FFTViewSettings& settings, int nWidth, int nHeight,
                      double dA4Hz, std::ostream& out)
{
    std::vector<double> spectrum, autoCorr;
    int lag = 0;
    ComputeFrameSpectrum(in.frame, in.nFFTSize, spectrum, autoCorr, lag);
    FFTPlotModel model(settings);
    FFTFrameInput frame;
    frame.spectrum = spectrum;
    frame.nSampleRate = static_cast<int>(std::lround(in.dSampleRate));
    frame.nBitsPerSample = in.nBitsPerSample;
    frame.nWidth = nWidth;
    frame.nHeight = nHeight;
    frame.bNoteImageOpen = true;
    frame.dA4Hz = dA4Hz;
    model.repaint(frame);
    const auto& peaks = model.noteImagePeaks();
    std::vector<std::optional<NoteName>> names;
    for (const auto& peak : peaks)
        names.push_back(NameOfFrequency(peak.first, dA4Hz));
    auto cents = [](int c) { return (c > 0 ? "+" : "") + std::to_string(c); };
    std::string text;
    if (in.bJson) {
        auto quoted = [](const std::string& s) { return "\"" + s + "\""; }; // names need no escapes
        text = "{\"fft_size\":" + std::to_string(in.nFFTSize) + ",\"width\":" + std::to_string(nWidth) +
               ",\"height\":" + std::to_string(nHeight) + ",\"a4_hz\":" + formatJsonNumber(dA4Hz) + ",\"peaks\":" +
               JsonArray(peaks.size(),
                         [&](std::size_t i) {
                             const std::optional<NoteName>& n = names[i];
                             return "{\"frequency_hz\":" + formatJsonNumber(peaks[i].first) +
                                    ",\"level_dbr\":" + formatJsonNumber(peaks[i].second) +
                                    ",\"note\":" + (n ? quoted(n->helmholtz) : "null") +
                                    ",\"scientific\":" + (n ? quoted(n->scientific) : "null") +
                                    ",\"cents\":" + (n ? std::to_string(n->cents) : "null") + "}";
                         }) +
               "}\n";
    } else {
        text = "frequency_hz,level_dbr,note,scientific,cents\n";
        for (std::size_t i = 0; i < peaks.size(); ++i) {
            const std::optional<NoteName>& n = names[i];
            text += formatNumber(peaks[i].first) + "," + formatNumber(peaks[i].second) + "," +
                    (n ? CsvField(n->helmholtz) + "," + n->scientific + "," + cents(n->cents) : ",,") + "\n";
        }
    }
    out << text;
}
