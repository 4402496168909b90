// The document's frame spectrum (magnitudes, autocorrelation, first-minimum lag) and the window
// spectrum of the sonogram and the waterfall, both computed with RealFft.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

// From the signal frame (its first N values, zero-padded to N when shorter) with X(k) the
// packed forward transform of that frame:
//   spectrum[k] = |X(k)| / N                       k = 0 .. N/2 (resized to N/2 + 1)
//   autoCorr[m] = R(m) / N²,  R(m) = Σₙ c(n)·c((n+m) mod N)   m = 0 .. N/2 (resized to N/2 + 1)
// with c(n) = x(n) − centre for the frame's samples and 0 in the padding, and firstMinLag by
// UpdateFirstMinimumLag. The centre is the value silence has: 128 for 8-bit data (unsigned
// bytes), 0 for signed data; the spectrum is that of the samples as they are. So a sine of
// amplitude A on bin k gives A/2 there, a constant c gives c in bin 0, and an empty frame gives
// zeros (leaving firstMinLag as it was). N must be a power of two (RealFft throws
// std::invalid_argument otherwise). The document calls it with m_arSignal, N, m_arSpectrum,
// m_arAutoCorr, m_nFirstMinLag and the centre of its data.
void ComputeFrameSpectrum(std::span<const double> signal, int nFFTSize, std::vector<double>& spectrum,
                          std::vector<double>& autoCorr, int& firstMinLag, double centre = 0.0);

// The lag of the autocorrelation's first minimum: when r[0] > 0, the first m from 0 on with
// r[m] < r[m+1] or r[m+1] <= 0, or the last lag when there is none. When r[0] <= 0 (an all-zero
// frame) or r is empty, firstMinLag keeps its value.
void UpdateFirstMinimumLag(std::span<const double> autoCorr, int& firstMinLag);

// out[k] = |X(k)| / N for k = 0 .. N/2 (resized to N/2 + 1), X the transform of
// source[start .. start+N-1]. Returns false and leaves out unchanged when N exceeds the source's
// length, and likewise when the stretch would run past its end. N must be a power of two.
bool ComputeWindowSpectrum(std::span<const double> source, std::size_t start, int nFFTSize,
                           std::vector<double>& out);
