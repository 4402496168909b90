#include "RenderViews.h"

#include "core/spectral/FFTPlotModel.h"
#include "core/spectral/FFTViewSettings.h"
#include "core/spectral/FrameSpectrum.h"
#include "core/waveform/OverviewLayout.h"
#include "core/waveform/WaveViewLayout.h"
#include "core/spectral/NotenbildSettings.h"
#include "core/spectral/SonoSettings.h"
#include "core/spectral/PitchTracker.h"
#include "core/nonlinear/AnalyseSettings.h"
#include "gui/nonlinear/AnalyseView.h"
#include "gui/spectral/FFTView.h"
#include "gui/spectral/NotenbildPitchPane.h"
#include "gui/spectral/NotenbildView.h"
#include "gui/spectral/SonoView.h"
#include "gui/waveform/WaveformPaint.h"
#include "gui/wavelet/WaveletView.h"
#include "gui/nonlinear/ZeitreiheView.h"

#include "core/wavelet/Cwt.h"
#include "core/wavelet/CwtCheck.h"
#include "core/wavelet/WaveletSettings.h"
#include "core/nonlinear/ZeitreihePlot.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <span>
#include <stdexcept>

namespace {

// The series as the document keeps a loaded file: unsigned bytes for 8-bit data, else 16-bit
// little-endian values.
std::vector<std::uint8_t> WaveBytes(const RenderSource& source)
{
    std::vector<std::uint8_t> bytes;
    if (source.bits == 8) {
        bytes.reserve(source.samples.size());
        for (double v : source.samples)
            bytes.push_back(static_cast<std::uint8_t>(std::clamp(v, 0.0, 255.0)));
        return bytes;
    }
    bytes.resize(source.samples.size() * 2);
    for (std::size_t i = 0; i < source.samples.size(); ++i) {
        const auto v = static_cast<std::int16_t>(std::clamp(source.samples[i], -32768.0, 32767.0));
        const auto u = static_cast<std::uint16_t>(v);
        bytes[2 * i] = static_cast<std::uint8_t>(u & 0xff);
        bytes[2 * i + 1] = static_cast<std::uint8_t>(u >> 8);
    }
    return bytes;
}

std::span<const double> Selection(const RenderSource& source)
{
    return std::span<const double>(source.samples)
        .subspan(static_cast<std::size_t>(source.first), static_cast<std::size_t>(source.end - source.first));
}

// The waveform pane: the selected samples across the whole width, as after a drag in the overview.
void PaintWaveform(QPainter& painter, int width, int height, const RenderSource& source)
{
    const std::vector<std::uint8_t> bytes = WaveBytes(source);
    const WaveSamples wave{bytes.data(), bytes.size(), source.bits};
    WaveformPaint::WaveViewState st;
    st.width = width;
    st.height = height;
    const bool eightBit = source.bits == 8;
    st.range.start = eightBit ? source.first : source.first & ~std::int64_t{1};
    st.range.end = eightBit ? source.end : source.end & ~std::int64_t{1};
    WaveformPaint::paintWaveView(painter, wave, st);
}

// The overview at zoom 1: the whole file, with the selection as its inverted band.
void PaintOverview(QPainter& painter, int width, int height, const RenderSource& source)
{
    namespace OL = OverviewLayout;
    const std::vector<std::uint8_t> bytes = WaveBytes(source);
    const WaveSamples wave{bytes.data(), bytes.size(), source.bits};
    WaveformPaint::OverviewState st;
    st.clientWidth = width;
    st.clientHeight = height;
    st.totalWidth = width;
    st.rate = static_cast<unsigned>(source.rate);
    const std::size_t n = wave.count();
    if (wave.bytes >= OL::kMinSignalBytes) {
        const int a = OL::sampleGroup(n, width, 1);
        st.step = OL::sampleStep(n, width, 1, a);
        st.contentWidth = OL::contentWidth(n, st.step, a, width, 1);
    }
    // The band covers the pixels whose samples the selection holds (q samples per pixel).
    if (n > 0 && (source.first > 0 || source.end < static_cast<std::int64_t>(n))) {
        const double q = static_cast<double>(n) / (width - 20);
        st.bandStart = static_cast<int>(std::floor(static_cast<double>(source.first) / q));
        st.bandEnd = std::max(st.bandStart + 1, static_cast<int>(std::ceil(static_cast<double>(source.end) / q)));
    }
    WaveformPaint::paintOverview(painter, wave, st);
}

// The FFT plot model after one repaint of the selection's spectrum; the note image reads its peaks.
FFTFrameInput SelectionSpectrum(int width, int height, const RenderSource& source, const ProfileSettings& profile,
                                std::vector<double>& spectrum)
{
    std::vector<double> autoCorr;
    int firstMinLag = 0;
    ComputeFrameSpectrum(Selection(source), source.selectionFFTSize, spectrum, autoCorr, firstMinLag,
                         source.bits == 8 ? 128.0 : 0.0);
    FFTFrameInput in;
    in.spectrum = spectrum;
    in.nSampleRate = static_cast<int>(source.rate);
    in.nBitsPerSample = source.bits;
    in.nWidth = width;
    in.nHeight = height;
    in.dA4Hz = profile.IniNotenbildKammerton;
    return in;
}

void PaintFFT(QPainter& painter, int width, int height, const RenderSource& source, const ProfileSettings& profile)
{
    std::vector<double> spectrum;
    const FFTFrameInput in = SelectionSpectrum(width, height, source, profile, spectrum);
    FFTPlotModel model(FFTViewSettingsFromProfile(profile));
    PaintFFTView(painter, model, in, FFTScreenColours());
}

// The whole sonogram of the selection with the profile's FFT size, in a picture store of the
// picture's size.
void PaintSonogram(QPainter& painter, int width, int height, const RenderSource& source,
                   const ProfileSettings& profile)
{
    const int n = NormaliseFFTSize(profile.IniDokumentNumFFTPoints);
    RenderSonoView(painter, width, height, Selection(source), static_cast<int>(source.rate), source.bits,
                   n > 0 ? n : 1024, SonoSettingsFromProfile(profile));
}

// The note image of the peaks the FFT view finds in the selection with the profile's parameters,
// as with both windows open; in the third mode the pitch track of the selection.
void PaintNotes(QPainter& painter, int width, int height, const RenderSource& source, const ProfileSettings& profile)
{
    const NotenbildSettings settings = NotenbildSettingsFromProfile(profile);
    if (settings.nWhatIs == 2) {
        PitchTrack track;
        TrackPitch(Selection(source), source.rate, source.bits == 8 ? 128.0 : 32768.0, track);
        NotenbildPitchTrace trace;
        trace.hops = std::move(track.hops);
        trace.dA4Hz = settings.nKammerton;
        PaintNotenbildPitch(painter, width, height, trace);
        return;
    }
    std::vector<double> spectrum;
    FFTFrameInput in = SelectionSpectrum(width, height, source, profile, spectrum);
    in.bNoteImageOpen = true;
    FFTPlotModel model(FFTViewSettingsFromProfile(profile));
    model.repaint(in);
    PaintNotenbildView(painter, width, height, settings, model.noteImagePeaks());
}

// The wavelet transform of the selection with the profile's wavelet settings, as the window shows
// it; an argument the engine refuses is one error line with the engine's text.
void PaintWavelet(QPainter& painter, int width, int height, const RenderSource& source,
                  const ProfileSettings& profile)
{
    const std::span<const double> selection = Selection(source);
    if (selection.size() < 2)
        throw std::runtime_error("the selection holds fewer than 2 samples");
    CCwt cwt;
    cwt.setDiagnostics({});
    CwtRequest& request = cwt.request();
    cwtRequestFromProfile(profile, request);
    std::string problem = cwtArgumentProblem(request.wavelet);
    if (!problem.empty()) {
        problem.erase(problem.find_last_not_of('\n') + 1);
        throw std::runtime_error(problem);
    }
    WaveletPicture picture;
    const std::vector<double> samples(selection.begin(), selection.end());
    const auto duration = static_cast<float>(static_cast<double>(samples.size()) / source.rate);
    try {
        request.startTime = 0.0f, request.endTime = duration, request.rate = static_cast<float>(source.rate);
        cwt.Transform(samples.data(), samples.size(), picture.values);
    } catch (const std::exception& error) {
        std::string text = error.what();
        text.erase(text.find_last_not_of('\n') + 1);
        throw std::runtime_error(text);
    }
    for (float g : cwt.rowScales())
        picture.rowFrequencies.push_back(1.0f / g);
    picture.duration = duration;
    PaintWaveletView(painter, picture, width, height);
}

// The time-series window on the selection in the mode of --mode, as it first opens (one pixel per
// point, 16 boxes, maximal delay 90) and with the performance question answered Yes: a long
// selection is drawn about 5000 pixels wide, of which the picture shows the beginning.
void PaintTimeSeries(QPainter& painter, int width, int height, const RenderSource& source)
{
    const std::span<const double> selection = Selection(source);
    Zeitreihe::Plot plot;
    if (source.viewMode == 2) {
        AbortToken abort;
        std::string message;
        const MutualInformationResult mi =
            computeMutualInformation(selection, 16, 90, abort, [&message](const std::string& text) { message = text; });
        if (!message.empty()) {
            // One line: the engine's text with its line breaks and tabs as single spaces.
            std::string line;
            for (char c : message)
                if (!((c == '\n' || c == '\t' || c == ' ') && (line.empty() || line.back() == ' ')))
                    line += c == '\n' || c == '\t' ? ' ' : c;
            line.erase(line.find_last_not_of(' ') + 1);
            throw std::runtime_error(line);
        }
        plot = Zeitreihe::mutualInformationPlot(mi, width, height);
    } else {
        double pixelsPerPoint = 1.0;
        std::vector<double> autoCorr;
        int firstMinLag = 0;
        if (source.viewMode == 1 && source.selectionFFTSize >= 2) {
            std::vector<double> spectrum;
            ComputeFrameSpectrum(selection, source.selectionFFTSize, spectrum, autoCorr, firstMinLag,
                                 source.bits == 8 ? 128.0 : 0.0);
        }
        const std::size_t n = source.viewMode == 1 ? autoCorr.size() : selection.size();
        if (Zeitreihe::exceedsDrawingLimit(n, pixelsPerPoint))
            pixelsPerPoint = Zeitreihe::simplifiedPixelsPerPoint(n);
        plot = source.viewMode == 1
                   ? Zeitreihe::autoCorrPlot(autoCorr, firstMinLag, pixelsPerPoint, width, height)
                   : Zeitreihe::seriesPlot(selection, source.bits == 8 ? 255.0 : 32767.0, source.bits != 8,
                                           pixelsPerPoint, height);
    }
    PaintZeitreiheView(painter, plot, width, height, 0);
}

// The analysis window after "Berechnen" in the profile's mode with its parameters.
void PaintAnalysis(QPainter& painter, int width, int height, const RenderSource& source, const ProfileSettings& profile)
{
    const std::span<const double> selection = Selection(source);
    const std::vector<double> series(selection.begin(), selection.end());
    painter.fillRect(0, 0, width, height, Qt::white);
    if (series.size() < 50) {
        PaintAnalysePicture(painter, AnalyseTooShortPicture(width, height));
        return;
    }
    const AnalyseSettings settings = AnalyseSettingsFromProfile(profile);
    AbortToken abort;
    std::string message;
    const AnalyseRunResult result =
        RunAnalyse(settings.mode, settings.current(), series, abort,
                   NonlinearCallbacks{[&message](const std::string& text) { message = text; }, {}, {}, {}, {}});
    if (abort.isRaised())
        throw std::runtime_error("the analysis stopped: " + message);
    PaintAnalysePicture(painter, AnalyseResultPicture(result, width, height));
    if (source.csv)
        *source.csv = AnalyseResultCsv(result);
}

} // namespace

