#include "FFTPlotModel.h"

#include "ColourRamp.h"
#include "FFTPlotDecor.h"

#include <algorithm>
#include <cmath>

FFTViewColours FFTScreenColours()
{
    return {{0, 0, 0}, {255, 255, 255}, {255, 255, 0}, {0, 255, 0}, {96, 96, 96}};
}

FFTViewColours FFTPictureColours()
{
    return {{255, 255, 255}, {0, 0, 0}, {0, 255, 0}, {0, 255, 0}, {192, 192, 192}};
}

FFTPlotModel::FFTPlotModel(const FFTViewSettings& settings)
    : m_settings(ClampedFFTViewSettings(settings)), m_mapping(m_settings, 800, 400, 16)
{
}

// --- control bar -------------------------------------------------------------------------------

void FFTPlotModel::setBottomCutHz(int nHz)
{
    m_settings.nBottomCutHz = std::clamp(nHz, 1, 999);
    clearHeld();
}

void FFTPlotModel::setTopCutkHz(int nkHz)
{
    m_settings.nTopCutkHz = std::clamp(nkHz, 1, 100);
    clearHeld();
    clearEdits();
}

void FFTPlotModel::setTopCutAmp(int nDbr)
{
    m_settings.nTopCutAmp = std::clamp(nDbr, -99, 0);
    if (m_settings.nTopCutAmp - m_settings.nBottomCutAmp < 5)
        m_settings.nBottomCutAmp = std::max(m_settings.nTopCutAmp - 5, -99);
    clearHeld();
    clearEdits();
}

void FFTPlotModel::setBottomCutAmp(int nDbr)
{
    m_settings.nBottomCutAmp = std::clamp(nDbr, -99, 0);
    if (m_settings.nTopCutAmp - m_settings.nBottomCutAmp < 5)
        m_settings.nTopCutAmp = std::min(m_settings.nBottomCutAmp + 5, 0);
    clearHeld();
    clearEdits();
}

void FFTPlotModel::setAmpLinear(bool bLinear)
{
    m_settings.bIsAmpLinear = bLinear;
    setTopCutAmp(bLinear ? -15 : 0);
}

void FFTPlotModel::setFreqLinear(bool bLinear)
{
    m_settings.bIsFreqLinear = bLinear;
}

void FFTPlotModel::setStyle(FFTDrawingStyle style)
{
    m_settings.style = style;
}

void FFTPlotModel::setHoldMaxima(bool bOn)
{
    m_settings.bIsSumme = bOn;
    if (!bOn)
        clearHeld();
}

void FFTPlotModel::setPeakDetection(bool bOn)
{
    m_settings.bPeaks = bOn;
    if (bOn)
        m_settings.bIsDelay = false;
}

void FFTPlotModel::setDelayOn(bool bOn)
{
    m_settings.bIsDelay = bOn;
    if (bOn)
        m_settings.bPeaks = false;
}

void FFTPlotModel::setDelay(int nPixels)
{
    m_settings.nDelay = std::clamp(nPixels, 0, 15);
}

void FFTPlotModel::setGrid(bool bOn)
{
    m_settings.bGrid = bOn;
}

void FFTPlotModel::setMinPeakDistance(int nPixels)
{
    m_settings.nMinAbstandMaxima = std::clamp(nPixels, 0, 50);
    clearEdits();
}

void FFTPlotModel::setDropDistance(int nBins)
{
    m_settings.nMinAbstandNachbarMin = std::clamp(nBins, 1, 50);
    clearEdits();
}

void FFTPlotModel::setCurveCheck(FFTCurveType type, bool bChecked)
{
    if (bChecked && type != FFTCurveType::None) {
        m_settings.curve = type;
        m_settings.bIsSpline = true;
    } else if (!bChecked && type == m_settings.curve) {
        m_settings.curve = FFTCurveType::None;
        m_settings.bIsSpline = false;
    }
}

void FFTPlotModel::setCrossVisible(bool bVisible)
{
    m_settings.bIsCrossVisible = bVisible;
}

bool FFTPlotModel::peakDetectionRuns(bool bNoteImageOpen) const
{
    return m_settings.bPeaks || curveOn() || bNoteImageOpen;
}

