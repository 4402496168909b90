#include "RealFftPasses.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace realfft {

namespace {

// From this length on, the arrays no longer fit the first-level cache, and the bit-reversed
// passes go through a small buffer (see BlockedForwardFirstTwoPasses).
constexpr int kBlockedFrom = 16384;

#if defined(__SSE2__)
// (v1, v0) from (v0, v1): the pairs read or written at mirrored indices (len - i - 1, len - i).
inline __m128d Reversed(__m128d v)
{
    return _mm_shuffle_pd(v, v, 1);
}
#endif

// Passes 1 and 2 of two neighbouring groups of four: out[0..7] from the inputs in[k·stride],
// k = 0..7, which are x[bitrev[i + k]] for the group start i.
inline void ForwardEightInputs(double* __restrict out, const double* __restrict in, int stride)
{
    const double x0 = in[0], x1 = in[stride], x2 = in[2 * stride], x3 = in[3 * stride];
    const double x4 = in[4 * stride], x5 = in[5 * stride], x6 = in[6 * stride], x7 = in[7 * stride];
    out[1] = x0 - x1;
    out[3] = x2 - x3;
    const double s0 = x0 + x1;
    const double s2 = x2 + x3;
    out[0] = s0 + s2;
    out[2] = s0 - s2;
    out[5] = x4 - x5;
    out[7] = x6 - x7;
    const double s4 = x4 + x5;
    const double s6 = x6 + x7;
    out[4] = s4 + s6;
    out[6] = s4 - s6;
}

// Index i = A·N/8 + M·8 + C (A, C of 3 bits) reverses to rev3(C)·N/8 + rev(M)·8 + rev3(A). So
// for one M, the 64 outputs with A, C = 0..7 need exactly the eight input lines
// x[bitrev[C] + rev(M)·8 .. + 7]. They are copied into a local 8 × 8 block first; reading them
// directly, the eight lines N/8 apart compete for the same cache sets as the output lines.
void BlockedForwardFirstTwoPasses(double* __restrict d, const double* __restrict x,
                                  const std::int32_t* __restrict bitReversal, int n)
{
    const int eighth = n / 8;
    int lineStart[8], column[8]; // bitrev[k] = rev3(k)·N/8 for k < 8
    for (int k = 0; k < 8; ++k) {
        lineStart[k] = bitReversal[k];
        column[k] = bitReversal[k] / eighth;
    }
    alignas(64) double block[64];
    for (int m = 0; m < n / 64; ++m) {
        const int base = bitReversal[m] >> 3; // rev(M)·8
        for (int c = 0; c < 8; ++c) {
            const double* line = x + lineStart[c] + base;
            for (int a = 0; a < 8; ++a)
                block[c * 8 + a] = line[a];
        }
        for (int a = 0; a < 8; ++a) // output line A takes column rev3(A) of the block
            ForwardEightInputs(d + a * eighth + m * 8, block + column[a], 8);
    }
}

// The inverse's last two passes of two neighbouring groups: the eight values of
// s[i .. i+7], in the order they go to x[bitrev[i + k]].
inline void InverseEightOutputs(double* __restrict out, int stride, const double* __restrict s)
{
    for (int g = 0; g < 8; g += 4) {
        const double b0 = s[g] + s[g + 2];
        const double b2 = s[g] - s[g + 2];
        const double b1 = 2.0 * s[g + 1];
        const double b3 = 2.0 * s[g + 3];
        out[g * stride] = b0 + b1;
        out[(g + 1) * stride] = b0 - b1;
        out[(g + 2) * stride] = b2 + b3;
        out[(g + 3) * stride] = b2 - b3;
    }
}

void BlockedInverseLastTwoPasses(double* __restrict x, const double* __restrict s,
                                 const std::int32_t* __restrict bitReversal, int n)
{
    const int eighth = n / 8;
    int lineStart[8], column[8];
    for (int k = 0; k < 8; ++k) {
        lineStart[k] = bitReversal[k];
        column[k] = bitReversal[k] / eighth;
    }
    alignas(64) double block[64];
    for (int m = 0; m < n / 64; ++m) {
        const int base = bitReversal[m] >> 3;
        for (int a = 0; a < 8; ++a)
            InverseEightOutputs(block + column[a], 8, s + a * eighth + m * 8);
        for (int c = 0; c < 8; ++c) {
            double* line = x + lineStart[c] + base;
            for (int a = 0; a < 8; ++a)
                line[a] = block[c * 8 + a];
        }
    }
}

// Level 3 (blocks of 16, i = 1 .. 3) with its three cosines held in registers: the generic
// loop spends more time on its set-up than on these three steps.
void ForwardLevelThree(double* __restrict d, const double* __restrict s, const double* __restrict cosine, int n)
{
    const double c1 = cosine[1], c2 = cosine[2], c3 = cosine[3]; // sine of i = cosine of 4 - i
    for (int c0 = 0; c0 < n; c0 += 16) {
        const double* a = s + c0;
        const double* b = a + 8;
        double* re = d + c0;
        double* im = re + 8;
        re[0] = a[0] + b[0];
        im[0] = a[0] - b[0];
        re[4] = a[4];
        im[4] = b[4];
        const double* ai = a + 4;
        const double* bi = b + 4;
        double v = b[1] * c1 - bi[1] * c3;
        re[1] = a[1] + v;
        re[7] = a[1] - v;
        v = b[1] * c3 + bi[1] * c1;
        im[1] = v + ai[1];
        im[7] = v - ai[1];
        v = b[2] * c2 - bi[2] * c2;
        re[2] = a[2] + v;
        re[6] = a[2] - v;
        v = b[2] * c2 + bi[2] * c2;
        im[2] = v + ai[2];
        im[6] = v - ai[2];
        v = b[3] * c3 - bi[3] * c1;
        re[3] = a[3] + v;
        re[5] = a[3] - v;
        v = b[3] * c1 + bi[3] * c3;
        im[3] = v + ai[3];
        im[5] = v - ai[3];
    }
}

void InverseLevelThree(double* __restrict d, const double* __restrict s, const double* __restrict cosine, int n)
{
    const double c1 = cosine[1], c2 = cosine[2], c3 = cosine[3];
    const double sines[4] = {0.0, c3, c2, c1};
    const double cosines[4] = {0.0, c1, c2, c3};
    for (int c0 = 0; c0 < n; c0 += 16) {
        const double* a = s + c0;
        const double* b = a + 8;
        double* r1 = d + c0;
        double* r2 = r1 + 8;
        double* i1 = r1 + 4;
        double* i2 = r2 + 4;
        r1[0] = a[0] + b[0];
        r2[0] = a[0] - b[0];
        r1[4] = 2.0 * a[4];
        r2[4] = 2.0 * b[4];
        for (int i = 1; i < 4; ++i) { // unrolled by the compiler: constant bounds
            const double bm = a[8 - i];
            const double bn = b[8 - i];
            r1[i] = a[i] + bm;
            i1[i] = b[i] - bn;
            const double vr = a[i] - bm;
            const double vi = b[i] + bn;
            r2[i] = vr * cosines[i] + vi * sines[i];
            i2[i] = vi * cosines[i] - vr * sines[i];
        }
    }
}

const bool kUseAvx = HasAvxLevelPasses();

} // namespace

