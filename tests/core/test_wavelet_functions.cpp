// The wavelets one by one: values at known points against the formulas evaluated independently
// in double precision, constants, supports, display names, the short-name prefix rule and the
// argument syntax.
#include "core/wavelet/CwtError.h"
#include "core/wavelet/WaveletArguments.h"
#include "core/wavelet/WaveletFactory.h"
#include "core/wavelet/wavelet_cauchy.h"
#include "core/wavelet/wavelet_morlet.h"
#include "core/wavelet/wavelet_spinning.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <memory>
#include <string>
#include <vector>

namespace {

const double kPi = 3.14159265358979323846;

// The wavelet for `text`, initialised and parsed, diagnostics dropped.
std::unique_ptr<signal_fkt> parsed(const std::string& text)
{
    size_t length = 0;
    std::unique_ptr<signal_fkt> wavelet = createWavelet(text, &length);
    if (!wavelet)
        return nullptr;
    wavelet->init();
    wavelet->parse(text.c_str() + length);
    return wavelet;
}

float valueAt(signal_fkt& wavelet, int part, float t)
{
    wavelet.setPart(part);
    return wavelet.evaluate(t);
}

} // namespace

TEST(WaveletFunctions, RealWaveletsAtKnownPoints)
{
    struct Case { const char* name; float t; double expected; };
    const double xMexicanAtOne = 1.0 / (0.375 * std::sqrt(kPi)); // x = 1 there: (1 − 1)·e^… = 0
    const Case cases[] = {
        {"haar", 0.0f, 1.0},   {"haar", -1e-6f, -1.0},  {"haar", 0.49f, 1.0},   {"haar", -0.5f, -1.0},
        {"mexicanhat", 0.0f, 1.0},
        {"mexicanhat", static_cast<float>(xMexicanAtOne), 0.0},
        {"mexicanhat", 2.0f, (1.0 - std::pow(0.75 * std::sqrt(kPi), 2)) * std::exp(-std::pow(0.75 * std::sqrt(kPi), 2) / 2)},
        {"sinus", 0.25f, 1.0}, {"sinus", 0.0f, 0.0},    {"sinus", -0.25f, -1.0}, {"sinus", 0.125f, std::sqrt(0.5)},
        {"poisson", 0.0f, 1.0 / kPi},
        {"poisson", 1.5f, 0.0},
        {"poisson", 3.0f, (1.0 - 4.0) / (kPi * (1.0 + 4.0))},
    };
    for (const Case& c : cases) {
        std::unique_ptr<signal_fkt> w = parsed(c.name);
        ASSERT_TRUE(w) << c.name;
        EXPECT_NEAR(w->evaluate(c.t), c.expected, 2e-6) << c.name << " at " << c.t;
    }
    // The exact edge values, not just close.
    EXPECT_EQ(parsed("haar")->evaluate(0.0f), 1.0f);
    EXPECT_EQ(parsed("mexicanhat")->evaluate(0.0f), 1.0f);
    EXPECT_EQ(parsed("sinus")->evaluate(0.25f), 1.0f);
}

TEST(WaveletFunctions, ComplexWaveletsMatchTheirFormulas)
{
    const float times[] = {-3.0f, -0.7f, 0.0f, 0.25f, 0.6f, 2.5f};
    struct Case { const char* text; std::complex<double> (*psi)(double); };
    const Case cases[] = {
        {"morlet", [](double t) { return std::exp(-t * t / 2) * std::polar(1.0, 2 * kPi * t); }},
        {"morlet,2", [](double t) { return std::exp(-(t / 2) * (t / 2) / 2) * std::polar(1.0, 2 * kPi * t); }},
        {"cauchy", [](double t) { return std::pow(std::complex<double>(1, -4 * kPi / 3 * t), -2.0); }},
        {"cauchy,2", [](double t) { return std::pow(std::complex<double>(1, -4 * kPi / 5 * t), -3.0); }},
        {"cauchy,0.5", [](double t) { return std::pow(std::complex<double>(1, -2 * kPi * t), -1.5); }},
        {"spinning,2,2",
         [](double t) {
             const double a = 2 * kPi / std::sqrt(2.0);
             return std::pow(std::complex<double>(1, -a * t), std::complex<double>(-0.5 - std::sqrt(2.0), 2.0));
         }},
        {"spinning,-1,0.25",
         [](double t) {
             const double a = 2 * kPi / 0.5;
             return std::pow(std::complex<double>(1, -a * t), std::complex<double>(-1.0, -1.0));
         }},
    };
    for (const Case& c : cases) {
        std::unique_ptr<signal_fkt> w = parsed(c.text);
        ASSERT_TRUE(w) << c.text;
        EXPECT_TRUE(w->isComplex()) << c.text;
        for (float t : times) {
            const std::complex<double> expected = c.psi(t);
            const double tolerance = 1e-5 * std::max(1.0, std::abs(expected));
            EXPECT_NEAR(valueAt(*w, 0, t), expected.real(), tolerance) << c.text << " re at " << t;
            EXPECT_NEAR(valueAt(*w, 1, t), expected.imag(), tolerance) << c.text << " im at " << t;
        }
    }
}

