#include "core/profiles/IniFile.h"

#include "ProfileTestFiles.h"

#include <cstdint>
#include <filesystem>
#include <limits>
#include <random>
#include <string>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

TEST(IniFile, AbsentKeysGiveTheirDefaultsThroughText)
{
    ScopedTempDir dir;
    CIniFile ini(dir.file("p.ini"), "FFT");
    EXPECT_EQ(ini.ReadInt("absent", 7), 7);
    // The default goes through "%g": six significant digits.
    EXPECT_EQ(ini.ReadDouble("absent", 0.1234567), 0.123457);
    EXPECT_EQ(ini.ReadFloat("absent", 0.1234567f), 0.123457f);
    EXPECT_EQ(ini.ReadString("absent", "  padded default  "), "padded default");
    EXPECT_EQ(ini.ReadString("absent"), "");
    EXPECT_STREQ(ini.GetBuffer(), "");
    EXPECT_FALSE(fs::exists(dir.file("p.ini"))) << "reading must not create the file";
}

TEST(IniFile, SmallFloatIsWrittenInExponentFormAndComesBack)
{
    ScopedTempDir dir;
    CIniFile ini(dir.file("p.ini"), "Wavelet");
    ini.WriteFloat("IniWaveletFreqmax", 0.00005f);
    EXPECT_EQ(readBytes(dir.file("p.ini")), "[Wavelet]\nIniWaveletFreqmax=5e-05\n");
    EXPECT_EQ(ini.ReadFloat("IniWaveletFreqmax", 1.0f), 0.00005f);

    writeBytes(dir.file("p.ini"), "[Wavelet]\nIniWaveletFreqmax=5e-005\n"); // three exponent digits
    EXPECT_EQ(ini.ReadFloat("IniWaveletFreqmax", 1.0f), 0.00005f);
    EXPECT_EQ(ini.ReadDouble("IniWaveletFreqmax", 1.0), 5e-05);
}

TEST(IniFile, DoublesComeBackWithSixSignificantDigits)
{
    ScopedTempDir dir;
    CIniFile ini(dir.file("p.ini"), "Analyse");
    const double values[] = {0.1234567, 1234567.0, -9.87654321e-7, 0.001, 1.0, 1e300};
    const double expected[] = {0.123457, 1234570.0, -9.87654e-7, 0.001, 1.0, 1e300};
    for (size_t i = 0; i < std::size(values); ++i) {
        ini.WriteDouble("k", values[i]);
        EXPECT_EQ(ini.ReadDouble("k", 0.0), expected[i]) << values[i];
    }
}

TEST(IniFile, ExchangeReadsTextThatIsNoNumberAsZero)
{
    ScopedTempDir dir;
    writeBytes(dir.file("p.ini"), "[FFT]\nIniFFTDelay=abc\nIniFFTbGrid=12abc\nRadius=x1.5\n");
    CIniFile ini(dir.file("p.ini"), "FFT");
    int delay = 5, grid = 5;
    double radius = 2.0;
    ini.Exchange(true, &delay, "IniFFTDelay");
    ini.Exchange(true, &grid, "IniFFTbGrid");
    ini.Exchange(true, &radius, "Radius");
    EXPECT_EQ(delay, 0);
    EXPECT_EQ(grid, 12);
    EXPECT_EQ(radius, 0.0);
}

TEST(IniFile, TheLastGivenSectionStaysCurrent)
{
    ScopedTempDir dir;
    CIniFile ini(dir.file("p.ini"), "Dokument");
    ini.WriteInt("a", 1);
    EXPECT_EQ(ini.ReadInt("b", 0, "FFT"), 0); // a read given a section switches too
    EXPECT_EQ(ini.GetSection(), "FFT");
    ini.WriteInt("c", 3);
    ini.WriteInt("d", 4);
    EXPECT_EQ(readBytes(dir.file("p.ini")), "[Dokument]\na=1\n[FFT]\nc=3\nd=4\n");
    EXPECT_EQ(ini.ReadInt("a", -1), -1);
    EXPECT_EQ(ini.ReadInt("a", -1, "Dokument"), 1);
    EXPECT_EQ(ini.ReadInt("c", -1), -1); // now in "Dokument"
    ini.SetSection("fft");
    EXPECT_EQ(ini.ReadInt("C", -1), 3);
}

TEST(IniFile, WritesCreateDirectoryFileAndSectionAndReplaceInPlace)
{
    ScopedTempDir dir;
    const std::string path = dir.path() + "/config/resoni/Profile/ResoniUserProfil-Chor.ini";
    CIniFile ini(path, "Dokument");
    ini.WriteString("IniDokumentPlayFile", "Kein File ausgewählt.");
    ini.WriteInt("IniDokumentNumFFTPoints", 2048);
    ini.WriteInt("IniDokumentNumFFTPoints", 4096, "dokument");
    EXPECT_EQ(readBytes(path), "[Dokument]\nIniDokumentPlayFile=Kein File ausgewählt.\nIniDokumentNumFFTPoints=4096\n");
}

