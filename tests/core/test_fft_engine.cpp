// RealFft against a plain O(N²) discrete Fourier transform for every power of two from 1 to
// 32768, the packed layout on known-answer signals, the round trip and the tables.
#include "core/spectral/RealFft.h"
#include "core/spectral/RealFftPasses.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace {

// Deterministic test signal in the 16-bit range with a DC offset, so bin 0 and N/2 matter too.
std::vector<double> TestSignal(int n, std::uint32_t seed)
{
    std::vector<double> x(static_cast<std::size_t>(n));
    std::uint32_t state = seed;
    for (double& v : x) {
        state = state * 1664525u + 1013904223u;
        v = static_cast<double>(state >> 16) - 30000.0;
    }
    return x;
}

// The packed layout straight from its definition: real parts Σ x·cos, imaginary parts Σ x·sin,
// with the angle 2πkn/N reduced to an exact table index (kn mod N).
std::vector<double> PlainDft(const std::vector<double>& x)
{
    const std::size_t n = x.size();
    std::vector<double> cosTable(n), sinTable(n);
    for (std::size_t j = 0; j < n; ++j) {
        const long double angle = 2.0L * 3.14159265358979323846264338327950288L * static_cast<long double>(j) /
                                  static_cast<long double>(n);
        cosTable[j] = static_cast<double>(std::cos(angle));
        sinTable[j] = static_cast<double>(std::sin(angle));
    }
    std::vector<double> f(n, 0.0);
    const std::size_t half = n / 2;
    for (std::size_t k = 0; k <= half && k < n; ++k) {
        double re = 0.0, im = 0.0;
        std::size_t index = 0;
        for (std::size_t m = 0; m < n; ++m) {
            re += x[m] * cosTable[index];
            im += x[m] * sinTable[index];
            index += k;
            if (index >= n)
                index -= n;
        }
        f[k] = re;
        if (k > 0 && k < half)
            f[half + k] = im;
    }
    return f;
}

double LargestMagnitude(const std::vector<double>& v)
{
    double m = 0.0;
    for (double a : v)
        m = std::max(m, std::fabs(a));
    return m;
}

} // namespace

class RealFftEveryLength : public ::testing::TestWithParam<int>
{
};

TEST_P(RealFftEveryLength, ForwardEqualsThePlainDft)
{
    const int n = GetParam();
    const std::vector<double> x = TestSignal(n, 17u + static_cast<std::uint32_t>(n));
    const std::vector<double> xCopy = x;
    RealFft fft(n);
    std::vector<double> f(static_cast<std::size_t>(n), -1.0);
    fft.forward(f, x);
    EXPECT_EQ(x, xCopy) << "forward changed its input";

    const std::vector<double> expected = PlainDft(x);
    const double tolerance = 1e-9 * LargestMagnitude(expected);
    for (int k = 0; k < n; ++k)
        ASSERT_NEAR(f[static_cast<std::size_t>(k)], expected[static_cast<std::size_t>(k)], tolerance)
            << "N = " << n << ", packed index " << k;
}

TEST_P(RealFftEveryLength, InverseOfForwardIsNTimesTheInput)
{
    const int n = GetParam();
    const std::vector<double> x = TestSignal(n, 99u + static_cast<std::uint32_t>(n));
    RealFft fft(n);
    std::vector<double> f(static_cast<std::size_t>(n)), back(static_cast<std::size_t>(n));
    fft.forward(f, x);
    const std::vector<double> fCopy = f;
    fft.inverse(f, back);
    EXPECT_EQ(f, fCopy) << "inverse changed its input";
    const double tolerance = 1e-9 * static_cast<double>(n) * LargestMagnitude(x);
    for (int i = 0; i < n; ++i)
        ASSERT_NEAR(back[static_cast<std::size_t>(i)], static_cast<double>(n) * x[static_cast<std::size_t>(i)], tolerance)
            << "N = " << n << ", index " << i;
    fft.rescale(back);
    const double rescaledTolerance = 1e-9 * LargestMagnitude(x);
    for (int i = 0; i < n; ++i)
        ASSERT_NEAR(back[static_cast<std::size_t>(i)], x[static_cast<std::size_t>(i)], rescaledTolerance)
            << "N = " << n << ", index " << i;
}

INSTANTIATE_TEST_SUITE_P(PowersOfTwo, RealFftEveryLength,
                         ::testing::Values(1, 2, 4, 8, 16, 32, 64, 128, 256, 512, 1024, 2048, 4096, 8192, 16384,
                                           32768),
                         [](const ::testing::TestParamInfo<int>& param) { return "N" + std::to_string(param.param); });

TEST(RealFft, SpecialLengthsFollowTheirClosedForms)
{
    std::vector<double> f(4);
    RealFft four(4);
    four.forward(f, std::vector<double>{1.0, 2.0, 4.0, 8.0});
    EXPECT_EQ(f, (std::vector<double>{15.0, -3.0, -5.0, -6.0})); // x0+x1+x2+x3, x0-x2, x0-x1+x2-x3, x1-x3
    std::vector<double> x(4);
    four.inverse(f, x);
    EXPECT_EQ(x, (std::vector<double>{4.0, 8.0, 16.0, 32.0}));

    RealFft two(2);
    std::vector<double> f2(2), x2(2);
    two.forward(f2, std::vector<double>{3.0, 5.0});
    EXPECT_EQ(f2, (std::vector<double>{8.0, -2.0}));
    two.inverse(f2, x2);
    EXPECT_EQ(x2, (std::vector<double>{6.0, 10.0}));

    RealFft one(1);
    std::vector<double> f1(1), x1(1);
    one.forward(f1, std::vector<double>{-7.5});
    EXPECT_EQ(f1[0], -7.5);
    one.inverse(f1, x1);
    EXPECT_EQ(x1[0], -7.5);
}

