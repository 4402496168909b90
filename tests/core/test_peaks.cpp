// Peak detection of the FFT view: candidates, the strict 20 % drop rule, the −80 dBr floor,
// merging at the minimum distance, the user's edits and the note image's level rules.
#include "core/spectral/FFTPlotMapping.h"
#include "core/spectral/PeakDetector.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

constexpr double kF16 = 65536.0;

std::vector<PlotPoint> Points(std::initializer_list<PlotPoint> list)
{
    return std::vector<PlotPoint>(list);
}

} // namespace

TEST(PeakDetection, DropRuleIsStrictOnBothSides)
{
    // A peak of 100 at bin 5 with drop distance 2: the values two bins away decide.
    struct Case
    {
        double left, right;
        bool peak;
        const char* what;
    };
    const Case cases[] = {
        {20.0, 20.0, false, "exactly 20 % on both sides"},
        {19.999, 20.0, true, "left just below 20 %"},
        {20.0, 19.999, true, "right just below 20 %"},
        {50.0, 50.0, false, "shallow on both sides"},
    };
    for (const Case& c : cases) {
        const std::vector<double> m = {0, 10, 10, c.left, 60, 100, 60, c.right, 10, 10, 10};
        const auto bins = FindPeakBins(m, 1, 2, kF16);
        EXPECT_EQ(!bins.empty() && bins[0] == 5, c.peak) << c.what;
        EXPECT_LE(bins.size(), 1u) << c.what;
    }
}

TEST(PeakDetection, FloorIsMinusEightyDbrOfFullScale)
{
    // 0.0001 · 65536 = 6.5536: a peak must lie above it.
    for (double v : {6.5536, 6.5537}) {
        const std::vector<double> m = {0, 0, 0, 0, v, 0, 0, 0, 0};
        EXPECT_EQ(FindPeakBins(m, 1, 2, kF16).size(), v > 6.5536 ? 1u : 0u) << v;
    }
    const std::vector<double> eightBit = {0, 0, 0.03, 0, 0};
    EXPECT_EQ(FindPeakBins(eightBit, 1, 1, 256.0).size(), 1u); // 8-bit floor 0.0256
}

