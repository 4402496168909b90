// The whole transform: output layout and defaults, row order of real and complex wavelets,
// flat and constant signals, a reference computed independently in double precision from the
// algorithm's formulas, and known-answer tones that catch a wrong scale or time axis.
#include "core/wavelet/Cwt.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace {

const double kPi = 3.14159265358979323846;

std::vector<double> tone(size_t count, double frequency, double amplitude = 20000.0)
{
    std::vector<double> samples(count);
    for (size_t k = 0; k < count; ++k)
        samples[k] = std::round(amplitude * std::sin(2.0 * kPi * frequency * static_cast<double>(k) / 44100.0));
    return samples;
}

struct CwtRun
{
    std::vector<float> out;
    std::vector<float> scales; // per output row
    bool complex = false;
    long n = 0;
    long m = 0;
    float at(long row, long col) const { return out[static_cast<size_t>(2 + row * m + col)]; }
};

CwtRun transform(const std::vector<double>& series, const std::string& wavelet, double fmin, double fmax, long n,
              long m, long resolution = 200)
{
    CCwt cwt;
    cwt.setDiagnostics({});
    CwtRequest& req = cwt.request();
    req.wavelet = wavelet;
    req.scaleLow = static_cast<float>(1.0 / fmin);
    req.scaleHigh = static_cast<float>(1.0 / fmax);
    req.rows = n;
    req.columns = m;
    req.resolution = resolution;
    req.startTime = 0.0f;
    req.endTime = static_cast<float>(series.size()) / 44100.0f;
    CwtRun run;
    EXPECT_TRUE(cwt.Transform(series.data(), series.size(), run.out));
    run.scales = cwt.rowScales();
    run.complex = cwt.lastWasComplex();
    run.n = static_cast<long>(run.out.at(0));
    run.m = static_cast<long>(run.out.at(1));
    EXPECT_EQ(run.n, n);
    EXPECT_EQ(run.m, m);
    EXPECT_EQ(run.out.size(), static_cast<size_t>(2 + n * m));
    return run;
}

long argmaxRow(const CwtRun& run, long col)
{
    long best = 0;
    for (long q = 1; q < run.n; ++q)
        if (run.at(q, col) > run.at(best, col))
            best = q;
    return best;
}

long rowNearest(const CwtRun& run, double frequency)
{
    long best = 0;
    for (long q = 1; q < run.n; ++q)
        if (std::fabs(std::log(frequency * run.scales[static_cast<size_t>(q)])) <
            std::fabs(std::log(frequency * run.scales[static_cast<size_t>(best)])))
            best = q;
    return best;
}

// Columns whose wavelet, at the largest scale, lies wholly inside the signal.
std::vector<long> interiorColumns(size_t count, long m, double largestScaleSamples, double halfSupport)
{
    std::vector<long> columns;
    const double reach = largestScaleSamples * halfSupport;
    const double step = static_cast<double>(count) / static_cast<double>(m);
    for (long k = 0; k < m; ++k) {
        const double p = static_cast<double>(k) * step;
        if (p - reach >= 0.0 && p + reach < static_cast<double>(count))
            columns.push_back(k);
    }
    return columns;
}

// --- Independent reference, in double precision, straight from the algorithm's formulas ---

struct ReferenceWavelet
{
    double c;
    double lsupp;
    double rsupp;
    bool complex;
    bool byteScaledToo; // B-spline: byte scaling after the magnitudes
    // ψ sampled at k / r for k = a … b − 1.
    std::function<std::vector<std::complex<double>>(double r, long a, long b)> sampled;
};

ReferenceWavelet pointwise(double c, double lsupp, double rsupp, bool complex,
                           std::function<std::complex<double>(double)> psi)
{
    return {c, lsupp, rsupp, complex, false, [psi](double r, long a, long b) {
                std::vector<std::complex<double>> w;
                for (long k = a; k < b; ++k)
                    w.push_back(psi(static_cast<double>(k) / r));
                return w;
            }};
}

