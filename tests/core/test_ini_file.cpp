// The INI store: numbers and colours as text (IniNumbers), key lines found and replaced while
// every other byte stays (CIniText), and typed reads and writes on a file (CIniFile).
#include "core/profiles/IniFile.h"
#include "core/profiles/IniNumbers.h"
#include "core/profiles/IniText.h"

#include "ProfileTestFiles.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

std::string findOr(const CIniText& ini, const char* section, const char* key)
{
    const auto v = ini.Find(section, key);
    return v ? std::string(*v) : std::string("<absent>");
}

} // namespace

TEST(IniNumbers, NumbersAreWrittenAndReadAsTheCLibraryDoesAndColoursAsBGR)
{
    EXPECT_EQ(IniFormatDouble(0.1234567) + " " + IniFormatDouble(5e-5) + " " + IniFormatDouble(999999.5) + " " +
                  IniFormatInt(INT_MIN), "0.123457 5e-05 1e+06 -2147483648");
    // The C library's "%g", atoi, atol and atof are the reference (the tests run in the "C" locale);
    // %g over every magnitude from the smallest subnormals up, with both signs and changing digits.
    char buf[64];
    for (double v = 1.234567e-320; std::isfinite(v); v *= -7.3)
        ASSERT_EQ(IniFormatDouble(v), (std::snprintf(buf, sizeof buf, "%g", v), std::string(buf))) << v;
    // glibc's atoi is (int)strtol: saturated to 64 bits, then cut to 32 ("4294967295" gives -1).
    const char* texts[] = {"42",  "  42abc", "-7",   "+5", "abc", "", " \t 12", "3.9", "-0", "1e3", "0x1A", "- 3",
                           "0012", "1,5",    ".5",   "-.5e1", "5e-005", "1e", "1e+", "inf", "-infinity", "1.5e3x",
                           "2147483647", "-2147483648", "2147483648", "4294967295", "99999999999999999999999",
                           "-99999999999999999999999", "-9223372036854775808", "1e999", "-1e999", "7 8"};
    for (const char* t : texts) {
        EXPECT_EQ(IniAtoi(t), std::atoi(t)) << '"' << t << '"';
        EXPECT_EQ(IniAtol(t), std::atol(t)) << '"' << t << '"';
        EXPECT_EQ(IniAtof(t), std::atof(t)) << '"' << t << '"';
    }
    EXPECT_EQ(IniAtoi("4294967295") + IniAtoi(nullptr) + IniAtof(nullptr), -1.0);
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(std::tuple(IniNarrowToFloat(1e300), IniNarrowToFloat(-1e300), IniNarrowToFloat(3.4e38)),
              std::tuple(inf, -inf, 3.4e38f));
    EXPECT_EQ(IniColourFromRgb(Rgb{1, 2, 3}), 0x030201);
    EXPECT_EQ(IniRgbFromColour(-1), (Rgb{255, 255, 255})); // the high byte is ignored
}

