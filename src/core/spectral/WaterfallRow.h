// One row of the 3D waterfall from a magnitude spectrum: vertices across the frequency axis
// (x from −Breite to +Breite) with the magnitude as height.
#pragma once

#include "WaterfallSettings.h"

#include <span>
#include <vector>

struct WaterfallPoint
{
    float x = 0;     // −Breite … +Breite, world units
    float h = 0;     // height, world units
    float level = 0; // h over the height of a full-scale sine (colour ramp position, 1 at its top)
};
using WaterfallRow = std::vector<WaterfallPoint>;

struct WaterfallSpectrum
{
    std::span<const double> magnitudes; // bin k at k·fs/N Hz; bins it lacks count as 0
    int nSampleRate = 0;                // fs
    int nBitsPerSample = 16;            // F = 2^bits
    int nFFTSize = 0;                   // N
};

// Height of a bin magnitude, with m = trunc(magnitude) and F = 2^bits:
// logarithmic 4·ln(m + 1)/ln F, linear 60·m/F.
double WaterfallHeight(double magnitude, bool bAmpLinear, int nBitsPerSample);
// The height of a full-scale sine on an exact bin, whose magnitude is F/4 (amplitude F/2,
// halved by the transform): 4·ln(F/4 + 1)/ln F or 15. The colour ramp spans 0 … this height, so
// such a sine reaches its top (white) and anything higher (a DC offset, a square wave) is black.
double WaterfallColourTop(bool bAmpLinear, int nBitsPerSample);

// The row of a spectrum of N/2 + 1 magnitudes, with B = Breite and p = Präzision/100:
// for bins i = 0 … N/2 − 1 with f = i·fs/N above the lower cut, r = FrequencyRatio(f) (the FFT
// view's mapping) and x = 2B·r − B; a bin becomes a vertex when r <= 1 and its x exceeds the x of
// the previous vertex by more than p. A vertex at (−B, 0) opens the row, one at (+B, 0) closes it,
// so a row has at least two vertices and its length depends only on the settings, fs and N.
void MakeWaterfallRow(const WaterfallSettings& settings, const WaterfallSpectrum& spectrum, WaterfallRow& row);
