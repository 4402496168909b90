// The note image without drawing: the FFT view's peak list read as partials of a fundamental
// (entry 0), laid out for a client area of W × H pixels as an abstract overtone spectrum (mode 0)
// or as notes on a grand staff (mode 1, NotenbildStaff.h), and the partials that
// "Obertöne anhören, einzeln" plays.
#pragma once

#include "NotenbildSettings.h"
#include "core/common/PlotPrimitives.h"

#include <span>
#include <utility>
#include <vector>

// The document's m_arMaxima: (frequency in Hz, level in dBr), ascending frequency.
using NotenbildPeak = std::pair<double, double>;

// What a painter draws, in this order, on a white background.
struct NotenbildDrawing
{
    std::vector<PlotLine> lines;
    std::vector<PlotEllipse> ellipses;
    std::vector<PlotText> texts;
};

// Colours of the overtone spectrum.
constexpr Rgb kNotenbildReferenceColour{160, 160, 160}; // reference lines
constexpr Rgb kNotenbildPartialColour{0, 0, 255};       // measured partials
constexpr Rgb kNotenbildTextColour{0, 0, 0};

// y of the reference line of partial i = 1 … c + 1 (c = overtone count), from y = H − 10 for the
// fundamental up to y = 10 for partial c + 1. Logarithmic: trunc((H − 10) − log2(i)·(H − 20)/log2(c + 1));
// linear: partials equally spaced in frequency, trunc((H − 10) − (i − 1)·(H − 20)/c).
std::vector<int> NotenbildReferenceRows(int nHeight, const NotenbildSettings& settings);

// Length of a measured partial's line: trunc(1.5·(W − 50)·(ln 81 − ln(1 − L))/ln 81) for its
// level L in dBr: 0 at −80 dBr, 1.5·(W − 50) at 0 dBr, negative below −80 dBr (the line is then
// drawn the other way round). Levels above 0 dBr count as 0 dBr.
int NotenbildPartialLength(double dLevelDbr, int nWidth);

// Mode 0. Reference lines from x = 10 to W − 40, labelled at the left with i and its interval
// (": Grundton", ": Oktave", ": Quinte", ": Quarte", ": gr.Terz", ": kl.Terz", then the number
// alone). Peaks k = 0 … c as far as the list reaches: a line of NotenbildPartialLength centred at
// x = (W − 50)/2 + 10 on the row of u = log2(f_k/f_0) (logarithmic, on the scale of the reference
// lines, so a perfect harmonic lies on its line) or u = (f_k − f_0)/f_0 (linear); the frequency
// "<f> Hz" at x = W − 38 with its top 7 pixels above the line; its note name against the
// settings' a' ("a' +3 ct", NoteLabel) centred on the line's centre with its baseline 3 pixels
// above it; from the second peak on the distance to the previous peak, "<f_k − f_(k−1)> Hz",
// right-aligned before it, half-way between the rows.
NotenbildDrawing NotenbildSpectrumLayout(int nWidth, int nHeight, const NotenbildSettings& settings,
                                         std::span<const NotenbildPeak> peaks);

// The chosen mode: 0 the overtone spectrum, 1 the staff, 2 nothing (white only).
NotenbildDrawing NotenbildLayout(int nWidth, int nHeight, const NotenbildSettings& settings,
                                 std::span<const NotenbildPeak> peaks);

// "Obertöne anhören, einzeln": the frequencies of entries 0, 1, … truncated to whole Hz,
// min(list length, overtone count) of them; nothing with fewer than 3 peaks or a count below 1.
std::vector<int> NotenbildPartialsToPlay(std::span<const NotenbildPeak> peaks, int nObertonanzahl);
constexpr int kNotenbildBeepMilliseconds = 300;
