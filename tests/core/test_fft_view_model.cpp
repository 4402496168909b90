// The FFT view's model: the column list with its carried maxima, held maxima and delay, the
// rules that couple the controls, the mouse edits of the peak list, the curve and the update hints.
#include "core/spectral/ColourRamp.h"
#include "core/spectral/FFTPlotModel.h"
#include "core/spectral/PeakDetector.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// Linear scales from 1 Hz to 1 kHz over x = 20 … 2018 (two pixels per Hz, so that truncation
// never puts two whole-Hz frequencies on one column), and 2000 samples per second with N = 8000:
// bins 0.25 Hz apart, four bins per whole Hz.
FFTViewSettings FineLinear()
{
    FFTViewSettings s;
    s.bIsFreqLinear = true;
    s.bIsAmpLinear = true;
    s.nBottomCutHz = 1;
    s.nTopCutkHz = 1;
    s.nTopCutAmp = 0;
    s.nBottomCutAmp = -99;
    s.bIsDelay = false;
    return s;
}

FFTFrameInput Input(const std::vector<double>& spectrum, int rate, int width = 2018, int height = 400)
{
    FFTFrameInput in;
    in.spectrum = spectrum;
    in.nSampleRate = rate;
    in.nWidth = width;
    in.nHeight = height;
    return in;
}

// A log-scale spectrum of N = 1024 at 44100 Hz with peaks at bins 10 and 100.
std::vector<double> TwoPeaks(double first = 10000.0, double second = 500.0)
{
    std::vector<double> m(513, 0.0);
    m[10] = first;
    m[100] = second;
    return m;
}

} // namespace

TEST(FFTViewModel, TwoBinsOrFewerDrawNoSpectrum)
{
    FFTPlotModel model;
    model.setPeakDetection(true);
    const std::vector<double> spectrum = {5.0, 7.0};
    model.repaint(Input(spectrum, 44100));
    EXPECT_TRUE(model.columns().empty());
    EXPECT_TRUE(model.peaks().empty());
    EXPECT_TRUE(model.spectrumPolyline().empty());
}

TEST(FFTViewModel, TinyWindowsDrawNothingAndPassNoPeaks)
{
    FFTPlotModel model;
    const std::vector<double> spectrum = TwoPeaks(30000.0, 3000.0);
    for (int width : {0, 20}) {
        FFTFrameInput in = Input(spectrum, 44100, width, 10);
        in.bNoteImageOpen = true;
        model.repaint(in);
        EXPECT_TRUE(model.columns().empty()) << width;
        EXPECT_TRUE(model.noteImagePeaks().empty()) << width;
    }
    FFTFrameInput flat = Input(spectrum, 44100, 300, 30); // H − 45 < 0: drawn, never failing
    flat.bNoteImageOpen = true;
    model.repaint(flat);
    EXPECT_FALSE(model.columns().empty());
    for (const auto& [f, level] : model.noteImagePeaks()) {
        EXPECT_TRUE(std::isfinite(f));
        EXPECT_FALSE(std::isnan(level));
    }
}

TEST(FFTViewModel, BinOnTheLowerCutIsSkipped)
{
    // 2000 Hz, N = 200: bins every 10 Hz; bin 2 is exactly 20 Hz, the default lower cut.
    FFTPlotModel model;
    const std::vector<double> spectrum(101, 1000.0);
    model.repaint(Input(spectrum, 2000, 800));
    EXPECT_EQ(model.firstBinAboveCut(), 3u);
    ASSERT_FALSE(model.columns().empty());
    EXPECT_EQ(model.columns().front().x, model.mapping().frequencyToX(30.0));
}

TEST(FFTViewModel, FurtherBinsOnAColumnReachTheNextColumn)
{
    FFTPlotModel model(FineLinear());
    std::vector<double> m(4001, 0.0);
    m[8] = 100.0;   // 2 Hz: makes the first column
    m[10] = 5000.0; // 2.5 Hz → 2 Hz: same column, only carried on
    m[12] = 200.0;  // 3 Hz: the next column takes the carried maximum
    model.repaint(Input(m, 2000));
    const FFTPlotMapping& map = model.mapping();
    ASSERT_GE(model.columns().size(), 3u);
    EXPECT_EQ(model.columns()[0], (PlotPoint{map.frequencyToX(2.0), map.magnitudeToY(100.0)}));
    EXPECT_EQ(model.columns()[1], (PlotPoint{map.frequencyToX(3.0), map.magnitudeToY(5000.0)}));
    EXPECT_EQ(model.columns()[2], (PlotPoint{map.frequencyToX(4.0), map.magnitudeToY(0.0)})); // carried value reset
    // One column per whole Hz from 2 to 1000 Hz; bins above the upper cut are left out.
    EXPECT_EQ(model.columns().size(), 999u);
    EXPECT_EQ(model.columns().back().x, map.frequencyToX(1000.0));
}

