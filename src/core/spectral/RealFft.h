// Fast Fourier transform of N real values (N a power of two), computed in place between the
// output and one scratch buffer without complex numbers: the single source of every spectrum.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

// The tables of one transform length. They depend on N only, so transforms of the same length
// share one read-only copy (see RealFft).
struct RealFftTables
{
    int nLength = 0;   // N
    int nBitCount = 0; // b = floor(ln N / ln 2 + 0.5)
    // Entry i = i with its b low bits reversed.
    std::vector<std::int32_t> bitReversal;
    // 2^(b-1) - 4 values, empty for b <= 3: for each pass level L = 3 .. b-1 a block of
    // 2^(L-1) values cos(i·π/2^L), i = 0 .. 2^(L-1)-1, starting at index 2^(L-1) - 4.
    std::vector<double> cosine;
    double dHalfRootTwo = 0.0; // √2 · 0.5

    explicit RealFftTables(int nLength);
    // The cosine block of pass level L (3 <= L <= b-1).
    const double* cosineBlock(int nLevel) const { return cosine.data() + ((1 << (nLevel - 1)) - 4); }
};

// Packed spectrum layout f of N doubles (output of forward, input of inverse):
//   f[k]       = Σₙ x(n)·cos(2πkn/N)   for k = 0 .. N/2      (real parts)
//   f[N/2 + k] = Σₙ x(n)·sin(2πkn/N)   for k = 1 .. N/2 - 1  (imaginary parts, positive sine sum)
// Bins 0 and N/2 have no imaginary part. Neither direction normalises: inverse(forward(x)) = N·x.
class RealFft
{
public:
    // N must be a power of two from 1 upwards (at most 2^30); anything else throws
    // std::invalid_argument. The tables of lengths up to 65536 are built once per process and
    // shared; the scratch buffer (N doubles, none for N <= 4) belongs to this object.
    explicit RealFft(int nLength);

    int length() const { return m_pTables->nLength; }
    int bitCount() const { return m_pTables->nBitCount; }
    const RealFftTables& tables() const { return *m_pTables; }

    // f = the packed spectrum of x. Both hold at least N values and must not overlap; x is not
    // changed. Throws std::invalid_argument when a span is too short or they overlap.
    void forward(std::span<double> f, std::span<const double> x);
    // x = Σ over the packed spectrum f, so that inverse(forward(x)) = N·x; f is not changed.
    void inverse(std::span<const double> f, std::span<double> x);
    // x[i] *= 1/N for the first N values (1/N computed once).
    void rescale(std::span<double> x) const;

private:
    void forwardPasses(double* f, const double* x);
    void inversePasses(const double* f, double* x);

    std::shared_ptr<const RealFftTables> m_pTables;
    std::vector<double> m_scratch;
};