bool FFTPlotModel::curveOn() const
{
    return m_settings.bIsSpline && m_settings.curve != FFTCurveType::None;
}

// --- repaint -------------------------------------------------------------------------------------

void FFTPlotModel::repaint(const FFTFrameInput& frame)
{
    m_mapping = FFTPlotMapping(m_settings, frame.nWidth, frame.nHeight, frame.nBitsPerSample);
    m_dA4Hz = frame.dA4Hz;
    if (frame.spectrum.size() != m_nLastSpectrumLength) {
        m_columns.clear();
        m_held.clear();
        m_peaks.clear();
        m_edits.clear();
        m_curve.clear();
        m_bezier = {};
        m_grabbed.reset();
        m_nLastSpectrumLength = frame.spectrum.size();
    }
    m_columns.clear();
    m_peaks.clear();
    m_peakValues.clear();
    m_curve.clear();
    m_bezier = {};
    if (frame.bNoteImageOpen)
        m_maxima.clear();
    if (frame.spectrum.size() <= 2 || frame.nWidth <= kPlotLeft) { // nothing to draw, or no room for it
        m_nFirstBin = frame.spectrum.size();
        return;
    }

    computeColumns(frame.spectrum, frame.nSampleRate);
    m_held = m_columns;

    if (peakDetectionRuns(frame.bNoteImageOpen)) {
        m_peaks = BuildPeakList(frame.spectrum, frame.nSampleRate, m_mapping, m_settings.nMinAbstandNachbarMin,
                                m_settings.nMinAbstandMaxima, m_edits, m_peakValues);
        if (frame.bNoteImageOpen)
            m_maxima = NoteImagePeaks(m_peaks, m_mapping, m_peakValues);
    }
    if (curveOn() && m_peaks.size() >= 2)
        computeCurve();
}

void FFTPlotModel::computeColumns(std::span<const double> spectrum, int nSampleRate)
{
    const int baseline = m_mapping.baseline();
    const std::size_t nBins = spectrum.size();
    m_nFirstBin = nBins;
    int carried = baseline; // the highest point of further bins on the column just made
    for (std::size_t k = 1; k < nBins; ++k) {
        const double f = BinFrequencyHz(k, nSampleRate, nBins);
        if (f <= m_mapping.bottomFrequency())
            continue;
        m_nFirstBin = std::min(m_nFirstBin, k);
        if (m_mapping.frequencyRatio(f) > 1.0)
            continue;
        const int x = m_mapping.frequencyToX(f);
        const int y = m_mapping.magnitudeToY(spectrum[k]);
        if (!m_columns.empty() && x == m_columns.back().x) {
            carried = std::min(carried, y);
            continue;
        }
        PlotPoint point{x, std::min(y, carried)};
        carried = baseline;
        const std::size_t index = m_columns.size();
        if (index < m_held.size()) {
            const PlotPoint& held = m_held[index];
            if (m_settings.bIsSumme && held.y < point.y)
                point = held;
            if (m_settings.bIsDelay && held.y < point.y)
                point = {held.x, held.y + m_settings.nDelay};
        }
        m_columns.push_back(point);
    }
}

void FFTPlotModel::computeCurve()
{
    switch (m_settings.curve) {
    case FFTCurveType::Bezier:
        m_bezier = MakeBezierChain(m_peaks, {kPlotLeft, m_mapping.baseline()});
        m_curve = SampleBezierChain(m_bezier);
        break;
    case FFTCurveType::Cubic:
        m_curve = CubicSplinePoints(m_peaks);
        break;
    case FFTCurveType::Beta:
        m_curve = BetaSplinePoints(FFTBetaControlPoints(m_peaks, m_mapping.width(), m_mapping.height()));
        break;
    case FFTCurveType::None:
        break;
    }
}

// --- drawing lists -------------------------------------------------------------------------------