TEST(WaveletFunctions, ConstantsSupportsAndNames)
{
    struct Case { const char* text; const char* name; double c; double lsupp; double rsupp; bool complex; };
    const double cauchy1 = 20.0 / (4 * kPi / 3);
    const double cauchy2 = std::sqrt(20.0) / (4 * kPi / 5);
    const Case cases[] = {
        {"haar", "Haar", std::sqrt(2.0), -0.5, 0.5, false},
        {"mexicanhat", "Mexican hat", std::sqrt(6.0), -5, 5, false},
        {"sinus", "Sinus", 1, -0.5, 0.5, false},
        {"poisson", "Poisson", 1, -10, 10, false},
        // Without arguments the Cauchy wavelet keeps its values from before parsing.
        {"cauchy", "Cauchy", 1, -5, 5, true},
        {"cauchy,1", "Cauchy", 1 / (2 * kPi), -cauchy1, cauchy1, true},
        {"cauchy,2", "Cauchy", 1 / (2 * kPi), -cauchy2, cauchy2, true},
        {"morlet", "Morlet", std::sqrt(kPi), -2 * kPi, 2 * kPi, true},
        {"morlet,2", "Morlet", std::sqrt(kPi), -4 * kPi, 4 * kPi, true},
        {"bspline,10,10", "B-Spline", 1, -10, 10, true},
        {"bspline,1,2,3.5", "B-Spline", 1, -3.25, 3.25, true},
    };
    for (const Case& c : cases) {
        std::unique_ptr<signal_fkt> w = parsed(c.text);
        ASSERT_TRUE(w) << c.text;
        EXPECT_EQ(w->name(), c.name) << c.text;
        EXPECT_LE(w->name().size(), 16u);
        EXPECT_NEAR(w->c(), c.c, 1e-6 * c.c) << c.text;
        EXPECT_NEAR(w->lsupp(), c.lsupp, 1e-6 * std::fabs(c.lsupp)) << c.text;
        EXPECT_NEAR(w->rsupp(), c.rsupp, 1e-6 * std::fabs(c.rsupp)) << c.text;
        EXPECT_EQ(w->isComplex(), c.complex) << c.text;
    }
    auto cauchy = parsed("cauchy");
    EXPECT_FLOAT_EQ(static_cast<wavelet_cauchy&>(*cauchy).order(), 1.0f);
    EXPECT_NEAR(static_cast<wavelet_cauchy&>(*cauchy).a(), 4 * kPi / 3, 1e-6);
    EXPECT_NEAR(static_cast<wavelet_cauchy&>(*parsed("cauchy,1")).a(), 4 * kPi / 3, 1e-6);
    EXPECT_FLOAT_EQ(static_cast<wavelet_morlet&>(*parsed("morlet")).baseScale(), 1.0f);
}

