// The FFT view: mappings between frequency / magnitude and pixels, the frame around the plot, the
// model of one repaint and its settings in the profile. Expected pixels are worked out apart from
// the code from x = 20 + (W − 20)·r and y = (H − 20) − (H − 45)·(log v − log Ab)/(log At − log Ab), v = m + 1.
#include "core/profiles/ProfileSettings.h"
#include "core/spectral/ColourRamp.h"
#include "core/spectral/FFTPlotDecor.h"
#include "core/spectral/FFTPlotModel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <span>
#include <string>
#include <tuple>
#include <vector>

namespace {

const FFTPlotMapping kLog(FFTViewSettings{}, 800, 400, 16); // 20 Hz … 20 kHz, 0 … −96 dBr, both logarithmic

FFTFrameInput Input(const std::vector<double>& spectrum, int rate = 44100, int width = 800, int height = 400)
{
    return {spectrum, rate, 16, width, height, false};
}

// N = 1024 at 44100 Hz: 30000 in bin 10 (430 Hz, y = 50) and 3000 in bin 100 (4306 Hz, y = 124).
const std::vector<double> kTwoPeaks = [] {
    std::vector<double> m(513, 0.0);
    m[10] = 30000.0;
    m[100] = 3000.0;
    return m;
}();

using Points = std::vector<PlotPoint>;

Points Head(const Points& points, std::size_t n)
{
    return Points(points.begin(), points.begin() + static_cast<std::ptrdiff_t>(std::min(n, points.size())));
}

std::string Labels(const std::vector<AxisTick>& ticks)
{
    std::string labels;
    for (const AxisTick& t : ticks)
        labels += t.bLabelled ? t.label + "@" + std::to_string(t.nPos) + " " : "";
    return labels;
}

} // namespace

TEST(FFTViewMapping, PixelsOfKnownPointsAndTheInverses)
{
    using Row = std::tuple<const FFTPlotMapping*, double, int>;
    const FFTPlotMapping lin({.nBottomCutHz = 100, .nTopCutkHz = 10, .bIsFreqLinear = true}, 1010, 400, 16);
    const Row frequencies[] = {{&kLog, 20.0, 20}, {&kLog, 20000.0, 800}, {&kLog, 632.456, 410}, {&kLog, 200.0, 280},
                               {&lin, 100.0, 20}, {&lin, 10000.0, 1010}, {&lin, 5050.0, 515},   {&lin, 5050.9, 515}};
    for (const auto& [mapping, f, x] : frequencies)
        EXPECT_EQ(mapping->frequencyToX(f), x) << f << " Hz";
    // Log: 0 dBr at y = 25 down to −96 dBr at the baseline y = 380; linear: −15 … −96 dBr.
    const double at = 65536.0 * std::pow(10.0, -15.0 / 20.0), ab = 65536.0 * std::pow(10.0, -96.0 / 20.0);
    const FFTPlotMapping linAmp({.nTopCutAmp = -15, .bIsAmpLinear = true}, 800, 400, 16);
    const Row magnitudes[] = {{&kLog, 0.0, 380}, {&kLog, -5.0, 380}, {&kLog, 30000.0, 50}, {&kLog, 10.0, 304},
                              {&kLog, 65536.0 * std::pow(10.0, -2.4) - 1.0, 202}, // half-way in log v
                              {&linAmp, ab - 1.0, 380}, {&linAmp, (at + ab) / 2.0 - 1.0, 202}, {&linAmp, -1e9, 380}};
    for (const auto& [mapping, m, y] : magnitudes)
        EXPECT_EQ(mapping->magnitudeToY(m), y) << m << (mapping == &linAmp ? " linear" : " log");
    EXPECT_NEAR(linAmp.yToMagnitude(202.5), (at + ab) / 2.0 - 1.0, 1e-6); // half-way up: half-way between the cuts
    EXPECT_LT(kLog.magnitudeToY(1e9), 25); // above the top: kept as it falls
    EXPECT_DOUBLE_EQ(FFTPlotMapping(FFTViewSettings{}, 800, 400, 8).fullScale(), 256.0);
    // The inverses come back to the pixel or the one before it.
    for (bool bLinear : {false, true}) {
        const FFTPlotMapping m({.nBottomCutHz = 37, .nTopCutkHz = 15, .nTopCutAmp = bLinear ? -15 : 0, .nBottomCutAmp = -90,
                                .bIsAmpLinear = bLinear, .bIsFreqLinear = bLinear}, 913, 480, 16);
        for (int x = 20; x <= 913; ++x)
            EXPECT_NEAR(m.frequencyToX(m.xToFrequency(x)), x - 0.5, 0.5) << "x " << x;
        for (int y = 25; y <= m.baseline(); ++y)
            EXPECT_NEAR(m.magnitudeToY(m.yToMagnitude(y)), y - 0.5, 0.5) << "y " << y;
    }
    // Degenerate cuts stay on the baseline instead of failing.
    EXPECT_EQ(FFTPlotMapping({.nTopCutAmp = -40, .nBottomCutAmp = -40}, 800, 400, 16).magnitudeToY(100.0), 380);
    EXPECT_LE(FFTPlotMapping({.nTopCutAmp = -40, .nBottomCutAmp = -40, .bIsAmpLinear = true}, 800, 40, 16).magnitudeToY(100.0), 20);
    EXPECT_EQ(std::tuple(TruncToPixel(std::nan("")), TruncToPixel(1e300), TruncToPixel(-2.7)),
              std::tuple(0, 1 << 30, -2));
}

