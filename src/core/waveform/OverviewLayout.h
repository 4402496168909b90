// What the waveform window's overview draws and how its mouse input maps to the file: sample
// step, content width, the signal line, the time axis in seconds, clamping of the pointer and
// the caret that follows playback. All positions are logical pixels (scroll offset included)
// unless a name says client; the signal starts 10 pixels right of the left border and 20 pixels
// below the top band that carries the time axis.
#pragma once

#include "core/waveform/WavePolyline.h"
#include "core/waveform/WaveSamples.h"

#include <cstddef>
#include <string>
#include <vector>

namespace OverviewLayout {

inline constexpr int kLeft = 10;     // left and right border strips
inline constexpr int kTop = 20;      // the band of the time axis
inline constexpr int kMinSignalBytes = 51; // files of 50 bytes or less draw no signal

// a = ⌊50 / √(zoom·0.5)⌋ when that exceeds 1, else 1; 1 for a file shorter than the client width.
int sampleGroup(std::size_t n, int clientWidth, int hZoom);
// s = ⌊N / ((client width − 40)·zoom) / a⌋ in unsigned integer divisions, at least 1.
std::size_t sampleStep(std::size_t n, int clientWidth, int hZoom, int a);
// w = trunc(N / s / a); a narrower result is stretched to zoom·(client width − 20). At zoom 1 w is
// always client width − 20, so that the whole file fits the pane without a scroll bar.
int contentWidth(std::size_t n, std::size_t s, int a, int clientWidth, int hZoom);
// y0 = (client height − 21) / 2 + 20, integer.
int baseline(int clientHeight);

// The red signal line: for i = 0, s, 2s, … < N the point (trunc(i·w / N) + 10,
// (client height − 21)/2 − d + 20) with N as a single-precision float and d the sample's
// offset for the amplitude zoom; starting at (10, y0). Only points whose x lies in
// [xFrom, xTo] (and one beyond each end) are produced.
std::vector<PlotPoint> signalLine(const WaveSamples& wave, std::size_t s, int w, int clientHeight, int aZoom,
                                  int xFrom, int xTo);

struct Tick
{
    int x = 0, yTop = 0, yBottom = 0;
};
struct Label
{
    int x = 0, y = 0;
    int height = 16; // font height in pixels ("Century Gothic")
    std::string text; // "2s" or "2s300"
};
struct TimeAxis
{
    std::vector<Tick> ticks;
    std::vector<Label> labels;
};
// S = whole seconds (≥ 1), p = (total width − 20) / S, r = trunc(S / ((total width − 20) /
// client width)); a label every L = ⌊r/5⌋ seconds when r > 5, else every second with ten
// sub-ticks, labelled "0s100" … when r < 2.
TimeAxis timeAxis(std::size_t n, unsigned rate, int totalWidth, int clientWidth);

// The pointer's client x kept off the borders at the two ends of the scroll range.
int clampX(int x, int clientWidth, int scrollX, int totalWidth);

// Where the caret goes for a play cursor in bytes: x = trunc(cursor / length·(total − 20) −
// scroll) + 10; left of the border the view scrolls to the origin, right of the client area it
// scrolls on by one client width.
struct CaretMove
{
    int x = kLeft;       // client x of the caret
    int scrollX = 0;     // the scroll position afterwards
};
CaretMove playCaret(std::size_t cursorBytes, std::size_t lengthBytes, int totalWidth, int scrollX,
                    int clientWidth);

// The playback start for a click at selection x1 (logical, minus the border):
// trunc(x1·length / (total width − 20)) bytes.
std::size_t playPositionForX(int x1, std::size_t lengthBytes, int totalWidth);

} // namespace OverviewLayout