void ForwardFirstTwoPasses(double* __restrict d, const double* __restrict x,
                           const std::int32_t* __restrict bitReversal, int n)
{
    if (n >= kBlockedFrom) {
        BlockedForwardFirstTwoPasses(d, x, bitReversal, n);
        return;
    }
    // The groups of four are independent; they are taken two at a time (i and i + 4) in the order
    // i = bitrev[m], m = 0 .. N/8 - 1. For that i, bitrev[i + k] = m + bitrev[k] (k < 8), so the
    // eight inputs come from eight ascending streams of x.
    const std::int32_t r0 = bitReversal[0], r1 = bitReversal[1], r2 = bitReversal[2], r3 = bitReversal[3];
    const std::int32_t r4 = bitReversal[4], r5 = bitReversal[5], r6 = bitReversal[6], r7 = bitReversal[7];
    for (int m = 0; m < n / 8; ++m) {
        const double* p = x + m;
        const double in[8] = {p[r0], p[r1], p[r2], p[r3], p[r4], p[r5], p[r6], p[r7]};
        ForwardEightInputs(d + bitReversal[m], in, 1);
    }
}

void ForwardEightPointPass(double* __restrict s, const double* __restrict d, double h, int n)
{
    for (int i = 0; i < n; i += 8) {
        s[i] = d[i] + d[i + 4];
        s[i + 4] = d[i] - d[i + 4];
        s[i + 2] = d[i + 2];
        s[i + 6] = d[i + 6];
        double v = (d[i + 5] - d[i + 7]) * h;
        s[i + 1] = d[i + 1] + v;
        s[i + 3] = d[i + 1] - v;
        v = (d[i + 5] + d[i + 7]) * h;
        s[i + 5] = v + d[i + 3];
        s[i + 7] = v - d[i + 3];
    }
}

