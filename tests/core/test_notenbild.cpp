// The note image: notes on the grand staff (worked out by hand: 35 pixels per octave above
// A0 = 27.5 Hz at v = 5), rows and lengths of the overtone spectrum and the partials played.
#include "core/spectral/NotenbildStaff.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

namespace {

using Peaks = std::vector<NotenbildPeak>;
constexpr int W = 650, H = 400;

// y of the lines of one colour, all of them or those that run from x0 to x1.
std::vector<int> Rows(const NotenbildDrawing& d, Rgb colour, int x0 = -1, int x1 = 0)
{
    std::vector<int> rows;
    for (const PlotLine& l : d.lines)
        if (l.colour == colour && (x0 < 0 || (l.from.x == x0 && l.to.x == x1)))
            rows.push_back(l.from.y);
    return rows;
}

} // namespace

TEST(Notenbild, NotesOnTheGrandStaff)
{
    const auto atV = [](double v) { return 27.5 * std::pow(2.0, (v - 5.0) / 35.0); };
    const std::tuple<double, int, int, bool> rows[] = {
        {261.63, 130, 130, false},     {440.0, 150, 155, false},     {98.0, 130, 80, false},
        {atV(126.7), 150, 135, true},  {atV(128.3), 150, 135, true}, {atV(128.31), 130, 140, false},
        {atV(126.69), 150, 135, false}};
    // The empty staff: five lines each across the width, short ledger lines, the clefs.
    const NotenbildDrawing empty = NotenbildStaffLayout(W, H, {}, {});
    EXPECT_EQ(Rows(empty, Rgb{}, 10, W - 40),
              (std::vector<int>{H - 80, H - 90, H - 100, H - 110, H - 120, H - 140, H - 150, H - 160, H - 170,
                                H - 180}));
    EXPECT_EQ(Rows(empty, Rgb{128, 128, 128}, 110, 160).size(), 26u); // ledgers: 7, middle C, 18
    for (const auto& [f, x, above, bSharp] : rows) { // x and height above the bottom of the head's centre
        const NotenbildDrawing d = NotenbildStaffLayout(W, H, {}, Peaks{{f, -30.0}});
        ASSERT_EQ(d.ellipses.size(), empty.ellipses.size() + 1) << f;
        EXPECT_EQ(d.ellipses.back(), (PlotEllipse{x - 5, H - above - 4, x + 5, H - above + 4, Rgb{}, true}))
            << f;
        EXPECT_EQ(d.lines.size(), empty.lines.size() + (bSharp ? 4u : 0u)) << f; // a sharp: four strokes
    }
}

TEST(Notenbild, HarmonicSeriesLiesOnItsReferenceLines)
{
    // Log, c = 8: y = trunc(390 − log2(i)·380/log2 9); linear: y = trunc(390 − (i − 1)·47.5).
    EXPECT_EQ(NotenbildReferenceRows(H, {.bIsLinear = false, .nObertonanzahl = 8}),
              (std::vector<int>{390, 270, 200, 150, 111, 80, 53, 30, 10}));
    EXPECT_EQ(NotenbildReferenceRows(H, {.bIsLinear = true, .nObertonanzahl = 8}),
              (std::vector<int>{390, 342, 295, 247, 200, 152, 105, 57, 10}));
    Peaks harmonics; // more than c + 1: nine are shown
    for (int i = 1; i <= 12; ++i)
        harmonics.push_back({110.0 * i, -20.0});
    for (bool bLinear : {false, true}) {
        const NotenbildSettings s{.bIsLinear = bLinear, .nObertonanzahl = 8};
        EXPECT_EQ(Rows(NotenbildSpectrumLayout(W, H, s, harmonics), kNotenbildPartialColour),
                  NotenbildReferenceRows(H, s));
        EXPECT_EQ(Rows(NotenbildLayout(W, H, s, {}), kNotenbildReferenceColour, 10, W - 40),
                  NotenbildReferenceRows(H, s)); // an empty list: the reference lines alone
    }
    const NotenbildDrawing d =
        NotenbildSpectrumLayout(W, H, {.nObertonanzahl = 8}, Peaks{{220.0, -8.0}, {330.0, -30.0}});
    EXPECT_EQ(d.texts[0].text + '|' + d.texts[4].text + '|' + d.texts[6].text + '|' + d.texts[9].text + '|' +
                  d.texts[10].text + '|' + d.texts[12].text + '|' + d.texts.back().text,
              "1: Grundton|5: gr.Terz|7|220 Hz|a ±0 ct|e' +2 ct|110 Hz"); // the last: the distance
    EXPECT_EQ(NotenbildSpectrumLayout(W, H, {.nKammerton = 466}, Peaks{{220.0, -8.0}}).texts[10].text, "gis +1 ct");
    EXPECT_NEAR(d.lines[9].to.x - d.lines[9].from.x, 450, 1); // (ln 81 − ln 9)/ln 81 = 1/2 of 1.5·(W − 50)
    EXPECT_EQ(d.lines[9].from.x + d.lines[9].to.x, 2 * 310); // centred at (W − 50)/2 + 10
    EXPECT_TRUE(NotenbildLayout(W, H, {.nWhatIs = 2}, harmonics).lines.empty());
}

TEST(Notenbild, PartialLengthGrowsWithTheLevel)
{
    EXPECT_EQ(std::pair(NotenbildPartialLength(-80.0, W), NotenbildPartialLength(0.0, W)), std::pair(0, 900));
    EXPECT_LT(NotenbildPartialLength(-90.0, W), 0); // drawn the other way round
    for (double level : {-70.0, -50.0, -30.0, -10.0, -1.0})
        EXPECT_GT(NotenbildPartialLength(level, W), NotenbildPartialLength(level - 5.0, W)) << level;
}

TEST(Notenbild, PartialsToPlay)
{
    const Peaks three{{261.9, -20.0}, {523.7, -30.0}, {785.2, -40.0}};
    EXPECT_EQ(NotenbildPartialsToPlay(three, 8), (std::vector<int>{261, 523, 785})); // count beyond the list
    EXPECT_TRUE(NotenbildPartialsToPlay(Peaks(three.begin(), three.begin() + 2), 8).empty());
    EXPECT_EQ(NotenbildStaffLayout(W, H, {.nObertonanzahl = 8}, three).ellipses.size(),
              NotenbildStaffLayout(W, H, {}, {}).ellipses.size() + 3);
}
