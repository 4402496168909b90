// The profile files shipped with the program: complete, in our own file format, readable by an
// independent INI reader, and with values inside the ranges of the module controls.
#include "core/profiles/IniFile.h"
#include "core/profiles/ProfileFiles.h"
#include "core/profiles/ProfileSettings.h"

#include "CliRunner.h"
#include "ProfileFieldTable.h"
#include "ProfileTestFiles.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

#include <gtest/gtest.h>

namespace {

// resources/Profile of the source tree; tests/data need not exist, so ".." is resolved by name.
const std::string kProfileDir =
    (std::filesystem::path(RESONI_TEST_DATA_DIR) / "../../resources/Profile").lexically_normal().string();

std::vector<std::string> shippedFiles()
{
    std::vector<std::string> files;
    for (int kind = 0; kind <= kProfileLastUsed; ++kind)
        files.push_back(ProfileFileName(kind, ""));
    files.push_back(UserProfileTemplateName());
    return files;
}

ProfileSettings load(const std::string& file, ProfileSettings s = ProfileSettings{})
{
    CIniFile ini(kProfileDir + "/" + file, "Dokument");
    ExchangeProfile(ini, true, s);
    return s;
}

// Values no profile would hold, to see which keys a file leaves unread.
constexpr int kIntSentinel = INT_MIN + 12345;
constexpr float kFloatSentinel = -1.5e30f;
constexpr double kDoubleSentinel = -2.5e300;
const std::string kTextSentinel = "\x01unset";

ProfileSettings sentinelSettings()
{
    ProfileSettings s;
    for (const ProfileField& f : ProfileFields())
        std::visit(
            [&](auto m) {
                using T = std::remove_cvref_t<decltype(s.*m)>;
                if constexpr (std::is_same_v<T, int>)
                    s.*m = kIntSentinel;
                else if constexpr (std::is_same_v<T, float>)
                    s.*m = kFloatSentinel;
                else if constexpr (std::is_same_v<T, double>)
                    s.*m = kDoubleSentinel;
                else
                    s.*m = kTextSentinel;
            },
            f.member);
    for (WindowPlacement& wp : s.placements)
        for (int k = 0; k < 10; ++k)
            PlacementField(wp, k) = kIntSentinel;
    return s;
}

bool in(int v, int lo, int hi)
{
    return v >= lo && v <= hi;
}

bool isFlag(int v)
{
    return v == 0 || v == 1;
}

bool isFFTSize(double v)
{
    for (int n = 256; n <= 32768; n *= 2)
        if (v == n)
            return true;
    return false;
}

struct Pct { int l, t, r, b; };

Pct normal(const WindowPlacement& wp)
{
    return {wp.left, wp.top, wp.right, wp.bottom};
}

} // namespace

TEST(ProfileData, EveryShippedFileDefinesEveryKey)
{
    const ProfileSettings sentinel = sentinelSettings();
    for (const std::string& file : shippedFiles()) {
        SCOPED_TRACE(file);
        const ProfileSettings s = load(file, sentinel);
        for (const ProfileField& f : ProfileFields())
            std::visit([&](auto m) { EXPECT_NE(s.*m, sentinel.*m) << f.key << " missing"; }, f.member);
        for (size_t slot = 0; slot < s.placements.size(); ++slot) {
            WindowPlacement wp = s.placements[slot];
            for (int k = 0; k < 10; ++k)
                EXPECT_NE(PlacementField(wp, k), kIntSentinel) << "slot " << slot << " " << PlacementKeys()[size_t(k)];
        }
    }
}

TEST(ProfileData, FilesAreExactlyWhatOurWriterProduces)
{
    ScopedTempDir dir;
    for (const std::string& file : shippedFiles()) {
        ProfileSettings s = load(file);
        CIniFile out(dir.file(file), "Dokument");
        ExchangeProfile(out, false, s);
        EXPECT_EQ(readBytes(dir.file(file)), readBytes(kProfileDir + "/" + file)) << file;
    }
}