TEST(IniText, FindsKeysWithoutRegardToCaseAndSetChangesOnlyTheKeysLineOrAddsOne)
{
    const CIniText ini(std::string("; a comment = not a key\norphan=before any section\n[FFT]\n  Delay  =  3  \n"
                                   "Grid=1\n# hash=comment\nEquation=a=b=c\nEmpty=\nno equals\n"
                                   "[ Wavelet ]\nName=morlet,2\n[A]\nk=1\nk=2\n[B]\nk=3\n[a]\nk=4\nj=5\n"));
    struct Case { const char* section; const char* key; const char* value; };
    const Case cases[] = {
        {"FFT", "Delay", "3"}, {"fft", "delay", "3"}, {"FFT", "GRID", "1"}, {" FFT ", " Delay ", "3"},
        {"Wavelet", "Delay", "<absent>"}, {"FFT", "Equation", "a=b=c"}, {"FFT", "Empty", ""},
        {"FFT", "; a comment", "<absent>"}, {"FFT", "# hash", "<absent>"}, {"FFT", "orphan", "<absent>"},
        {"FFT", "no equals", "<absent>"}, {"wavelet", "Name", "morlet,2"}, {"Missing", "Delay", "<absent>"},
        {"A", "k", "1"}, {"B", "k", "3"}, {"A", "j", "<absent>"}}; // only the first section and key of a name count
    for (const Case& c : cases)
        EXPECT_EQ(findOr(ini, c.section, c.key), c.value) << c.section << " / " << c.key;
    const CIniText mixed(std::string("[S]\r\na=1\rb=2\n[T]\rc= 3 "));
    EXPECT_EQ(findOr(mixed, "S", "a") + findOr(mixed, "S", "b") + findOr(mixed, "T", "c"), "123");
    EXPECT_EQ(findOr(mixed, "S", "c"), "<absent>");
    struct Edit { const char* before; const char* section; const char* key; const char* value; const char* after; };
    const Edit edits[] = {
        {"; notes\r\n[FFT]\r\n  Delay = 3 ; old\r\nGrid=1\r\n\r\n[Unknown]\r\nx=y\r\n", "fft", "Delay", "7",
         "; notes\r\n[FFT]\r\nDelay=7\r\nGrid=1\r\n\r\n[Unknown]\r\nx=y\r\n"},
        {"[FFT]\na=1\nb=2\n\n; next\n[N]\nc=3\n", "FFT", "new", "x", "[FFT]\na=1\nb=2\nnew=x\n\n; next\n[N]\nc=3\n"},
        {"[Empty]\n[Next]\n", "Empty", "k", "v", "[Empty]\nk=v\n[Next]\n"},
        {"", "Dokument", "N", "1024", "[Dokument]\nN=1024\n"},
        {"[A]\r\na=1", "B", "b", "2", "[A]\r\na=1\r\n[B]\r\nb=2\r\n"},
        {"[A]\na=1", "A", "b", "2", "[A]\na=1\nb=2"},
        // the first line end is a lone CR; a new line never swallows the empty line after CR LF
        {"[A]\ra=1\r\n\nb=2\r", "A", "c", "3", "[A]\ra=1\r\n\nb=2\rc=3\r"},
        {"[A]\ra=1\r\n\n[B]\r", "A", "c", "3", "[A]\ra=1\r\nc=3\r\n\n[B]\r"},
        {"", "A", "k", "one\ntwo\r\nthree", "[A]\nk=one two  three\n"},
        {"[\n[S]\nbin\x01\xff=\x02\nk=1\n", "S", "k", "2", "[\n[S]\nbin\x01\xff=\x02\nk=2\n"},
    };
    for (const Edit& e : edits) {
        CIniText text{std::string(e.before)};
        EXPECT_TRUE(text.Set(e.section, e.key, e.value)) << e.before;
        EXPECT_EQ(text.Text(), e.after) << e.before;
    }
    // Names that could not be read back are refused and change nothing.
    CIniText text{std::string("[A]\na=1\n")};
    const std::pair<const char*, const char*> bad[] = {{"", "k"},  {"  ", "k"},  {"A]", "k"}, {"A\nB", "k"},
                                                       {"A", ""},  {"A", "k=v"}, {"A", "[k"}, {"A", ";k"},
                                                       {"A", "#k"}, {"A", "k\r"}};
    for (const auto& [section, key] : bad)
        EXPECT_FALSE(text.Set(section, key, "v")) << '"' << section << "\" / \"" << key << '"';
    EXPECT_EQ(text.Text(), "[A]\na=1\n");
}

TEST(IniFile, ReadsGiveDefaultsThroughTextValuesOfAtMost255BytesAndBadFilesDoNoHarm)
{
    ScopedTempDir dir;
    CIniFile ini(dir.file("p.ini"), "FFT");
    // Defaults go through text too: "%g" keeps six significant digits, strings lose their padding.
    EXPECT_EQ(std::tuple(ini.ReadInt("absent", 7), ini.ReadLong("absent", -1234567890123L),
                         ini.ReadDouble("absent", 0.1234567), ini.ReadFloat("absent", 0.1234567f)),
              std::tuple(7, -1234567890123L, 0.123457, 0.123457f));
    EXPECT_EQ(ini.ReadString("absent", "  padded default  ") + "|" + ini.ReadString("absent"), "padded default|");
    EXPECT_FALSE(fs::exists(dir.file("p.ini"))) << "reading must not create the file";

    writeBytes(dir.file("p.ini"), "[S]\nDelay=abc\nGrid=12abc\nRadius=x1.5\nBig=1e999\nSmall=5e-005\nlong=" +
                                      std::string(300, 'a') + "\numlaut=" + std::string(254, 'b') +
                                      "ü\n" /* ü takes bytes 254 and 255 */ + std::string("nul=ab\0cd\n", 10));
    EXPECT_EQ(ini.ReadInt("Delay", 5, "S"), 0); // the section given here stays current
    EXPECT_EQ(std::tuple(ini.ReadLong("Grid", 5), ini.ReadDouble("Radius", 2.0), ini.ReadFloat("Big"), ini.ReadFloat("Small")),
              std::tuple(12L, 0.0, std::numeric_limits<float>::infinity(), 0.00005f)); // Small: three exponent digits
    EXPECT_EQ(std::vector<std::string>({ini.ReadString("long"), ini.ReadString("umlaut"), ini.ReadString("nul"),
                                        ini.ReadString("absent", std::string(400, 'd').c_str())}),
              std::vector<std::string>({std::string(255, 'a'), std::string(254, 'b'), "ab", std::string(255, 'd')}));
    // An empty file, a directory in place of a file, a file beyond the size limit.
    writeBytes(dir.file("empty.ini"), "");
    EXPECT_EQ(CIniFile(dir.file("empty.ini"), "S").ReadInt("k", 3), 3);
    fs::create_directory(dir.file("adir.ini")); // a directory in place of a file
    CIniFile onDir(dir.file("adir.ini"), "S");
    onDir.WriteInt("k", 4);
    EXPECT_EQ(onDir.ReadInt("k", 3), 3);
    const std::string huge = "[S]\nk=1\n" + std::string(CIniFile::kMaxFileBytes, '\n');
    writeBytes(dir.file("huge.ini"), huge);
    CIniFile onHuge(dir.file("huge.ini"), "S");
    EXPECT_EQ(onHuge.ReadInt("k", 3), 3);
    onHuge.WriteInt("k", 4);
    EXPECT_EQ(fs::file_size(dir.file("huge.ini")), huge.size()) << "an oversized file is never rewritten";
}