void ForwardLevelPass(double* dst, const double* src, const double* cosine, int level, int n)
{
    if (kUseAvx)
        ForwardLevelPassAvx(dst, src, cosine, level, n);
    else
        ForwardLevelPassBaseline(dst, src, cosine, level, n);
}

void InverseLevelPass(double* dst, const double* src, const double* cosine, int level, int n)
{
    if (kUseAvx)
        InverseLevelPassAvx(dst, src, cosine, level, n);
    else
        InverseLevelPassBaseline(dst, src, cosine, level, n);
}

void ForwardLevelPassBaseline(double* __restrict d, const double* __restrict s, const double* __restrict cosine,
                              int level, int n)
{
    if (level == 3) {
        ForwardLevelThree(d, s, cosine, n);
        return;
    }
    const int len = 1 << level; // the source spectra's length
    const int half = len / 2;
    for (int c0 = 0; c0 < n; c0 += 2 * len) {
        const double* a = s + c0;  // first source spectrum: real parts, then imaginary parts at half
        const double* b = a + len; // second source spectrum
        double* re = d + c0;       // real parts of the joined spectrum
        double* im = re + len;     // its imaginary parts (im[-i] = re[len - i])
        re[0] = a[0] + b[0];
        im[0] = a[0] - b[0];
        re[half] = a[half];
        im[half] = b[half];
        const double* ai = a + half;
        const double* bi = b + half;
        int i = 1;
#if defined(__SSE2__)
        // Two neighbouring i at a time (1 .. half-2 is an even count); mirrored entries are
        // read and written as reversed pairs.
        for (; i + 1 < half; i += 2) {
            const __m128d c = _mm_loadu_pd(cosine + i);
            const __m128d sn = Reversed(_mm_loadu_pd(cosine + half - i - 1));
            const __m128d bv = _mm_loadu_pd(b + i);
            const __m128d biv = _mm_loadu_pd(bi + i);
            const __m128d av = _mm_loadu_pd(a + i);
            const __m128d aiv = _mm_loadu_pd(ai + i);
            const __m128d v = _mm_sub_pd(_mm_mul_pd(bv, c), _mm_mul_pd(biv, sn));
            _mm_storeu_pd(re + i, _mm_add_pd(av, v));
            _mm_storeu_pd(re + len - i - 1, Reversed(_mm_sub_pd(av, v)));
            const __m128d w = _mm_add_pd(_mm_mul_pd(bv, sn), _mm_mul_pd(biv, c));
            _mm_storeu_pd(im + i, _mm_add_pd(w, aiv));
            _mm_storeu_pd(im + len - i - 1, Reversed(_mm_sub_pd(w, aiv)));
        }
#endif
        for (; i < half; ++i) {
            const double c = cosine[i];
            const double sn = cosine[half - i];
            double v = b[i] * c - bi[i] * sn;
            re[i] = a[i] + v;
            re[len - i] = a[i] - v;
            v = b[i] * sn + bi[i] * c;
            im[i] = v + ai[i];
            im[len - i] = v - ai[i];
        }
    }
}

