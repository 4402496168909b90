// The B-spline wavelet in sampled form: its envelope against box filters convolved directly
// (not by running sums), the carrier, the index window −c0 < k < c0 and the support.
#include "core/wavelet/wavelet_bspline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {

std::unique_ptr<wavelet_bspline> parsedBspline(const std::string& rest)
{
    auto wavelet = std::make_unique<wavelet_bspline>();
    wavelet->init();
    wavelet->parse(rest.c_str());
    return wavelet;
}

// Convolution of unit-area boxes of the given lengths, in double, computed term by term.
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

} // namespace

TEST(WaveletBspline, EnvelopeIsTheConvolutionOfBoxes)
{
    struct Case { const char* rest; float r; std::vector<long> lengths; };
    // h = 1 / r; L = ceil(w / h), chosen away from integers so the count is unambiguous.
    const Case cases[] = {
        {",10,10", 10.0f, {100, 100}},
        {",0.35,1.25,0.05", 10.0f, {4, 13, 1}},
        {",3", 2.0f, {6}},
        {",0.5,0.5,0.5,0.5", 7.0f, {4, 4, 4, 4}},
    };
    for (const Case& c : cases) {
        const auto wavelet = parsedBspline(c.rest);
        const std::vector<float> kernel = wavelet->kernel(1.0f / c.r);
        const std::vector<double> expected = convolvedBoxes(c.lengths);
        ASSERT_EQ(kernel.size(), expected.size()) << c.rest;
        double sum = 0.0;
        for (size_t j = 0; j < kernel.size(); ++j) {
            EXPECT_NEAR(kernel[j], expected[j], 1e-6) << c.rest << " entry " << j;
            sum += kernel[j];
        }
        EXPECT_NEAR(sum, 1.0, 1e-5) << c.rest; // running means keep the area
    }
}

TEST(WaveletBspline, DiscretizedValuesCarryTheCarrierInsideTheKernelWindow)
{
    // bspline,10,10 at N = 200 points: support [−10, 10], r = 10, h = 0.1, o = −100.
    const auto bspline = parsedBspline(",10,10");
    wavelet_bspline& wavelet = *bspline;
    EXPECT_EQ(wavelet.lsupp(), -10.0f);
    EXPECT_EQ(wavelet.rsupp(), 10.0f);
    const float r = 200.0f / (wavelet.rsupp() - wavelet.lsupp());
    const long a = -100;
    const long b = 100;
    const std::vector<double> kernel = convolvedBoxes({100, 100}); // K = 199, c0 = 99
    const long c0 = static_cast<long>(kernel.size()) / 2;
    ASSERT_EQ(c0, 99);
    for (int part = 0; part < 2; ++part) {
        wavelet.setPart(part);
        std::vector<float> out(static_cast<size_t>(b - a), -1.0f);
        wavelet.discretize(r, a, b, out.data());
        for (long k = a; k < b; ++k) {
            double expected = 0.0;
            if (-c0 < k && k < c0) {
                const double phase = 2.0 * M_PI * static_cast<double>(k) * 0.1;
                expected = kernel[static_cast<size_t>(k + c0 - 1)] * (part == 0 ? std::cos(phase) : std::sin(phase));
            }
            EXPECT_NEAR(out[static_cast<size_t>(k - a)], expected, 2e-6) << "part " << part << " k " << k;
        }
        // Outside −c0 < k < c0 the wavelet is exactly 0.
        EXPECT_EQ(out[0], 0.0f);
        EXPECT_EQ(out[1], 0.0f);
        EXPECT_EQ(out[static_cast<size_t>(99 - a)], 0.0f);
    }
}

TEST(WaveletBspline, SupportIsHalfTheSumOfTheWidths)
{
    struct Case { const char* rest; float rsupp; };
    const Case cases[] = {{",10,10", 10.0f}, {",1", 0.5f}, {",2,4,6", 6.0f}, {",0.25 , 0.75", 0.5f}};
    for (const Case& c : cases) {
        const auto wavelet = parsedBspline(c.rest);
        EXPECT_FLOAT_EQ(wavelet->rsupp(), c.rsupp) << c.rest;
        EXPECT_FLOAT_EQ(wavelet->lsupp(), -c.rsupp) << c.rest;
    }
}
