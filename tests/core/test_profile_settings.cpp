// Profiles: every key read and written through ExchangeProfile, the profiles shipped in
// resources/Profile, and Python's configparser as an independent reader and writer.
#include "core/profiles/IniFile.h"
#include "core/profiles/ProfileFiles.h"
#include "core/profiles/ProfileSettings.h"

#include "CliRunner.h"
#include "ProfileTestFiles.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

// resources/Profile of the source tree; tests/data need not exist, so ".." is resolved by name.
const std::string kProfileDir =
    (std::filesystem::path(RESONI_TEST_DATA_DIR) / "../../resources/Profile").lexically_normal().string() + "/";

// The profiles of the kinds 0 .. 6 (kind order), then the template for own profiles.
std::vector<std::string> shippedFiles()
{
    std::vector<std::string> files;
    for (int kind = 0; kind <= kProfileLastUsed; ++kind)
        files.push_back(kProfileDir + ProfileFileName(kind, ""));
    files.push_back(kProfileDir + UserProfileTemplateName());
    return files;
}

ProfileSettings load(const std::string& path, ProfileSettings s = ProfileSettings{})
{
    CIniFile ini(path, "Dokument");
    ExchangeProfile(ini, true, s);
    return s;
}

std::string save(const std::string& path, ProfileSettings s)
{
    CIniFile ini(path, "Dokument");
    ExchangeProfile(ini, false, s);
    return readBytes(path);
}

// The standard profile with base + the line's number on every key line but the FFT size's and the reference
// pitch's (held in range), so that two keys sharing one setting, or one key read into another's, show.
std::string distinctProfile(int base)
{
    std::istringstream in(readBytes(kProfileDir + "ResoniStandardProfil.ini"));
    std::string text, line;
    for (int n = 0; std::getline(in, line); ++n) {
        if (const auto eq = line.find('='); eq != std::string::npos && n > 1 && !line.starts_with("IniNotenbildKammerton"))
            line = line.substr(0, eq + 1) + std::to_string(base + n);
        text += line + "\n";
    }
    return text;
}

} // namespace

TEST(ProfileSettings, ShippedFilesAreExactlyWhatOurWriterProduces)
{
    ScopedTempDir dir;
    for (const std::string& file : shippedFiles())
        EXPECT_EQ(save(dir.file(std::filesystem::path(file).filename()), load(file)), readBytes(file)) << file;
}

TEST(ProfileSettings, EveryKeyKeepsItsOwnValueInItsSlotAndAbsentKeysLeaveSettings)
{
    ScopedTempDir dir;
    const std::string a = distinctProfile(1000), b = distinctProfile(5000);
    writeBytes(dir.file("a.ini"), a);
    writeBytes(dir.file("b.ini"), b);
    const ProfileSettings sa = load(dir.file("a.ini")), sb = load(dir.file("b.ini"));
    ASSERT_NE(sa, sb);
    EXPECT_EQ(save(dir.file("out.ini"), sa), a);
    // A file cut short (in the middle of a line) gives what it holds; the rest stays as it was.
    for (const char* line : {"[Dokument]", "[Fenster]", "[Analyse]", "[ZeitreiheWindow]"}) {
        const std::string name = std::string("cut") + line;
        writeBytes(dir.file(name), a.substr(0, a.find(line)) + "IniFFTDel");
        const std::string want = a.substr(0, a.find(line)) + b.substr(b.find(line));
        EXPECT_EQ(save(dir.file("out" + name), load(dir.file(name), sb)), want) << "cut before " << line;
    }
    EXPECT_EQ(load(dir.file("missing.ini"), sa), sa);
    // An in-memory store writes and reads the same text; a copy shares it.
    CIniFile memory = CIniFile::InMemory("; kept\n", "Dokument"), view(memory);
    ProfileSettings s = sa;
    ExchangeProfile(memory, false, s);
    EXPECT_EQ(*memory.MemoryText(), "; kept\n" + a);
    ExchangeProfile(view, true, s = sb);
    EXPECT_EQ(s, sa);
    // The placement sections fill their slots: "FFT3DWindow" comes fourth in the file but fills slot 5.
    writeBytes(dir.file("p.ini"), "[FFT3DWindow]\nwp->rcNormalPosition.right=77\nwp->showCmd=2\n"
                                  "[RekonstruktionsWindow]\nwp->rcNormalPosition.left=11\n"
                                  "[AnalyseWindow]\nwp->ptMinPosition.y=-9\n");
    s = ProfileSettings{};
    s.placements[5].length = 0;
    s = load(dir.file("p.ini"), s);
    EXPECT_TRUE(s.placements[5].right == 77 && s.placements[5].showCmd == 2 && s.placements[5].length == 44);
    EXPECT_TRUE(s.placements[4].left == 11 && s.placements[3].minY == -9 && s.placements[3].left == 0);
}