ReferenceWavelet bspline1010()
{
    return {1.0, -10.0, 10.0, true, true, [](double r, long a, long b) {
                const double h = 1.0 / r;
                std::vector<double> kernel{1.0};
                for (int width = 0; width < 2; ++width) {
                    const long L = static_cast<long>(std::ceil(10.0 / h - 1e-9));
                    std::vector<double> next(kernel.size() + static_cast<size_t>(L) - 1, 0.0);
                    for (size_t i = 0; i < kernel.size(); ++i)
                        for (long j = 0; j < L; ++j)
                            next[i + static_cast<size_t>(j)] += kernel[i] / static_cast<double>(L);
                    kernel = next;
                }
                const long c0 = static_cast<long>(kernel.size()) / 2;
                std::vector<std::complex<double>> w;
                for (long k = a; k < b; ++k)
                    w.push_back(-c0 < k && k < c0
                                    ? kernel[static_cast<size_t>(k + c0 - 1)] * std::polar(1.0, 2 * kPi * k * h)
                                    : 0.0);
                return w;
            }};
}

std::vector<double> byteScaled(std::vector<double> values)
{
    const double lo = *std::min_element(values.begin(), values.end());
    const double hi = *std::max_element(values.begin(), values.end());
    const double range = lo == hi ? 0.02 : hi - lo;
    for (double& v : values)
        v = std::trunc((v - lo) * 255.0 / range);
    return values;
}

std::vector<double> reference(const std::vector<double>& x, const ReferenceWavelet& wavelet, double low,
                              double high, long n, long m, long N, double endTime)
{
    const double rate = 44100.0;
    const long first = 0;
    const long end = static_cast<long>(std::ceil(endTime * rate - 1e-9));
    const double S = std::max(low, high) * rate;
    const long windowBegin = first + static_cast<long>(std::floor(S * wavelet.lsupp));
    const long windowEnd = end + static_cast<long>(std::ceil(S * wavelet.rsupp));
    auto sample = [&](double t) {
        const long k = static_cast<long>(std::trunc(t));
        if (k < windowBegin || k >= windowEnd || k < 0 || k >= static_cast<long>(x.size()))
            return 0.0;
        return x[static_cast<size_t>(k)];
    };
    const double r = static_cast<double>(N) / (wavelet.rsupp - wavelet.lsupp);
    const long o = static_cast<long>(std::trunc(r * wavelet.lsupp));
    const std::vector<std::complex<double>> w = wavelet.sampled(r, o, o + N);
    const double d = endTime * rate / static_cast<double>(m);
    std::vector<std::complex<double>> coeff(static_cast<size_t>(n * m));
    for (long i = 1; i <= n; ++i) {
        const double g = low * std::pow(high / low, static_cast<double>(i) / static_cast<double>(n));
        const double s = g * rate;
        const double f = std::sqrt(std::fabs(g) * r);
        // Output row of grid index i: real wavelets n − i, complex wavelets i − 1.
        const long row = wavelet.complex ? i - 1 : n - i;
        for (long k = 0; k < m; ++k) {
            const double p = static_cast<double>(k) * d;
            std::complex<double> sum = 0.0;
            for (long j = 0; j < N; ++j)
                sum += sample(p + s * (wavelet.lsupp + static_cast<double>(j) / r)) * w[static_cast<size_t>(j)] /
                       std::sqrt(wavelet.c);
            coeff[static_cast<size_t>(row * m + k)] = f * sum;
        }
    }
    std::vector<double> values(coeff.size());
    if (!wavelet.complex) {
        for (size_t q = 0; q < coeff.size(); ++q)
            values[q] = std::fabs(coeff[q].real());
        return byteScaled(values);
    }
    double largest = 0.0;
    for (size_t q = 0; q < coeff.size(); ++q)
        largest = std::max(largest, values[q] = std::abs(coeff[q]));
    for (double& v : values)
        v = v * 255.0 / (largest == 0.0 ? 1.0 : largest);
    return wavelet.byteScaledToo ? byteScaled(values) : values;
}

// A tone that changes in the middle: a wrong time axis or row order shows at once.
std::vector<double> twoPartSignal()
{
    std::vector<double> x(13230);
    for (size_t k = 0; k < x.size(); ++k) {
        const double t = static_cast<double>(k) / 44100.0;
        x[k] = std::round(k < 6615 ? 15000.0 * std::sin(2 * kPi * 300.0 * t) + 3000.0
                                   : 9000.0 * std::sin(2 * kPi * 2500.0 * t) - 2000.0);
    }
    return x;
}

} // namespace

