// RealFft against a plain O(N²) discrete Fourier transform for every power of two from 1 to
// 32768, the round trip, the refusals and the two builds of the level passes.
#include "core/spectral/RealFft.h"
#include "core/spectral/RealFftPasses.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdint>
#include <stdexcept>
#include <vector>

// Deterministic test signal in the 16-bit range with a DC offset, so bin 0 and N/2 matter too.
static std::vector<double> TestSignal(int n, std::uint32_t seed)
{
    std::vector<double> x(static_cast<std::size_t>(n));
    for (double& v : x)
        v = static_cast<double>((seed = seed * 1664525u + 1013904223u) >> 16) - 30000.0;
    return x;
}

// The packed layout straight from its definition: real parts Σ x·cos, imaginary parts Σ x·sin,
// with e^(i·2πj/N) taken in long double for the exact index j = kn mod N.
static std::vector<double> PlainDft(const std::vector<double>& x)
{
    const std::size_t n = x.size(), half = n / 2;
    std::vector<std::complex<double>> roots(n);
    for (std::size_t j = 0; j < n; ++j)
        roots[j] = std::polar(1.0L, 2.0L * 3.14159265358979323846264338327950288L * j / n);
    std::vector<double> f(n, 0.0);
    for (std::size_t k = 0; k <= half && k < n; ++k) {
        std::complex<double> sum = 0.0;
        for (std::size_t m = 0; m < n; ++m)
            sum += x[m] * roots[(k * m) & (n - 1)];
        f[k] = sum.real();
        if (k > 0 && k < half)
            f[half + k] = sum.imag();
    }
    return f;
}

TEST(RealFft, ForwardIsThePlainDftAndInverseBringsBackNTimesTheInputForEveryLength)
{
    for (int n = 1; n <= 32768; n *= 2) {
        SCOPED_TRACE(testing::Message() << "N = " << n);
        const std::vector<double> x = TestSignal(n, 17u + static_cast<std::uint32_t>(n));
        const double tolerance = 1e-9 * 40000.0; // 40000 is above every |x(n)|
        RealFft fft(n);
        std::vector<double> f(x.size(), -1.0), back(x.size(), 7.0);
        fft.forward(f, x);
        const std::vector<double> expected = PlainDft(x);
        for (std::size_t k = 0; k < x.size(); ++k)
            ASSERT_NEAR(f[k], expected[k], n * tolerance) << "packed index " << k;
        fft.inverse(f, back);
        for (std::size_t i = 0; i < x.size(); ++i)
            ASSERT_NEAR(back[i], n * x[i], n * tolerance) << "index " << i;
        fft.rescale(back); // by 1/N, each value
        EXPECT_TRUE(std::fabs(back.front() - x.front()) < tolerance && std::fabs(back.back() - x.back()) < tolerance);
    }
}

TEST(RealFft, RefusesBadLengthsAndShortOrOverlappingArrays)
{
    for (int n : {0, -8, 3, 6, 1000, 1025})
        EXPECT_THROW(RealFft{n}, std::invalid_argument) << n;
    RealFft fft(8);
    std::vector<double> x(8, 1.0), f(8), shortArray(7);
    EXPECT_THROW(fft.forward(shortArray, x), std::invalid_argument);
    EXPECT_THROW(fft.forward(f, shortArray), std::invalid_argument);
    EXPECT_THROW(fft.forward(x, x), std::invalid_argument); // overlapping
}

TEST(RealFft, VectorAndScalarLevelPassesAgree)
{
    // The processor decides which build of the level passes the transform uses; both must give
    // the same numbers, so each is run here on the same data for every level of N = 4096.
    if (!realfft::HasAvxLevelPasses())
        GTEST_SKIP() << "no AVX on this processor: only the baseline build runs";
    RealFft fft(4096);
    const std::vector<double> src = TestSignal(4096, 5u);
    for (int level = 3; level < fft.bitCount(); ++level) {
        std::vector<double> avx(4096, 1e300), base(4096, -1e300);
        realfft::ForwardLevelPassAvx(avx.data(), src.data(), fft.tables().cosineBlock(level), level, 4096);
        realfft::ForwardLevelPassBaseline(base.data(), src.data(), fft.tables().cosineBlock(level), level, 4096);
        EXPECT_EQ(avx, base) << "forward level " << level;
        realfft::InverseLevelPassAvx(avx.data(), src.data(), fft.tables().cosineBlock(level), level, 4096);
        realfft::InverseLevelPassBaseline(base.data(), src.data(), fft.tables().cosineBlock(level), level, 4096);
        EXPECT_EQ(avx, base) << "inverse level " << level;
    }
}
