#include "core/profiles/IniFile.h"
#include "core/profiles/ProfileSettings.h"

#include "CliRunner.h"
#include "ProfileFieldTable.h"
#include "ProfileTestFiles.h"

#include <climits>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include <gtest/gtest.h>

namespace {

// Distinct settings for every key; seed picks the set. The FFT size is one the program offers,
// so that normalising does not change it.
ProfileSettings distinctSettings(int seed)
{
    ProfileSettings s;
    FillDistinct(s, seed);
    s.IniDokumentNumFFTPoints = 256 << seed;
    for (int slot = 0; slot < kLayoutSlotCount; ++slot)
        for (int k = 0; k < 10; ++k)
            PlacementField(s.placements[static_cast<size_t>(slot)], k) = seed * 10000 + slot * 100 - k * 7;
    return s;
}

std::string writeProfile(const std::string& path, ProfileSettings s)
{
    CIniFile ini(path, "Dokument");
    ExchangeProfile(ini, false, s);
    return readBytes(path);
}

ProfileSettings readProfile(const std::string& path, ProfileSettings s)
{
    CIniFile ini(path, "Dokument");
    ExchangeProfile(ini, true, s);
    return s;
}

// (section, key) of every key line of a file, in order, by a plain line scan.
std::vector<std::pair<std::string, std::string>> keyOrder(const std::string& text)
{
    std::vector<std::pair<std::string, std::string>> order;
    std::istringstream in(text);
    std::string line, section;
    while (std::getline(in, line)) {
        if (!line.empty() && line[0] == '[')
            section = line.substr(1, line.find(']') - 1);
        else if (const auto eq = line.find('='); eq != std::string::npos)
            order.emplace_back(section, line.substr(0, eq));
    }
    return order;
}

// Python's configparser as an independent reader: prints "section\tkey\tvalue" for every key,
// in file order.
const char* kConfigParserDump = R"PY(
import configparser, sys
for path in sys.argv[1:]:
    cp = configparser.RawConfigParser(interpolation=None, strict=True, delimiters=('=',))
    cp.optionxform = str
    with open(path, encoding='utf-8') as f:
        cp.read_file(f)
    for section in cp.sections():
        for key, value in cp.items(section):
            print(section + '\t' + key + '\t' + value)
    print('--end--')
)PY";

} // namespace

TEST(ProfileSettings, EveryKeyRoundTripsThroughAWrittenProfile)
{
    ScopedTempDir dir;
    ProfileSettings written = distinctSettings(1);
    const ProfileSettings original = written;
    writeProfile(dir.file("p.ini"), written);
    const ProfileSettings prefill = distinctSettings(2);
    ASSERT_NE(prefill, original);
    const ProfileSettings read = readProfile(dir.file("p.ini"), prefill);
    EXPECT_EQ(read, original);
    for (const ProfileField& f : ProfileFields()) // names the first differing field, if any
        std::visit([&](auto m) { EXPECT_EQ(read.*m, original.*m) << f.key; }, f.member);
    for (int slot = 0; slot < kLayoutSlotCount; ++slot)
        EXPECT_EQ(read.placements[static_cast<size_t>(slot)], original.placements[static_cast<size_t>(slot)])
            << "slot " << slot;
}

TEST(ProfileSettings, InMemoryStoreWritesAndReadsLikeAFile)
{
    ScopedTempDir dir;
    const std::string onDisk = writeProfile(dir.file("p.ini"), distinctSettings(1));
    CIniFile memory = CIniFile::InMemory("; kept\n", "Dokument");
    EXPECT_EQ(memory.GetPath(), "");
    ProfileSettings s = distinctSettings(1);
    ExchangeProfile(memory, false, s);
    ASSERT_NE(memory.MemoryText(), nullptr);
    EXPECT_EQ(*memory.MemoryText(), "; kept\n" + onDisk);
    EXPECT_FALSE(std::filesystem::exists("Dokument")) << "no file is written";

    CIniFile view(memory); // a copy works on the same text
    ProfileSettings r = distinctSettings(2);
    ExchangeProfile(view, true, r);
    EXPECT_EQ(r, s);
    EXPECT_EQ(CIniFile(dir.file("p.ini")).MemoryText(), nullptr);
}

