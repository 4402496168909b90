// The sonogram: colours of levels against the reference level and the zoom, the rows bins land
// on, smoothing, the wrap of the columns and the whole sonogram of a frame. Expected rows are
// worked out by hand from y = trunc((1 − r)·H), r = (g(f) − g0)/(1 − g0).
#include "core/profiles/ProfileSettings.h"
#include "core/spectral/SonoAxis.h"
#include "core/spectral/SonoPalette.h"
#include "core/spectral/SonoWhole.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>
#include <tuple>
#include <vector>

namespace {

// Linear axis from 100 Hz to 5 kHz; at 10240 Hz and N = 1024 bins lie 10 Hz apart, and in 1000
// rows bin 250 (2500 Hz, r = 0.4898) covers rows 510 and 511, between bin 251 (508) and bin 249 (512).
SonoSettings LinearAxis()
{
    SonoSettings s;
    s.nBottomCutHz = 100;
    s.nTopCutkHz = 5;
    s.bIsFreqLinear = true;
    s.bIsAmpLinear = true;
    s.bIsSmooth = false;
    s.nLiniendicke = 1;
    return s;
}

std::uint32_t Colour(int index)
{
    return SonoPixel(BuildSonoPalette(true)[static_cast<std::size_t>(index)]);
}

constexpr double kF = 65536.0; // 2^16

} // namespace

TEST(SonoColumn, LevelColourFollowsReferenceAndZoom)
{
    // clang-format off
    struct Row { bool linear; std::optional<int> zoom; double magnitude; int index; };
    const Row rows[] = {
        {true, std::nullopt, kF / 32, 1279},  // at the reference level F/z, z = 32 before the slider moves
        {true, std::nullopt, kF, 1279},       // above it
        {true, std::nullopt, kF / 64, 639},   // half of it
        {true, 10, kF / 41, 1279},            // slider at 10: z = 41
        {true, 0, kF / 41, 31},               // slider at 0: z = 1, level 1/41
        {false, std::nullopt, kF / 32, 1279}, // ln(F/z) / ln(F/z)
        {false, std::nullopt, std::sqrt(kF / 32), 159}, // level 0.5, cubed: 0.125·1279
        {false, std::nullopt, 0.5, 0},                  // below 1: a negative level
        {false, std::nullopt, 0.0, 0},
    }; // clang-format on
    for (const Row& row : rows) {
        SonoSettings s = LinearAxis();
        s.bIsAmpLinear = row.linear;
        s.nZoomPosition = row.zoom;
        std::vector<double> m(513, 0.0);
        m[250] = row.magnitude;
        SonoPicture picture(20, 1000, 1);
        AddSonoColumn(picture, s, {m, 10240, 16, 1024});
        EXPECT_EQ(picture.pixel(3, 510), Colour(row.index)) << row.magnitude;
        EXPECT_EQ(picture.pixel(3, 511), Colour(row.index)) << row.magnitude;
    }
}

TEST(SonoColumn, SmoothingInterpolatesTheRowsBetweenLowBins)
{
    // Logarithmic axis 1 Hz … 1 kHz at 2 Hz per bin in 300 rows: y = trunc(300 − 100·log10 f), so
    // bin 1 lies on row 269 and bin 2 on row 239. Levels 0.25 and 0.75 (linear, slider at 0).
    // Smoothing: 0 → 0.25 over rows 299 … 270, then 0.25 → 0.75 over rows 268 … 240.
    // clang-format off
    struct Row { bool smooth; int y; int index; };
    const Row rows[] = {
        {false, 285, 319}, {false, 269, 319}, {false, 260, 959}, {false, 239, 959},
        {true, 285, 154},  {true, 269, 319},  {true, 260, 511},  {true, 239, 959},
    }; // clang-format on
    std::vector<double> m(513, 0.0);
    m[1] = 0.25 * kF;
    m[2] = 0.75 * kF;
    for (const Row& row : rows) {
        SonoSettings s;
        s.nBottomCutHz = 1;
        s.nTopCutkHz = 1;
        s.bIsFreqLinear = false;
        s.bIsAmpLinear = true;
        s.nZoomPosition = 0;
        s.nLiniendicke = 1;
        s.bIsSmooth = row.smooth;
        SonoPicture picture(20, 300, 1);
        AddSonoColumn(picture, s, {m, 2048, 16, 1024});
        EXPECT_EQ(picture.pixel(3, row.y), Colour(row.index)) << row.smooth << " row " << row.y;
    }
}

TEST(SonoColumn, WideColumnsWrapAndClearTheStore)
{
    SonoSettings s = LinearAxis();
    s.nLiniendicke = 9;
    const std::vector<double> m(513, kF);
    SonoPicture picture(42, 10, 9);
    for (int expected : {20, 29, 38}) {
        AddSonoColumn(picture, s, {m, 10240, 16, 1024});
        EXPECT_EQ(picture.nextX(), expected);
    }
    EXPECT_EQ(picture.pixel(38, 0), 0xff000000u); // the second column's marker cleared by the third
    picture.fillRect(0, 0, 1, 1, 0xff123456u);
    AddSonoColumn(picture, s, {m, 10240, 16, 1024}); // 38 > 42 − 9: back to x = 11
    EXPECT_EQ(picture.nextX(), 20);
    EXPECT_EQ(picture.pixel(0, 0), 0xff000000u);
    EXPECT_EQ(picture.pixel(30, 0), SonoPixel(kSonoMarkerColour)); // marker at x + 2w over the old column
    EXPECT_EQ(picture.pixel(24, 0), 0xff000000u);                  // x + w cleared
    EXPECT_EQ(picture.pixel(15, 5), Colour(kSonoTopColour));
}

