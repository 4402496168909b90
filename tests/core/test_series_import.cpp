// The one-column text import: which entries count and what they convert to, and the scaling
// onto 16-bit samples with its clamping.
#include "test_wave_util.h"

#include "core/audio/TimeSeriesImport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(SeriesImport, EntriesAndFiles)
{
    const double inf = std::numeric_limits<double>::infinity();
    struct Case { const char* name; std::string text; std::vector<double> values; };
    const Case cases[] = {
        {"one per line, final line break read once", "1\n2\n3\n4\n", {1, 2, 3, 4}},
        {"no final line break", "1\n2", {1, 2}},
        {"blanks, tabs, CR LF, VT, FF", " 1\t2  \r\n3\r\n\r\n\v4\f", {1, 2, 3, 4}},
        {"only an entry starting with # is skipped", "#, abc 3 #5 6 -#7", {0, 3, 6, 0}},
        {"C conversion: the number at the start", "12abc 1,5 .5 -.25e1 +7 1e3x xyz", {12, 1, 0.5, -2.5, 7, 1000, 0}},
        {"hex, infinities", "0x10 -inf 1e999", {16, -inf, inf}},
        {"whitespace only", " \n\t\r\n", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseTimeSeries(c.text).values, c.values) << c.name;
    TimeSeriesValues s = ParseTimeSeries("3 -7.5 2 inf nan"); // M and the sign: infinities and NaN do not count for M
    EXPECT_TRUE(s.dMax == 7.5 && s.bNegative && std::isnan(s.values[4]) && !ParseTimeSeries("0 1 2").bNegative);
    const std::string dir = wavetest::MakeTempDir();
    EXPECT_FALSE(ReadTimeSeriesFile(dir + "/missing.txt", s));
    wavetest::WriteFile(dir + "/nul.txt", Bytes{'#', 'x', '\n', '4', 0, '5', ' ', '6'}); // NUL ends its number
    ASSERT_TRUE(ReadTimeSeriesFile(dir + "/nul.txt", s));
    EXPECT_EQ(s.values, (std::vector<double>{4, 6})); // and nothing past the file is read
}

TEST(SeriesImport, Scaling)
{
    struct Case { const char* name; std::string text; std::vector<std::int16_t> samples; };
    const Case cases[] = {
        {"positive: s = 65536 / 4, 65536 -> 65535, minus 32768", "1 2 3 4", {-16384, 0, 16384, 32767}},
        {"signed: s = 32768 / 2", "-2 1", {-32768, 16384}},
        {"signed keeps its zero", "-4 0 4 1", {-32768, 0, 32767, 8192}},
        {"signed truncates toward zero", "-4 1.5 -1.5 0.0001 -0.0001", {-32768, 12288, -12288, 0, 0}},
        {"non-negative zero is the bottom", "0 8 4", {-32768, 32767, 0}},
        {"non-negative truncates", "0 3 1", {-32768, 32767, -10923}},
        {"tiny values, s = 2^1014", "0x1p-1000 -0x1p-999", {16384, -32768}},
        {"all zero stays zero", "0 0 0", {0, 0, 0}},
        {"nan is 0, infinities clamp", "nan 2 -inf inf -2", {0, 32767, -32768, 32767, -32768}},
        {"only infinities", "inf -inf", {32767, -32768}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ScaleTimeSeries(ParseTimeSeries(c.text)), c.samples) << c.name;
    EXPECT_TRUE(IsAllZeroSeries(ParseTimeSeries("0 -0 0.0")));
    EXPECT_FALSE(IsAllZeroSeries(ParseTimeSeries("0 1e-300")) || IsAllZeroSeries(ParseTimeSeries("")));
}
