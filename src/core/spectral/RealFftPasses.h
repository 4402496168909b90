// The passes of RealFft for b >= 3, one function each, so that the inner loops see unaliased
// source and destination arrays. n = N throughout; every function reads src and writes dst,
// which never overlap. The vector variants do the same operations in the same order as the
// scalar code, so every variant gives bit-identical results.
#pragma once

#include <cstdint>

namespace realfft {

// Passes 1 and 2 together, groups of four: reads x through the bit-reversal table.
void ForwardFirstTwoPasses(double* dst, const double* x, const std::int32_t* bitReversal, int n);
// Pass 3, groups of eight; h = √2/2.
void ForwardEightPointPass(double* dst, const double* src, double h, int n);
// Pass level p (3 .. b-1): joins pairs of 2^p-point spectra into 2^(p+1)-point spectra, with
// c(i) = cos(iπ/2^p) from the level's cosine block and the sine read as c(2^(p-1) - i).
void ForwardLevelPass(double* dst, const double* src, const double* cosine, int level, int n);

// The same passes undone: level p = b-1 down to 3, then the eight-point pass, then passes 2 and 1
// together, writing x through the bit-reversal table.
void InverseLevelPass(double* dst, const double* src, const double* cosine, int level, int n);
void InverseEightPointPass(double* dst, const double* src, double h, int n);
void InverseLastTwoPasses(double* x, const double* src, const std::int32_t* bitReversal, int n);

// The level passes exist in two builds: SSE2 (every x86-64 processor; plain scalar code on other
// machines) and AVX, chosen once per process by what the processor offers. Both are reachable
// here so that tests can hold them against each other.
bool HasAvxLevelPasses();
void ForwardLevelPassBaseline(double* dst, const double* src, const double* cosine, int level, int n);
void InverseLevelPassBaseline(double* dst, const double* src, const double* cosine, int level, int n);
void ForwardLevelPassAvx(double* dst, const double* src, const double* cosine, int level, int n);
void InverseLevelPassAvx(double* dst, const double* src, const double* cosine, int level, int n);

} // namespace realfft