TEST(ProfileSettings, FloatsAndDoublesKeepSixSignificantDigits)
{
    ScopedTempDir dir;
    ProfileSettings s = distinctSettings(1);
    s.IniAnalyseRadiusMinKorr = 0.1234567;
    s.IniAnalyseRadiusMaxKorr = 1.0 / 3.0;
    s.IniWaveletFreqmax = 1.0f / 20000.0f;
    s.IniWaveletFreqmin = 1.0f / 20.0f;
    s.IniRekoSizePts = 2.5f;
    writeProfile(dir.file("p.ini"), s);
    const ProfileSettings r = readProfile(dir.file("p.ini"), ProfileSettings{});
    EXPECT_EQ(r.IniAnalyseRadiusMinKorr, 0.123457);
    EXPECT_EQ(r.IniAnalyseRadiusMaxKorr, 0.333333);
    EXPECT_EQ(r.IniWaveletFreqmax, 5e-05f);
    EXPECT_EQ(r.IniWaveletFreqmin, 0.05f);
    EXPECT_EQ(r.IniRekoSizePts, 2.5f);
}

TEST(ProfileSettings, FileHoldsEveryKeyInOrderAndNothingElse)
{
    ScopedTempDir dir;
    const std::string text = writeProfile(dir.file("p.ini"), distinctSettings(1));
    std::vector<std::pair<std::string, std::string>> expected;
    for (const ProfileField& f : ProfileFields())
        expected.emplace_back(f.section, f.key);
    for (const PlacementSectionRef& p : PlacementSections())
        for (const std::string& k : PlacementKeys())
            expected.emplace_back(p.section, k);
    EXPECT_EQ(keyOrder(text), expected);
    EXPECT_EQ(text.substr(0, 11), "[Dokument]\n");
    EXPECT_NE(text.find("\nIniDokumentPlayFile=t1-1\n"), std::string::npos);
}

TEST(ProfileSettings, PlacementSectionsFillTheirSlots)
{
    // "FFT3DWindow" comes fourth in the file but fills slot 5.
    ScopedTempDir dir;
    writeBytes(dir.file("p.ini"), "[FFT3DWindow]\nwp->rcNormalPosition.right=77\nwp->showCmd=2\n"
                                  "[RekonstruktionsWindow]\nwp->rcNormalPosition.left=11\n");
    ProfileSettings s;
    s.placements[5].length = 0;
    const ProfileSettings r = readProfile(dir.file("p.ini"), s);
    EXPECT_EQ(r.placements[5].right, 77);
    EXPECT_EQ(r.placements[5].showCmd, 2);
    EXPECT_EQ(r.placements[5].length, 44);
    EXPECT_EQ(r.placements[4].left, 11);
    EXPECT_EQ(r.placements[3].left, 0);
}

TEST(ProfileSettings, AbsentSectionsLeaveTheirSettingsUnchanged)
{
    ScopedTempDir dir;
    const ProfileSettings a = distinctSettings(1);
    std::string text = writeProfile(dir.file("p.ini"), a);
    // Remove the whole "Wavelet" section.
    const size_t begin = text.find("[Wavelet]\n");
    const size_t end = text.find("[Analyse]\n");
    ASSERT_NE(begin, std::string::npos);
    ASSERT_LT(begin, end);
    text.erase(begin, end - begin);
    writeBytes(dir.file("p.ini"), text);

    const ProfileSettings b = distinctSettings(2);
    const ProfileSettings r = readProfile(dir.file("p.ini"), b);
    ProfileSettings expected = a;
    expected.IniWaveletWavelet = b.IniWaveletWavelet;
    expected.IniWaveletFreqmin = b.IniWaveletFreqmin;
    expected.IniWaveletFreqmax = b.IniWaveletFreqmax;
    expected.IniWaveletFreqn = b.IniWaveletFreqn;
    expected.IniWaveletZeitn = b.IniWaveletZeitn;
    expected.IniWaveletadiv = b.IniWaveletadiv;
    EXPECT_EQ(r, expected);
}