TEST(FFTViewModel, LogarithmicAmplitudeKeepsZeroOnTheBaseline)
{
    FFTPlotModel model;
    const std::vector<double> zeros(513, 0.0);
    model.repaint(Input(zeros, 44100, 800));
    for (const PlotPoint& p : model.columns())
        EXPECT_EQ(p.y, 380);
}

TEST(FFTViewModel, HeldMaximaAndDelay)
{
    const std::vector<double> loud(513, 30000.0), quiet(513, 10.0);
    FFTViewSettings s;
    s.bIsDelay = false;
    s.bIsSumme = true;
    FFTPlotModel hold(s);
    hold.repaint(Input(loud, 44100, 800));
    const std::vector<PlotPoint> loudColumns = hold.columns();
    hold.repaint(Input(quiet, 44100, 800));
    EXPECT_EQ(hold.columns(), loudColumns);
    hold.setHoldMaxima(false); // clears the held list
    EXPECT_TRUE(hold.held().empty());
    hold.repaint(Input(quiet, 44100, 800));
    EXPECT_GT(hold.columns()[5].y, loudColumns[5].y);

    s.bIsSumme = false;
    s.bIsDelay = true;
    s.nDelay = 7;
    FFTPlotModel delay(s);
    delay.repaint(Input(loud, 44100, 800));
    delay.repaint(Input(quiet, 44100, 800));
    ASSERT_EQ(delay.columns().size(), loudColumns.size());
    for (std::size_t i = 0; i < loudColumns.size(); ++i)
        EXPECT_EQ(delay.columns()[i], (PlotPoint{loudColumns[i].x, loudColumns[i].y + 7})) << i;
    delay.repaint(Input(quiet, 44100, 800)); // sinks another 7 pixels
    EXPECT_EQ(delay.columns()[3].y, loudColumns[3].y + 14);
}

TEST(FFTViewModel, AnotherFFTSizeClearsTheLists)
{
    FFTViewSettings s;
    s.bIsSumme = true;
    s.bIsDelay = false;
    FFTPlotModel model(s);
    model.setPeakDetection(true);
    model.repaint(Input(std::vector<double>(513, 30000.0), 44100, 800));
    model.rightButtonDown({300, 200});
    EXPECT_EQ(model.edits().size(), 1u);
    model.repaint(Input(std::vector<double>(1025, 10.0), 44100, 800));
    EXPECT_TRUE(model.edits().empty());
    EXPECT_EQ(model.columns()[3].y, model.mapping().magnitudeToY(10.0)); // nothing held over
}

TEST(FFTViewModel, ControlsCoupleAsTheBarSays)
{
    FFTPlotModel model;
    model.setBottomCutAmp(-60);
    model.setTopCutAmp(-70); // below the bottom: bottom = top − 5
    EXPECT_EQ(model.settings().nTopCutAmp, -70);
    EXPECT_EQ(model.settings().nBottomCutAmp, -75);
    model.setBottomCutAmp(-20); // above the top: top = bottom + 5
    EXPECT_EQ(model.settings().nBottomCutAmp, -20);
    EXPECT_EQ(model.settings().nTopCutAmp, -15);
    model.setTopCutAmp(-97);
    EXPECT_EQ(model.settings().nBottomCutAmp, -99); // kept inside the control's range
    model.setBottomCutAmp(-2);
    EXPECT_EQ(model.settings().nTopCutAmp, 0);

    model.setBottomCutAmp(-96);
    model.setAmpLinear(true);
    EXPECT_EQ(model.settings().nTopCutAmp, -15);
    model.setAmpLinear(false);
    EXPECT_EQ(model.settings().nTopCutAmp, 0);

    model.setPeakDetection(true);
    EXPECT_FALSE(model.settings().bIsDelay);
    EXPECT_FALSE(model.delayEditEnabled());
    model.setDelayOn(true);
    EXPECT_FALSE(model.settings().bPeaks);
    EXPECT_TRUE(model.delayEditEnabled());

    model.setCurveCheck(FFTCurveType::Cubic, true);
    EXPECT_EQ(model.settings().curve, FFTCurveType::Cubic);
    EXPECT_TRUE(model.settings().bIsSpline);
    model.setCurveCheck(FFTCurveType::Beta, true);
    EXPECT_EQ(model.settings().curve, FFTCurveType::Beta);
    model.setCurveCheck(FFTCurveType::Cubic, false); // not the chosen one: nothing changes
    EXPECT_EQ(model.settings().curve, FFTCurveType::Beta);
    model.setCurveCheck(FFTCurveType::Beta, false);
    EXPECT_EQ(model.settings().curve, FFTCurveType::None);
    EXPECT_FALSE(model.settings().bIsSpline);

    model.setBottomCutHz(0);
    EXPECT_EQ(model.settings().nBottomCutHz, 1);
    model.setTopCutkHz(500);
    EXPECT_EQ(model.settings().nTopCutkHz, 100);
    model.setDelay(-3);
    EXPECT_EQ(model.settings().nDelay, 0);
}

