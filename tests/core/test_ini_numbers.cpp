#include "core/profiles/IniNumbers.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

#include <gtest/gtest.h>

namespace {

// The C library's "%g", the reference for our locale-independent formatting (the test process
// runs in the "C" locale).
std::string printfG(double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}

} // namespace

TEST(IniNumbers, FormatDoubleKnownAnswers)
{
    struct Case { double value; const char* text; };
    const Case cases[] = {
        {0.1234567, "0.123457"}, {0.00005, "5e-05"},     {0.0001, "0.0001"},    {100.0, "100"},
        {123456.0, "123456"},    {1234567.0, "1.23457e+06"}, {1e6, "1e+06"},   {-2.5, "-2.5"},
        {0.0, "0"},              {1e-300, "1e-300"},     {1e300, "1e+300"},     {44100.0, "44100"},
        {0.05, "0.05"},          {1.0 / 3.0, "0.333333"}, {999999.5, "1e+06"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IniFormatDouble(c.value), c.text) << c.value;
}

TEST(IniNumbers, FormatDoubleAgreesWithPrintfOverManyMagnitudes)
{
    std::mt19937_64 rng(12345);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-320, 308);
    for (int i = 0; i < 20000; ++i) {
        const double v = mantissa(rng) * std::pow(10.0, exponent(rng));
        if (!std::isfinite(v))
            continue;
        ASSERT_EQ(IniFormatDouble(v), printfG(v)) << "value " << v;
    }
    const double specials[] = {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                               std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::max(),
                               -0.0};
    for (double v : specials)
        EXPECT_EQ(IniFormatDouble(v), printfG(v));
}

TEST(IniNumbers, FormatIntIsPercentD)
{
    for (int v : {0, 1, -1, 42, -32768, std::numeric_limits<int>::max(), std::numeric_limits<int>::min()})
        EXPECT_EQ(IniFormatInt(v), std::to_string(v));
}

TEST(IniNumbers, AtoiAndAtofAgreeWithTheCLibrary)
{
    // atoi and atof of the C library, in the "C" locale, are the reference.
    const char* texts[] = {"42",     "  42abc", "-7",    "+5",     "abc",    "",       " \t 12", "3.9",
                           "-0",     "1e3",     "0x1A",  "- 3",    "0012",   "1,5",    ".5",     "-.5e1",
                           "5e-005", "5e-05",   "1e",    "1e+",    "inf",    "-infinity", "2147483647",
                           "-2147483648", "  +.5",  "1.5e3x", "0.123457", "7 8"};
    for (const char* t : texts) {
        EXPECT_EQ(IniAtoi(t), std::atoi(t)) << '"' << t << '"';
        EXPECT_EQ(IniAtol(t), std::atol(t)) << '"' << t << '"';
        const double expected = std::atof(t);
        const double got = IniAtof(t);
        if (std::isnan(expected))
            EXPECT_TRUE(std::isnan(got)) << t;
        else
            EXPECT_EQ(got, expected) << '"' << t << '"';
    }
    EXPECT_EQ(IniAtoi(nullptr), 0);
    EXPECT_EQ(IniAtof(nullptr), 0.0);
}

TEST(IniNumbers, OutOfRangeIntegersTruncateLikeTheCLibrary)
{
    // glibc's atoi is (int)strtol: saturated to 64 bits, then cut to 32.
    EXPECT_EQ(IniAtoi("4294967295"), -1);
    EXPECT_EQ(IniAtoi("2147483648"), std::numeric_limits<int>::min());
    EXPECT_EQ(IniAtoi("99999999999999999999999"), -1);      // saturated to 2^63 − 1
    EXPECT_EQ(IniAtoi("-99999999999999999999999"), 0);      // saturated to −2^63
    EXPECT_EQ(IniAtol("99999999999999999999999"), std::numeric_limits<long>::max());
    EXPECT_EQ(IniAtol("-9223372036854775808"), std::numeric_limits<long>::min());
    EXPECT_EQ(IniAtof("1e999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(IniAtof("-1e999"), -std::numeric_limits<double>::infinity());
}

TEST(IniNumbers, NarrowToFloatNeverOverflowsSilently)
{
    EXPECT_EQ(IniNarrowToFloat(1e300), std::numeric_limits<float>::infinity());
    EXPECT_EQ(IniNarrowToFloat(-1e300), -std::numeric_limits<float>::infinity());
    EXPECT_EQ(IniNarrowToFloat(0.00005), 0.00005f);
    EXPECT_EQ(IniNarrowToFloat(3.4e38), 3.4e38f);
    EXPECT_TRUE(std::isnan(IniNarrowToFloat(std::nan(""))));
}

TEST(IniNumbers, ColourIsBlueGreenRed)
{
    EXPECT_EQ(IniColourFromRgb(Rgb{1, 2, 3}), 0x030201);
    EXPECT_EQ(IniColourFromRgb(Rgb{255, 255, 255}), 16777215);
    EXPECT_EQ(IniRgbFromColour(0x030201), (Rgb{1, 2, 3}));
    EXPECT_EQ(IniRgbFromColour(255), (Rgb{255, 0, 0}));
    EXPECT_EQ(IniRgbFromColour(-1), (Rgb{255, 255, 255})); // the high byte is ignored
}

TEST(IniNumbers, DoNotDependOnTheNumericLocale)
{
    const char* german[] = {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "German"};
    const char* chosen = nullptr;
    for (const char* name : german)
        if (std::setlocale(LC_NUMERIC, name)) {
            chosen = name;
            break;
        }
    if (!chosen)
        GTEST_SKIP() << "no German locale installed";
    const std::string formatted = IniFormatDouble(0.5);
    const double parsed = IniAtof("0.25");
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(formatted, "0.5");
    EXPECT_EQ(parsed, 0.25);
}