TEST(ProfileSettings, TruncatedFileKeepsWhatItHoldsAndLeavesTheRest)
{
    ScopedTempDir dir;
    const ProfileSettings a = distinctSettings(1);
    const ProfileSettings b = distinctSettings(2);
    const std::string full = writeProfile(dir.file("full.ini"), a);
    for (size_t cut : {size_t{0}, size_t{7}, full.size() / 3, full.size() / 2, full.size() - 3}) {
        const std::string part = full.substr(0, cut);
        writeBytes(dir.file("p.ini"), part);
        const ProfileSettings r = readProfile(dir.file("p.ini"), b);
        for (const ProfileField& f : ProfileFields()) {
            const size_t line = full.find(std::string("\n") + f.key + "=");
            ASSERT_NE(line, std::string::npos) << f.key;
            const size_t lineEnd = full.find('\n', line + 1);
            std::visit(
                [&](auto m) {
                    if (lineEnd < cut) {
                        EXPECT_EQ(r.*m, a.*m) << f.key << " cut at " << cut;
                    } else if (line + 1 >= cut) {
                        EXPECT_EQ(r.*m, b.*m) << f.key << " cut at " << cut;
                    }
                },
                f.member);
        }
    }
}

TEST(ProfileSettings, EmptyBinaryAndAbsurdFilesLoadWithoutHarm)
{
    ScopedTempDir dir;
    const ProfileSettings b = distinctSettings(2);

    writeBytes(dir.file("empty.ini"), "");
    EXPECT_EQ(readProfile(dir.file("empty.ini"), b), b);

    std::string binary;
    for (int i = 0; i < 5000; ++i)
        binary += static_cast<char>((i * 7919) & 0xFF);
    writeBytes(dir.file("binary.ini"), binary);
    EXPECT_EQ(readProfile(dir.file("binary.ini"), b), b);

    EXPECT_EQ(readProfile(dir.file("missing.ini"), b), b);

    writeBytes(dir.file("absurd.ini"), "[Dokument]\nIniDokumentNumFFTPoints=-5\nIniDokumentPlayFile=" +
                                           std::string(10000, 'x') +
                                           "\n[FFT]\nIniFFTTopCutkHz=99999999999999\nIniFFTDelay=-2147483648\n"
                                           "[MainWindow]\nwp->rcNormalPosition.left=-2147483648\n"
                                           "wp->rcNormalPosition.right=2147483647\n"
                                           "[Analyse]\nIniAnalyseRadiusMinKorr=1e999\n");
    const ProfileSettings r = readProfile(dir.file("absurd.ini"), b);
    EXPECT_EQ(r.IniDokumentNumFFTPoints, 0);
    EXPECT_EQ(r.IniDokumentPlayFile, std::string(255, 'x'));
    EXPECT_EQ(r.IniFFTTopCutkHz, static_cast<int>(99999999999999LL));
    EXPECT_EQ(r.IniFFTDelay, INT_MIN);
    EXPECT_EQ(r.placements[0].left, INT_MIN);
    EXPECT_EQ(r.placements[0].right, INT_MAX);
    EXPECT_TRUE(std::isinf(r.IniAnalyseRadiusMinKorr));
}

TEST(ProfileSettings, FFTSizeIsNormalisedOnReadingAndWriting)
{
    ScopedTempDir dir;
    writeBytes(dir.file("p.ini"), "[Dokument]\nIniDokumentNumFFTPoints=3000\n");
    EXPECT_EQ(readProfile(dir.file("p.ini"), ProfileSettings{}).IniDokumentNumFFTPoints, 2048);
    writeBytes(dir.file("p.ini"), "[Dokument]\nIniDokumentNumFFTPoints=4096\n");
    EXPECT_EQ(readProfile(dir.file("p.ini"), ProfileSettings{}).IniDokumentNumFFTPoints, 4096);

    ProfileSettings s = distinctSettings(1);
    s.IniDokumentNumFFTPoints = 1000;
    CIniFile ini(dir.file("w.ini"), "Dokument");
    ExchangeProfile(ini, false, s);
    EXPECT_EQ(s.IniDokumentNumFFTPoints, 512);
    EXPECT_EQ(readProfile(dir.file("w.ini"), ProfileSettings{}).IniDokumentNumFFTPoints, 512);
}

