// What the waveform view draws and hands on: the sample range of the overview selection, the
// drawing step, the signal line, the live "Samples" count of a drag, the range [a, b) given to
// the document, and the two markers set by double click. Positions are client pixels; the
// signal area has 10-pixel borders.
#pragma once

#include "core/waveform/WavePolyline.h"
#include "core/waveform/WaveSamples.h"

#include <cstddef>
#include <vector>

namespace WaveViewLayout {

inline constexpr int kBorder = 10;

struct SampleRange
{
    long long start = 0; // first sample shown
    long long end = 0;   // end of the shown samples; both even
    long long length() const { return end - start; }
    friend bool operator==(const SampleRange&, const SampleRange&) = default;
};

// q = N / (overview total width − 20) samples per overview pixel; start = trunc(x1·q),
// end = trunc(x2·q), each made even, both kept within [0, N].
SampleRange rangeForSelection(int x1, int x2, std::size_t n, int overviewTotalWidth);

// k = ⌈(end − start) / (client width − 20) / precision⌉, at least 1.
long long drawStep(const SampleRange& range, int clientWidth, int precision);

// The red line: for i = start, start + k, … < end the point
// (trunc((i − start)·(client width − 20) / (end − start)) + 10, (client height − 20)/2 − d + 10).
std::vector<PlotPoint> signalLine(const WaveSamples& wave, const SampleRange& range, int clientWidth,
                                  int clientHeight, int aZoom, int precision);

// The pointer's client x kept within [10, client width − 10].
int clampX(int x, int clientWidth);

// u = (end − start) / (client width − 20) samples per pixel.
double samplesPerPixel(const SampleRange& range, int clientWidth);
// The "Samples" field during a drag: |trunc(x·u + start) − trunc(x1·u + start)|.
long long dragSampleCount(int x1, int x, const SampleRange& range, int clientWidth);

// The range handed to the document when a drag ends (x1 ≤ x2): a = trunc((x1 − 10)·u + start),
// b = trunc((x2 − 9)·u + start), both even for 16-bit data. Empty when the view shows nothing.
struct Handover
{
    long long first = 0;
    long long end = 0;
    friend bool operator==(const Handover&, const Handover&) = default;
};
Handover selectionFor(int x1, int x2, const SampleRange& range, int clientWidth, bool eightBit);

// The two markers (client x; 0 = not set). A double click within 4 pixels of a marker removes
// it (marker 1 tested first); otherwise it sets the first free marker, or moves the nearer one
// (marker 2 on a tie). Afterwards marker 1 is the left one.
struct Markers
{
    int x1 = 0;
    int x2 = 0;
    bool bothSet() const { return x1 != 0 && x2 != 0; }
    void doubleClick(int x);
    void clear() { x1 = x2 = 0; }
    friend bool operator==(const Markers&, const Markers&) = default;
};

} // namespace WaveViewLayout
