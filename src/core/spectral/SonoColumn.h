// One sonogram column from one magnitude spectrum: which bins land on which rows, their levels
// and colours, and how the column is painted into the picture store, with the marker line ahead
// of it and the wrap to the left edge when the store is full.
#pragma once

#include "SonoPicture.h"
#include "SonoSettings.h"

#include <span>
#include <vector>

// A magnitude spectrum as the sonogram reads it.
struct SonoSpectrum
{
    std::span<const double> magnitudes; // n = N/2 + 1 values, bin k at k·fs/N Hz
    int nSampleRate = 44100;            // fs
    int nBitsPerSample = 16;            // reference F = 2^bits
    int nFFTSize = 1024;                // N
};

// R = F/z (linear amplitude) or ln(F/z) (logarithmic), F = 2^bits, z from the zoom slider.
double SonoReferenceLevel(const SonoSettings& settings, int nBitsPerSample);
// Palette index of a level: trunc(level·1279) (linear) or trunc(level³·1279) (logarithmic);
// levels below 0 (magnitudes below 1 on the logarithmic scale) give 0.
int SonoColourIndex(double level, bool bAmpLinear);

// One row of a column: the row and its level (1 at or above the reference level).
struct SonoEntry
{
    int y = 0;
    double level = 0.0;
};

// The entries of a column of nHeight rows, from the bottom up. For each bin k, f = trunc(k·fs/N)
// and q = a/R (a = magnitude, or its natural logarithm; at most 1). Bins at or below the lower cut
// only set the previous level. A bin is used only when its row lies above the previously used
// one (the first time: above nHeight); the others are dropped. With "Glättung", for k >= 1 and a
// row below nHeight − 2, the rows between the previous bin's row and the new one get levels
// running linearly from the previous level to q. Replaces the contents of entries.
void SonoColumnEntries(const SonoSettings& settings, const SonoSpectrum& spectrum, int nHeight,
                       std::vector<SonoEntry>& entries);

// Adds one column of line width w at the picture's next x:
// 1. when x > width − w or x is the start value (w + 1), x becomes w + 2 and the store is filled
//    with the background;
// 2. a marker line w wide from top to bottom at x + 2w;
// 3. the entries as above; the column x + w is cleared to the background, then every entry but
//    the last paints [x, x + w) from its row down to the previous entry's row (the first: down to
//    the bottom) in its palette colour;
// 4. x advances by w.
// `scratch` keeps the entry list between calls (no allocation per column).
void AddSonoColumn(SonoPicture& picture, const SonoSettings& settings, const SonoSpectrum& spectrum,
                   std::vector<SonoEntry>& scratch);
void AddSonoColumn(SonoPicture& picture, const SonoSettings& settings, const SonoSpectrum& spectrum);