TEST(WaveletTransform, DefaultRequestGivesHundredRowsOfTwentyColumns)
{
    CCwt cwt;
    cwt.setDiagnostics({});
    const CwtRequest& req = cwt.request();
    EXPECT_EQ(req.wavelet, "haar");
    EXPECT_EQ(req.method, 0);
    EXPECT_FLOAT_EQ(req.scaleLow, 0.05f);
    EXPECT_FLOAT_EQ(req.scaleHigh, 0.00005f);
    EXPECT_EQ(req.rows, 100);
    EXPECT_EQ(req.columns, 20);
    EXPECT_EQ(req.keepColumns, 1);
    EXPECT_EQ(req.resolution, 200);
    EXPECT_FLOAT_EQ(req.rate, 44100.0f);
    EXPECT_FLOAT_EQ(req.endTime, 0.1f);

    const std::vector<double> series = tone(4410, 1000.0);
    std::vector<float> out;
    ASSERT_TRUE(cwt.Transform(series.data(), series.size(), out));
    ASSERT_EQ(out.size(), 2u + 2000u);
    EXPECT_EQ(out[0], 100.0f);
    EXPECT_EQ(out[1], 20.0f);
    // Byte-scaled: whole numbers from 0 to 255, both ends reached.
    EXPECT_EQ(*std::min_element(out.begin() + 2, out.end()), 0.0f);
    EXPECT_EQ(*std::max_element(out.begin() + 2, out.end()), 255.0f);
    for (size_t k = 2; k < out.size(); ++k)
        EXPECT_EQ(out[k], std::trunc(out[k]));
}

TEST(WaveletTransform, DocumentCallFillsThirtyTwoBitElements)
{
    const std::vector<double> series = tone(8820, 700.0);
    CCwt cwt;
    cwt.setDiagnostics({});
    cwt.request().wavelet = "morlet,2";
    std::vector<std::int32_t> elements{0};
    ASSERT_TRUE(cwt.Transform(series, 0.0f, 8820.0f / 44100.0f, 44100.0f, elements));
    EXPECT_FLOAT_EQ(cwt.request().endTime, 0.2f);
    ASSERT_EQ(elements.size(), 2002u);
    EXPECT_EQ(cwtElementValue(elements, 0), 100.0f);
    EXPECT_EQ(cwtElementValue(elements, 1), 20.0f);

    std::vector<float> values;
    ASSERT_TRUE(cwt.Transform(series.data(), series.size(), values));
    for (size_t k = 0; k < values.size(); ++k)
        ASSERT_EQ(cwtElementValue(elements, k), values[k]) << k;
    // Complex wavelets are not truncated: the largest magnitude is exactly 255.
    EXPECT_EQ(*std::max_element(values.begin() + 2, values.end()), 255.0f);
}

TEST(WaveletTransform, UnknownWaveletOrMethodLeavesTheOutputAlone)
{
    const std::vector<double> series = tone(4410, 440.0);
    CCwt cwt;
    std::string diagnostics;
    cwt.setDiagnostics([&](const std::string& text) { diagnostics += text; });
    std::vector<float> out{1.0f, 2.0f, 3.0f};
    cwt.request().wavelet = "gabor,2";
    EXPECT_FALSE(cwt.Transform(series.data(), series.size(), out));
    cwt.request().wavelet = "haar";
    cwt.request().method = 1;
    EXPECT_FALSE(cwt.Transform(series.data(), series.size(), out));
    EXPECT_EQ(out, (std::vector<float>{1.0f, 2.0f, 3.0f}));
    EXPECT_EQ(diagnostics, "");
}

TEST(WaveletTransform, ColumnCountFollowsTheSamplesWhenNotKept)
{
    const std::vector<double> series = tone(441, 440.0);
    CCwt cwt;
    cwt.setDiagnostics({});
    cwt.request().keepColumns = 0;
    cwt.request().rows = 7;
    cwt.request().endTime = 0.01f; // ceil(0.01 · 44100) = 441 samples
    std::vector<float> out;
    ASSERT_TRUE(cwt.Transform(series.data(), series.size(), out));
    EXPECT_EQ(out[0], 7.0f);
    EXPECT_EQ(out[1], 441.0f);
    EXPECT_EQ(out.size(), 2u + 7u * 441u);
}