void InverseLevelPassBaseline(double* __restrict d, const double* __restrict s, const double* __restrict cosine,
                              int level, int n)
{
    if (level == 3) {
        InverseLevelThree(d, s, cosine, n);
        return;
    }
    const int len = 1 << level;
    const int half = len / 2;
    for (int c0 = 0; c0 < n; c0 += 2 * len) {
        const double* a = s + c0;  // A: real parts
        const double* b = a + len; // B: imaginary parts, B[-i] = a[len - i]
        double* r1 = d + c0;
        double* r2 = r1 + len;
        double* i1 = r1 + half;
        double* i2 = r2 + half;
        r1[0] = a[0] + b[0];
        r2[0] = a[0] - b[0];
        r1[half] = 2.0 * a[half];
        r2[half] = 2.0 * b[half];
        int i = 1;
#if defined(__SSE2__)
        for (; i + 1 < half; i += 2) {
            const __m128d c = _mm_loadu_pd(cosine + i);
            const __m128d sn = Reversed(_mm_loadu_pd(cosine + half - i - 1));
            const __m128d av = _mm_loadu_pd(a + i);
            const __m128d bv = _mm_loadu_pd(b + i);
            const __m128d bm = Reversed(_mm_loadu_pd(a + len - i - 1));
            const __m128d bn = Reversed(_mm_loadu_pd(b + len - i - 1));
            _mm_storeu_pd(r1 + i, _mm_add_pd(av, bm));
            _mm_storeu_pd(i1 + i, _mm_sub_pd(bv, bn));
            const __m128d vr = _mm_sub_pd(av, bm);
            const __m128d vi = _mm_add_pd(bv, bn);
            _mm_storeu_pd(r2 + i, _mm_add_pd(_mm_mul_pd(vr, c), _mm_mul_pd(vi, sn)));
            _mm_storeu_pd(i2 + i, _mm_sub_pd(_mm_mul_pd(vi, c), _mm_mul_pd(vr, sn)));
        }
#endif
        for (; i < half; ++i) {
            const double c = cosine[i];
            const double sn = cosine[half - i];
            const double bm = a[len - i]; // B[-i]
            const double bn = b[len - i]; // B[n-i]
            r1[i] = a[i] + bm;
            i1[i] = b[i] - bn;
            const double vr = a[i] - bm;
            const double vi = b[i] + bn;
            r2[i] = vr * c + vi * sn;
            i2[i] = vi * c - vr * sn;
        }
    }
}

void InverseEightPointPass(double* __restrict d, const double* __restrict s, double h, int n)
{
    for (int i = 0; i < n; i += 8) {
        d[i] = s[i] + s[i + 4];
        d[i + 4] = s[i] - s[i + 4];
        d[i + 2] = 2.0 * s[i + 2];
        d[i + 6] = 2.0 * s[i + 6];
        d[i + 1] = s[i + 1] + s[i + 3];
        d[i + 3] = s[i + 5] - s[i + 7];
        const double vr = s[i + 1] - s[i + 3];
        const double vi = s[i + 5] + s[i + 7];
        d[i + 5] = (vr + vi) * h;
        d[i + 7] = (vi - vr) * h;
    }
}

void InverseLastTwoPasses(double* __restrict x, const double* __restrict s,
                          const std::int32_t* __restrict bitReversal, int n)
{
    if (n >= kBlockedFrom) {
        BlockedInverseLastTwoPasses(x, s, bitReversal, n);
        return;
    }
    // Two groups of four (i = bitrev[m] and i + 4) at a time, as in the forward direction:
    // x[bitrev[i + k]] = x[m + bitrev[k]].
    const std::int32_t r0 = bitReversal[0], r1 = bitReversal[1], r2 = bitReversal[2], r3 = bitReversal[3];
    const std::int32_t r4 = bitReversal[4], r5 = bitReversal[5], r6 = bitReversal[6], r7 = bitReversal[7];
    for (int m = 0; m < n / 8; ++m) {
        double out[8];
        InverseEightOutputs(out, 1, s + bitReversal[m]);
        double* p = x + m;
        p[r0] = out[0];
        p[r1] = out[1];
        p[r2] = out[2];
        p[r3] = out[3];
        p[r4] = out[4];
        p[r5] = out[5];
        p[r6] = out[6];
        p[r7] = out[7];
    }
}

} // namespace realfft