TEST(FFTViewDecor, AxisTicksAndGrid)
{
    EXPECT_EQ(Labels(FrequencyAxisTicks(kLog)), "20 Hz@20 50 Hz@123 100 Hz@201 200 Hz@280 500 Hz@383 1 kHz@461 "
                                                "2 kHz@540 5 kHz@643 10 kHz@721 20 kHz@800 ");
    // Narrower: a label only 40 pixels after the last.
    EXPECT_EQ(Labels(FrequencyAxisTicks(FFTPlotMapping(FFTViewSettings{}, 300, 400, 16))),
              "20 Hz@20 100 Hz@85 500 Hz@150 2 kHz@206 10 kHz@271 ");
    // Linear: the smallest 1-2-5 step of at least 60 pixels (0.4 pixels per Hz: 200 Hz; 2: 50 Hz).
    EXPECT_EQ(Labels(FrequencyAxisTicks(FFTPlotMapping({.nBottomCutHz = 1, .nTopCutkHz = 1, .bIsFreqLinear = true}, 420, 400, 16))),
              "200 Hz@99 400 Hz@179 600 Hz@259 800 Hz@339 1 kHz@420 ");
    EXPECT_EQ(FrequencyAxisTicks(FFTPlotMapping({.nBottomCutHz = 1, .nTopCutkHz = 1, .bIsFreqLinear = true}, 2018, 400, 16)).size(), 20u);
    EXPECT_EQ(Labels(AmplitudeAxisTicks(kLog, 0, -96)), "0 dB@24 -10 dB@61 -20 dB@98 -30 dB@135 -40 dB@172 "
                                                        "-50 dB@209 -60 dB@246 -70 dB@282 -80 dB@316 -90 dB@345 ");
    // 10 dB less than 15 pixels apart: every 20 dB. Linear: whole dB at least 25 pixels below the last.
    EXPECT_EQ(Labels(AmplitudeAxisTicks(FFTPlotMapping(FFTViewSettings{}, 800, 100, 16), 0, -96)),
              "0 dB@24 -20 dB@36 -40 dB@47 -60 dB@59 -80 dB@70 ");
    EXPECT_EQ(Labels(AmplitudeAxisTicks(FFTPlotMapping({.nTopCutAmp = -15, .bIsAmpLinear = true}, 800, 400, 16), -15, -96)),
              "-15 dB@24 -16 dB@63 -17 dB@97 -18 dB@128 -19 dB@155 -20 dB@180 -22 dB@221 -24 dB@254 -26 dB@279 "
              "-29 dB@309 -33 dB@335 -40 dB@360 ");

    // The read-out names the note at the clicked frequency (x = 367: 20·1000^(347/780) = 432.2 Hz).
    const FFTReadOut at367 = FFTReadOutAt(kLog, {367, 50}), at461 = FFTReadOutAt(kLog, {461, 50}, 415.0);
    EXPECT_EQ(at367.noteText + " | " + at461.frequencyText + " " + at461.noteText, "a' −31 ct | 994 Hz c''' +11 ct");

    const FFTViewColours colours = FFTScreenColours();
    for (bool bGrid : {true, false}) { // grid lines at the labelled ticks of both axes
        const FFTDecor d = FFTAxes(kLog, {.bGrid = bGrid}, colours);
        EXPECT_EQ(std::count_if(d.lines.begin(), d.lines.end(), [&](const PlotLine& l) { return l.colour == colours.grid; }),
                  bGrid ? 10 + 10 : 0);
    }
}