TEST(WaveletFunctions, SpinningSupportFollowsBothBranches)
{
    struct Case { const char* text; double mu1; double mu2; };
    const Case cases[] = {{"spinning,2,2", 2, 2}, {"spinning,0.5,0.25", 0.5, 0.25},
                          {"spinning,0,1", 0, 1},  {"spinning,-1.5,3", -1.5, 3}};
    for (const Case& c : cases) {
        const double a = 2 * kPi / std::sqrt(c.mu2);
        const double R = -0.5 - std::sqrt(c.mu2);
        const double K = std::log(20.0) - (c.mu1 * std::atan(c.mu1) + 0.5 * R * std::log(1 + c.mu1 * c.mu1));
        const double lsupp = c.mu1 > 0 ? -std::exp(-K / R) / a : -std::exp(-(K - c.mu1) / R) / a;
        const double rsupp = c.mu1 > 0 ? std::exp(-(K + c.mu1) / R) / a : std::exp(-K / R) / a;
        std::unique_ptr<signal_fkt> w = parsed(c.text);
        ASSERT_TRUE(w) << c.text;
        EXPECT_NEAR(w->lsupp(), lsupp, 1e-5 * std::fabs(lsupp)) << c.text;
        EXPECT_NEAR(w->rsupp(), rsupp, 1e-5 * std::fabs(rsupp)) << c.text;
        EXPECT_FLOAT_EQ(w->c(), 1.0f);
        auto& spinning = static_cast<wavelet_spinning&>(*w);
        EXPECT_FLOAT_EQ(spinning.mu1(), static_cast<float>(c.mu1));
        EXPECT_FLOAT_EQ(spinning.mu2(), static_cast<float>(c.mu2));
        EXPECT_NEAR(spinning.a(), a, 1e-5 * a);
    }
    // Before parsing: [−20, 20].
    auto fresh = createWavelet("spinning");
    fresh->init();
    EXPECT_EQ(fresh->lsupp(), -20.0f);
    EXPECT_EQ(fresh->rsupp(), 20.0f);
    auto bspline = createWavelet("bspline");
    bspline->init();
    EXPECT_EQ(bspline->lsupp(), -1.0f);
    EXPECT_EQ(bspline->rsupp(), 1.0f);
}

TEST(WaveletFunctions, ShortNameIsMatchedAsPrefixInOrder)
{
    struct Case { const char* text; const char* name; size_t length; };
    const Case cases[] = {
        {"haar", "Haar", 4},          {"haarfoo", "Haar", 4},        {"mexicanhat", "Mexican hat", 10},
        {"sinusoid", "Sinus", 5},     {"poisson,1", "Poisson", 7},   {"cauchy,3", "Cauchy", 6},
        {"spinning,1,1", "Spinning", 8}, {"morlet,2", "Morlet", 6},  {"bspline,10,10", "B-Spline", 7},
        {"mexican", nullptr, 0},      {"Haar", nullptr, 0},          {"", nullptr, 0},
        {" haar", nullptr, 0},        {"morle", nullptr, 0},         {"b-spline", nullptr, 0},
    };
    for (const Case& c : cases) {
        size_t length = 0;
        std::unique_ptr<signal_fkt> w = createWavelet(c.text, &length);
        if (!c.name) {
            EXPECT_FALSE(w) << c.text;
            continue;
        }
        ASSERT_TRUE(w) << c.text;
        w->init();
        EXPECT_EQ(w->name(), c.name) << c.text;
        EXPECT_EQ(length, c.length) << c.text;
    }
}

TEST(WaveletFunctions, ArgumentSyntax)
{
    struct Case { const char* rest; bool none; bool wellFormed; std::vector<double> values; const char* text; };
    const Case cases[] = {
        {"", true, true, {}, ""},
        {",2", false, true, {2}, "2"},
        {",10,10", false, true, {10, 10}, "10,10"},
        {",", false, true, {0}, ""},
        {",,", false, true, {0, 0}, ","},
        {",1 ", false, true, {1}, "1 "},
        {",1  ,2", false, true, {1, 2}, "1  ,2"},
        {", 1", false, true, {1}, " 1"},
        {",1e3,-2.5", false, true, {1000, -2.5}, "1e3,-2.5"},
        {",0x10", false, true, {16}, "0x10"},
        {",1x", false, false, {}, "1x"},
        {",1 2", false, false, {}, "1 2"},
        {",abc", false, false, {}, "abc"},
        {"x", false, false, {}, "x"},
        {"2", false, false, {}, "2"},
    };
    for (const Case& c : cases) {
        const WaveletArguments args = parseWaveletArguments(c.rest);
        EXPECT_EQ(args.none, c.none) << '"' << c.rest << '"';
        EXPECT_EQ(args.wellFormed, c.wellFormed) << '"' << c.rest << '"';
        EXPECT_EQ(args.text, c.text) << '"' << c.rest << '"';
        if (c.wellFormed) {
            EXPECT_EQ(args.values, c.values) << '"' << c.rest << '"';
        }
    }
}
