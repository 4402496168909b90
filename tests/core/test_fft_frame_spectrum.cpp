// The document's frame spectrum and the window spectrum: scaling on known-answer signals,
// zero-padding, the autocorrelation against its definition and the first-minimum lag rule.
#include "core/spectral/FrameSpectrum.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace {

std::vector<double> Sine(int count, double amplitude, double cyclesPerSample, double offset = 0.0)
{
    std::vector<double> x(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        x[static_cast<std::size_t>(i)] = offset + amplitude * std::sin(2.0 * M_PI * cyclesPerSample * i);
    return x;
}

struct Result
{
    std::vector<double> spectrum, autoCorr;
    int lag = -5;
};

Result Frame(const std::vector<double>& signal, int n, int lag = -5)
{
    Result r;
    r.lag = lag;
    ComputeFrameSpectrum(signal, n, r.spectrum, r.autoCorr, r.lag);
    return r;
}

} // namespace

TEST(FrameSpectrum, SineOnABinGivesHalfItsAmplitude)
{
    const int n = 1024;
    const Result r = Frame(Sine(n, 10000.0, 37.0 / n), n);
    ASSERT_EQ(r.spectrum.size(), static_cast<std::size_t>(n / 2 + 1));
    ASSERT_EQ(r.autoCorr.size(), static_cast<std::size_t>(n / 2 + 1));
    for (int k = 0; k <= n / 2; ++k)
        EXPECT_NEAR(r.spectrum[static_cast<std::size_t>(k)], k == 37 ? 5000.0 : 0.0, 1e-8) << "bin " << k;
}

TEST(FrameSpectrum, ConstantFrameGivesItsValueInBinZeroAndAFlatAutocorrelation)
{
    const int n = 256;
    const double c = -1234.0;
    const Result r = Frame(std::vector<double>(n, c), n);
    EXPECT_DOUBLE_EQ(r.spectrum[0], 1234.0);
    for (int k = 1; k <= n / 2; ++k)
        EXPECT_NEAR(r.spectrum[static_cast<std::size_t>(k)], 0.0, 1e-9) << "bin " << k;
    // R(m) = N·c² for every lag, stored as R/N² = c²/N; no minimum, so the search runs to N/2.
    for (double v : r.autoCorr)
        EXPECT_NEAR(v, c * c / n, 1e-9 * c * c / n);
    EXPECT_EQ(r.lag, n / 2);
}

TEST(FrameSpectrum, SilentEightBitFrameCarriesTheByteOffset)
{
    const Result r = Frame(std::vector<double>(512, 128.0), 512);
    EXPECT_DOUBLE_EQ(r.spectrum[0], 128.0);
    EXPECT_NEAR(r.spectrum[100], 0.0, 1e-12);
}

TEST(FrameSpectrum, ShortFrameIsZeroPaddedAndLongFrameCut)
{
    // One sample of value c in a transform of N: c/N in every bin.
    const Result one = Frame({640.0}, 64);
    for (double v : one.spectrum)
        EXPECT_DOUBLE_EQ(v, 10.0);

    // Only the first N values of a longer frame enter the transform.
    std::vector<double> longFrame = Sine(128, 300.0, 4.0 / 128.0);
    longFrame.resize(200, 30000.0);
    const Result cut = Frame(longFrame, 128);
    const Result exact = Frame(Sine(128, 300.0, 4.0 / 128.0), 128);
    for (std::size_t k = 0; k < cut.spectrum.size(); ++k)
        EXPECT_DOUBLE_EQ(cut.spectrum[k], exact.spectrum[k]) << "bin " << k;
}

TEST(FrameSpectrum, AutocorrelationMatchesItsDefinitionOverTheZeroPaddedFrame)
{
    const int n = 64;
    std::vector<double> frame(50);
    std::uint32_t state = 7u;
    for (double& v : frame) {
        state = state * 1664525u + 1013904223u;
        v = static_cast<double>(state >> 20) - 2048.0;
    }
    const Result r = Frame(frame, n);
    std::vector<double> padded = frame;
    padded.resize(n, 0.0);
    for (int m = 0; m <= n / 2; ++m) {
        double sum = 0.0;
        for (int i = 0; i < n; ++i)
            sum += padded[static_cast<std::size_t>(i)] * padded[static_cast<std::size_t>((i + m) % n)];
        EXPECT_NEAR(r.autoCorr[static_cast<std::size_t>(m)], sum / (n * n), 1e-9 * std::fabs(r.autoCorr[0]))
            << "lag " << m;
    }
}