TEST(PeakDetection, CandidatesNeedARiseOrPlateauAndAFall)
{
    struct Case
    {
        std::vector<double> m;
        std::vector<std::size_t> bins;
        const char* what;
    };
    const Case cases[] = {
        {{0, 1, 50, 50, 50, 1, 1, 1}, {4}, "plateau: its last bin"},
        {{0, 90, 50, 10, 1, 1, 1}, {}, "falling from the start: no rise"},
        {{0, 90, 90, 10, 1, 1, 1}, {2}, "plateau at the start, then a fall"},
        {{0, 1, 10, 50, 100}, {}, "rising to the end: no fall"},
        {{0, 1, 100, 1, 1, 100, 1, 1}, {2, 5}, "two peaks"},
        {{0, 1, 100, 1, 2, 100, 1, 1}, {2, 5}, "second peak after a small rise"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindPeakBins(c.m, 1, 1, kF16), c.bins) << c.what;

    // The walk starts at the first bin above the lower cut.
    const std::vector<double> m = {0, 1, 100, 1, 1, 100, 1, 1};
    EXPECT_EQ(FindPeakBins(m, 3, 1, kF16), (std::vector<std::size_t>{5}));
    // Distances beyond the ends take the first and the last bin.
    EXPECT_EQ(FindPeakBins(std::vector<double>{5, 100, 90, 80}, 0, 50, kF16), (std::vector<std::size_t>{1}));
}

TEST(PeakDetection, NonNumbersNeverHangTheWalk)
{
    const std::vector<double> m = {0, NAN, 100, NAN, NAN, 5, 300, 1, NAN};
    const auto bins = FindPeakBins(m, 0, 1, kF16);
    EXPECT_LE(bins.size(), m.size());
}

TEST(PeakDetection, BinFrequenciesAreWholeHertz)
{
    // 513 bins: N = 1024; 44100/1024 = 43.07 Hz per bin.
    EXPECT_EQ(BinFrequencyHz(1, 44100, 513), 43.0);
    EXPECT_EQ(BinFrequencyHz(10, 44100, 513), 430.0);
    EXPECT_EQ(BinFrequencyHz(512, 44100, 513), 22050.0);
    // 2000 Hz with N = 200: 10 Hz per bin; bin 2 lies exactly on a 20 Hz cut and is skipped.
    EXPECT_EQ(FirstBinAboveCut(101, 2000, 20.0), 3u);
    EXPECT_EQ(FirstBinAboveCut(101, 2000, 19.0), 2u);
    EXPECT_EQ(FirstBinAboveCut(3, 2000, 999.0), 2u);  // N = 4: bins at 500 and 1000 Hz
    EXPECT_EQ(FirstBinAboveCut(3, 2000, 1000.0), 3u); // none above: the number of bins
}

TEST(PeakMerging, ExactlyTheMinimumDistanceApartMerges)
{
    struct Case
    {
        std::vector<PlotPoint> in, out;
        const char* what;
    };
    const Case cases[] = {
        {Points({{20, 380}, {100, 50}, {110, 60}}), Points({{20, 380}, {100, 50}}), "10 apart: merged, lower one goes"},
        {Points({{20, 380}, {100, 50}, {111, 60}}), Points({{20, 380}, {100, 50}, {111, 60}}), "11 apart: kept"},
        {Points({{20, 380}, {100, 70}, {110, 60}}), Points({{20, 380}, {110, 60}}), "the first is lower"},
        {Points({{20, 380}, {100, 60}, {110, 60}}), Points({{20, 380}, {100, 60}}), "equal: the second goes"},
        {Points({{20, 380}, {100, 50}, {105, 40}, {108, 60}}), Points({{20, 380}, {105, 40}}),
         "repeats at the same position"},
        {Points({{20, 380}, {25, 10}}), Points({{20, 380}, {25, 10}}), "the framing start point takes no part"},
    };
    for (const Case& c : cases) {
        std::vector<PlotPoint> peaks = c.in;
        MergeClosePeaks(peaks, 1, 10);
        EXPECT_EQ(peaks, c.out) << c.what;
    }
    std::vector<PlotPoint> zero = Points({{20, 380}, {100, 50}, {100, 40}, {101, 30}});
    MergeClosePeaks(zero, 1, 0); // distance 0: only peaks on the same column merge
    EXPECT_EQ(zero, Points({{20, 380}, {100, 40}, {101, 30}}));
}

TEST(PeakEdits, RemovalsAndInsertionsReplayInOrder)
{
    std::vector<PlotPoint> peaks = Points({{20, 380}, {100, 50}, {200, 60}, {300, 70}});
    ReplayPeakEdits(peaks, Points({{2, 0}, {150, 90}, {400, 10}, {100, 30}, {9, 0}}));
    // (2,0) removes (200,60); (150,90) before (300,70); (400,10) at the end; (100,30) before
    // (100,50), the first whose x is not smaller; (9,0) names no point and is ignored.
    EXPECT_EQ(peaks, Points({{20, 380}, {100, 30}, {100, 50}, {150, 90}, {300, 70}, {400, 10}}));
}

TEST(PeakList, IsFramedAndHoldsTheMappedPeaks)
{
    FFTViewSettings s; // log scales, 20 Hz … 20 kHz, 0 … −96 dBr
    const FFTPlotMapping mapping(s, 800, 400, 16);
    std::vector<double> m(513, 0.0); // N = 1024 at 44100 Hz
    m[10] = 10000.0;                 // 430 Hz
    m[11] = 3000.0;
    m[100] = 500.0; // 4306 Hz
    const auto peaks = BuildPeakList(m, 44100, mapping, 3, 10, {});
    ASSERT_EQ(peaks.size(), 4u);
    EXPECT_EQ(peaks.front(), (PlotPoint{20, 380}));
    EXPECT_EQ(peaks.back(), (PlotPoint{800, 380}));
    EXPECT_EQ(peaks[1], (PlotPoint{mapping.frequencyToX(430.0) + 1, mapping.magnitudeToY(10000.0)}));
    EXPECT_EQ(peaks[2], (PlotPoint{mapping.frequencyToX(4306.0) + 1, mapping.magnitudeToY(500.0)}));

    // Edits replay after merging: removing entry 1 leaves the 4306 Hz peak.
    const auto edited = BuildPeakList(m, 44100, mapping, 3, 10, Points({{1, 0}}));
    ASSERT_EQ(edited.size(), 3u);
    EXPECT_EQ(edited[1], peaks[2]);
}

TEST(NoteImagePeaks, LevelRulesDependOnFrequency)
{
    struct Case
    {
        double f, level;
        bool kept;
    };
    const Case cases[] = {
        {900, -55, false},  {1200, -55, true},  {900, -49.9, true}, {999.9, -50, false},
        {1000, -69.9, true}, {4999, -70, false}, {4999, -69, true},  {5000, -95, true},
        {5000, -96, false}, {20000, -97, false}, {100, 0, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NoteImageKeepsPeak(c.f, c.level), c.kept) << c.f << " Hz, " << c.level << " dBr";
}

TEST(NoteImagePeaks, APeakAt900HzAndMinus55DbrIsNotPassedBut1200HzIs)
{
    const FFTPlotMapping mapping(FFTViewSettings{}, 800, 400, 16);
    const int y = mapping.magnitudeToY(kF16 * std::pow(10.0, -55.0 / 20.0));
    const std::vector<PlotPoint> list = {{20, 380},
                                         {mapping.frequencyToX(900.0) + 1, y},
                                         {mapping.frequencyToX(1200.0) + 1, y},
                                         {800, 380}};
    const auto maxima = NoteImagePeaks(list, mapping);
    ASSERT_EQ(maxima.size(), 1u);
    EXPECT_NEAR(maxima[0].first, 1200.0, 1200.0 * 0.02); // within two pixels of 0.9 %
    EXPECT_NEAR(maxima[0].second, -55.0, 0.5);
}

TEST(NoteImagePeaks, FramingPointsAndLowPeaksAreLeftOut)
{
    FFTViewSettings s;
    s.nBottomCutAmp = -80; // the baseline now lies above −96 dBr
    const FFTPlotMapping mapping(s, 800, 400, 16);
    EXPECT_TRUE(NoteImagePeaks({{20, 380}, {800, 380}}, mapping).empty());
    const std::vector<PlotPoint> list = {{20, 380}, {15, 30}, {700, 30}, {600, 30}, {800, 380}};
    const auto maxima = NoteImagePeaks(list, mapping);
    ASSERT_EQ(maxima.size(), 2u); // x = 15 is left of the plot
    EXPECT_LT(maxima[0].first, maxima[1].first); // ascending frequency
    EXPECT_NEAR(maxima[0].first, mapping.xToFrequency(600), 1e-9);
}
