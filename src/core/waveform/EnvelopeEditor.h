// The state of the envelope editor "Hüllkurve", owned by the waveform view: the points of the
// last detection, the points collected over all openings, the contour, the kept points of the
// curve and the user's edits, with every action of the dialog. Pixels are those of the
// waveform view's client area (W × H) at the last opening.
#pragma once

#include "core/waveform/EnvelopeDetector.h"
#include "core/waveform/EnvelopeOutline.h"

#include <string>
#include <vector>

// What the picture field shows: mode 0 the contour as green crosses; mode 1 the Beta-spline
// through the kept points (anchors included) with a red cross at each.
struct EnvelopePicture
{
    int mode = 0;
    int width = 0;
    int height = 0;
    EnvelopeOutline::Points crosses;
    EnvelopeOutline::Points curve;
};

class EnvelopeEditor
{
public:
    // Opens on the stretch between the markers x1 < x2 (client x) of a view W × H that shows the
    // samples [s0, s0 + length) at amplitude zoom: a = trunc(x1·L/W + s0), b = trunc(x2·L/W + s0),
    // detection, scaling, merging, contour; the picture shows the contour. False (nothing
    // changed) for an empty range or a view without width.
    bool Open(const WaveSamples& wave, long long s0, long long length, int x1, int x2, int width, int height,
              int zoom);

    // A left click at a view point inserts it unless a kept point lies closer than 10 pixels; a
    // right click removes the first kept point closer than 10 pixels. Then the curve is shown.
    void LeftClick(PlotPoint p);
    void RightClick(PlotPoint p);
    // "Zeichne Hüllkurve": shows the curve with the edits so far, then forgets the edits.
    void DrawCurve();
    // "Optimiere Punktmenge": thins the contour for good and shows it.
    void Optimise();
    // "Punkte löschen und Fenster schließen": empties the collected points.
    void ClearCollected();

    // The picture shown now, and the one saved and copied (always the contour's crosses).
    const EnvelopePicture& shown() const { return m_shown; }
    EnvelopePicture ContourPicture() const;

    const EnvelopeOutline::Points& upper() const { return m_arUpper; }
    const EnvelopeOutline::Points& lower() const { return m_arLower; }
    const EnvelopeOutline::Scaled& collected() const { return m_collected; }
    const EnvelopeOutline::Points& contour() const { return m_arContour; }
    const EnvelopeOutline::Points& kept() const { return m_arKept; } // as last shown, anchors included
    const std::vector<EnvelopeOutline::Edit>& edits() const { return m_arEdits; }
    // The support points of all openings since the last clearing, as "edge,sample,value" CSV.
    std::string SupportCsv() const { return EnvelopeDetector::SupportCsv(m_supports); }
    const EnvelopeDetector::SupportPoints& supports() const { return m_supports; }
    int width() const { return m_nWidth; }
    int height() const { return m_nHeight; }

private:
    void ShowCurve();

    int m_nWidth = 0, m_nHeight = 0;
    EnvelopeOutline::Points m_arUpper, m_arLower; // last detection
    EnvelopeOutline::Scaled m_collected;
    EnvelopeOutline::Points m_arContour;
    EnvelopeOutline::Points m_arKept;
    std::vector<EnvelopeOutline::Edit> m_arEdits;
    EnvelopeDetector::SupportPoints m_supports;
    EnvelopePicture m_shown;
};