TEST(FFTViewModel, ColumnsAndDrawingStyles)
{
    // Linear scales from 1 Hz to 1 kHz over x = 20 … 2018: x = 18 + 2f, so no two whole-Hz
    // frequencies share a column; 2000 samples per second with N = 8000 give four bins per Hz.
    FFTPlotModel model({.nBottomCutHz = 1, .nTopCutkHz = 1, .nTopCutAmp = 0, .nBottomCutAmp = -99,
                        .bIsAmpLinear = true, .bIsFreqLinear = true, .bIsDelay = false});
    std::vector<double> m(4001, 0.0);
    m[8] = 100.0;   // 2 Hz (1 Hz, bin 4, lies on the lower cut): the first column
    m[10] = 5000.0; // 2.5 Hz → 2 Hz: same column, only carried on
    m[12] = 200.0;  // 3 Hz: the next column takes the carried maximum, then the carry is reset
    model.repaint(Input(m, 2000, 2018));
    EXPECT_EQ(model.firstBinAboveCut(), 8u);
    ASSERT_EQ(model.columns().size(), 999u); // one per whole Hz from 2 to 1000
    EXPECT_EQ(Head(model.columns(), 3), (Points{{22, 379}, {24, 352}, {26, 379}}));
    EXPECT_EQ(Head(model.spectrumPolyline(), 3), (Points{{20, 379}, {22, 379}, {24, 352}})); // "Linien"
    EXPECT_TRUE(model.spectrumPolyline().size() == 1000u && model.spectrumBars().empty());
    model.setStyle(FFTDrawingStyle::Steps); // "Säulen": a step to each next column
    EXPECT_EQ(Head(model.spectrumPolyline(), 5), (Points{{22, 379}, {24, 379}, {24, 352}, {26, 352}, {26, 379}}));
    EXPECT_EQ(model.spectrumPolyline().size(), 2u * 999u - 1u);

    // "Balken" from the baseline, coloured by how far along the columns they stand: a quarter along
    // is a quarter of the ramp on the linear scale, half of it on the logarithmic.
    const auto ramp = buildColourRamp();
    model.setStyle(FFTDrawingStyle::Bars);
    for (bool bLinear : {true, false}) {
        model.setFreqLinear(bLinear);
        model.repaint(Input(m, 2000, 2018));
        const auto bars = model.spectrumBars();
        ASSERT_TRUE(bars.size() == model.columns().size() && model.spectrumPolyline().empty());
        EXPECT_EQ(std::pair(bars[1].from, bars[1].to), std::pair(PlotPoint{model.columns()[1].x, 380}, model.columns()[1]));
        EXPECT_NEAR(std::find(ramp.begin(), ramp.end(), bars[bars.size() / 4].colour) - ramp.begin(), bLinear ? 384 : 768, 3);
    }

    model.repaint(Input(kTwoPeaks, 44100, 20, 10)); // no room: nothing drawn
    EXPECT_TRUE(model.columns().empty());
    model.repaint(Input(kTwoPeaks, 44100, 300, 30)); // H − 45 < 0: drawn, never failing
    EXPECT_FALSE(model.columns().empty());
    model.setPeakDetection(true);
    model.repaint(Input(std::vector<double>{5.0, 7.0})); // two bins: nothing
    EXPECT_TRUE(model.columns().empty() && model.peaks().empty());

    // N = 8 at 8000 Hz: bins 1 … 4 at 1 … 4 kHz, all below the 20 kHz cut, each a column of its own
    // (10 → y = 304). The loud value after the spectrum's end belongs to no bin.
    const std::vector<double> buffer{0.0, 10.0, 10.0, 10.0, 10.0, 30000.0};
    FFTPlotModel plain;
    plain.repaint({std::span(buffer).first(5), 8000, 16, 800, 400, false});
    EXPECT_EQ(std::pair(plain.columns().size(), plain.columns().back().y), std::pair(std::size_t{4}, 304));
}