TEST(FFTViewModel, WhichChangesClearHeldAndEditLists)
{
    struct Case
    {
        const char* what;
        void (*change)(FFTPlotModel&);
        bool clearsHeld, clearsEdits;
    };
    const Case cases[] = {
        {"lower cut", [](FFTPlotModel& m) { m.setBottomCutHz(30); }, true, false},
        {"upper cut", [](FFTPlotModel& m) { m.setTopCutkHz(15); }, true, true},
        {"top amplitude cut", [](FFTPlotModel& m) { m.setTopCutAmp(-3); }, true, true},
        {"bottom amplitude cut", [](FFTPlotModel& m) { m.setBottomCutAmp(-80); }, true, true},
        {"minimum distance", [](FFTPlotModel& m) { m.setMinPeakDistance(12); }, false, true},
        {"drop distance", [](FFTPlotModel& m) { m.setDropDistance(4); }, false, true},
        {"hold maxima off", [](FFTPlotModel& m) { m.setHoldMaxima(false); }, true, false},
        {"grid", [](FFTPlotModel& m) { m.setGrid(false); }, false, false},
    };
    for (const Case& c : cases) {
        FFTPlotModel model;
        model.setPeakDetection(true);
        model.repaint(Input(TwoPeaks(), 44100, 800));
        model.rightButtonDown({500, 100});
        ASSERT_FALSE(model.held().empty());
        c.change(model);
        EXPECT_EQ(model.held().empty(), c.clearsHeld) << c.what;
        EXPECT_EQ(model.edits().empty(), c.clearsEdits) << c.what;
    }
}

TEST(FFTViewModel, RightClickGrabsANearbyPeakOrInsertsAPoint)
{
    FFTPlotModel model;
    model.rightButtonDown({300, 200}); // neither detection nor curve on: ignored
    EXPECT_TRUE(model.edits().empty());

    model.setPeakDetection(true);
    model.repaint(Input(TwoPeaks(), 44100, 800));
    ASSERT_EQ(model.peaks().size(), 4u);
    const PlotPoint first = model.peaks()[1];
    const PlotPoint second = model.peaks()[2];

    model.rightButtonDown({first.x + 3, first.y + 4}); // exactly 5 pixels away: not grabbed
    EXPECT_FALSE(model.grabbedPeak().has_value());
    EXPECT_EQ(model.edits().back(), (PlotPoint{first.x + 3, first.y + 4}));
    model.clearEdits();

    model.rightButtonDown({second.x + 2, second.y - 2});
    ASSERT_TRUE(model.grabbedPeak().has_value());
    EXPECT_EQ(*model.grabbedPeak(), 2u);
    EXPECT_EQ(model.edits().back(), (PlotPoint{2, 0}));
    model.rightButtonUp();
    EXPECT_FALSE(model.grabbedPeak().has_value());
    model.repaint(Input(TwoPeaks(), 44100, 800));
    ASSERT_EQ(model.peaks().size(), 3u); // the grabbed peak is gone on every repaint
    EXPECT_EQ(model.peaks()[1], first);

    model.rightButtonDown({600, 150}); // inserted before the end point
    model.repaint(Input(TwoPeaks(), 44100, 800));
    ASSERT_EQ(model.peaks().size(), 4u);
    EXPECT_EQ(model.peaks()[2], (PlotPoint{600, 150}));
    EXPECT_EQ(model.peakMarkers({0, 255, 0}).size(), 4u); // two crosses of two lines
}

TEST(FFTViewModel, NoteImageListOnlyWhileTheNoteImageIsOpen)
{
    FFTPlotModel model; // detection off
    const std::vector<double> spectrum = TwoPeaks(30000.0, 3000.0);
    FFTFrameInput in = Input(spectrum, 44100, 800);
    model.repaint(in);
    EXPECT_TRUE(model.peaks().empty());
    EXPECT_TRUE(model.noteImagePeaks().empty());
    in.bNoteImageOpen = true;
    model.repaint(in);
    EXPECT_EQ(model.peaks().size(), 4u);
    ASSERT_EQ(model.noteImagePeaks().size(), 2u);
    EXPECT_NEAR(model.noteImagePeaks()[0].first, 430.0, 10.0);
    EXPECT_NEAR(model.noteImagePeaks()[0].second, 20.0 * std::log10(30000.0 / 65536.0), 0.5);
}