TEST(IniFile, TheLastGivenSectionStaysCurrentWritesKeepAllOtherBytesAndEveryTypeRoundTrips)
{
    ScopedTempDir dir;
    const std::string path = dir.path() + "/config/resoni/Profile/ResoniUserProfil-Chor.ini";
    CIniFile ini(path, "Dokument");
    ini.WriteString("IniDokumentPlayFile", "Kein File ausgewählt.");
    EXPECT_EQ(ini.ReadInt("b", 0, "FFT"), 0); // a read given a section switches too
    EXPECT_EQ(ini.GetSection(), "FFT");
    ini.WriteInt("c", 3);
    ini.WriteFloat("Freqmax", 0.00005f);
    ini.WriteInt("c", 4, "fft");
    EXPECT_EQ(readBytes(path), "[Dokument]\nIniDokumentPlayFile=Kein File ausgewählt.\n[FFT]\nc=4\nFreqmax=5e-05\n");
    EXPECT_EQ(ini.ReadInt("c", -1, "Dokument"), -1);
    ini.SetSection("fft");
    EXPECT_EQ(std::tuple(ini.ReadInt("C", -1), ini.ReadFloat("Freqmax", 1.0f)), std::tuple(4, 0.00005f));

    writeBytes(dir.file("p.ini"), "; notes\r\n[Fremd]\r\nFoo = Bar\r\n\r\n[FFT]\r\nIniFFTDelay=3\r\n# end");
    CIniFile notes(dir.file("p.ini"), "FFT");
    CIniFile reader(notes); // a copy works on the same file and sees every write at once
    notes.WriteInt("IniFFTDelay", 5);
    EXPECT_EQ(reader.ReadInt("IniFFTDelay", -1), 5);
    notes.WriteInt("IniFFTbGrid", 1);
    notes.WriteString("IniWaveletWavelet", "haar", "Wavelet");
    EXPECT_EQ(readBytes(dir.file("p.ini")),
              "; notes\r\n[Fremd]\r\nFoo = Bar\r\n\r\n[FFT]\r\nIniFFTDelay=5\r\nIniFFTbGrid=1\r\n# end\r\n"
              "[Wavelet]\r\nIniWaveletWavelet=haar\r\n");
    EXPECT_EQ(reader.ReadString("foo", "", "fremd"), "Bar");
    // Every type of variable goes through Exchange and back.
    CIniFile types(dir.file("types.ini"), "3DFFT");
    const auto roundTrip = [&](auto value, const char* key) {
        types.Exchange(false, &value, key);
        decltype(value) back{};
        types.Exchange(true, &back, std::string(key));
        EXPECT_TRUE(back == value) << key;
    };
    roundTrip(4294967295u, "u"), roundTrip(-1234567890123L, "l"), roundTrip(-42, "i");
    roundTrip(Rgb{10, 20, 30}, "Ini3DFFTclrBackBuffer"), roundTrip(std::string("morlet,2"), "s");
    roundTrip(0.001, "d"), roundTrip(0.25f, "f");
    EXPECT_EQ(readBytes(dir.file("types.ini")),
              "[3DFFT]\nu=-1\nl=-1234567890123\ni=-42\nIni3DFFTclrBackBuffer=1971210\ns=morlet,2\nd=0.001\nf=0.25\n");
    std::string keep = "unchanged"; // absent keys keep every variable as it was
    types.Exchange(true, &keep, "absent", "Other");
    EXPECT_EQ(keep, "unchanged");
    types.Exchange(true, static_cast<int*>(nullptr), "i"); // a null variable does nothing
}

TEST(IniFile, PathsResolveAgainstProgramOrCurrentDirectory)
{
    const std::string savedDir = CIniFile::ProgramDirectory();
    CIniFile::SetProgramFile("/opt/resoni/bin/resoni");
    EXPECT_EQ(CIniFile("Profile/Standard.ini").GetPath(), "/opt/resoni/bin/Profile/Standard.ini");
    EXPECT_EQ(CIniFile("").GetPath(), "/opt/resoni/bin/resoni.ini");
    EXPECT_EQ(CIniFile("/etc/x.ini", "S", true).GetPath(), "/etc/x.ini");
    const fs::path cwd = fs::current_path();
    EXPECT_EQ(CIniFile("rel.ini", "S", false).GetPath(), (cwd / "rel.ini").string());
    EXPECT_EQ(CIniFile("", "S", false).GetPath(), (cwd / "resoni.ini").string());
    EXPECT_EQ(CIniFile("x.ini").GetSection(), "Resoni"); // an empty section is the application's name
    CIniFile::SetProgramFile("/resoni.bin");
    EXPECT_EQ(CIniFile("p.ini").GetPath(), "/p.ini");
    CIniFile::SetProgramFile(savedDir + "/resoni_core_tests");
}