TEST(WaveletTransform, SilenceGivesZerosForEveryWavelet)
{
    const std::vector<double> silence(8820, 0.0);
    for (const char* wavelet : {"haar", "mexicanhat", "sinus", "poisson", "cauchy,2", "spinning,2,2", "morlet,2",
                                "bspline,10,10"}) {
        const CwtRun run = transform(silence, wavelet, 20.0, 20000.0, 30, 12);
        for (size_t k = 2; k < run.out.size(); ++k)
            ASSERT_EQ(run.out[k], 0.0f) << wavelet << " value " << k;
    }
    // A single value is flat as well.
    const CwtRun one = transform(tone(8820, 440.0), "haar", 20.0, 20000.0, 1, 1);
    EXPECT_EQ(one.at(0, 0), 0.0f);
}

TEST(WaveletTransform, ConstantSignalVanishesWhereTheHaarWaveletLiesInside)
{
    // One second of a constant: the Haar wavelet's halves cancel wherever it lies wholly inside
    // the signal; at column 0 half of it reads the leading zeros.
    const std::vector<double> constant(44100, 1000.0);
    const CwtRun run = transform(constant, "haar", 20.0, 20000.0, 40, 20);
    const std::vector<long> inside = interiorColumns(constant.size(), 20, 0.05 * 44100.0, 0.5);
    ASSERT_EQ(inside.size(), 19u);
    for (long q = 0; q < run.n; ++q)
        for (long k : inside)
            EXPECT_EQ(run.at(q, k), 0.0f) << "row " << q << " col " << k;
    float edge = 0.0f;
    for (long q = 0; q < run.n; ++q)
        edge = std::max(edge, run.at(q, 0));
    EXPECT_EQ(edge, 255.0f);
}

TEST(WaveletTransform, RowOrderOfRealAndComplexWavelets)
{
    // A low and a high tone per wavelet, both analysed where the wavelet responds to them and
    // clear of aliasing (see HighToneOverTheFullRangeKeepsItsLocalPeak). The Mexican hat peaks
    // at about 1 / (6.7·f) seconds, hence its lower tones.
    const size_t count = 22050;
    struct Case { const char* wavelet; double low; double high; };
    const Case cases[] = {
        {"mexicanhat", 40.0, 400.0}, {"sinus", 150.0, 1500.0}, {"morlet,2", 150.0, 600.0},
        {"bspline,10,10", 150.0, 600.0}};
    for (const Case& c : cases) {
        const CwtRun low = transform(tone(count, c.low), c.wavelet, 100.0, 5000.0, 60, 20);
        const CwtRun high = transform(tone(count, c.high), c.wavelet, 100.0, 5000.0, 60, 20);
        ASSERT_EQ(low.scales.size(), 60u);
        if (low.complex) {
            // Row 0: the largest scale, the lowest frequency; the last row: the smallest scale.
            EXPECT_FLOAT_EQ(1.0f / low.scales.back(), 5000.0f) << c.wavelet;
            EXPECT_GT(low.scales.front(), low.scales.back()) << c.wavelet;
        } else {
            EXPECT_FLOAT_EQ(1.0f / low.scales.front(), 5000.0f) << c.wavelet;
            EXPECT_LT(low.scales.front(), low.scales.back()) << c.wavelet;
        }
        for (long k = 8; k <= 12; ++k) {
            const long lowRow = argmaxRow(low, k);
            const long highRow = argmaxRow(high, k);
            if (low.complex)
                EXPECT_LT(lowRow + 5, highRow) << c.wavelet << " column " << k;
            else
                EXPECT_GT(lowRow, highRow + 5) << c.wavelet << " column " << k;
        }
    }
}