TEST(SonoWhole, SineOnAnExactBinLightsItsRows)
{
    // 101 columns: L − N = 1000 over a store 100 pixels wider than the margin, step 10.
    std::vector<double> sine(2024);
    for (std::size_t i = 0; i < sine.size(); ++i)
        sine[i] = 30000.0 * std::sin(2 * std::numbers::pi * 250.0 * static_cast<double>(i) / 1024.0);
    // clang-format off
    struct Row { std::size_t length; int height; bool abort; bool done; int nextX; int calls; bool lit; };
    const Row rows[] = {
        {2024, 1000, false, true, 104, 5, true},
        {2024, 200, false, true, 104, 5, false}, // in 200 rows bin 249 takes bin 250's row: dropped
        {2024, 1000, true, false, 23, 1, true},  // stopped after the first 20 columns
        {1023, 1000, false, true, 2, 0, false},  // shorter than N: no column
    }; // clang-format on
    for (const Row& row : rows) {
        SonoPicture picture(170, row.height, 1);
        AbortToken abort;
        int calls = 0;
        const auto progress = [&](int) { ++calls, row.abort ? abort.raise() : void(); };
        const SonoRunControl control{&abort, progress, nullptr};
        const bool done = ComputeWholeSonogram(picture, std::span(sine).first(row.length),
                                               {{}, 10240, 16, 1024}, LinearAxis(), control);
        EXPECT_EQ(done, row.done);
        EXPECT_EQ(picture.nextX(), row.nextX);
        EXPECT_EQ(calls, row.calls);
        int red = 0;
        for (int y = 0; y < row.height; ++y)
            red += picture.pixel(10, y) == Colour(kSonoTopColour) ? 1 : 0;
        EXPECT_EQ(red, row.lit ? 2 : 0) << row.height;
        EXPECT_EQ(picture.pixel(10, 510 % row.height) == Colour(kSonoTopColour), row.lit);
        EXPECT_EQ(picture.pixel(10, 511 % row.height) == Colour(kSonoTopColour), row.lit);
    }
}

TEST(SonoPalette, RampEnds)
{
    // clang-format off
    struct Row { bool farbig1; int index; Rgb colour; };
    const Row rows[] = {
        {true, 0, {0, 0, 0}},        {true, 255, {0, 0, 255}},    {true, 511, {0, 255, 255}},
        {true, 767, {0, 255, 0}},    {true, 1023, {255, 255, 0}}, {true, 1279, {255, 0, 0}},
        {false, 0, {255, 255, 255}}, {false, 511, {0, 0, 255}},   {false, 767, {0, 255, 0}},
    }; // clang-format on
    for (const Row& row : rows)
        EXPECT_EQ(BuildSonoPalette(row.farbig1)[static_cast<std::size_t>(row.index)], row.colour)
            << row.index;
}

TEST(SonoAxis, FrequencyUnderTheMouse)
{
    SonoSettings lin = LinearAxis();
    lin.nTopCutkHz = 10;
    SonoSettings log = lin;
    log.bIsFreqLinear = false;
    log.nBottomCutHz = 10; // g0 = 1/4: half way up lies 10000^0.625 Hz
    EXPECT_EQ(SonoFrequencyText(SonoFrequencyAtRow(lin, 50, 100)), "5050.0");
    EXPECT_EQ(SonoFrequencyText(SonoFrequencyAtRow(lin, 100, 100)), "100.00");
    EXPECT_EQ(SonoFrequencyText(SonoFrequencyAtRow(log, 50, 100)), "316.23");
    EXPECT_EQ(SonoFrequencyText(SonoFrequencyAtRow(log, 0, 100)), "10000");
    // Every tick of the axis lies within a row of where the mouse reads its frequency.
    for (const SonoSettings& s : {lin, log}) {
        int labelled = 0;
        for (const SonoAxisTick& tick : SonoAxisTicks(s, 600)) {
            labelled += tick.bLabelled ? 1 : 0;
            EXPECT_LE(SonoFrequencyAtRow(s, tick.y + 1, 600), tick.dHz);
            EXPECT_GE(SonoFrequencyAtRow(s, tick.y - 1, 600), tick.dHz);
        }
        EXPECT_GE(labelled, 4);
    }
}

TEST(SonoSettings, ProfileValuesAreClamped)
{
    ProfileSettings p;
    EXPECT_EQ(SonoSettingsFromProfile(p).nBottomCutHz, 1);
    p.IniSonoBottomCutHz = 5000;
    p.IniSonoTopCutkHz = 500;
    p.IniSonoLiniendicke = 20;
    const SonoSettings s = SonoSettingsFromProfile(p);
    EXPECT_EQ(std::tie(s.nBottomCutHz, s.nTopCutkHz, s.nLiniendicke), std::make_tuple(999, 100, 9));
    const SonoSettings other{27, 8, true, false, false, 5, false, std::nullopt}; // the zoom is not stored
    StoreSonoSettings(other, p);
    EXPECT_EQ(SonoSettingsFromProfile(p), other);
}
