// What the sonogram view shows around its picture: the frequency under the mouse with its
// "Freq:" text, and the frequency axis labelled in "kHz" beside the picture, as lines and texts.
#pragma once

#include "SonoSettings.h"

#include "core/common/PlotPrimitives.h"

#include <string>
#include <vector>

// The picture is shown stretched from x = 25 to W − 45 over the whole height.
constexpr int kSonoPictureLeft = 25;
constexpr int kSonoPictureRightGap = 45;
// A click or drag left of this x plays the frequency under the mouse.
constexpr int kSonoBeepZone = 26;
constexpr int kSonoClickBeepMs = 400;
constexpr int kSonoDragBeepMs = 50;

// The frequency at row y of a view nHeight rows high: r = (H − y)/H, then
// f = T·(r·(1 − g0) + g0) (linear) or T^(r·(1 − g0) + g0) (logarithmic).
double SonoFrequencyAtRow(const SonoSettings& settings, int y, int nHeight);
// A frequency with 5 significant digits in the C locale: "440.00", "5050.0", "12346".
std::string SonoFrequencyText(double hz);

struct SonoAxisTick
{
    int y = 0;
    double dHz = 0.0;
    bool bLabelled = false;
};

// Ticks between the cuts. Linear axis: multiples of the smallest step of 1, 2 or 5 × 10^k Hz
// that is at least 30 pixels high, all labelled. Logarithmic axis: 1 … 9 × 10^k Hz, labelled at
// 1, 2 and 5 × 10^k when at least 16 pixels above the last label.
std::vector<SonoAxisTick> SonoAxisTicks(const SonoSettings& settings, int nHeight);

struct SonoAxisDecor
{
    std::vector<PlotLine> lines;
    std::vector<PlotText> texts;
};
// The axis along the picture's right edge (x = W − 45): tick marks to the right (6 pixels
// labelled, 3 not), labels in kHz ("0.5", "2", "10") in "Century Gothic", and the caption "kHz"
// at the top; labels too close to the caption are left out.
SonoAxisDecor SonoFrequencyAxis(const SonoSettings& settings, int nWidth, int nHeight, Rgb colour);