TEST(ProfileData, ValuesLieWithinTheControlRanges)
{
    for (const std::string& file : shippedFiles()) {
        SCOPED_TRACE(file);
        const ProfileSettings s = load(file);
        EXPECT_TRUE(isFFTSize(s.IniDokumentNumFFTPoints));
        EXPECT_EQ(s.IniDokumentPlayFile, "Kein File ausgew\xC3\xA4hlt.");
        for (int flag : {s.IniFensterFFT, s.IniFensterFFT3D, s.IniFensterAnalyse, s.IniFensterNotenbild,
                         s.IniFensterReko, s.IniFensterSono, s.IniFensterWavelet, s.IniFensterZeitreihe})
            EXPECT_TRUE(isFlag(flag));
        // The note image reads the peaks the FFT view finds, so it never opens without it.
        if (s.IniFensterNotenbild) {
            EXPECT_EQ(s.IniFensterFFT, 1);
        }

        // FFT view
        EXPECT_TRUE(in(s.IniFFTBottomCutHz, 1, 999));
        EXPECT_TRUE(in(s.IniFFTTopCutkHz, 1, 100));
        EXPECT_TRUE(in(s.IniFFTBottomCutAmp, -99, 0));
        EXPECT_TRUE(in(s.IniFFTTopCutAmp, -99, 0));
        EXPECT_GT(s.IniFFTTopCutAmp, s.IniFFTBottomCutAmp);
        EXPECT_LT(s.IniFFTBottomCutHz, s.IniFFTTopCutkHz * 1000);
        EXPECT_TRUE(in(s.IniFFTDelay, 0, 15));
        EXPECT_TRUE(in(s.IniFFTMinAbstandMaxima, 0, 50));
        EXPECT_TRUE(in(s.IniFFTMinAbstandNachbarMin, 1, 50));
        EXPECT_TRUE(in(s.IniFFTbDarstellung, 0, 2));
        EXPECT_TRUE(in(s.IniFFTSplineTyp, 0, 3));
        EXPECT_EQ(s.IniFFTbIsSpline, s.IniFFTSplineTyp != 0 ? 1 : 0);
        for (int flag : {s.IniFFTbIsDelay, s.IniFFTbGrid, s.IniFFTbIsAmpLinear, s.IniFFTbIsFreqLinear,
                         s.IniFFTbIsCrossVisible, s.IniFFTbIsSumme})
            EXPECT_TRUE(isFlag(flag));

        // 3D FFT
        EXPECT_TRUE(in(s.Ini3DFFTBottomCutHz, 1, 999));
        EXPECT_TRUE(in(s.Ini3DFFTTopCutkHz, 1, 100));
        EXPECT_TRUE(in(s.Ini3DFFTBreite, 1, 20));
        EXPECT_TRUE(in(s.Ini3DFFTclrBackBuffer, 0, 0xFFFFFF));
        EXPECT_TRUE(isFFTSize(s.Ini3DFFTSizePts));
        EXPECT_GT(s.Ini3DFFTSchrittweite, 0.0f);
        EXPECT_GT(s.Ini3DFFTEpsilon, 0.0f);
        EXPECT_GE(s.Ini3DFFTTau, 1);
        for (int flag : {s.Ini3DFFTbIsWire, s.Ini3DFFTbIsBunt, s.Ini3DFFTbIsAmpLinear, s.Ini3DFFTbIsFreqLinear})
            EXPECT_TRUE(isFlag(flag));

        // reconstruction
        EXPECT_TRUE(in(s.IniRekoTau, 1, 500));
        EXPECT_TRUE(s.IniRekoSizePts >= 1.0f && s.IniRekoSizePts <= 20.0f);
        EXPECT_GT(s.IniRekoNumRekoPoints, 0);
        EXPECT_TRUE(in(s.IniRekoclrBackBuffer, 0, 0xFFFFFF));
        EXPECT_TRUE(isFlag(s.IniRekobIsPunkte) && isFlag(s.IniRekobIsBunt));

        // sonogram
        EXPECT_TRUE(in(s.IniSonoBottomCutHz, 1, 999));
        EXPECT_TRUE(in(s.IniSonoTopCutkHz, 1, 100));
        EXPECT_TRUE(in(s.IniSonoLiniendicke, 1, 9));
        for (int flag : {s.IniSonobIsSmooth, s.IniSonobIsAmpLinear, s.IniSonobIsFreqLinear, s.IniSonobIsFarbig1})
            EXPECT_TRUE(isFlag(flag));

        // note image: the third mode is disabled
        EXPECT_TRUE(in(s.IniNotenbildWhatIs, 0, 1));
        EXPECT_TRUE(isFlag(s.IniNotenbildIsLinear));
        EXPECT_TRUE(in(s.IniNotenbildObertonanzahl, 3, 40));

        // wavelet: scales are 1/frequency with frequencies 1 .. 30464 Hz, the low one first
        const std::string shortName = s.IniWaveletWavelet.substr(0, s.IniWaveletWavelet.find(','));
        const std::vector<std::string> names = {"haar",     "mexicanhat", "sinus",  "poisson",
                                                "cauchy",   "spinning",   "morlet", "bspline"};
        EXPECT_NE(std::find(names.begin(), names.end(), shortName), names.end()) << s.IniWaveletWavelet;
        const double fMin = 1.0 / s.IniWaveletFreqmin;
        const double fMax = 1.0 / s.IniWaveletFreqmax;
        EXPECT_TRUE(fMin >= 1.0 && fMin < fMax && fMax <= 30464.0) << fMin << " .. " << fMax;
        EXPECT_TRUE(in(s.IniWaveletFreqn, 1, 999));
        EXPECT_TRUE(in(s.IniWaveletZeitn, 1, 999));
        EXPECT_TRUE(in(s.IniWaveletadiv, 0, 2));

        // analysis: no run-time question on the first run (at most 1000 iterations, 50 steps)
        EXPECT_TRUE(in(s.IniAnalyseWhatIs, 0, 2));
        EXPECT_GE(s.IniAnalyseDimLya, 2);
        EXPECT_LE(s.IniAnalyseDimLya, s.IniAnalyseMaxDimLya);
        EXPECT_TRUE(in(s.IniAnalyseIterLya, 1, 1000));
        EXPECT_TRUE(in(s.IniAnalyseIterLyaMax, 1, 50));
        EXPECT_TRUE(in(s.IniAnalyseNumberOfLya, 1, 500));
        EXPECT_TRUE(in(s.IniAnalyseNumberOfLyaMax, 1, 100));
        EXPECT_TRUE(in(s.IniAnalyseNumberOfKorr, 1, 300));
        for (int tau : {s.IniAnalyseTauLya, s.IniAnalyseTauLyaMax, s.IniAnalyseTauKorr})
            EXPECT_TRUE(in(tau, 1, 100));
        EXPECT_TRUE(in(s.IniAnalyseMinDimDoneMaxLya, 2, s.IniAnalyseMaxDimDoneMaxLya));
        EXPECT_GE(s.IniAnalyseMaxDimKorr, 2);
        EXPECT_TRUE(in(s.IniAnalyseDimKorr, 2, s.IniAnalyseMaxDimKorr));
        EXPECT_LE(s.IniAnalyseReferenzLyaMax, s.IniAnalyseNumPointsLyaMax);
        EXPECT_LE(s.IniAnalyseIterKorr, s.IniAnalyseNumPointsKorr);
        EXPECT_TRUE(s.IniAnalyseRadiusMinLya > 0.0 && s.IniAnalyseRadiusMinLya < 1.0);
        EXPECT_TRUE(s.IniAnalyseRadiusMinLyaMax > 0.0 && s.IniAnalyseRadiusMinLyaMax < s.IniAnalyseRadiusMaxLyaMax &&
                    s.IniAnalyseRadiusMaxLyaMax <= 1.0);
        EXPECT_TRUE(s.IniAnalyseRadiusMinKorr > 0.0 && s.IniAnalyseRadiusMinKorr < s.IniAnalyseRadiusMaxKorr &&
                    s.IniAnalyseRadiusMaxKorr <= 1.0);
    }
}

