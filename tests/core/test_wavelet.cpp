// The wavelets and the continuous wavelet transform: values against their formulas, normalisation and
// supports, the exact refusal texts (admissibility among them), sines against their analytic transforms.
#include "core/wavelet/Cwt.h"
#include "core/wavelet/CwtError.h"
#include "core/wavelet/CwtExit.h"
#include "core/wavelet/WaveletFactory.h"
#include "core/wavelet/wavelet_bspline.h"
#include "CliRunner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

const double kPi = 3.14159265358979323846;

std::vector<double> tone(size_t count, double frequency)
{
    std::vector<double> samples(count);
    for (size_t k = 0; k < count; ++k)
        samples[k] = std::round(20000.0 * std::sin(2.0 * kPi * frequency * static_cast<double>(k) / 44100.0));
    return samples;
}

// The wavelet for `text`, initialised and parsed.
std::unique_ptr<signal_fkt> parsed(const std::string& text)
{
    size_t length = 0;
    std::unique_ptr<signal_fkt> wavelet = createWavelet(text, &length);
    wavelet->init();
    wavelet->parse(text.c_str() + length);
    return wavelet;
}

// Convolution of unit-area boxes of the given lengths, term by term (not by running sums).
std::vector<double> convolvedBoxes(const std::vector<long>& lengths)
{
    std::vector<double> kernel{1.0};
    for (long L : lengths) {
        std::vector<double> next(kernel.size() + static_cast<size_t>(L) - 1, 0.0);
        for (size_t i = 0; i < kernel.size(); ++i)
            for (long j = 0; j < L; ++j)
                next[i + static_cast<size_t>(j)] += kernel[i] / static_cast<double>(L);
        kernel = next;
    }
    return kernel;
}

struct CwtRun
{
    std::vector<float> out;
    std::vector<float> scales; // per output row: 1 / its frequency
    long n = 0, m = 0;
    float centre = 0.0f;
    float at(long row, long col) const { return out[static_cast<size_t>(2 + row * m + col)]; }
    long argmaxRow(long col) const
    {
        long best = 0;
        for (long q = 1; q < n; ++q)
            best = at(q, col) > at(best, col) ? q : best;
        return best;
    }
};

CwtRun transform(const std::vector<double>& series, const std::string& wavelet, double fmin, double fmax, long n,
                 long m, bool fixedResolution = false, int division = 2)
{
    CCwt cwt;
    cwt.setDiagnostics({});
    CwtRequest& req = cwt.request();
    req.wavelet = wavelet, req.fixedResolution = fixedResolution, req.division = division;
    req.scaleLow = static_cast<float>(1.0 / fmin), req.scaleHigh = static_cast<float>(1.0 / fmax);
    req.rows = n, req.columns = m, req.endTime = static_cast<float>(series.size()) / 44100.0f;
    CwtRun run{{}, {}, n, m};
    EXPECT_TRUE(cwt.Transform(series.data(), series.size(), run.out));
    EXPECT_EQ(run.out.size(), static_cast<size_t>(2 + n * m));
    EXPECT_EQ(std::tuple(run.out.at(0), run.out.at(1)), std::tuple(float(n), float(m)));
    run.scales = cwt.rowScales();
    run.centre = cwt.centreFrequency();
    return run;
}

// Columns (of m over count samples) whose wavelet at the largest scale lies wholly inside the signal.
std::vector<long> interiorColumns(size_t count, long m, double largestScaleSamples, double halfSupport)
{
    std::vector<long> columns;
    const double reach = largestScaleSamples * halfSupport, step = static_cast<double>(count) / m;
    for (long k = 0; k < m; ++k)
        if (k * step - reach >= 0.0 && k * step + reach < static_cast<double>(count))
            columns.push_back(k);
    return columns;
}

// A 0.1 s transform with `wavelet`: the message it throws ("" when it succeeds) and its diagnostics.
std::pair<std::string, std::string> failureOf(const std::string& wavelet)
{
    CCwt cwt;
    std::pair<std::string, std::string> result;
    cwt.setDiagnostics([&](const std::string& text) { result.second += text; });
    cwt.request().wavelet = wavelet;
    std::vector<float> out;
    try {
        cwt.Transform(tone(4410, 440.0).data(), 4410, out);
    } catch (const CwtError& error) {
        result.first = error.what();
    }
    return result;
}

} // namespace