TEST(FrameSpectrum, FirstMinimumOfASineIsItsLastPositiveLag)
{
    // 10 cycles in 1024 samples: r(m) ∝ cos(2π·10m/1024) is positive up to m = 25 and negative at 26.
    const Result r = Frame(Sine(1024, 8000.0, 10.0 / 1024.0), 1024);
    EXPECT_EQ(r.lag, 25);
}

TEST(FrameSpectrum, AllZeroOrEmptyFrameLeavesTheLagAndGivesZeros)
{
    const Result zeros = Frame(std::vector<double>(300, 0.0), 256, 42);
    EXPECT_EQ(zeros.lag, 42);
    for (double v : zeros.spectrum)
        EXPECT_EQ(v, 0.0);
    for (double v : zeros.autoCorr)
        EXPECT_EQ(v, 0.0);
    const Result empty = Frame({}, 256, 17);
    EXPECT_EQ(empty.lag, 17);
    EXPECT_EQ(empty.spectrum.size(), 129u);
}

TEST(FrameSpectrum, FirstMinimumLagRule)
{
    struct Case
    {
        std::vector<double> r;
        int expected;
    };
    const Case cases[] = {
        {{4, 3, 2, 3, 1}, 2},    // rises after lag 2
        {{4, 3, 3, 2, 2}, 4},    // equal neighbours are no rise: runs to the last lag
        {{4, 2, 0, 1}, 1},       // the next value is not positive: stop before it
        {{4, -1, -2}, 0},
        {{5}, 0},
        {{0, 1, 2}, 99},         // lag-0 value 0: unchanged
        {{-3, 1, 2}, 99},
        {{}, 99},
    };
    for (const Case& c : cases) {
        int lag = 99;
        UpdateFirstMinimumLag(c.r, lag);
        EXPECT_EQ(lag, c.expected) << "series of " << c.r.size() << " starting " << (c.r.empty() ? 0.0 : c.r[0]);
    }
}

TEST(FrameSpectrum, RefusesSizesThatAreNoPowerOfTwo)
{
    std::vector<double> s, a;
    int lag = 0;
    EXPECT_THROW(ComputeFrameSpectrum(std::vector<double>(10, 1.0), 1000, s, a, lag), std::invalid_argument);
    EXPECT_THROW(ComputeFrameSpectrum(std::vector<double>(10, 1.0), 0, s, a, lag), std::invalid_argument);
}

TEST(WindowSpectrum, EqualsTheFrameSpectrumOfTheSameStretch)
{
    const std::vector<double> source = Sine(3000, 5000.0, 0.03, 100.0);
    std::vector<double> window;
    ASSERT_TRUE(ComputeWindowSpectrum(source, 700, 1024, window));
    const std::vector<double> stretch(source.begin() + 700, source.begin() + 700 + 1024);
    const Result frame = Frame(stretch, 1024);
    ASSERT_EQ(window.size(), 513u);
    for (std::size_t k = 0; k < window.size(); ++k)
        EXPECT_DOUBLE_EQ(window[k], frame.spectrum[k]) << "bin " << k;
}

TEST(WindowSpectrum, RefusesALengthBeyondItsSourceAndLeavesTheOutput)
{
    const std::vector<double> source(1000, 1.0);
    std::vector<double> out = {1.0, 2.0, 3.0};
    EXPECT_FALSE(ComputeWindowSpectrum(source, 0, 1024, out));
    EXPECT_EQ(out, (std::vector<double>{1.0, 2.0, 3.0}));
    EXPECT_FALSE(ComputeWindowSpectrum(source, 500, 512, out)); // would run past the end
    EXPECT_EQ(out, (std::vector<double>{1.0, 2.0, 3.0}));
    EXPECT_TRUE(ComputeWindowSpectrum(source, 488, 512, out)); // ends exactly at the last sample
    EXPECT_EQ(out.size(), 257u);
    EXPECT_DOUBLE_EQ(out[0], 1.0);
}
