// Mode 1 of the note image: the partials as note heads on a grand staff. 35 pixels per octave and
// 5 per staff step, measured up from the bottom of the client area; A0 = 27.5 Hz at v = 5.
#pragma once

#include "NotenbildLayout.h"

// Where a frequency f sits: v = 35·log2(f/27.5) + 5, n = the multiple of 5 at or below v,
// d = v − n. d > 3.3 moves the note up one step (n + 5) without accidental, d < 1.7 leaves it
// without, 1.7 ≤ d ≤ 3.3 leaves it with a sharp. The head is centred at y = H − n − 10 and at
// x = 130 on a line (n a multiple of 10) or x = 150 in a space.
struct NotenbildNote
{
    int n = 0;
    bool bSharp = false;
    int x = 0;
    int y = 0;
};
NotenbildNote NotenbildNoteAt(double dFrequencyHz, int nHeight);

// The staff: bass lines at y = H − 80 … H − 120 and treble lines at H − 140 … H − 180 (steps of
// 10) from x = 10 to W − 40; ledger lines from x = 110 to 160 at H − 10 … H − 70, H − 130 (middle
// C) and H − 190 … H − 360; treble and bass clef at the left. Then for each peak k = 0 …
// min(list length − 1, c) a filled head 10 × 8 at its note, with a sharp (two vertical and two
// slanted strokes) to its left when it has one.
NotenbildDrawing NotenbildStaffLayout(int nWidth, int nHeight, const NotenbildSettings& settings,
                                      std::span<const NotenbildPeak> peaks);