TEST(FFTViewModel, ControlsCoupleAndClearTheLists)
{
    // In order on one model, each after a repaint and a point added to the edits. The amplitude
    // cuts stay 5 dBr apart within 0 … −99; "Lin" sets the top cut to −15 dBr.
    struct Step { const char* what; void (*change)(FFTPlotModel&); int top, bottom; bool clearsHeld, clearsEdits; };
    const Step steps[] = {
        {"top cut -93", [](FFTPlotModel& m) { m.setTopCutAmp(-93); }, -93, -98, true, true},
        {"bottom cut -20", [](FFTPlotModel& m) { m.setBottomCutAmp(-20); }, -15, -20, true, true},
        {"bottom cut -120", [](FFTPlotModel& m) { m.setBottomCutAmp(-120); }, -15, -99, true, true},
        {"top cut -97", [](FFTPlotModel& m) { m.setTopCutAmp(-97); }, -97, -99, true, true},
        {"bottom cut -2", [](FFTPlotModel& m) { m.setBottomCutAmp(-2); }, 0, -2, true, true},
        {"Lin", [](FFTPlotModel& m) { m.setAmpLinear(true); }, -15, -20, true, true},
        {"lower cut", [](FFTPlotModel& m) { m.setBottomCutHz(30); }, -15, -20, true, false},
        {"upper cut", [](FFTPlotModel& m) { m.setTopCutkHz(15); }, -15, -20, true, true},
        {"minimum distance", [](FFTPlotModel& m) { m.setMinPeakDistance(12); }, -15, -20, false, true},
        {"drop distance", [](FFTPlotModel& m) { m.setDropDistance(4); }, -15, -20, false, true},
        {"hold maxima off", [](FFTPlotModel& m) { m.setHoldMaxima(false); }, -15, -20, true, false},
        {"grid", [](FFTPlotModel& m) { m.setGrid(false); }, -15, -20, false, false},
    };
    FFTPlotModel model;
    model.setPeakDetection(true);
    for (const Step& s : steps) {
        model.repaint(Input(kTwoPeaks));
        model.rightButtonDown({500, 100});
        s.change(model);
        const FFTViewSettings& set = model.settings();
        EXPECT_EQ(std::tuple(set.nTopCutAmp, set.nBottomCutAmp, model.held().empty(), model.edits().empty()),
                  std::tuple(s.top, s.bottom, s.clearsHeld, s.clearsEdits)) << s.what;
    }
    EXPECT_FALSE(model.delayEditEnabled()); // peak detection and "Delay" exclude each other
    model.setDelayOn(true);
    EXPECT_FALSE(model.settings().bPeaks);
    model.setCurveCheck(FFTCurveType::Beta, true);
    model.setCurveCheck(FFTCurveType::Cubic, false); // not the chosen one: nothing changes
    EXPECT_TRUE(model.curveOn() && model.settings().curve == FFTCurveType::Beta);
    model.setCurveCheck(FFTCurveType::Beta, false);
    EXPECT_TRUE(model.settings().curve == FFTCurveType::None && !model.settings().bIsSpline);
}

