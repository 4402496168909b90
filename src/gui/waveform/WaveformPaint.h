// Painting helpers shared by the overview and the waveform view.
#pragma once

#include "core/waveform/OverviewLayout.h"
#include "core/waveform/WavePolyline.h"
#include "core/waveform/WaveViewLayout.h"

#include <QColor>
#include <QRect>

#include <vector>

class QPainter;

namespace WaveformPaint {

// The colour of the border strips (the system's menu colour).
QColor borderColour();
// The red 1-pixel signal line.
void drawSignal(QPainter& painter, const std::vector<PlotPoint>& line);
// Inverts the pixels of a rectangle (the selection bands); x0 and x1 in either order.
void invert(QPainter& painter, int x0, int x1, int yTop, int yBottom);

// Everything the overview's picture depends on besides the samples.
struct OverviewState
{
    int clientWidth = 0, clientHeight = 0;
    int hZoom = 1, aZoom = 1;
    int scrollX = 0;
    int totalWidth = 0;
    int contentWidth = -21; // as measured for these samples and this width and zoom
    std::size_t step = 1;   // the sample step s of that measurement
    int bandStart = 0, bandEnd = 0; // logical x of the inverted band; end 0 = none
    unsigned rate = 0;      // 0: no file loaded, no time axis
    int caretX = -1;        // client x of the caret; negative = not shown
};
// The overview: the signal (when the data exceeds 50 bytes), the band, the borders, the time
// axis and the caret, into the client rectangle (0, 0, width, height).
void paintOverview(QPainter& painter, const WaveSamples& wave, const OverviewState& state);

struct WaveViewState
{
    int width = 0, height = 0;
    WaveViewLayout::SampleRange range;
    int aZoom = 1, precision = 100;
    int bandX0 = 0, bandX1 = 0; // the drag band; equal = none
    WaveViewLayout::Markers markers;
};
// The waveform view: the signal of the range, the drag band, the markers and the borders.
void paintWaveView(QPainter& painter, const WaveSamples& wave, const WaveViewState& state);

} // namespace WaveformPaint