TEST(ProfileSettings, NormaliseFFTSizeTable)
{
    struct Case { int in, out; };
    const Case cases[] = {
        {1000, 512},   {3000, 2048}, {4096, 4096}, {1024, 1024}, {1023, 512},   {1025, 1024},
        {1050, 1024},  {1097, 1024}, {1100, 1024}, {2047, 1024}, {32768, 32768}, {32769, 32768},
        {65536, 32768}, {INT_MAX, 32768}, {256, 256}, {255, 256}, {100, 256},   {1, 256},
        {0, 0},        {-1, 0},      {-4096, 0},   {INT_MIN, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NormaliseFFTSize(c.in), c.out) << c.in;
}

TEST(ProfileSettings, NormalisedSizesAreAlwaysOfferedSizes)
{
    for (int v = 1; v <= 70000; ++v) {
        const int n = NormaliseFFTSize(v);
        ASSERT_TRUE(n >= 256 && n <= 32768 && (n & (n - 1)) == 0) << v << " -> " << n;
        if (v >= 256 && v <= 32768) {
            ASSERT_TRUE(n <= v && 2 * n > v) << v << " -> " << n; // the next lower power of two
        }
    }
}

TEST(ProfileSettings, PythonConfigParserReadsTheSameValues)
{
    ScopedTempDir dir;
    ProfileSettings s = distinctSettings(1);
    s.IniDokumentPlayFile = "/home/musik/Chor 100% live.wav";
    s.IniWaveletWavelet = "bspline,10,10";
    s.IniAnalyseRadiusMinKorr = 5e-05;
    s.IniWaveletFreqmax = 1.0f / 30464.0f;
    const ProfileSettings written = s;
    writeProfile(dir.file("p.ini"), s);

    const CliResult py = runProgram("/usr/bin/python3", {"-c", kConfigParserDump, dir.file("p.ini")});
    ASSERT_EQ(py.exitCode, 0) << py.err;

    std::istringstream lines(py.out);
    std::string line;
    std::vector<std::vector<std::string>> rows;
    while (std::getline(lines, line) && line != "--end--") {
        std::vector<std::string> cells;
        std::istringstream cellStream(line);
        for (std::string cell; std::getline(cellStream, cell, '\t');)
            cells.push_back(cell);
        rows.push_back(cells);
    }
    const auto& fields = ProfileFields();
    ASSERT_EQ(rows.size(), fields.size() + 10 * PlacementKeys().size());
    for (size_t i = 0; i < fields.size(); ++i) {
        const auto& row = rows[i];
        ASSERT_EQ(row.size(), 3u) << line;
        EXPECT_EQ(row[0], fields[i].section);
        EXPECT_EQ(row[1], fields[i].key);
        std::visit(
            [&](auto m) {
                using T = std::remove_cvref_t<decltype(written.*m)>;
                if constexpr (std::is_same_v<T, std::string>) {
                    EXPECT_EQ(row[2], written.*m) << fields[i].key;
                } else if constexpr (std::is_same_v<T, int>) {
                    EXPECT_EQ(std::stoi(row[2]), written.*m) << fields[i].key;
                } else {
                    EXPECT_NEAR(std::stod(row[2]), written.*m, 5e-6 * std::fabs(written.*m)) << fields[i].key;
                }
            },
            fields[i].member);
    }
    size_t r = fields.size();
    for (const PlacementSectionRef& p : PlacementSections())
        for (size_t k = 0; k < PlacementKeys().size(); ++k, ++r) {
            EXPECT_EQ(rows[r][0], p.section);
            EXPECT_EQ(rows[r][1], PlacementKeys()[k]);
            WindowPlacement wp = written.placements[static_cast<size_t>(p.slot)];
            EXPECT_EQ(std::stoi(rows[r][2]), PlacementField(wp, static_cast<int>(k))) << p.section;
        }
}