TEST(WaveletTransform, MatchesAnIndependentDoublePrecisionReference)
{
    const std::vector<double> x = twoPartSignal();
    const double endTime = static_cast<double>(static_cast<float>(x.size()) / 44100.0f);
    // Tolerance in output units (of 255): single against double precision moves a few reading
    // positions across a sample boundary; byte-scaled values may also truncate one step apart.
    struct Case { const char* text; ReferenceWavelet wavelet; double tolerance; };
    const double sqrtPi = std::sqrt(kPi);
    const Case cases[] = {
        {"haar", pointwise(std::sqrt(2.0), -0.5, 0.5, false, [](double t) { return t >= 0 ? 1.0 : -1.0; }), 2.0},
        {"mexicanhat",
         pointwise(std::sqrt(6.0), -5, 5, false,
                   [sqrtPi](double t) {
                       const double y = 0.375 * sqrtPi * t;
                       return (1 - y * y) * std::exp(-y * y / 2);
                   }),
         2.0},
        {"poisson", pointwise(1, -10, 10, false,
                              [](double t) {
                                  const double y = 2.0 / 3.0 * t;
                                  return (1 - y * y) / (kPi * (1 + y * y));
                              }),
         2.0},
        {"morlet,2",
         pointwise(sqrtPi, -4 * kPi, 4 * kPi, true,
                   [](double t) { return std::exp(-(t / 2) * (t / 2) / 2) * std::polar(1.0, 2 * kPi * t); }),
         0.5},
        {"cauchy,2",
         pointwise(1 / (2 * kPi), -std::sqrt(20.0) / (4 * kPi / 5), std::sqrt(20.0) / (4 * kPi / 5), true,
                   [](double t) { return std::pow(std::complex<double>(1, -4 * kPi / 5 * t), -3.0); }),
         2.0},
        {"bspline,10,10", bspline1010(), 2.0},
    };
    const long n = 12;
    const long m = 15;
    for (const Case& c : cases) {
        const CwtRun run = transform(x, c.text, 150.0, 6000.0, n, m);
        const std::vector<double> expected = reference(x, c.wavelet, static_cast<float>(1.0 / 150.0),
                                                       static_cast<float>(1.0 / 6000.0), n, m, 200, endTime);
        double worst = 0.0;
        for (long q = 0; q < n; ++q)
            for (long k = 0; k < m; ++k)
                worst = std::max(worst, std::fabs(run.at(q, k) - expected[static_cast<size_t>(q * m + k)]));
        EXPECT_LE(worst, c.tolerance) << c.text;
    }
}

TEST(WaveletTransform, ToneLandsInTheRowOfItsFrequency)
{
    // 0.5 s of a pure tone, 100 … 5000 Hz in 100 rows: away from the edges the largest value of
    // every column lies in the row whose frequency (1 / scale) is nearest the tone.
    const size_t count = 22050;
    struct Case { const char* wavelet; double frequency; double fmin; double halfSupport; };
    const Case cases[] = {
        {"morlet,2", 440.0, 100.0, 4 * kPi},
        {"bspline,10,10", 440.0, 100.0, 10.0},
        // Higher tones with the lowest rows left out: with the wavelet sampled at N = 200 points
        // a tone f aliases into the rows near f / 6.96 and f / 8.96 (see the next test).
        {"morlet,2", 1000.0, 200.0, 4 * kPi},
        {"morlet,2", 2000.0, 400.0, 4 * kPi},
        {"morlet,2", 4000.0, 800.0, 4 * kPi},
    };
    for (const Case& c : cases) {
        const CwtRun run = transform(tone(count, c.frequency), c.wavelet, c.fmin, 5000.0, 100, 20);
        const long expected = rowNearest(run, c.frequency);
        const std::vector<long> inside = interiorColumns(count, 20, 44100.0 / c.fmin, c.halfSupport);
        ASSERT_GE(inside.size(), 5u) << c.wavelet;
        for (long k : inside)
            EXPECT_LE(std::labs(argmaxRow(run, k) - expected), 1)
                << c.wavelet << " " << c.frequency << " Hz, column " << k << ": row " << argmaxRow(run, k)
                << " (" << 1.0 / run.scales[static_cast<size_t>(argmaxRow(run, k))] << " Hz), expected " << expected;
    }
}

TEST(WaveletTransform, HighToneOverTheFullRangeKeepsItsLocalPeak)
{
    // 2000 Hz over 100 … 5000 Hz: the row nearest 2000 Hz is the peak of its neighbourhood.
    // The wavelet sampled at 200 points over ±4π spaces its points 1/7.96 wavelet units apart, so
    // at the scale of about 287 Hz the sampled tone aliases to one cycle per unit and shows there
    // too (stronger, by the √scale weighting); that row is where 2000·g = 7.96 − 1.
    const size_t count = 22050;
    const CwtRun run = transform(tone(count, 2000.0), "morlet,2", 100.0, 5000.0, 100, 20);
    const long expected = rowNearest(run, 2000.0);
    const long alias = rowNearest(run, 2000.0 / (200.0 / (8 * kPi) - 1.0));
    for (long k : interiorColumns(count, 20, 441.0, 4 * kPi)) {
        long best = expected - 3;
        for (long q = expected - 3; q <= expected + 3; ++q)
            if (run.at(q, k) > run.at(best, k))
                best = q;
        EXPECT_LE(std::labs(best - expected), 1) << "column " << k;
        EXPECT_LE(std::labs(argmaxRow(run, k) - alias), 1) << "column " << k;
    }
}
