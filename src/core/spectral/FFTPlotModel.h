// Everything the FFT view computes without drawing: its parameters with the rules that couple
// them, the working lists of one repaint (columns with held maxima and delay, peaks with the
// user's edits, the smoothing curve), the peak list for the note image, and the lines and points
// a painter needs. CFFTView owns one, calls repaint() from its paint handler and forwards the mouse.
#pragma once

#include "FFTPlotMapping.h"
#include "FFTViewSettings.h"
#include "NoteNames.h"
#include "PeakDetector.h"
#include "core/common/PlotPrimitives.h"
#include "SplineCurves.h"

#include <cstddef>
#include <optional>
#include <span>
#include <utility>
#include <vector>

// What one repaint draws from.
struct FFTFrameInput
{
    std::span<const double> spectrum; // the document's m_arSpectrum: N/2 + 1 magnitudes
    int nSampleRate = 44100;          // m_nSampleRate (bin k lies at k·fs/N Hz)
    int nBitsPerSample = 16;          // dBr reference F = 2^bits
    int nWidth = 800;                 // client area in pixels
    int nHeight = 400;
    bool bNoteImageOpen = false;      // the note image needs the peak list on every repaint
    double dA4Hz = kDefaultA4Hz;      // reference a' of the note names (the note image's setting)
};

// Colours of the view: on screen, and while it draws a picture to save or copy.
struct FFTViewColours
{
    Rgb background, foreground, curve, peak; // foreground: axes, labels, the spectrum's lines
    Rgb grid;
};
FFTViewColours FFTScreenColours();  // black, white, yellow, green; grid dark grey
FFTViewColours FFTPictureColours(); // white, black, green, green; grid light grey

class FFTPlotModel
{
public:
    explicit FFTPlotModel(const FFTViewSettings& settings = {});

    const FFTViewSettings& settings() const { return m_settings; }

    // --- the control bar (each change repaints the view) ---
    void setBottomCutHz(int nHz);       // 1 .. 999; clears the held list
    void setTopCutkHz(int nkHz);        // 1 .. 100; clears the held and edit lists
    // 0 .. −99 dBr; both clear the held and edit lists. The two cuts stay at least 5 dBr apart:
    // a top cut less than 5 above the bottom moves the bottom to top − 5, a bottom cut less than
    // 5 below the top moves the top to bottom + 5 (both kept within 0 .. −99).
    void setTopCutAmp(int nDbr);
    void setBottomCutAmp(int nDbr);
    void setAmpLinear(bool bLinear);    // "Lin" sets the top cut to −15 dBr, "Log" to 0 dBr
    void setFreqLinear(bool bLinear);
    void setStyle(FFTDrawingStyle style);
    void setHoldMaxima(bool bOn);       // "Maxima merken"; off clears the held list
    void setPeakDetection(bool bOn);    // "ermitteln"; on switches "Delay" off
    void setDelayOn(bool bOn);          // "Delay"; on switches "ermitteln" off
    bool delayEditEnabled() const { return m_settings.bIsDelay; }
    void setDelay(int nPixels);         // 0 .. 15
    void setGrid(bool bOn);
    void setMinPeakDistance(int nPixels); // 0 .. 50; clears the edit list
    void setDropDistance(int nBins);      // 1 .. 50; clears the edit list
    // The checks "Bézier", "Cubic", "Beta" act as one choice: ticking one selects it (the others
    // show unticked); unticking the selected one turns the curve off (type 0).
    void setCurveCheck(FFTCurveType type, bool bChecked);
    void setCrossVisible(bool bVisible);

    // --- one repaint ---
    // A spectrum length different from the last repaint's (another FFT size) first clears the
    // column, held, peak, edit and curve lists. With more than 2 bins it computes the column
    // list (and then makes it the held list); peaks when detection or the curve is on or the note
    // image is open; the curve when it is on and there are at least two peak points.
    void repaint(const FFTFrameInput& frame);