TEST(IniFile, EveryWriteIsInTheFileBeforeTheNextRead)
{
    ScopedTempDir dir;
    CIniFile writer(dir.file("p.ini"), "S");
    CIniFile reader(writer);
    EXPECT_EQ(reader.GetPath(), writer.GetPath());
    EXPECT_EQ(reader.GetSection(), "S");
    for (int i = 0; i < 50; ++i) {
        writer.WriteInt("k", i);
        ASSERT_EQ(reader.ReadInt("k", -1), i);
    }
}

TEST(IniFile, WritingKeepsCommentsUnknownSectionsAndLineEnds)
{
    ScopedTempDir dir;
    const std::string before = "; hand-written notes\r\n[Fremd]\r\nFoo = Bar\r\n\r\n[FFT]\r\nIniFFTDelay=3\r\n# end";
    writeBytes(dir.file("p.ini"), before);
    CIniFile ini(dir.file("p.ini"), "FFT");
    ini.WriteInt("IniFFTDelay", 9);
    ini.WriteInt("IniFFTbGrid", 1);
    ini.WriteString("IniWaveletWavelet", "haar", "Wavelet");
    EXPECT_EQ(readBytes(dir.file("p.ini")),
              "; hand-written notes\r\n[Fremd]\r\nFoo = Bar\r\n\r\n[FFT]\r\nIniFFTDelay=9\r\nIniFFTbGrid=1\r\n# end\r\n"
              "[Wavelet]\r\nIniWaveletWavelet=haar\r\n");
    EXPECT_EQ(ini.ReadString("foo", "", "fremd"), "Bar");
}

TEST(IniFile, ValuesAreCutTo255BytesAtNulAndNeverInsideACharacter)
{
    ScopedTempDir dir;
    std::string bytes = "[S]\nlong=" + std::string(300, 'a') + "\n";
    bytes += "umlaut=" + std::string(254, 'b') + "ü" + "\n"; // ü takes bytes 254 and 255
    bytes += std::string("nul=ab\0cd\n", 10);
    writeBytes(dir.file("p.ini"), bytes);
    CIniFile ini(dir.file("p.ini"), "S");
    EXPECT_EQ(ini.ReadString("long"), std::string(255, 'a'));
    EXPECT_EQ(ini.ReadString("umlaut"), std::string(254, 'b'));
    EXPECT_EQ(ini.ReadString("nul"), "ab");
    EXPECT_EQ(ini.ReadString("absent", std::string(400, 'd').c_str()), std::string(255, 'd'));

    std::string text;
    ini.Exchange(true, &text, "long");
    EXPECT_EQ(text.size(), 255u);
}

TEST(IniFile, IntegerVariantsAndColoursRoundTrip)
{
    ScopedTempDir dir;
    CIniFile ini(dir.file("p.ini"), "3DFFT");
    unsigned u = 4294967295u;
    long l = -1234567890123L;
    int i = -42;
    Rgb colour{10, 20, 30};
    std::string s = "morlet,2";
    double d = 0.001;
    float f = 0.25f;
    ini.Exchange(false, &u, "u");
    ini.Exchange(false, &l, std::string("l"));
    ini.Exchange(false, &i, "i");
    ini.Exchange(false, &colour, "Ini3DFFTclrBackBuffer");
    ini.Exchange(false, &s, std::string("s"));
    ini.Exchange(false, &d, "d");
    ini.Exchange(false, &f, std::string("f"));
    EXPECT_EQ(readBytes(dir.file("p.ini")),
              "[3DFFT]\nu=-1\nl=-1234567890123\ni=-42\nIni3DFFTclrBackBuffer=1971210\ns=morlet,2\nd=0.001\nf=0.25\n");

    unsigned u2 = 0;
    long l2 = 0;
    int i2 = 0;
    Rgb colour2{};
    std::string s2 = "x";
    double d2 = 0;
    float f2 = 0;
    ini.Exchange(true, &u2, std::string("u"));
    ini.Exchange(true, &l2, "l");
    ini.Exchange(true, &i2, std::string("i"));
    ini.Exchange(true, &colour2, std::string("Ini3DFFTclrBackBuffer"));
    ini.Exchange(true, &s2, "s");
    ini.Exchange(true, &d2, std::string("d"));
    ini.Exchange(true, &f2, "f");
    EXPECT_EQ(u2, u);
    EXPECT_EQ(l2, l);
    EXPECT_EQ(i2, i);
    EXPECT_EQ(colour2, colour);
    EXPECT_EQ(s2, s);
    EXPECT_EQ(d2, d);
    EXPECT_EQ(f2, f);

    // Absent keys keep every variable as it was.
    int keep = 17;
    std::string keepText = "unchanged";
    ini.Exchange(true, &keep, "absent", "Other");
    ini.Exchange(true, &keepText, "absent");
    EXPECT_EQ(keep, 17);
    EXPECT_EQ(keepText, "unchanged");
    ini.Exchange(true, static_cast<int*>(nullptr), "i"); // no variable: nothing happens
}

