// Mode 2 of the note image, "detektierter Notenverlauf": the pitch over time drawn on the grand
// staff of mode 1 (35 pixels per octave, the same staff and clefs), time from left to right, with
// the current note and its deviation in cents written large: a tuner for a choir. A selection's
// track spans the width; live hops advance a few pixels each and start again at the left edge when
// they reach the right one, as the sonogram's columns do, with a cleared stretch ahead of the newest.
#pragma once

#include "NotenbildLayout.h"
#include "NoteNames.h"
#include "PitchTracker.h"

#include <cstdint>
#include <optional>
#include <vector>

constexpr int kPitchTraceLeft = 60;       // x of the first hop, right of the clefs
constexpr int kPitchTraceRightGap = 40;   // the last hop at x = W − 40, where the staff ends
constexpr int kPitchLiveStep = 2;         // pixels per live hop
constexpr int kPitchLiveClearedSteps = 8; // hops left blank ahead of the newest
constexpr int kPitchLabelHeight = 40;     // pixel height of the big note label
constexpr Rgb kPitchTraceColour{0, 0, 255};
constexpr Rgb kPitchLabelColour{200, 0, 0};

// Row of a pitch on the staff's scale, before rounding: y = H − 10 − v with v = 35·log2(f/27.5) + 5,
// so a' (440 Hz) lies in the second space of the treble staff (H − 155) and G (98 Hz) near the
// bottom line of the bass staff (H − 80).
double NotenbildPitchRow(double dFrequencyHz, int nHeight);

// What mode 2 draws. Hops are in time order. For a selection, hop i of n sits at
// x = 60 + i·(W − 100)/(n − 1) (the first at the left, the last at W − 40). Live, hop number s
// (counted since listening began; the newest is nNewest) sits at x = 60 + (s mod c)·2 with
// c = (W − 100)/2 columns, and only the newest c − 8 hops are shown.
struct NotenbildPitchTrace
{
    std::vector<PitchEstimate> hops;
    bool bLive = false;
    std::uint64_t nNewest = 0;  // live: the number of hops.back()
    double dA4Hz = kDefaultA4Hz;
    // The big label: live, the newest hop; for a selection, the median of its voiced hops.
    std::optional<double> label() const;
};

// The staff of mode 1 without notes, the trace as lines (2 pixels thick) between neighbouring
// voiced hops, and the label "a' +3 ct" (NoteLabel) with the frequency in Hz below it at the upper
// right; no label when there is no pitch.
NotenbildDrawing NotenbildPitchLayout(int nWidth, int nHeight, const NotenbildPitchTrace& trace);
