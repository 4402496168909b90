#include "core/profiles/IniText.h"

#include <string>

#include <gtest/gtest.h>

namespace {

std::string findOr(const CIniText& ini, const char* section, const char* key, const char* absent = "<absent>")
{
    const auto v = ini.Find(section, key);
    return v ? std::string(*v) : std::string(absent);
}

} // namespace

TEST(IniText, FindsKeysByCaseInsensitiveSectionAndKey)
{
    const CIniText ini(std::string("; a comment = not a key\n"
                                   "orphan=before any section\n"
                                   "[FFT]\n"
                                   "  IniFFTDelay   =   3  \n"
                                   "IniFFTbGrid=1\n"
                                   "# hash=comment\n"
                                   "Equation=a=b=c\n"
                                   "Empty=\n"
                                   "no equals sign here\n"
                                   "[ Wavelet ]\n"
                                   "IniWaveletWavelet=morlet,2\n"));
    struct Case { const char* section; const char* key; const char* value; };
    const Case cases[] = {
        {"FFT", "IniFFTDelay", "3"},          {"fft", "inifftdelay", "3"},   {"FFT", "INIFFTBGRID", "1"},
        {"FFT", "Equation", "a=b=c"},         {"FFT", "Empty", ""},          {"FFT", "; a comment", "<absent>"},
        {"FFT", "# hash", "<absent>"},        {"FFT", "orphan", "<absent>"}, {"FFT", "no equals sign here", "<absent>"},
        {"wavelet", "IniWaveletWavelet", "morlet,2"}, {"Wavelet", "IniFFTDelay", "<absent>"},
        {"Missing", "IniFFTDelay", "<absent>"}, {" FFT ", " IniFFTDelay ", "3"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(findOr(ini, c.section, c.key), c.value) << c.section << " / " << c.key;
}

TEST(IniText, FirstSectionAndFirstKeyOfANameWin)
{
    const CIniText ini(std::string("[A]\nk=1\nk=2\n[B]\nk=3\n[a]\nk=4\nj=5\n"));
    EXPECT_EQ(findOr(ini, "A", "k"), "1");
    EXPECT_EQ(findOr(ini, "B", "k"), "3");
    EXPECT_EQ(findOr(ini, "A", "j"), "<absent>"); // only in the repeated section
}

TEST(IniText, AnyLineEndAndAMissingFinalNewline)
{
    const CIniText crlf(std::string("[S]\r\na=1\r\nb=2"));
    EXPECT_EQ(findOr(crlf, "S", "a"), "1");
    EXPECT_EQ(findOr(crlf, "S", "b"), "2");
    const CIniText cr(std::string("[S]\ra=1\rb=2\r"));
    EXPECT_EQ(findOr(cr, "S", "b"), "2");
    const CIniText mixed(std::string("[S]\na=1\r\n[T]\rc= 3 "));
    EXPECT_EQ(findOr(mixed, "T", "c"), "3");
    EXPECT_EQ(findOr(mixed, "S", "c"), "<absent>");
}

TEST(IniText, SetReplacesOnlyTheKeysLine)
{
    const std::string before = "; Resoni profile\r\n[FFT]\r\n  IniFFTDelay = 3 ; old\r\nIniFFTbGrid=1\r\n\r\n"
                               "[Unknown]\r\nx=y\r\n";
    CIniText ini{std::string(before)};
    ASSERT_TRUE(ini.Set("fft", "IniFFTDelay", "7"));
    EXPECT_EQ(ini.Text(), "; Resoni profile\r\n[FFT]\r\nIniFFTDelay=7\r\nIniFFTbGrid=1\r\n\r\n[Unknown]\r\nx=y\r\n");
}

TEST(IniText, SetAddsAfterTheLastKeyOfTheSection)
{
    CIniText ini{std::string("[FFT]\na=1\nb=2\n\n; about the next section\n[Next]\nc=3\n")};
    ASSERT_TRUE(ini.Set("FFT", "new", "x"));
    EXPECT_EQ(ini.Text(), "[FFT]\na=1\nb=2\nnew=x\n\n; about the next section\n[Next]\nc=3\n");
    CIniText empty{std::string("[Empty]\n[Next]\n")};
    ASSERT_TRUE(empty.Set("Empty", "k", "v"));
    EXPECT_EQ(empty.Text(), "[Empty]\nk=v\n[Next]\n");
}

TEST(IniText, SetAddsMissingSectionsAtTheEndInTheFilesLineEnd)
{
    CIniText blank;
    ASSERT_TRUE(blank.Set("Dokument", "IniDokumentNumFFTPoints", "1024"));
    EXPECT_EQ(blank.Text(), "[Dokument]\nIniDokumentNumFFTPoints=1024\n");

    CIniText crlf{std::string("[A]\r\na=1")};
    ASSERT_TRUE(crlf.Set("B", "b", "2"));
    EXPECT_EQ(crlf.Text(), "[A]\r\na=1\r\n[B]\r\nb=2\r\n");

    CIniText noFinalNewline{std::string("[A]\na=1")};
    ASSERT_TRUE(noFinalNewline.Set("A", "b", "2"));
    EXPECT_EQ(noFinalNewline.Text(), "[A]\na=1\nb=2");
    EXPECT_EQ(findOr(noFinalNewline, "A", "a"), "1");
    EXPECT_EQ(findOr(noFinalNewline, "A", "b"), "2");
}

TEST(IniText, AddedLinesNeverSwallowAnEmptyLine)
{
    // The file's first line end is a lone CR; the key line before the empty line ends in CR LF.
    CIniText ini{std::string("[A]\ra=1\r\n\nb=2\r")};
    ASSERT_TRUE(ini.Set("A", "c", "3"));
    EXPECT_EQ(ini.Text(), "[A]\ra=1\r\n\nb=2\rc=3\r");
    CIniText blankAfter{std::string("[A]\ra=1\r\n\n[B]\r")};
    ASSERT_TRUE(blankAfter.Set("A", "c", "3"));
    EXPECT_EQ(blankAfter.Text(), "[A]\ra=1\r\nc=3\r\n\n[B]\r");
}

TEST(IniText, SetRefusesNamesThatCouldNotBeReadBack)
{
    const std::string before = "[A]\na=1\n";
    CIniText ini{std::string(before)};
    const std::pair<const char*, const char*> bad[] = {
        {"", "k"}, {"  ", "k"}, {"A]", "k"}, {"A\nB", "k"}, {"A", ""}, {"A", "k=v"},
        {"A", "[k"}, {"A", ";k"}, {"A", "#k"}, {"A", "k\r"},
    };
    for (const auto& [section, key] : bad)
        EXPECT_FALSE(ini.Set(section, key, "v")) << '"' << section << "\" / \"" << key << '"';
    EXPECT_EQ(ini.Text(), before);
}

TEST(IniText, LineBreaksInValuesBecomeBlanks)
{
    CIniText ini;
    ASSERT_TRUE(ini.Set("A", "k", "one\ntwo\r\nthree"));
    EXPECT_EQ(findOr(ini, "A", "k"), "one two  three");
    EXPECT_EQ(findOr(ini, "A", "three"), "<absent>");
}

TEST(IniText, TenThousandCharacterLinesAndBinaryBytes)
{
    std::string text(10000, 'x');
    text += "\n[S]\n";
    text += "long=" + std::string(10000, 'v') + "\n";
    text += std::string("bin\0\x01\xff=\x02", 8) + "\n";
    text += "k=1\n";
    CIniText ini{text};
    EXPECT_EQ(findOr(ini, "S", "k"), "1");
    EXPECT_EQ(findOr(ini, "S", "long").size(), 10000u);
    ASSERT_TRUE(ini.Set("S", "k", "2"));
    EXPECT_EQ(findOr(ini, "S", "k"), "2");
    // Everything but the changed line is kept.
    std::string expected = text;
    expected.replace(expected.rfind("k=1"), 3, "k=2");
    EXPECT_EQ(ini.Text(), expected);
}
