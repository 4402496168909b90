// The document's frame spectrum and the window spectrum: scaling on known-answer signals,
// zero-padding, the autocorrelation against its definition and the first-minimum lag.
#include "core/spectral/FrameSpectrum.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <vector>

namespace {

struct Result { std::vector<double> spectrum, autoCorr; int lag; };

Result Frame(const std::vector<double>& signal, int n, int lag = -5, double centre = 0.0)
{
    Result r{{}, {}, lag};
    ComputeFrameSpectrum(signal, n, r.spectrum, r.autoCorr, r.lag, centre);
    return r;
}

} // namespace

TEST(FrameSpectrum, KnownAnswerSignals)
{
    // 10 cycles of amplitude A in every 1024 samples. The frame of the first 1024 (what follows
    // takes no part) and the window of any 1024 give A/2 in bin 10 and nothing elsewhere; the
    // autocorrelation ∝ cos(2π·10m/1024) is positive up to lag 25.
    std::vector<double> sine(3000), window = {1.0};
    for (std::size_t i = 0; i < sine.size(); ++i)
        sine[i] = 10000.0 * std::sin(2.0 * M_PI * 10.0 * static_cast<double>(i) / 1024.0);
    std::vector<double> frame(sine.begin(), sine.begin() + 1024);
    frame.resize(1100, 30000.0);
    const Result result = Frame(frame, 1024);
    EXPECT_FALSE(ComputeWindowSpectrum(sine, 0, 4096, window));
    EXPECT_FALSE(ComputeWindowSpectrum(sine, 3000 - 1023, 1024, window)); // one past the end
    EXPECT_EQ(window, std::vector<double>{1.0});                        // left as it was
    EXPECT_TRUE(ComputeWindowSpectrum(sine, 3000 - 1024, 1024, window));  // ends at the last sample
    for (std::size_t k = 0; k <= 512; ++k) {
        EXPECT_NEAR(result.spectrum.at(k), k == 10 ? 5000.0 : 0.0, 1e-8) << "bin " << k;
        EXPECT_NEAR(window.at(k), k == 10 ? 5000.0 : 0.0, 1e-8) << "window, bin " << k;
    }
    EXPECT_EQ(result.lag, 25);
    // A constant c: |c| in bin 0; R(m) = N·c² at every lag, so no minimum before N/2.
    const Result constant = Frame(std::vector<double>(256, -1234.0), 256);
    for (std::size_t k = 0; k <= 128; ++k)
        EXPECT_NEAR(constant.spectrum.at(k), k == 0 ? 1234.0 : 0.0, 1e-9) << "bin " << k;
    EXPECT_EQ(constant.lag, 128);
    EXPECT_EQ(Frame({640.0}, 64).spectrum, std::vector<double>(33, 10.0)); // an impulse c, zero-padded: c/N
    // All zeros: zeros, and the lag stays as it was.
    const Result zeros = Frame(std::vector<double>(300, 0.0), 256, 42);
    EXPECT_TRUE(zeros.spectrum == std::vector<double>(129, 0.0) && zeros.autoCorr == zeros.spectrum && zeros.lag == 42);
    EXPECT_THROW(Frame({1.0}, 1000), std::invalid_argument);
}

TEST(FrameSpectrum, EightBitSamplesAreCentredForTheAutocorrelationOnly)
{
    // Bytes 128 + 100·sin(2πi/100): centred on 128, R(m) ∝ cos(2πm/100) turns negative after lag 25;
    // taken as they are the bytes keep R positive, past the trough at 50 (lags from the definition
    // in Python). The spectrum is that of the bytes either way.
    std::vector<double> bytes(1024);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = std::round(128.0 + 100.0 * std::sin(2.0 * M_PI * static_cast<double>(i) / 100.0));
    const Result centred = Frame(bytes, 1024, -5, 128.0), raw = Frame(bytes, 1024);
    EXPECT_EQ(centred.lag, 25);
    EXPECT_EQ(raw.lag, 51);
    EXPECT_EQ(centred.spectrum, raw.spectrum);
    EXPECT_NEAR(centred.spectrum[0], 128.0, 2.0);
}

TEST(FrameSpectrum, AutocorrelationMatchesItsDefinition)
{
    const int n = 64;
    std::vector<double> padded(n, 0.0); // 50 irregular values, zero-padded to 64
    for (int i = 0; i < 50; ++i)
        padded[static_cast<std::size_t>(i)] = (i * i * 37 + 11 * i) % 101 - 50.0;
    const Result r = Frame(std::vector<double>(padded.begin(), padded.begin() + 50), n);
    for (int m = 0; m <= n / 2; ++m) {
        double sum = 0.0;
        for (int i = 0; i < n; ++i)
            sum += padded[static_cast<std::size_t>(i)] * padded[static_cast<std::size_t>((i + m) % n)];
        EXPECT_NEAR(r.autoCorr[static_cast<std::size_t>(m)], sum / (n * n), 1e-9 * r.autoCorr[0]) << "lag " << m;
    }
}

TEST(FrameSpectrum, FirstMinimumLagRule)
{
    struct Case { std::vector<double> r; int expected; const char* what; };
    const Case cases[] = {
        {{4, 3, 2, 3, 1}, 2, "rises after lag 2"}, {{4, 3, 3, 2, 2}, 4, "equal neighbours are no rise: the last lag"},
        {{4, 2, 0, 1}, 1, "the next value is not positive"}, {{4, -1, -2}, 0, "negative at lag 1"}, {{5}, 0, "one lag"},
        {{0, 1, 2}, 99, "lag-0 value 0: unchanged"}, {{-3, 1, 2}, 99, "lag-0 value negative"}, {{}, 99, "empty"},
    };
    for (const Case& c : cases) {
        int lag = 99;
        UpdateFirstMinimumLag(c.r, lag);
        EXPECT_EQ(lag, c.expected) << c.what;
    }
}