TEST(FFTViewModel, CurveRunsThroughThePeakList)
{
    FFTPlotModel model;
    model.setCurveCheck(FFTCurveType::Cubic, true);
    model.repaint(Input(TwoPeaks(), 44100, 800));
    ASSERT_FALSE(model.curve().empty());
    EXPECT_EQ(model.curve().front(), (PlotPoint{20, 380}));
    EXPECT_EQ(model.curve().back(), (PlotPoint{800, 380}));
    EXPECT_TRUE(model.peakMarkers({0, 255, 0}).empty()); // crosses only with detection on

    model.setCurveCheck(FFTCurveType::Bezier, true);
    model.repaint(Input(TwoPeaks(), 44100, 800));
    EXPECT_EQ(model.bezierChain().segments.size(), 1u); // 4 peak points keep 3
    EXPECT_EQ(model.curve().front(), (PlotPoint{20, 380}));

    model.setCurveCheck(FFTCurveType::Beta, true);
    model.repaint(Input(TwoPeaks(), 44100, 800));
    EXPECT_EQ(model.curve().size(), 11u * 5u); // 4 + 4 control points: 5 segments
}

TEST(FFTViewModel, DrawingStyles)
{
    FFTViewSettings s = FineLinear();
    std::vector<double> m(4001, 0.0);
    m[8] = 100.0;
    m[12] = 300.0;
    m[16] = 200.0;
    s.style = FFTDrawingStyle::Lines;
    FFTPlotModel lines(s);
    lines.repaint(Input(m, 2000));
    const auto& c = lines.columns();
    auto poly = lines.spectrumPolyline();
    ASSERT_EQ(poly.size(), c.size() + 1);
    EXPECT_EQ(poly[0], (PlotPoint{20, c[0].y}));
    EXPECT_EQ(poly[1], c[0]);
    EXPECT_TRUE(lines.spectrumBars().empty());

    s.style = FFTDrawingStyle::Steps;
    FFTPlotModel steps(s);
    steps.repaint(Input(m, 2000));
    poly = steps.spectrumPolyline();
    ASSERT_EQ(poly.size(), 2 * c.size() - 1);
    EXPECT_EQ(poly[0], c[0]);
    EXPECT_EQ(poly[1], (PlotPoint{c[1].x, c[0].y}));
    EXPECT_EQ(poly[2], c[1]);

    s.style = FFTDrawingStyle::Bars;
    FFTPlotModel bars(s);
    bars.repaint(Input(m, 2000));
    const auto lineList = bars.spectrumBars();
    ASSERT_EQ(lineList.size(), c.size());
    EXPECT_EQ(lineList[1].from, (PlotPoint{c[1].x, bars.mapping().baseline()}));
    EXPECT_EQ(lineList[1].to, c[1]);
    const auto ramp = buildColourRamp();
    // Linear frequency scale: entry 1536·i/n.
    EXPECT_EQ(lineList[0].colour, ramp[0]);
    EXPECT_EQ(lineList[500].colour, ramp[1536 * 500 / c.size()]);
    EXPECT_TRUE(bars.spectrumPolyline().empty());

    s.bIsFreqLinear = false; // logarithmic: entry 1536·√i/√n
    FFTPlotModel logBars(s);
    logBars.repaint(Input(m, 2000));
    const auto logList = logBars.spectrumBars();
    const std::size_t n = logList.size();
    EXPECT_EQ(logList[n / 4].colour,
              ramp[static_cast<std::size_t>(1536.0 * std::sqrt(n / 4) / std::sqrt(static_cast<double>(n)))]);
}

TEST(FFTViewModel, LeftClickShowsTheCrossHair)
{
    FFTPlotModel model;
    EXPECT_FALSE(model.crossPoint().has_value());
    model.leftClick({300, 120});
    EXPECT_TRUE(model.settings().bIsCrossVisible);
    EXPECT_EQ(model.crossPoint(), (PlotPoint{300, 120}));
    model.setCrossVisible(false);
    EXPECT_FALSE(model.crossPoint().has_value());
}

TEST(FFTViewModel, UpdateHints)
{
    struct Case
    {
        int hint;
        bool listening, playing, selection;
        bool repaint;
        std::optional<int> shown;
    };
    const Case cases[] = {
        {50, false, false, false, true, 2048},  {12, true, false, false, true, std::nullopt},
        {12, false, true, false, true, std::nullopt}, {18, false, false, true, true, 512},
        {0, false, false, false, true, std::nullopt}, {23, false, false, false, false, std::nullopt},
        {50, false, false, true, true, 512},
    };
    for (const Case& c : cases) {
        const FFTViewUpdate u = FFTViewOnUpdate(c.hint, c.listening, c.playing, c.selection, 2048, 512);
        EXPECT_EQ(u.bRepaint, c.repaint) << "hint " << c.hint;
        EXPECT_EQ(u.shownFFTSize, c.shown) << "hint " << c.hint;
    }
}