TEST(IniFile, PathsResolveAgainstProgramOrCurrentDirectory)
{
    const std::string savedDir = CIniFile::ProgramDirectory();
    CIniFile::SetProgramFile("/opt/resoni/bin/resoni");
    EXPECT_EQ(CIniFile::ProgramDirectory(), "/opt/resoni/bin");
    EXPECT_EQ(CIniFile("Profile/ResoniStandardProfil.ini").GetPath(), "/opt/resoni/bin/Profile/ResoniStandardProfil.ini");
    EXPECT_EQ(CIniFile("").GetPath(), "/opt/resoni/bin/resoni.ini");
    EXPECT_EQ(CIniFile("/etc/x.ini", "S", true).GetPath(), "/etc/x.ini");
    const std::string cwd = fs::current_path().string();
    EXPECT_EQ(CIniFile("rel.ini", "S", false).GetPath(), (fs::path(cwd) / "rel.ini").string());
    EXPECT_EQ(CIniFile("", "S", false).GetPath(), (fs::path(cwd) / "resoni.ini").string());
    EXPECT_FALSE(CIniFile("x.ini", "S", false).IsModuleDirectory());
    // An empty section is the application's name.
    EXPECT_EQ(CIniFile("x.ini").GetSection(), "Resoni");
    CIniFile::SetProgramFile("/resoni.bin");
    EXPECT_EQ(CIniFile("p.ini").GetPath(), "/p.ini");
    CIniFile::SetProgramFile(savedDir + "/resoni_core_tests");
}

TEST(IniFile, BadFilesReadAsDefaultsWithoutHarm)
{
    ScopedTempDir dir;
    // Random binary bytes (with some line breaks and brackets among them).
    std::mt19937 rng(7);
    std::string binary;
    for (int i = 0; i < 20000; ++i)
        binary += static_cast<char>(rng() & 0xFF);
    writeBytes(dir.file("binary.ini"), binary);
    CIniFile ini(dir.file("binary.ini"), "FFT");
    EXPECT_EQ(ini.ReadInt("IniFFTDelay", 5), 5);
    ini.WriteInt("IniFFTDelay", 6);
    EXPECT_EQ(ini.ReadInt("IniFFTDelay", 5), 6);
    EXPECT_EQ(readBytes(dir.file("binary.ini")).substr(0, binary.size()), binary) << "the old bytes stay in front";

    // Empty file, a directory in place of a file, and a file beyond the size limit.
    writeBytes(dir.file("empty.ini"), "");
    EXPECT_EQ(CIniFile(dir.file("empty.ini"), "S").ReadInt("k", 3), 3);
    fs::create_directory(dir.file("adir.ini"));
    CIniFile onDir(dir.file("adir.ini"), "S");
    EXPECT_EQ(onDir.ReadInt("k", 3), 3);
    onDir.WriteInt("k", 4);
    EXPECT_TRUE(fs::is_directory(dir.file("adir.ini")));

    std::string huge = "[S]\nk=1\n" + std::string(CIniFile::kMaxFileBytes, '\n');
    writeBytes(dir.file("huge.ini"), huge);
    CIniFile onHuge(dir.file("huge.ini"), "S");
    EXPECT_EQ(onHuge.ReadInt("k", 3), 3);
    onHuge.WriteInt("k", 4);
    EXPECT_EQ(fs::file_size(dir.file("huge.ini")), huge.size()) << "an oversized file is never rewritten";
}

TEST(IniFile, TenThousandCharacterLines)
{
    ScopedTempDir dir;
    writeBytes(dir.file("p.ini"), std::string(10000, '[') + "\n[S]\nlong=" + std::string(10000, '7') + "\nk=1");
    CIniFile ini(dir.file("p.ini"), "S");
    EXPECT_EQ(ini.ReadInt("k", 0), 1);
    EXPECT_EQ(ini.ReadString("long"), std::string(255, '7'));
    EXPECT_EQ(ini.ReadInt("long", 0), -1) << "a 10 000-digit number saturates and is cut to 32 bits";
}
