// The level passes of RealFft with AVX: four neighbouring i at a time, then the SSE2 pair and
// the scalar rest exactly as in the baseline. Compiled for AVX by function attribute only, and
// called only when the processor reports AVX (no fused multiply-add, so results stay identical
// to the baseline's).
#include "RealFftPasses.h"

#if defined(__x86_64__) || defined(__i386__)
#define RESONI_FFT_AVX 1
#include <immintrin.h>
#endif

namespace realfft {

#if defined(RESONI_FFT_AVX)

namespace {

__attribute__((target("avx"))) inline __m256d Reversed4(__m256d v)
{
    return _mm256_permute_pd(_mm256_permute2f128_pd(v, v, 1), 5); // (v3, v2, v1, v0)
}

__attribute__((target("avx"))) inline __m128d Reversed2(__m128d v)
{
    return _mm_shuffle_pd(v, v, 1);
}

} // namespace

bool HasAvxLevelPasses()
{
    __builtin_cpu_init(); // may run from a static initialiser, before the library's own
    return __builtin_cpu_supports("avx") != 0;
}

// Four neighbouring i at a time over i = 0 .. half-1 (half >= 4 is a multiple of four), so no
// scalar rest is left. In the first quad, lane 0 runs the i = 0 step with cos 0 = 1 and sin 0 = 0:
// V = (b0, v1, v2, v3), so A + V holds R[0] = A[0] + B[0], and A - V holds I[0] = A[0] - B[0]
// in the lane that the reversed store puts at re[len] = im[0]. Lane 0 of W + Ai is not needed;
// it is stored first and then overwritten by that reversed store.
__attribute__((target("avx"))) void ForwardLevelPassAvx(double* __restrict d, const double* __restrict s,
                                                        const double* __restrict cosine, int level, int n)
{
    const int len = 1 << level;
    const int half = len / 2;
    const __m256d firstSines = _mm256_set_pd(cosine[half - 3], cosine[half - 2], cosine[half - 1], 0.0);
    for (int c0 = 0; c0 < n; c0 += 2 * len) {
        const double* a = s + c0;
        const double* b = a + len;
        double* re = d + c0;
        double* im = re + len;
        const double* ai = a + half;
        const double* bi = b + half;
        const double aHalf = a[half];
        const double bHalf = b[half];
        for (int i = 0; i < half; i += 4) {
            const __m256d c = _mm256_loadu_pd(cosine + i);
            const __m256d sn = i == 0 ? firstSines : Reversed4(_mm256_loadu_pd(cosine + half - i - 3));
            const __m256d bv = _mm256_loadu_pd(b + i);
            const __m256d biv = _mm256_loadu_pd(bi + i);
            const __m256d av = _mm256_loadu_pd(a + i);
            const __m256d aiv = _mm256_loadu_pd(ai + i);
            const __m256d v = _mm256_sub_pd(_mm256_mul_pd(bv, c), _mm256_mul_pd(biv, sn));
            const __m256d w = _mm256_add_pd(_mm256_mul_pd(bv, sn), _mm256_mul_pd(biv, c));
            _mm256_storeu_pd(re + i, _mm256_add_pd(av, v));
            _mm256_storeu_pd(im + i, _mm256_add_pd(w, aiv));
            _mm256_storeu_pd(re + len - i - 3, Reversed4(_mm256_sub_pd(av, v)));
            const __m256d wm = Reversed4(_mm256_sub_pd(w, aiv));
            if (i == 0) { // im[len - 3 .. len - 1] only: im[len] belongs to the next block
                _mm_storeu_pd(im + len - 3, _mm256_castpd256_pd128(wm));
                im[len - 1] = _mm_cvtsd_f64(_mm256_extractf128_pd(wm, 1));
            } else {
                _mm256_storeu_pd(im + len - i - 3, wm);
            }
        }
        re[half] = aHalf;
        im[half] = bHalf;
    }
}

__attribute__((target("avx"))) void InverseLevelPassAvx(double* __restrict d, const double* __restrict s,
                                                        const double* __restrict cosine, int level, int n)
{
    if (level == 3) {
        InverseLevelPassBaseline(d, s, cosine, level, n); // its unrolled level-3 loop
        return;
    }
    const int len = 1 << level;
    const int half = len / 2;
    for (int c0 = 0; c0 < n; c0 += 2 * len) {
        const double* a = s + c0;
        const double* b = a + len;
        double* r1 = d + c0;
        double* r2 = r1 + len;
        double* i1 = r1 + half;
        double* i2 = r2 + half;
        r1[0] = a[0] + b[0];
        r2[0] = a[0] - b[0];
        r1[half] = 2.0 * a[half];
        r2[half] = 2.0 * b[half];
        int i = 1;
        for (; i + 3 < half; i += 4) {
            const __m256d c = _mm256_loadu_pd(cosine + i);
            const __m256d sn = Reversed4(_mm256_loadu_pd(cosine + half - i - 3));
            const __m256d av = _mm256_loadu_pd(a + i);
            const __m256d bv = _mm256_loadu_pd(b + i);
            const __m256d bm = Reversed4(_mm256_loadu_pd(a + len - i - 3));
            const __m256d bn = Reversed4(_mm256_loadu_pd(b + len - i - 3));
            _mm256_storeu_pd(r1 + i, _mm256_add_pd(av, bm));
            _mm256_storeu_pd(i1 + i, _mm256_sub_pd(bv, bn));
            const __m256d vr = _mm256_sub_pd(av, bm);
            const __m256d vi = _mm256_add_pd(bv, bn);
            _mm256_storeu_pd(r2 + i, _mm256_add_pd(_mm256_mul_pd(vr, c), _mm256_mul_pd(vi, sn)));
            _mm256_storeu_pd(i2 + i, _mm256_sub_pd(_mm256_mul_pd(vi, c), _mm256_mul_pd(vr, sn)));
        }
        for (; i + 1 < half; i += 2) {
            const __m128d c = _mm_loadu_pd(cosine + i);
            const __m128d sn = Reversed2(_mm_loadu_pd(cosine + half - i - 1));
            const __m128d av = _mm_loadu_pd(a + i);
            const __m128d bv = _mm_loadu_pd(b + i);
            const __m128d bm = Reversed2(_mm_loadu_pd(a + len - i - 1));
            const __m128d bn = Reversed2(_mm_loadu_pd(b + len - i - 1));
            _mm_storeu_pd(r1 + i, _mm_add_pd(av, bm));
            _mm_storeu_pd(i1 + i, _mm_sub_pd(bv, bn));
            const __m128d vr = _mm_sub_pd(av, bm);
            const __m128d vi = _mm_add_pd(bv, bn);
            _mm_storeu_pd(r2 + i, _mm_add_pd(_mm_mul_pd(vr, c), _mm_mul_pd(vi, sn)));
            _mm_storeu_pd(i2 + i, _mm_sub_pd(_mm_mul_pd(vi, c), _mm_mul_pd(vr, sn)));
        }
        for (; i < half; ++i) {
            const double c = cosine[i];
            const double sn = cosine[half - i];
            const double bm = a[len - i];
            const double bn = b[len - i];
            r1[i] = a[i] + bm;
            i1[i] = b[i] - bn;
            const double vr = a[i] - bm;
            const double vi = b[i] + bn;
            r2[i] = vr * c + vi * sn;
            i2[i] = vi * c - vr * sn;
        }
    }
}

#else // not x86: the baseline serves both names

bool HasAvxLevelPasses()
{
    return false;
}

void ForwardLevelPassAvx(double* dst, const double* src, const double* cosine, int level, int n)
{
    ForwardLevelPassBaseline(dst, src, cosine, level, n);
}

void InverseLevelPassAvx(double* dst, const double* src, const double* cosine, int level, int n)
{
    InverseLevelPassBaseline(dst, src, cosine, level, n);
}

#endif

} // namespace realfft
