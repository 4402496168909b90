// Peak detection of the FFT view: candidates, the strict 20 % drop rule, the −80 dBr floor, exact
// frequencies and levels of sines between bins, merging, the user's edits, the note image's level rules.
#include "core/spectral/FFTPlotMapping.h"
#include "core/spectral/FFTPlotModel.h"
#include "core/spectral/FrameSpectrum.h"
#include "core/spectral/PeakDetector.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <utility>
#include <vector>

using Points = std::vector<PlotPoint>;

TEST(PeakDetection, CandidatesDropRuleFloorAndFirstBin)
{
    struct Case { std::vector<double> m; std::size_t first; int drop; std::vector<std::size_t> bins; const char* what; };
    const Case cases[] = {
        {{0, 1, 50, 50, 50, 1, 1, 1}, 1, 1, {4}, "plateau: its last bin"},
        {{0, 90, 50, 10, 1, 1, 1}, 1, 1, {}, "falling from the start: no rise"},
        {{0, 90, 90, 10, 1, 1, 1}, 1, 1, {2}, "plateau at the start, then a fall"},
        {{0, 1, 10, 50, 100}, 1, 1, {}, "rising to the end: no fall"},
        {{0, 1, 100, 1, 2, 100, 1, 1}, 1, 1, {2, 5}, "second peak after a small rise"},
        {{0, 1, 100, 1, 1, 100, 1, 1}, 3, 1, {5}, "the walk starts at the first bin"},
        {{5, 100, 90, 80}, 0, 50, {1}, "distances beyond the ends take the first and last bin"},
        // A peak of 100 at bin 5, drop distance 2: the values two bins away decide, strictly.
        {{0, 10, 10, 20, 60, 100, 60, 20, 10, 10}, 1, 2, {}, "exactly 20 % on both sides"},
        {{0, 10, 10, 19.999, 60, 100, 60, 20, 10, 10}, 1, 2, {5}, "left just below 20 %"},
        {{0, 10, 10, 20, 60, 100, 60, 19.999, 10, 10}, 1, 2, {5}, "right just below 20 %"},
        {{0, 0, 0, 0, 6.5536, 0, 0, 0}, 1, 2, {}, "at the floor: no peak"},
        {{0, 0, 0, 0, 6.5537, 0, 0, 0}, 1, 2, {4}, "just above the floor"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindPeakBins(c.m, c.first, c.drop, 65536.0), c.bins) << c.what; // floor 0.0001·F = 6.5536
    // Values that compare with nothing never hang the walk.
    EXPECT_LE(FindPeakBins(std::vector<double>{0, NAN, 100, NAN, NAN, 5, 300, 1, NAN}, 0, 1, 65536).size(), 9u);
    // Bin frequencies in whole Hz: N = 1024 at 44100 Hz, 43.07 Hz per bin. 2000 Hz with N = 200:
    // 10 Hz per bin, bin 2 lies exactly on a 20 Hz cut and is skipped; N = 4: none above 1000 Hz.
    EXPECT_EQ(std::pair(BinFrequencyHz(1, 44100, 513), BinFrequencyHz(512, 44100, 513)), std::pair(43.0, 22050.0));
    EXPECT_EQ(std::tuple(FirstBinAboveCut(101, 2000, 20.0), FirstBinAboveCut(101, 2000, 19.0),
                         FirstBinAboveCut(3, 2000, 1000.0)), std::tuple(3u, 2u, 3u));
}

TEST(PeakMerging, ExactlyTheMinimumDistanceApartMerges)
{
    struct Case { Points in, out; int distance; const char* what; };
    const Case cases[] = {
        {{{20, 380}, {100, 50}, {110, 60}}, {{20, 380}, {100, 50}}, 10, "10 apart: merged, the lower one goes"},
        {{{20, 380}, {100, 50}, {111, 60}}, {{20, 380}, {100, 50}, {111, 60}}, 10, "11 apart: kept"},
        {{{20, 380}, {100, 70}, {110, 60}}, {{20, 380}, {110, 60}}, 10, "the first is lower"},
        {{{20, 380}, {100, 60}, {110, 60}}, {{20, 380}, {100, 60}}, 10, "equal: the second goes"},
        {{{20, 380}, {100, 50}, {105, 40}, {108, 60}}, {{20, 380}, {105, 40}}, 10, "repeats at one position"},
        {{{20, 380}, {25, 10}}, {{20, 380}, {25, 10}}, 10, "the framing start point takes no part"},
        {{{20, 380}, {100, 50}, {100, 40}, {101, 30}}, {{20, 380}, {100, 40}, {101, 30}}, 0, "0: same column"},
    };
    for (const Case& c : cases) {
        Points peaks = c.in;
        MergeClosePeaks(peaks, 1, c.distance);
        EXPECT_EQ(peaks, c.out) << c.what;
    }
    Points edited = {{20, 380}, {100, 50}, {200, 60}, {300, 70}};
    ReplayPeakEdits(edited, {{2, 0}, {150, 90}, {400, 10}, {100, 30}, {9, 0}});
    // (2,0) removes (200,60); (150,90) goes before (300,70); (400,10) at the end; (100,30) before
    // (100,50), the first whose x is not smaller; (9,0) names no point and is ignored.
    EXPECT_EQ(edited, (Points{{20, 380}, {100, 30}, {100, 50}, {150, 90}, {300, 70}, {400, 10}}));
}

TEST(NoteImagePeaks, LevelRulesDependOnFrequency)
{
    struct Case { double f, level; bool kept; };
    const Case cases[] = {
        {900, -55, false},   {1200, -55, true},  {900, -49.9, true}, {999.9, -50, false},
        {1000, -69.9, true}, {4999, -70, false}, {4999, -69, true},  {5000, -95, true},
        {5000, -96, false},  {20000, -97, false}, {100, 0, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NoteImageKeepsPeak(c.f, c.level), c.kept) << c.f << " Hz, " << c.level << " dBr";

    // Through the mappings: −55 dBr (y = 228) passes at x = 483 (1207 Hz) but not at x = 450 (901 Hz);
    // the framing points and points at or left of x = 20 are no peaks; ascending frequency.
    const FFTPlotMapping mapping(FFTViewSettings{}, 800, 400, 16);
    const auto maxima = NoteImagePeaks({{20, 380}, {15, 30}, {700, 30}, {450, 228}, {483, 228}, {800, 380}}, mapping);
    ASSERT_EQ(maxima.size(), 2u);
    EXPECT_NEAR(maxima[0].first, 1207.26, 0.01);
    EXPECT_NEAR(maxima[0].second, -54.97, 0.01);
    EXPECT_NEAR(maxima[1].first, 8249.25, 0.01);
}

TEST(ExactPeaks, SinesBetweenBinsWithinHalfACentAndATenthOfADecibel)
{
    // Sines (Hz, amplitude a: 20·log10(a/2 / 65536) dBr, name) at 44100 Hz through the transform of N points
    // to the note image's peak list: bins 40.87 … 163.47, on bin 40 (empty neighbours), half-way to bin 41.
    struct Tone { double hz, amplitude; const char* name; };
    const std::pair<int, std::vector<Tone>> cases[] = {
        {8192, {{220, 8000, "a"}, {440, 6000, "a'"}, {660, 4000, "e''"}, {880, 3000, "a''"}}},
        {4096, {{440, 10000, "a'"}}}, {4096, {{40 * 44100 / 4096.0, 10000, "a'"}}}, {4096, {{40.5 * 44100 / 4096.0, 10000, "a'"}}}};
    for (const auto& [n, tones] : cases) {
        std::vector<double> x(static_cast<std::size_t>(n)), spectrum, autoCorr;
        for (std::size_t i = 0; i < x.size(); ++i)
            for (const Tone& t : tones)
                x[i] += t.amplitude * std::sin(2 * M_PI * t.hz * static_cast<double>(i) / 44100 + 0.3);
        int lag = 0;
        ComputeFrameSpectrum(x, n, spectrum, autoCorr, lag);
        FFTPlotModel model;
        model.repaint({spectrum, 44100, 16, 800, 400, true});
        const auto& peaks = model.noteImagePeaks();
        ASSERT_EQ(peaks.size(), tones.size()) << tones[0].hz;
        for (std::size_t k = 0; k < peaks.size(); ++k)
            EXPECT_TRUE(std::abs(1200 * std::log2(peaks[k].first / tones[k].hz)) < 0.5 &&
                        std::abs(peaks[k].second - 20 * std::log10(tones[k].amplitude / 2 / 65536)) < 0.1 &&
                        NameOfFrequency(peaks[k].first)->helmholtz == tones[k].name) << peaks[k].first << " Hz";
    }
}