const std::vector<std::string>& RenderViewNames()
{
    static const std::vector<std::string> names{"waveform", "overview", "fft", "sonogram", "notes", "wavelet",
                                                "timeseries", "analysis"};
    return names;
}

void PaintRenderView(QPainter& painter, const std::string& view, int width, int height, const RenderSource& source,
                     const ProfileSettings& profile)
{
    // The sonogram takes its transform size from the profile; a short selection gives no columns.
    const bool spectral = view == "fft" || view == "notes";
    if (spectral && source.selectionFFTSize < 2)
        throw std::runtime_error("the selection [" + std::to_string(source.first) + ", " +
                                 std::to_string(source.end) + ") holds fewer than 2 samples");
    // As in resoni-analyze: beyond this one transform would take more than a gigabyte.
    if (spectral && source.selectionFFTSize > (1 << 24))
        throw std::runtime_error("the selection of " + std::to_string(source.end - source.first) +
                                 " samples needs a transform of more than 16777216 points; choose a shorter one");
    if (view == "waveform")
        PaintWaveform(painter, width, height, source);
    else if (view == "overview")
        PaintOverview(painter, width, height, source);
    else if (view == "fft")
        PaintFFT(painter, width, height, source, profile);
    else if (view == "sonogram")
        PaintSonogram(painter, width, height, source, profile);
    else if (view == "notes")
        PaintNotes(painter, width, height, source, profile);
    else if (view == "wavelet")
        PaintWavelet(painter, width, height, source, profile);
    else if (view == "timeseries")
        PaintTimeSeries(painter, width, height, source);
    else if (view == "analysis")
        PaintAnalysis(painter, width, height, source, profile);
    else
        throw std::runtime_error("unknown view '" + view + "'");
}