TEST(RealFft, ImaginaryPartsArePositiveSineSums)
{
    // x(n) = sin(2π·3n/16): Σ x·sin = N/2 at bin 3, so f[N/2 + 3] = +8, and all else ~0.
    const int n = 16;
    std::vector<double> x(n), f(n);
    for (int i = 0; i < n; ++i)
        x[static_cast<std::size_t>(i)] = std::sin(2.0 * M_PI * 3.0 * i / n);
    RealFft fft(n);
    fft.forward(f, x);
    for (int k = 0; k < n; ++k)
        EXPECT_NEAR(f[static_cast<std::size_t>(k)], k == n / 2 + 3 ? 8.0 : 0.0, 1e-12) << "index " << k;
}

TEST(RealFft, TablesHoldReversedIndicesAndCosineBlocks)
{
    RealFft fft(32);
    const RealFftTables& t = fft.tables();
    EXPECT_EQ(t.nLength, 32);
    EXPECT_EQ(t.nBitCount, 5);
    EXPECT_DOUBLE_EQ(t.dHalfRootTwo, std::sqrt(2.0) / 2.0);
    const std::vector<std::int32_t> expected = {0, 16, 8, 24, 4, 20, 12, 28, 2, 18, 10, 26, 6, 22, 14, 30,
                                                1, 17, 9, 25, 5, 21, 13, 29, 3, 19, 11, 27, 7, 23, 15, 31};
    EXPECT_EQ(t.bitReversal, expected);
    // Levels 3 and 4: 4 + 8 = 2^(5-1) - 4 values; level L's block starts at 2^(L-1) - 4.
    ASSERT_EQ(t.cosine.size(), 12u);
    for (int i = 0; i < 4; ++i)
        EXPECT_DOUBLE_EQ(t.cosine[static_cast<std::size_t>(i)], std::cos(i * M_PI / 8.0)) << i;
    for (int i = 0; i < 8; ++i)
        EXPECT_DOUBLE_EQ(t.cosine[static_cast<std::size_t>(4 + i)], std::cos(i * M_PI / 16.0)) << i;
    EXPECT_EQ(t.cosineBlock(4), t.cosine.data() + 4);

    EXPECT_TRUE(RealFft(8).tables().cosine.empty());
    EXPECT_EQ(RealFft(1).tables().nBitCount, 0);
    EXPECT_EQ(RealFft(1 << 15).tables().nBitCount, 15);
}

TEST(RealFft, RefusesLengthsThatAreNoPowerOfTwo)
{
    for (int n : {0, -8, 3, 6, 1000, 1025})
        EXPECT_THROW(RealFft{n}, std::invalid_argument) << n;
}

TEST(RealFft, RefusesShortOrOverlappingArrays)
{
    RealFft fft(8);
    std::vector<double> x(8, 1.0), f(8), shortArray(7);
    EXPECT_THROW(fft.forward(shortArray, x), std::invalid_argument);
    EXPECT_THROW(fft.forward(f, shortArray), std::invalid_argument);
    EXPECT_THROW(fft.forward(x, x), std::invalid_argument);
    EXPECT_THROW(fft.inverse(x, x), std::invalid_argument);
    EXPECT_THROW(fft.inverse(shortArray, x), std::invalid_argument);
}

TEST(RealFft, RescaleMultipliesByOneOverN)
{
    RealFft fft(8);
    std::vector<double> v = {8, 16, -24, 4, 0, 1, 2, 3};
    fft.rescale(v);
    EXPECT_EQ(v, (std::vector<double>{1, 2, -3, 0.5, 0, 0.125, 0.25, 0.375}));
}

TEST(RealFft, VectorAndScalarLevelPassesAgree)
{
    // The processor decides which build of the level passes the transform uses; both must give
    // the same numbers, so each is run here on the same data for every level of N = 4096.
    if (!realfft::HasAvxLevelPasses())
        GTEST_SKIP() << "no AVX on this processor: only the baseline build runs";
    const int n = 4096;
    RealFft fft(n);
    const std::vector<double> src = TestSignal(n, 5u);
    for (int level = 3; level < fft.bitCount(); ++level) {
        std::vector<double> avx(static_cast<std::size_t>(n), 1e300), base(static_cast<std::size_t>(n), -1e300);
        realfft::ForwardLevelPassAvx(avx.data(), src.data(), fft.tables().cosineBlock(level), level, n);
        realfft::ForwardLevelPassBaseline(base.data(), src.data(), fft.tables().cosineBlock(level), level, n);
        EXPECT_EQ(avx, base) << "forward level " << level;
        realfft::InverseLevelPassAvx(avx.data(), src.data(), fft.tables().cosineBlock(level), level, n);
        realfft::InverseLevelPassBaseline(base.data(), src.data(), fft.tables().cosineBlock(level), level, n);
        EXPECT_EQ(avx, base) << "inverse level " << level;
    }
}