std::vector<PlotLine> FFTPlotModel::spectrumBars() const
{
    static const auto ramp = buildColourRamp();
    std::vector<PlotLine> bars;
    if (m_settings.style != FFTDrawingStyle::Bars)
        return bars;
    const std::size_t n = m_columns.size();
    bars.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double share = m_settings.bIsFreqLinear
                                 ? static_cast<double>(i) / static_cast<double>(n)
                                 : std::sqrt(static_cast<double>(i)) / std::sqrt(static_cast<double>(n));
        const auto entry = std::min<std::size_t>(static_cast<std::size_t>(kColourRampSize * share), kColourRampSize - 1);
        const PlotPoint& p = m_columns[i];
        bars.push_back({{p.x, m_mapping.baseline()}, p, ramp[entry]});
    }
    return bars;
}

std::vector<PlotPoint> FFTPlotModel::spectrumPolyline() const
{
    std::vector<PlotPoint> line;
    if (m_columns.empty() || m_settings.style == FFTDrawingStyle::Bars)
        return line;
    if (m_settings.style == FFTDrawingStyle::Lines) {
        line.push_back({kPlotLeft, m_columns.front().y});
        for (const PlotPoint& p : m_columns)
            if (p.x != 0)
                line.push_back(p);
        return line;
    }
    line.push_back(m_columns.front());
    for (std::size_t i = 1; i < m_columns.size(); ++i) {
        line.push_back({m_columns[i].x, m_columns[i - 1].y});
        line.push_back(m_columns[i]);
    }
    return line;
}

std::vector<PlotLine> FFTPlotModel::peakMarkers(Rgb colour) const
{
    std::vector<PlotLine> marks;
    if (!m_settings.bPeaks || m_peaks.size() < 3)
        return marks;
    for (std::size_t i = 1; i + 1 < m_peaks.size(); ++i) {
        const PlotPoint& p = m_peaks[i];
        marks.push_back({{p.x - 3, p.y}, {p.x + 3, p.y}, colour});
        marks.push_back({{p.x, p.y - 3}, {p.x, p.y + 3}, colour});
    }
    return marks;
}

std::vector<PlotText> FFTPlotModel::peakLabels(Rgb colour) const
{
    std::vector<PlotText> labels;
    if (!m_settings.bPeaks || m_peaks.size() < 3)
        return labels;
    for (std::size_t i = 1; i + 1 < m_peaks.size(); ++i) {
        const PlotPoint& p = m_peaks[i];
        const bool bExact = i < m_peakValues.size() && m_peakValues[i];
        const double f = bExact ? m_peakValues[i]->dFrequencyHz : m_mapping.xToFrequency(p.x);
        std::string text = PlotNumber(f, 1) + " Hz";
        if (const std::optional<NoteName> note = NameOfFrequency(f, m_dA4Hz))
            text += " " + NoteLabel(*note);
        labels.push_back({{p.x, std::max(p.y - 6, 10)}, std::move(text), colour, TextAnchor::Centre, "Century Gothic", 10});
    }
    return labels;
}

// --- mouse -----------------------------------------------------------------------------------

void FFTPlotModel::rightButtonDown(PlotPoint click)
{
    if (!m_settings.bPeaks && !curveOn())
        return;
    for (std::size_t i = 1; i + 1 < m_peaks.size(); ++i) {
        const double dx = static_cast<double>(m_peaks[i].x) - click.x;
        const double dy = static_cast<double>(m_peaks[i].y) - click.y;
        if (dx * dx + dy * dy < 25.0) {
            m_grabbed = i;
            m_edits.push_back({static_cast<int>(i), 0});
            return;
        }
    }
    m_edits.push_back(click);
}

void FFTPlotModel::leftClick(PlotPoint click)
{
    m_cross = click;
    m_settings.bIsCrossVisible = true;
}

std::optional<PlotPoint> FFTPlotModel::crossPoint() const
{
    if (!m_settings.bIsCrossVisible)
        return std::nullopt;
    return m_cross;
}

FFTViewUpdate FFTViewOnUpdate(int nHint, bool bListening, bool bPlaying, bool bSelectionFFT, int nFFTSize,
                              int nSelectionFFTSize)
{
    FFTViewUpdate update;
    if (nHint == 50) {
        update.shownFFTSize = nFFTSize;
        update.bRepaint = true;
    }
    if (bListening || bPlaying)
        update.bRepaint = true;
    if (bSelectionFFT) {
        update.shownFFTSize = nSelectionFFTSize;
        update.bRepaint = true;
    }
    if (nHint == 0)
        update.bRepaint = true;
    return update;
}
