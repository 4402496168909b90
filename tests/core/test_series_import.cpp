// The one-column text import: which entries count and what they convert to, and the scaling
// onto 16-bit samples with its clamping.
#include "test_wave_util.h"

#include "core/audio/TimeSeriesImport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace wavetest;

TEST(SeriesImport, Entries)
{
    struct Case { const char* name; std::string text; std::vector<double> values; };
    const Case cases[] = {
        {"one per line, final line break read once", "1\n2\n3\n4\n", {1, 2, 3, 4}},
        {"no final line break", "1\n2", {1, 2}},
        {"blanks, tabs, CR LF", " 1\t2  \r\n3\r\n\r\n", {1, 2, 3}},
        {"only an entry starting with # is skipped", "#, abc 3", {0, 3}},
        {"# glued to a number", "#5 6 -#7", {6, 0}},
        {"C conversion: leading number part", "12abc 1,5 .5 -.25e1 +7 1e3x", {12, 1, 0.5, -2.5, 7, 1000}},
        {"hex, inf, nan", "0x10 -inf", {16, -std::numeric_limits<double>::infinity()}},
        {"text only", "abc\nxyz", {0, 0}},
        {"huge exponent", "1e999 -1e999", {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()}},
        {"empty", "", {}},
        {"whitespace only", " \n\t\r\n", {}},
        {"comments only", "# a b\n", {0, 0}},
    };
    for (const Case& c : cases) {
        const TimeSeriesValues s = ParseTimeSeries(c.text);
        EXPECT_EQ(s.values, c.values) << c.name;
    }
    // M and the sign over the parsed values; infinities and NaN do not count for M.
    const TimeSeriesValues s = ParseTimeSeries("3 -7.5 2 inf nan");
    EXPECT_EQ(s.dMax, 7.5);
    EXPECT_TRUE(s.bNegative);
    EXPECT_TRUE(std::isnan(s.values[4]));
    EXPECT_FALSE(ParseTimeSeries("0 1 2").bNegative);
    EXPECT_TRUE(ParseTimeSeries("-0.001").bNegative);
}

TEST(SeriesImport, Scaling)
{
    struct Case { const char* name; std::string text; std::vector<std::int16_t> samples; };
    const Case cases[] = {
        // s = 65536 / 4 = 16384: q = 16384, 32768, 49152, 65536 -> 65535; minus 32768
        {"positive 1 2 3 4", "1 2 3 4", {-16384, 0, 16384, 32767}},
        // s = 32768 / 2 = 16384: -32768, 16384
        {"signed -2 1", "-2 1", {-32768, 16384}},
        {"signed keeps its zero", "-4 0 4 1", {-32768, 0, 32767, 8192}},
        {"signed truncates toward zero", "-4 1.5 -1.5 0.0001 -0.0001", {-32768, 12288, -12288, 0, 0}},
        {"non-negative zero is the bottom", "0 8 4", {-32768, 32767, 0}},
        {"non-negative truncates", "0 3 1", {-32768, 32767, -10923}},
        {"tiny values", "0x1p-1000 -0x1p-999", {16384, -32768}}, // s = 2^1014
        {"all zero stays zero", "0 0 0", {0, 0, 0}},
        {"nan is 0, infinities clamp", "nan 2 -inf inf -2", {0, 32767, -32768, 32767, -32768}},
        {"only infinities", "inf -inf", {32767, -32768}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ScaleTimeSeries(ParseTimeSeries(c.text)), c.samples) << c.name;
    }
    EXPECT_TRUE(IsAllZeroSeries(ParseTimeSeries("0 -0 0.0")));
    EXPECT_FALSE(IsAllZeroSeries(ParseTimeSeries("0 1e-300")));
    EXPECT_FALSE(IsAllZeroSeries(ParseTimeSeries("")));
}

TEST(SeriesImport, ReadsFiles)
{
    const std::string dir = MakeTempDir();
    WriteText(dir + "/s.prn", "#Mathcad-Export\n1.5\n-2.5\n");
    TimeSeriesValues s;
    ASSERT_TRUE(ReadTimeSeriesFile(dir + "/s.prn", s));
    EXPECT_EQ(s.values, (std::vector<double>{1.5, -2.5}));
    EXPECT_FALSE(ReadTimeSeriesFile(dir + "/missing.txt", s));
    // A NUL byte ends the number it is in; nothing past the file is read.
    WriteFile(dir + "/nul.txt", Bytes{'4', 0, '5', ' ', '6'});
    ASSERT_TRUE(ReadTimeSeriesFile(dir + "/nul.txt", s));
    EXPECT_EQ(s.values, (std::vector<double>{4, 6}));
}