TEST(ProfileSettings, FFTSizeAndReferencePitchStayInTheirRanges)
{
    // Outside 256 … 32768 by the table; inside, every value against the next lower power of 2.
    for (const auto& [in, out] : {std::pair{65536, 32768}, {INT_MAX, 32768}, {255, 256}, {1, 256}, {0, 0}, {-1, 0},
                                  {INT_MIN, 0}})
        EXPECT_EQ(NormaliseFFTSize(in), out) << in;
    for (int v = 1; v <= 70000; ++v) {
        const int n = NormaliseFFTSize(v);
        ASSERT_TRUE(n >= 256 && n <= 32768 && (n & (n - 1)) == 0) << v << " -> " << n;
        ASSERT_TRUE(v < 256 || v > 32768 || (n <= v && 2 * n > v)) << v << " -> " << n;
    }
    // Normalised after reading and after writing.
    ScopedTempDir dir;
    writeBytes(dir.file("p.ini"), "[Dokument]\nIniDokumentNumFFTPoints=3000\n");
    EXPECT_EQ(load(dir.file("p.ini")).IniDokumentNumFFTPoints, 2048);
    ProfileSettings s;
    s.IniDokumentNumFFTPoints = 1000;
    CIniFile ini(dir.file("w.ini"), "Dokument");
    ExchangeProfile(ini, false, s);
    EXPECT_EQ(s.IniDokumentNumFFTPoints, 512);
    s.IniNotenbildKammerton = 430; // the reference pitch: within 415 … 466 Hz; absent, 440 whatever was held
    for (const auto& [key, hz] : {std::pair{"Kammerton=500", 466}, {"Kammerton=0", 415}, {"Kammerton=432", 432}, {"", 440}}) {
        writeBytes(dir.file("k.ini"), std::string("[Notenbild]\nIniNotenbild") + key + "\n");
        EXPECT_EQ(load(dir.file("k.ini"), s).IniNotenbildKammerton, hz) << key;
    }
}

TEST(ProfileSettings, PythonConfigParserReadsOurFilesAndWritesOnesWeRead)
{
    // Prints "file\tsection\tkey\tvalue" for every key of every file, then writes the last file
    // again in configparser's own layout ("key = value", a blank line after each section).
    const char* script = R"PY(
import configparser, sys
for path in sys.argv[2:]:
    cp = configparser.RawConfigParser(interpolation=None, strict=True, delimiters=('=',))
    cp.optionxform = str
    with open(path, encoding='utf-8') as f:
        cp.read_file(f)
    for section in cp.sections():
        for key, value in cp.items(section):
            print('\t'.join((path, section, key, value)))
with open(sys.argv[1], 'w', encoding='utf-8') as f:
    cp.write(f)
)PY";
    ScopedTempDir dir;
    writeBytes(dir.file("a.ini"), distinctProfile(1000));
    ProfileSettings s = load(dir.file("a.ini"));
    s.IniDokumentPlayFile = "/home/musik/Chor 100% live.wav";
    s.IniWaveletWavelet = "bspline,10,10";
    s.IniWaveletFreqmax = 1.0f / 30464.0f;
    save(dir.file("ours.ini"), s);
    std::vector<std::string> args = {"-c", script, dir.file("python.ini")}, files = shippedFiles();
    files.push_back(dir.file("ours.ini"));
    std::ptrdiff_t keys = 0;
    for (const std::string& file : files) {
        const std::string text = readBytes(file);
        args.push_back(file), keys += std::count(text.begin(), text.end(), '=');
    }
    const CliResult py = runProgram("/usr/bin/python3", args);
    ASSERT_EQ(py.exitCode, 0) << py.err;
    std::istringstream lines(py.out);
    std::ptrdiff_t rows = 0;
    for (std::string line, path, section, key, value; std::getline(lines, line); ++rows) {
        std::istringstream cells(line);
        std::getline(std::getline(std::getline(std::getline(cells, path, '\t'), section, '\t'), key, '\t'), value);
        EXPECT_EQ(CIniFile(path, section).ReadString(key.c_str(), "<absent>"), value) << line;
    }
    EXPECT_EQ(rows, keys);
    EXPECT_NE(readBytes(dir.file("python.ini")).find("\n\n[Wavelet]\nIniWaveletWavelet = bspline"), std::string::npos);
    EXPECT_EQ(load(dir.file("python.ini")), load(dir.file("ours.ini")));
}

