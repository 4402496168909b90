// The wavelets and the continuous wavelet transform: values against their formulas, normalisation and
// supports, the exact refusal texts (admissibility among them), sines against their analytic transforms.
#include "core/wavelet/Cwt.h"
#include "core/wavelet/CwtError.h"
#include "core/wavelet/CwtExit.h"
#include "core/wavelet/WaveletFactory.h"
#include "core/wavelet/wavelet_bspline.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <memory>
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
    std::vector<float> scales; // per output row
    long n = 0, m = 0;
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
                 long m)
{
    CCwt cwt;
    cwt.setDiagnostics({});
    CwtRequest& req = cwt.request();
    req.wavelet = wavelet;
    req.scaleLow = static_cast<float>(1.0 / fmin), req.scaleHigh = static_cast<float>(1.0 / fmax);
    req.rows = n, req.columns = m, req.endTime = static_cast<float>(series.size()) / 44100.0f;
    CwtRun run{{}, {}, n, m};
    EXPECT_TRUE(cwt.Transform(series.data(), series.size(), run.out));
    EXPECT_EQ(run.out.size(), static_cast<size_t>(2 + n * m));
    EXPECT_EQ(std::tuple(run.out.at(0), run.out.at(1)), std::tuple(float(n), float(m)));
    run.scales = cwt.rowScales();
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
    // For x = sin(2πf·t) the transform at scale g seconds is ∝ √g·Ψ(f·g), Ψ the wavelet's Fourier
    // transform: Morlet (σ = 2) e^{−2π²σ²(ν − 1)²}; Cauchy of order 2 (a = 4π/5) ν²·e^{−2πν/a};
    // the real, even Mexican hat (y = b·t, b = 0.375·√π) ν²·e^{−(2πν)²/(2b²)}, times |sin θ| of
    // the column's phase. So within a column every row, relative to the row where √g·Ψ peaks,
    // follows that profile up to the wavelet's truncation at its support. The rows hold the grid
    // g_i = (1/100 s)·(100/5000)^(i/60): complex wavelets from i = 1, real ones from i = 60 down.
    struct Case { const char* wavelet; double (*psiHat)(double); double halfSupport, tolerance; bool complex; };
    const Case cases[] = {
        {"morlet,2", [](double nu) { return std::exp(-8 * kPi * kPi * (nu - 1) * (nu - 1)); }, 4 * kPi, 0.01, true},
        {"cauchy,2", [](double nu) { return nu * nu * std::exp(-2.5 * nu); }, 1.78, 0.04, true},
        {"mexicanhat", [](double nu) { return nu * nu * std::exp(-2 * kPi * nu * nu / 0.140625); }, 5.0, 0.05, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.wavelet);
        const CwtRun run = transform(tone(22050, 437.0), c.wavelet, 100.0, 5000.0, 60, 20);
        std::vector<double> h(60);
        for (size_t q = 0; q < 60; ++q) {
            const double g = 0.01 * std::pow(0.02, (c.complex ? q + 1.0 : 60.0 - q) / 60.0);
            EXPECT_NEAR(run.scales[q], g, 1e-6 * g) << q;
            h[q] = std::sqrt(g) * c.psiHat(437.0 * g);
        }
        const long peak = std::max_element(h.begin(), h.end()) - h.begin();
        int columns = 0;
        for (long k : interiorColumns(22050, 20, 441.0, c.halfSupport)) {
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

TEST(WaveletTransform, ToneLandsInTheRowOfItsFrequency)
{
    // 0.5 s of a pure tone, 100 rows up to 5000 Hz: away from the edges the largest value of
    // every column lies in the row whose frequency (1 / scale) is nearest the tone. Higher tones
    // leave the lowest rows out: the wavelet sampled at N = 200 points lets a tone f alias into
    // the rows near f / 6.96 and f / 8.96.
    struct Case { const char* wavelet; double frequency, fmin, halfSupport; };
    const Case cases[] = {{"morlet,2", 440.0, 100.0, 4 * kPi}, {"bspline,10,10", 440.0, 100.0, 10.0},
                          {"morlet,2", 4000.0, 800.0, 4 * kPi}};
    for (const Case& c : cases) {
        const CwtRun run = transform(tone(22050, c.frequency), c.wavelet, c.fmin, 5000.0, 100, 20);
        long expected = 0;
        for (long q = 1; q < 100; ++q)
            if (std::fabs(std::log(c.frequency * run.scales[q])) < std::fabs(std::log(c.frequency * run.scales[expected])))
                expected = q;
        const std::vector<long> inside = interiorColumns(22050, 20, 44100.0 / c.fmin, c.halfSupport);
        ASSERT_GE(inside.size(), 5u) << c.wavelet;
        for (long k : inside)
            EXPECT_LE(std::labs(run.argmaxRow(k) - expected), 1) << c.wavelet << " " << c.frequency << " Hz, column " << k;
    }
}