TEST(ProfileData, OpenWindowsTileTheClientAreaWithoutOverlap)
{
    for (const std::string& file : shippedFiles()) {
        SCOPED_TRACE(file);
        const ProfileSettings s = load(file);
        const WindowPlacement& main = s.placements[0];
        EXPECT_EQ(main.showCmd, WindowPlacement::kShowMaximized);
        EXPECT_GE(main.right - main.left, 640);
        EXPECT_GE(main.bottom - main.top, 480);

        // Slot of each module's window next to its open flag (slot 1, the waveform, is always open).
        const std::pair<int, int> modules[] = {
            {2, s.IniFensterFFT},     {3, s.IniFensterAnalyse}, {4, s.IniFensterReko},
            {5, s.IniFensterFFT3D},   {6, s.IniFensterNotenbild}, {7, s.IniFensterSono},
            {8, s.IniFensterWavelet}, {9, s.IniFensterZeitreihe},
        };
        std::vector<int> open = {1};
        for (const auto& [slot, flag] : modules)
            if (flag)
                open.push_back(slot);
        EXPECT_GE(open.size(), 2u) << "a profile opens at least one module window";

        long area = 0;
        for (int slot = 1; slot < kLayoutSlotCount; ++slot) {
            const Pct p = normal(s.placements[size_t(slot)]);
            EXPECT_EQ(s.placements[size_t(slot)].showCmd, WindowPlacement::kShowNormal) << slot;
            EXPECT_TRUE(p.l >= 0 && p.l < p.r && p.r <= 100 && p.t >= 0 && p.t < p.b && p.b <= 100) << "slot " << slot;
        }
        for (size_t i = 0; i < open.size(); ++i) {
            const Pct a = normal(s.placements[size_t(open[i])]);
            area += long(a.r - a.l) * (a.b - a.t);
            for (size_t j = i + 1; j < open.size(); ++j) {
                const Pct b = normal(s.placements[size_t(open[j])]);
                const bool overlap = std::max(a.l, b.l) < std::min(a.r, b.r) && std::max(a.t, b.t) < std::min(a.b, b.b);
                EXPECT_FALSE(overlap) << "slots " << open[i] << " and " << open[j];
            }
        }
        EXPECT_EQ(area, 100 * 100) << "the open windows fill the client area";
    }
}