    const FFTPlotMapping& mapping() const { return m_mapping; }
    const std::vector<PlotPoint>& columns() const { return m_columns; }
    const std::vector<PlotPoint>& held() const { return m_held; }
    const std::vector<PlotPoint>& peaks() const { return m_peaks; }  // framed by (20, H−20) and (W, H−20)
    const PeakValues& peakValues() const { return m_peakValues; }   // exact values, index for index
    const std::vector<PlotPoint>& edits() const { return m_edits; }
    const std::vector<PlotPoint>& curve() const { return m_curve; }  // polyline of the chosen curve
    const BezierChain& bezierChain() const { return m_bezier; }     // the Bézier curve's segments
    // The document's m_arMaxima from the last repaint with the note image open: (Hz, dBr) pairs.
    const std::vector<std::pair<double, double>>& noteImagePeaks() const { return m_maxima; }
    std::size_t firstBinAboveCut() const { return m_nFirstBin; }

    bool peakDetectionRuns(bool bNoteImageOpen) const;
    bool curveOn() const;

    // --- what to draw (after repaint) ---
    // "Balken": one line per column from the baseline up to its point, coloured by the palette
    // entry 1536·√i/√n (logarithmic frequency scale) or 1536·i/n (linear) of the i-th of n columns.
    std::vector<PlotLine> spectrumBars() const;
    // "Linien": (20, y0) and every column point with x != 0; "Säulen": from each point a
    // horizontal step to the next column's x, then a vertical one to its y. Empty for "Balken".
    std::vector<PlotPoint> spectrumPolyline() const;
    // With peak detection on: a cross with arms of 3 pixels at every peak between the framing points.
    std::vector<PlotLine> peakMarkers(Rgb colour) const;
    // With peak detection on: above every such cross, centred, "<f> Hz <note> <±cents> ct" with the
    // exact frequency of a detected peak (the pixel's for one the user added, one decimal) and its
    // name against the repaint's a'; the frequency alone where no note is named.
    std::vector<PlotText> peakLabels(Rgb colour) const;

    // --- mouse ---
    // Right button down while peak detection or the curve is on: a peak point (not a framing
    // point) less than 5 pixels away is grabbed and its removal (index, 0) recorded; otherwise the
    // click point is recorded for insertion. The edits are replayed on every repaint.
    void rightButtonDown(PlotPoint click);
    void rightButtonUp() { m_grabbed.reset(); } // the view then sends hint 50 when the note image is open
    std::optional<std::size_t> grabbedPeak() const { return m_grabbed; }
    // Left click: the cross-hair read-out moves to the point and is shown (FFTCrossHair draws it).
    void leftClick(PlotPoint click);
    std::optional<PlotPoint> crossPoint() const;

    // --- clearing ---
    void clearHeld() { m_held.clear(); }
    void clearEdits() { m_edits.clear(); }

private:
    void computeColumns(std::span<const double> spectrum, int nSampleRate);
    void computeCurve();

    FFTViewSettings m_settings;
    FFTPlotMapping m_mapping;
    std::size_t m_nLastSpectrumLength = 0;
    std::size_t m_nFirstBin = 0;
    std::vector<PlotPoint> m_columns, m_held, m_peaks, m_edits, m_curve;
    PeakValues m_peakValues;
    double m_dA4Hz = kDefaultA4Hz;
    BezierChain m_bezier;
    std::vector<std::pair<double, double>> m_maxima;
    std::optional<std::size_t> m_grabbed;
    PlotPoint m_cross;
};

// What a document update means for the view: hint 50 shows m_nFFTSize in "Aktuelle FFT" and
// repaints; while listening or playing every update repaints; while the analysis block is a
// selection "Aktuelle FFT" shows m_nSelectionFFTSize and the view repaints; hint 0 repaints.
struct FFTViewUpdate
{
    bool bRepaint = false;
    std::optional<int> shownFFTSize; // new value of "Aktuelle FFT" ("Pt")
};
FFTViewUpdate FFTViewOnUpdate(int nHint, bool bListening, bool bPlaying, bool bSelectionFFT, int nFFTSize,
                              int nSelectionFFTSize);
