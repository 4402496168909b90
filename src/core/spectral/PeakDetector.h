// Peak detection of the FFT view and the peak list it hands to the note image: candidates by
// rise, plateau and fall, the 20 % drop rule, the −80 dBr floor, the exact frequency and level of
// each detected peak, merging of peaks closer than a minimum pixel distance, the user's edits,
// and the level rules of the note image.
#pragma once

#include "FFTPlotMapping.h"
#include "core/common/PlotPrimitives.h"

#include <cstddef>
#include <optional>
#include <span>
#include <utility>
#include <vector>

// Frequency of bin k of a spectrum of N/2 + 1 bins, truncated to whole Hz as the view uses it:
// trunc(k·fs/N), N = 2·(bins − 1).
double BinFrequencyHz(std::size_t k, int nSampleRate, std::size_t nBins);
// The first bin k >= 1 whose whole-Hz frequency lies above the lower cut (bins at or below it
// are skipped); nBins when there is none.
std::size_t FirstBinAboveCut(std::size_t nBins, int nSampleRate, double dLowerCutHz);

// Bins p of the peaks in m[firstBin ..]: walking on, a climb (rise = bins climbed), a plateau of
// equal values and a descent (fall) make a candidate when rise + plateau > 0 and fall > 0; p is
// the last bin before the descent, v = m[p]. With left = m[max(p − D, 0)] and
// right = m[min(p + D, last)], it is a peak when (right < 0.2·v or left < 0.2·v) and
// v > 0.0001·F (−80 dBr). Ascending.
std::vector<std::size_t> FindPeakBins(std::span<const double> magnitudes, std::size_t firstBin, int nDropDistance,
                                      double dFullScale);

// A detected peak's frequency in Hz and its magnitude (in the spectrum's units), exact for a
// single steady sine under the rectangular window of the frame transform.
struct ExactPeak
{
    double dFrequencyHz = 0;
    double dMagnitude = 0;
};

// The peak at bin p of N/2 + 1 magnitudes M (N = 2·(bins − 1)) refined from its larger neighbour
// q = p ± 1 (the one that exists at either end; p − 1 on a tie): δ = ±M[q]/(M[p] + M[q]),
// f = (p + δ)·fs/N, A = M[p]·πδ/sin(πδ). δ = 0 (f on the bin, A = M[p]) when M[p] + M[q] is not
// positive. A sine between bins k and k + 1 has M ∝ |sin(πd)/(πd)| at distance d, hence the ratio.
ExactPeak RefinePeak(std::span<const double> magnitudes, std::size_t p, double dSampleRate);

// The exact values of a peak list's entries, index for index: set for detected peaks, empty for
// the framing points and the points the user adds (those keep the frequency of their pixel).
using PeakValues = std::vector<std::optional<ExactPeak>>;

// Merges neighbours closer than the minimum distance, from index `first` on (the framing start
// point before it takes no part): while x(b) − distance <= x(a) for neighbours a, b, the lower of
// the two (larger y; b on a tie) is removed and the comparison repeats at the same position.
// values, when given, holds one entry per peak and loses the same entries.
void MergeClosePeaks(std::vector<PlotPoint>& peaks, std::size_t first, int nMinDistance,
                     PeakValues* values = nullptr);

// Replays the user's edits in order: an entry (k, 0) removes the k-th point of the list (if it
// exists); any other (x, y) is inserted before the first point whose x is not smaller (at the end
// when there is none). values, when given, follows: removed with its point, empty for an insertion.
void ReplayPeakEdits(std::vector<PlotPoint>& peaks, const std::vector<PlotPoint>& edits,
                     PeakValues* values = nullptr);

// The whole peak list of one repaint: (20, H − 20), the detected peaks at (x(p) + 1, y(m[p])),
// merged, the edits replayed, and the end point (W, H − 20). Drawing positions come from the bin
// as above; values receives each entry's exact values (RefinePeak) for the detected peaks.
std::vector<PlotPoint> BuildPeakList(std::span<const double> magnitudes, int nSampleRate, const FFTPlotMapping& mapping,
                                     int nDropDistance, int nMinDistance, const std::vector<PlotPoint>& edits,
                                     PeakValues& values);

// The note image's rule for a peak at f Hz with the given level in dBr: above −96 dBr, and also
// above −50 dBr below 1000 Hz, above −70 dBr from 1000 Hz to below 5000 Hz.
bool NoteImageKeepsPeak(double dFrequencyHz, double dLevelDbr);

// The peak list as the note image receives it (the document's m_arMaxima): every point between
// the framing start and end points whose x is above 20, as (frequency in Hz, level in dBr): the
// exact values where `values` has them (level 20·log10(A/F)), else by the inverse mappings of its
// pixel; kept by NoteImageKeepsPeak, in ascending frequency.
std::vector<std::pair<double, double>> NoteImagePeaks(const std::vector<PlotPoint>& peakList,
                                                      const FFTPlotMapping& mapping, const PeakValues& values = {});