TEST(ProfileData, ProfilesDifferByAudience)
{
    const ProfileSettings komplett = load("ResoniKomplettProfil.ini");
    for (int flag : {komplett.IniFensterFFT, komplett.IniFensterFFT3D, komplett.IniFensterAnalyse,
                     komplett.IniFensterNotenbild, komplett.IniFensterReko, komplett.IniFensterSono,
                     komplett.IniFensterWavelet, komplett.IniFensterZeitreihe})
        EXPECT_EQ(flag, 1);
    const ProfileSettings musiker = load("ResoniMusikerProfil.ini");
    EXPECT_EQ(musiker.IniFensterNotenbild, 1);
    EXPECT_EQ(musiker.IniFFTbIsFreqLinear, 0) << "a logarithmic frequency axis, like a keyboard";
    const ProfileSettings analytiker = load("ResoniAnalytikerProfil.ini");
    EXPECT_EQ(analytiker.IniFensterAnalyse, 1);
    EXPECT_EQ(analytiker.IniFensterZeitreihe, 1);
    const ProfileSettings grundschule = load("ResoniGrundschuleProfil.ini");
    EXPECT_EQ(grundschule.IniFensterAnalyse + grundschule.IniFensterReko + grundschule.IniFensterWavelet, 0);
    // The first last-used settings are those of the standard profile.
    EXPECT_EQ(load("ResoniZuletztVerwendetProfil.ini"), load("ResoniStandardProfil.ini"));
    for (const std::string& a : shippedFiles())
        for (const std::string& b : shippedFiles())
            if (a < b && a != "ResoniZuletztVerwendetProfil.ini" && b != "ResoniZuletztVerwendetProfil.ini") {
                EXPECT_NE(load(a), load(b)) << a << " and " << b;
            }
}

TEST(ProfileData, PythonConfigParserReadsEveryShippedFile)
{
    const char* script = R"PY(
import configparser, sys
for path in sys.argv[1:]:
    cp = configparser.RawConfigParser(interpolation=None, strict=True, delimiters=('=',))
    cp.optionxform = str
    with open(path, encoding='utf-8') as f:
        cp.read_file(f)
    n = sum(len(cp.items(s)) for s in cp.sections())
    print(path.rsplit('/', 1)[1], len(cp.sections()), n, cp.get('Dokument', 'IniDokumentPlayFile'),
          cp.getint('Dokument', 'IniDokumentNumFFTPoints'), '%.6g' % cp.getfloat('Wavelet', 'IniWaveletFreqmax'),
          cp.getint('MainWindow', 'wp->showCmd'))
)PY";
    std::vector<std::string> args = {"-c", script};
    for (const std::string& file : shippedFiles())
        args.push_back(kProfileDir + "/" + file);
    const CliResult py = runProgram("/usr/bin/python3", args);
    ASSERT_EQ(py.exitCode, 0) << py.err;
    std::string expected;
    for (const std::string& file : shippedFiles()) {
        const ProfileSettings s = load(file);
        char line[512];
        std::snprintf(line, sizeof line, "%s 19 %zu %s %d %.6g 3\n", file.c_str(), ProfileFields().size() + 100,
                      s.IniDokumentPlayFile.c_str(), s.IniDokumentNumFFTPoints,
                      static_cast<double>(s.IniWaveletFreqmax));
        expected += line;
    }
    EXPECT_EQ(py.out, expected);
}