TEST(WaveletFunctions, ValuesAtKnownPoints)
{
    struct Case { const char* name; float t; double expected; };
    const double y2 = std::pow(0.75 * std::sqrt(kPi), 2); // Mexican hat: y = 0.375·√π·t
    const Case cases[] = {
        {"haar", 0.0f, 1.0}, {"haar", -1e-6f, -1.0}, {"haar", 0.49f, 1.0}, {"haar", -0.5f, -1.0},
        {"mexicanhat", 0.0f, 1.0}, {"mexicanhat", static_cast<float>(1.0 / (0.375 * std::sqrt(kPi))), 0.0},
        {"mexicanhat", 2.0f, (1.0 - y2) * std::exp(-y2 / 2)}, {"sinus", 0.25f, 1.0}, {"sinus", 0.0f, 0.0},
        {"sinus", -0.25f, -1.0}, {"sinus", 0.125f, std::sqrt(0.5)}, {"poisson", 0.0f, 1.0 / kPi},
        {"poisson", 1.5f, 0.0}, {"poisson", 3.0f, (1.0 - 4.0) / (kPi * (1.0 + 4.0))},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(parsed(c.name)->evaluate(c.t), c.expected, 2e-6) << c.name << " at " << c.t;

    using C = std::complex<double>;
    struct Complex { const char* text; C (*psi)(double); };
    const Complex complexCases[] = {
        {"morlet", [](double t) { return std::exp(-t * t / 2) * std::polar(1.0, 2 * kPi * t); }},
        {"morlet,2", [](double t) { return std::exp(-t * t / 8) * std::polar(1.0, 2 * kPi * t); }},
        {"cauchy", [](double t) { return std::pow(C(1, -4 * kPi / 3 * t), -2.0); }},
        {"cauchy,2", [](double t) { return std::pow(C(1, -4 * kPi / 5 * t), -3.0); }},
        {"spinning,2,2", [](double t) { return std::pow(C(1, -kPi * std::sqrt(2.0) * t), C(-0.5 - std::sqrt(2.0), 2)); }},
        {"spinning,-1,0.25", [](double t) { return std::pow(C(1, -4 * kPi * t), C(-1.0, -1.0)); }},
    };
    for (const Complex& c : complexCases) {
        std::unique_ptr<signal_fkt> w = parsed(c.text);
        EXPECT_TRUE(w->isComplex()) << c.text;
        for (float t : {-3.0f, -0.7f, 0.0f, 0.25f, 0.6f, 2.5f})
            for (int part : {0, 1}) {
                w->setPart(part);
                const C expected = c.psi(t);
                EXPECT_NEAR(w->evaluate(t), part ? expected.imag() : expected.real(),
                            1e-5 * std::max(1.0, std::abs(expected)))
                    << c.text << " part " << part << " at " << t;
            }
    }
}

TEST(WaveletFunctions, ConstantsSupportsAndNames)
{
    struct Case { const char* text; const char* name; double c, rsupp; bool complex; };
    const Case cases[] = {
        {"haar", "Haar", std::sqrt(2.0), 0.5, false}, {"mexicanhat", "Mexican hat", std::sqrt(6.0), 5, false},
        {"sinus", "Sinus", 1, 0.5, false},             {"poisson", "Poisson", 1, 10, false},
        {"cauchy", "Cauchy", 1, 5, true}, // without arguments: the values from before parsing
        {"cauchy,1", "Cauchy", 1 / (2 * kPi), 20.0 / (4 * kPi / 3), true},
        {"cauchy,2", "Cauchy", 1 / (2 * kPi), std::sqrt(20.0) / (4 * kPi / 5), true},
        {"morlet", "Morlet", std::sqrt(kPi), 2 * kPi, true}, {"morlet,2", "Morlet", std::sqrt(kPi), 4 * kPi, true},
        {"spinning", "Spinning", 1, 20, true},      // before parsing (parse refuses no arguments)
        {"bspline,10,10", "B-Spline", 1, 10, true}, // half the sum of the window widths
        {"bspline,1,2,3.5", "B-Spline", 1, 3.25, true}, {"bspline,0.25 , 0.75", "B-Spline", 1, 0.5, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::unique_ptr<signal_fkt> w = createWavelet(c.text);
        w->init();
        if (std::string(c.text) != "spinning")
            w = parsed(c.text);
        EXPECT_EQ(std::tuple(w->name(), w->isComplex()), std::tuple(std::string(c.name), c.complex));
        EXPECT_NEAR(w->c(), c.c, 1e-6 * c.c);
        EXPECT_NEAR(w->lsupp(), -c.rsupp, 1e-6 * c.rsupp);
        EXPECT_NEAR(w->rsupp(), c.rsupp, 1e-6 * c.rsupp);
    }
    // Spinning: |ψ| for −μ1 is the mirror image of |ψ| for μ1, and so is its support; the
    // envelope e^{μ1·atan(a·t)} leans to the side of μ1.
    for (const char* mu2 : {"2", "0.25", "3"}) {
        const auto plus = parsed(std::string("spinning,1.5,") + mu2), minus = parsed(std::string("spinning,-1.5,") + mu2);
        EXPECT_FLOAT_EQ(minus->lsupp(), -plus->rsupp()) << mu2;
        EXPECT_FLOAT_EQ(minus->rsupp(), -plus->lsupp()) << mu2;
        EXPECT_GT(plus->rsupp(), -plus->lsupp()) << mu2;
    }
}

TEST(WaveletBspline, EnvelopeAndCarrierFromConvolvedBoxes)
{
    // h = 1 / r; box lengths L = ceil(w / h), chosen away from integers so the count is unambiguous.
    struct Case { const char* rest; float r; std::vector<long> lengths; };
    const Case cases[] = {
        {",10,10", 10.0f, {100, 100}}, {",0.35,1.25,0.05", 10.0f, {4, 13, 1}},
        {",3", 2.0f, {6}},             {",0.5,0.5,0.5,0.5", 7.0f, {4, 4, 4, 4}},
    };
    for (const Case& c : cases) {
        wavelet_bspline wavelet;
        wavelet.init();
        wavelet.parse(c.rest);
        const std::vector<float> kernel = wavelet.kernel(1.0f / c.r);
        const std::vector<double> expected = convolvedBoxes(c.lengths);
        ASSERT_EQ(kernel.size(), expected.size()) << c.rest;
        for (size_t j = 0; j < kernel.size(); ++j)
            EXPECT_NEAR(kernel[j], expected[j], 1e-6) << c.rest << " entry " << j;
    }
    // bspline,10,10, N = 200: r = 10, h = 0.1, o = −100, K = 199, c0 = 99: entry k + c0 − 1 times e^{2πi·k·h}.
    const std::unique_ptr<signal_fkt> wavelet = parsed("bspline,10,10");
    const std::vector<double> kernel = convolvedBoxes({100, 100});
    for (int part = 0; part < 2; ++part) {
        wavelet->setPart(part);
        std::vector<float> out(200, -1.0f);
        wavelet->discretize(10.0f, -100, 100, out.data());
        for (long k = -100; k < 100; ++k) {
            const double carrier = part ? std::sin(2 * kPi * k * 0.1) : std::cos(2 * kPi * k * 0.1);
            const double expected = std::labs(k) < 99 ? kernel[static_cast<size_t>(k + 98)] * carrier : 0.0;
            EXPECT_NEAR(out[static_cast<size_t>(k + 100)], expected, 2e-6) << "part " << part << " k " << k;
        }
        EXPECT_EQ(std::tuple(out[0], out[1], out[199]), std::tuple(0.0f, 0.0f, 0.0f));
    }
}

TEST(WaveletFailures, InvalidArgumentsGiveTheirExactMessages)
{
    auto none = [](std::string name) { return "The " + name + " wavelet doesn't expect any arguments.\n"; };
    auto morlet = [](std::string a) {
        return "Morlet wavelet accepts only one float argument for frequency, but not <" + a + ">\n";
    };
    auto cauchy = [](std::string a) {
        return "Cauchy wavelet accepts only one non-negative argument for the order, but not <" + a + ">\n";
    };
    auto spinning = [](std::string a) { return "Spinning wavelet requires two arguments but not <" + a + ">\n"; };
    auto mu2 = [](std::string a) {
        return "To get an admissible wavelet it must hold mu2 >= 1/4, but for mu2=" + a + " this does not hold.\n";
    };
    auto bspline = [](std::string a) {
        return "B-Spline wavelet accepts a comma separated list of positive floats, but not <" + a + ">\n";
    };
    struct Case { const char* wavelet; std::string message; };
    const Case cases[] = {
        {"haar,1", none("Haar")}, {"mexicanhat,", none("Mexican hat")}, {"sinusoid", none("Sinus")},
        {"poisson 2", none("Poisson")}, {"morlet,2,3", morlet("2,3")}, {"morlet,x", morlet("x")},
        {"morlet,0", morlet("0")}, {"cauchy,1,2", cauchy("1,2")}, {"cauchy,", cauchy("")},
        {"cauchy,0.001", cauchy("0.001")}, // 20^(1/order) overflows
        {"cauchy,0", cauchy("0")}, // unbounded support: refused before anything is allocated
        {"spinning", "Two arguments required for spinning wavelet.\n"}, {"spinning,1", spinning("1")},
        {"spinning,1,2,3", spinning("1,2,3")}, {"spinning,1;2", spinning("1;2")},
        {"spinning,1e18,0.25", spinning("1e18,0.25")}, // both ends of the support underflow to 0
        {"spinning,1,0.2", mu2("0.200000")}, {"bspline,10,0", bspline("10,0")},
        {"bspline", "At least one window width argument is required for the B-spline wavelet.\n"},
        {"bspline,10,ten", bspline("10,ten")}, {"bspline,inf", bspline("inf")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(failureOf(c.wavelet).first, c.message) << c.wavelet;
    wavelet_bspline pointwise;
    pointwise.init();
    try {
        pointwise.evaluate(0.0f);
        ADD_FAILURE() << "no error";
    } catch (const CwtError& error) {
        EXPECT_STREQ(error.what(), "wavelet_bspline::evaluate is not implemented - use wavelet_bspline::discretize instead\n");
    }
}

TEST(WaveletFailures, HugeOrInvalidRequestsAreRefusedBeforeAllocating)
{
    // A large Cauchy order widens the support to about (2α + 1) / (4π): hundreds of millions of samples.
    const std::string huge = failureOf("cauchy,1e6").first;
    EXPECT_EQ(huge.rfind("Could not allocate space for 1 x ", 0), 0u) << huge;
    EXPECT_EQ(huge.substr(huge.size() - 23), " wavelet coefficients.\n");
    // Requests that cannot be computed throw before anything is allocated and leave the output alone.
    struct Case { long rows, columns; float low, rate; const char* message; };
    const Case cases[] = {
        {1L << 20, 1L << 20, 0.05f, 44100.0f, "Could not allocate space for 1048576 x 1048576 wavelet coefficients.\n"},
        {-3, 20, 0.05f, 44100.0f, nullptr}, {10, 20, 0.01f, NAN, nullptr},
        {10, 20, 0.0f, 44100.0f, nullptr}, {10, 20, -0.01f, 44100.0f, nullptr}, // no geometric grid of scales
    };
    for (const Case& c : cases) {
        CCwt cwt;
        cwt.setDiagnostics({});
        cwt.request().rows = c.rows, cwt.request().columns = c.columns;
        cwt.request().scaleLow = c.low, cwt.request().rate = c.rate;
        std::vector<float> out{7.0f};
        try {
            cwt.Transform(tone(2205, 440.0).data(), 2205, out);
            ADD_FAILURE() << "no error for " << c.rows;
        } catch (const CwtError& error) {
            EXPECT_STREQ(error.what(), c.message ? c.message : error.what());
        }
        EXPECT_EQ(out, std::vector<float>{7.0f}) << c.rows;
    }

}

TEST(WaveletTransform, OutputLayoutAndRequestVariants)
{
    // The default request: 100 rows of 20 columns, byte-scaled (whole numbers, 0 and 255 reached).
    const std::vector<double> series = tone(8820, 1000.0);
    CCwt cwt;
    cwt.setDiagnostics({});
    std::vector<float> out;
    ASSERT_TRUE(cwt.Transform(series.data(), series.size(), out));
    ASSERT_EQ(out.size(), 2u + 2000u);
    EXPECT_EQ(std::tuple(out[0], out[1]), std::tuple(100.0f, 20.0f));
    EXPECT_EQ(*std::min_element(out.begin() + 2, out.end()), 0.0f);
    EXPECT_EQ(*std::max_element(out.begin() + 2, out.end()), 255.0f);
    EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](float v) { return v == std::trunc(v); }));
    // The document's call (duration from the sample count): 32-bit elements holding the same values;
    // complex wavelets are scaled, not truncated: the largest magnitude is exactly 255.
    cwt.request().wavelet = "morlet,2";
    std::vector<std::int32_t> elements{0};
    ASSERT_TRUE(transformOrExit(cwt, series, 0.0f, 8820.0f / 44100.0f, 44100.0f, elements));
    ASSERT_TRUE(cwt.Transform(series.data(), series.size(), out));
    ASSERT_EQ(elements.size(), out.size());
    for (size_t k = 0; k < out.size(); ++k)
        ASSERT_EQ(cwtElementValue(elements, k), out[k]) << k;
    EXPECT_EQ(*std::max_element(out.begin() + 2, out.end()), 255.0f);
    // Columns following the samples: ceil(0.01 · 44100) = 441; a single row is a transform too.
    cwt.request().keepColumns = 0, cwt.request().rows = 1, cwt.request().endTime = 0.01f;
    ASSERT_TRUE(cwt.Transform(series.data(), series.size(), out));
    EXPECT_EQ(std::tuple(out[0], out[1], out.size()), std::tuple(1.0f, 441.0f, 2u + 441u));
    EXPECT_EQ(*std::max_element(out.begin() + 2, out.end()), 255.0f);
    // An unknown wavelet or method computes nothing and leaves the output alone.
    std::string diagnostics;
    cwt.setDiagnostics([&](const std::string& text) { diagnostics += text; });
    out = {1.0f, 2.0f, 3.0f};
    cwt.request().wavelet = "gabor,2";
    EXPECT_FALSE(cwt.Transform(series.data(), series.size(), out));
    cwt.request().wavelet = "haar", cwt.request().method = 1;
    EXPECT_FALSE(cwt.Transform(series.data(), series.size(), out));
    EXPECT_EQ(out, (std::vector<float>{1.0f, 2.0f, 3.0f}));
    EXPECT_EQ(diagnostics, "");
    // Silence is flat for every wavelet, and so is a single value.
    for (const char* wavelet : {"haar", "mexicanhat", "sinus", "poisson", "cauchy,2", "spinning,2,2", "morlet,2",
                                "bspline,10,10"}) {
        const CwtRun run = transform(std::vector<double>(8820, 0.0), wavelet, 20.0, 20000.0, 30, 12);
        EXPECT_EQ(*std::max_element(run.out.begin() + 2, run.out.end()), 0.0f) << wavelet;
    }
    EXPECT_EQ(transform(tone(8820, 440.0), "haar", 20.0, 20000.0, 1, 1).at(0, 0), 0.0f);
}

TEST(WaveletTransform, SineGivesTheAnalyticScaleProfile)
{
    // For x = sin(2πf·t) the transform of a row of frequency 1/g, analysed at the wavelet scale
    // f_c·g, is ∝ Ψ(f·f_c·g) (the same weight at every scale), Ψ the wavelet's Fourier transform:
    // Morlet (σ = 2) e^{−2π²σ²(ν − 1)²}, peak at ν = 1; Cauchy of order 2 (a = 4π/5)
    // ν²·e^{−2πν/a}, peak at 2α/(2α + 1) = 0.8; the real, even Mexican hat (y = b·t,
    // b = 0.375·√π) ν²·e^{−(2πν)²/(2b²)}, peak at b·√2/(2π), times |sin θ| of the column's phase.
    // So within a column every row, relative to the row where Ψ peaks, follows that profile up to
    // the wavelet's truncation at its support. The rows hold the grid
    // g_i = (1/100 s)·(100/5000)^(i/60): complex wavelets from i = 1, real ones from i = 60 down.
    struct Case { const char* wavelet; double (*psiHat)(double); double centre, halfSupport, tolerance; bool complex; };
    const Case cases[] = {
        {"morlet,2", [](double nu) { return std::exp(-8 * kPi * kPi * (nu - 1) * (nu - 1)); }, 1.0, 4 * kPi, 0.01, true},
        {"cauchy,2", [](double nu) { return nu * nu * std::exp(-2.5 * nu); }, 0.8, 1.78, 0.04, true},
        {"mexicanhat", [](double nu) { return nu * nu * std::exp(-2 * kPi * nu * nu / 0.140625); },
         0.375 * std::sqrt(2 * kPi) / (2 * kPi), 5.0, 0.05, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.wavelet);
        const CwtRun run = transform(tone(22050, 437.0), c.wavelet, 100.0, 5000.0, 60, 20);
        EXPECT_NEAR(run.centre, c.centre, 0.02 * c.centre); // from the sampled wavelet
        std::vector<double> h(60);
        for (size_t q = 0; q < 60; ++q) {
            const double g = 0.01 * std::pow(0.02, (c.complex ? q + 1.0 : 60.0 - q) / 60.0);
            EXPECT_NEAR(run.scales[q], g, 1e-6 * g) << q;
            h[q] = c.psiHat(437.0 * run.centre * g);
        }
        const long peak = std::max_element(h.begin(), h.end()) - h.begin();
        int columns = 0;
        for (long k : interiorColumns(22050, 20, 441.0 * c.centre, c.halfSupport)) {
            if (run.at(peak, k) < 128) // real wavelets: columns near a zero of sin θ (437 Hz: the phases vary)
                continue;
            ++columns;
            EXPECT_LE(std::labs(run.argmaxRow(k) - peak), 1) << k; // Cauchy: a flat top
            for (long q = 0; q < 60; ++q) // rows above 5 % of the peak
                EXPECT_NEAR(run.at(q, k) / run.at(peak, k), h[q] / h[peak], h[q] > 0.05 * h[peak] ? c.tolerance : 1)
                    << q << ", " << k;
        }
        EXPECT_GE(columns, 5);
    }
}

TEST(WaveletTransform, EveryToneInItsRow)
{
    // 1 s of one or two tones, 100 rows from 20 Hz to 20 kHz (one grid step: a factor 1.072): in
    // every middle column the largest local maxima lie within one row of the tones' rows. Poisson
    // (its spectrum peaks at ν = 0) and Spinning (a spectral top flat within 0.3 % over ±2 rows)
    // place no tone; Cauchy's wide spectrum aliases at scales under 3 samples (above 5 kHz).
    struct Case { const char* wavelet; std::vector<double> tones; };
    const Case cases[] = {
        {"haar", {60}}, {"haar", {440}}, {"haar", {11000}}, {"mexicanhat", {70}}, {"mexicanhat", {2500}},
        {"mexicanhat", {12000}}, {"sinus", {60}}, {"sinus", {2500}}, {"sinus", {11000}}, {"cauchy,2", {60}},
        {"cauchy,2", {440}}, {"cauchy,2", {5000}}, {"cauchy,1", {1000}}, {"morlet,2", {30}}, {"morlet,2", {2500}},
        {"morlet,2", {15000}}, {"bspline,10,10", {60}}, {"bspline,10,10", {7000}}, {"morlet,2", {300, 3000}},
        {"bspline,10,10", {150, 9000}}, {"mexicanhat", {200, 6000}},
    };
    for (const Case& c : cases) {
        std::vector<double> series(44100, 0.0);
        for (double f : c.tones) {
            const std::vector<double> t = tone(44100, f);
            for (size_t k = 0; k < t.size(); ++k)
                series[k] += t[k] / static_cast<double>(c.tones.size());
        }
        const CwtRun run = transform(series, c.wavelet, 20.0, 20000.0, 100, 40);
        std::vector<long> expected;
        for (double f : c.tones) {
            long best = 0;
            for (long q = 1; q < 100; ++q)
                if (std::fabs(std::log(f * run.scales[q])) < std::fabs(std::log(f * run.scales[best])))
                    best = q;
            expected.push_back(best);
        }
        int columns = 0;
        for (long k = 10; k < 30; ++k) {
            std::vector<std::pair<float, long>> peaks; // local maxima of the column
            for (long q = 0; q < 100; ++q)
                if ((q == 0 || run.at(q, k) > run.at(q - 1, k)) && (q == 99 || run.at(q, k) >= run.at(q + 1, k)))
                    peaks.emplace_back(run.at(q, k), q);
            std::sort(peaks.rbegin(), peaks.rend());
            if (peaks.front().first < 64) // real wavelets: a column near a zero of the tone's phase
                continue;
            ++columns;
            for (size_t t = 0; t < c.tones.size(); ++t) {
                long nearest = 99;
                for (size_t p = 0; p < c.tones.size(); ++p)
                    nearest = std::min(nearest, std::labs(peaks.at(p).second - expected[t]));
                EXPECT_LE(nearest, 1) << c.wavelet << " " << c.tones[t] << " Hz, column " << k;
            }
        }
        EXPECT_GE(columns, 8) << c.wavelet << " " << c.tones[0];
    }
    // The wavelet sampled at 200 points at every scale reads a 2000 Hz tone only every s/r samples
    // at large scales: with Morlet,2 from 100 to 5000 Hz it peaks in the row of about 284 Hz.
    const CwtRun old = transform(tone(22050, 2000.0), "morlet,2", 100.0, 5000.0, 100, 20, true);
    EXPECT_NEAR(std::log(1.0 / old.scales[static_cast<size_t>(old.argmaxRow(10))]), std::log(284.0), 0.07);
}

TEST(WaveletTransform, DivisionsSpaceTheRowsAndTheCliNamesTheirFrequencies)
{
    // 10 rows from 100 to 1100 Hz: linear 200, 300, … 1100 Hz; reziprok scales equally spaced
    // from 1/100 s to 1/1100 s; exponentiell 100·11^(i/10). Morlet puts row 0 at the lowest.
    const double step = (1.0 / 1100 - 1.0 / 100) / 10;
    for (long q = 0; q < 10; ++q) {
        const double i = q + 1.0;
        EXPECT_NEAR(1.0 / transform(tone(4410, 440), "morlet", 100, 1100, 10, 4, false, 0).scales[q], 100 + 100 * i, 1e-3);
        EXPECT_NEAR(transform(tone(4410, 440), "morlet", 100, 1100, 10, 4, false, 1).scales[q], 0.01 + step * i, 1e-7);
        EXPECT_NEAR(1.0 / transform(tone(4410, 440), "morlet", 100, 1100, 10, 4, false, 2).scales[q],
                    100 * std::pow(11.0, i / 10), 1e-3);
    }
    // resoni-analyze: a 700 Hz tone with the Mexican hat on the linear grid peaks in the 700 Hz row.
    const std::string path = ::testing::TempDir() + "wavelet_tone_700.dat";
    {
        std::FILE* file = std::fopen(path.c_str(), "w");
        for (double v : tone(22050, 700.0))
            std::fprintf(file, "%.0f\n", v);
        std::fclose(file);
    }
    const CliResult result = runCli({"cwt", path, "--text", "--wavelet", "mexicanhat", "--fmin", "100", "--fmax",
                                     "1100", "--rows", "10", "--cols", "8", "--division", "linear"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    double bestValue = -1, bestHz = 0;
    std::istringstream lines(result.out);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "row,col,frequency_hz,value");
    while (std::getline(lines, line)) {
        long row = 0, col = 0;
        double hz = 0, value = 0;
        ASSERT_EQ(std::sscanf(line.c_str(), "%ld,%ld,%lf,%lf", &row, &col, &hz, &value), 4) << line;
        EXPECT_NEAR(hz, 1100 - 100 * row, 1e-3) << line; // a real wavelet: row 0 is the highest
        if (col == 3 && value > bestValue) // 131.25 periods in: the even wavelet meets a crest
            bestValue = value, bestHz = hz;
    }
    EXPECT_NEAR(bestHz, 700.0, 1e-3);
}