TEST(FFTViewModel, PeakEditsAndCurve)
{
    FFTPlotModel model;
    model.rightButtonDown({300, 200}); // neither detection nor curve on: ignored, and no peaks
    model.repaint(Input(kTwoPeaks));
    EXPECT_TRUE(model.edits().empty() && model.peaks().empty());
    model.setPeakDetection(true);
    model.repaint(Input(kTwoPeaks));
    ASSERT_EQ(model.peaks(), (Points{{20, 380}, {367, 50}, {627, 124}, {800, 380}}));
    model.rightButtonDown({367 + 3, 50 + 4}); // exactly 5 pixels away: not grabbed but inserted
    EXPECT_EQ(model.edits(), (Points{{370, 54}}));
    model.clearEdits();
    model.rightButtonDown({627 + 2, 124 - 2});
    EXPECT_EQ(model.grabbedPeak(), std::optional<std::size_t>(2));
    model.rightButtonDown({600, 150});
    EXPECT_EQ(model.edits(), (Points{{2, 0}, {600, 150}}));
    model.repaint(Input(kTwoPeaks)); // the edits are replayed on every repaint
    EXPECT_EQ(model.peaks(), (Points{{20, 380}, {367, 50}, {600, 150}, {800, 380}}));
    model.repaint({kTwoPeaks, 44100, 16, 800, 400, true}); // to the note image: bin 10 exact, the added point
    const auto& maxima = model.noteImagePeaks();           // by its pixel (x = 600: 20·1000^(580/780) Hz)
    EXPECT_TRUE(maxima.size() == 2 && maxima[0].first == 10 * 44100 / 1024.0 && std::abs(maxima[1].first - 3402.5) < 0.1);
    EXPECT_EQ(model.peakMarkers({0, 255, 0}), (std::vector<PlotLine>{{{364, 50}, {370, 50}, {0, 255, 0}}, // two crosses
        {{367, 47}, {367, 53}, {0, 255, 0}}, {{597, 150}, {603, 150}, {0, 255, 0}}, {{600, 147}, {600, 153}, {0, 255, 0}}}));

    model.clearEdits();
    model.setPeakDetection(false);
    model.setCurveCheck(FFTCurveType::Cubic, true);
    model.repaint(Input(kTwoPeaks));
    EXPECT_EQ(std::pair(model.curve().at(0), model.curve().back()), std::pair(PlotPoint{20, 380}, PlotPoint{800, 380}));
    EXPECT_TRUE(model.peakMarkers({0, 255, 0}).empty()); // crosses only with detection on
    model.setCurveCheck(FFTCurveType::Bezier, true);
    model.repaint(Input(kTwoPeaks));
    EXPECT_EQ(model.bezierChain().segments.size(), 1u); // 4 peak points keep 3
    model.setCurveCheck(FFTCurveType::Beta, true);
    model.repaint(Input(kTwoPeaks));
    EXPECT_EQ(model.curve().size(), 11u * 5u); // 4 + 4 control points: 5 segments
}

TEST(FFTViewSettings, SwitchesAreStoredInTheProfileAsOne)
{
    ProfileSettings p;
    StoreFFTViewSettings({.nDelay = 9, .bIsSpline = true, .curve = FFTCurveType::Beta, .bIsCrossVisible = true}, p);
    EXPECT_EQ(std::vector({p.IniFFTbIsSpline, p.IniFFTSplineTyp, p.IniFFTbIsCrossVisible, p.IniFFTDelay, p.IniFFTbIsSumme}),
              std::vector({1, 3, 1, 9, 0}));
    const FFTViewSettings back = FFTViewSettingsFromProfile(p);
    EXPECT_TRUE(back.bIsSpline && back.curve == FFTCurveType::Beta && back.nDelay == 9);
}
