// The wavelet view's picture, free of any GUI library: one coloured cell per row and column of a
// transform, rows placed by their frequency (the lowest at the bottom for every wavelet), a
// frequency axis on the left labelled at the rows' true frequencies, a time axis in seconds
// under the cells and a colour bar on the right. Positions are client pixels.
#pragma once

#include "core/common/PlotPrimitives.h"

#include <vector>

// One finished transform as the view shows it.
struct WaveletPicture
{
    std::vector<float> values;         // n, m, then n × m values 0 … 255 (the engine's output)
    std::vector<float> rowFrequencies; // Hz, one per output row
    double duration = 0.0;             // seconds of the analysed selection
};

inline constexpr int kWaveletPaletteSize = 1792;

// Seven runs of 256 (i = 0 … 255): (i, 0, 0), (255, i, 0), (255 − i, 255, 0), (0, 255, i),
// (0, 255 − i, 255), (i, 0, 255), (255, i, 255): black, red, yellow, green, cyan, blue, magenta, white.
Rgb waveletPaletteColour(int index);
// The palette entry of a value 0 … 255: trunc(v × 7.027451), within 0 … 1791.
int waveletPaletteIndex(float value);

// Margins around the cells: the frequency labels on the left, the time labels below, the colour bar right.
inline constexpr int kWaveletLeft = 56, kWaveletBottom = 22, kWaveletRight = 34, kWaveletTop = 8;

struct WaveletDecor
{
    std::vector<PlotRect> cells; // the transform, then the colour bar
    std::vector<PlotLine> lines; // axes and tick marks
    std::vector<PlotText> texts;
};

// Nothing but the white background when the picture holds fewer than 6 numbers (or does not
// match its row frequencies). Otherwise, with the cells' area [L, R) × [T, B) and hr = (B − T) / n,
// wc = (R − L) / m, the output row shown j-th from the bottom (by ascending frequency) and column c
// fill x = L + trunc(c·wc) … L + trunc((c + 1)·wc), y = T + trunc(H' − (j + 1)·hr) … T + trunc(H' − j·hr).
WaveletDecor WaveletPlot(const WaveletPicture& picture, int width, int height);
