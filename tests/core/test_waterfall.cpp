// The 3D waterfall: rows of exact-bin sines against heights and x worked out by hand from
// h = 4·ln(m + 1)/ln F or 60·m/F (m = trunc(A/2)) and x = 2B·r − B, the mesh's rows, triangles
// and normals, the offsets of a whole build, its edge cases and cancelling.
#include "core/profiles/ProfileSettings.h"
#include "core/spectral/WaterfallBuild.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

// 44100 Hz, N = 1024: bins 43.07 Hz apart. With Präzision 1 and a linear axis 20 Hz … 10 kHz
// every bin from 1 to 232 (9991 Hz) is a vertex: V = 232 + 2 = 234, R = trunc(10000/234) = 42.
constexpr int kN = 1024;
constexpr int kRate = 44100;

WaterfallSettings EveryBin()
{
    WaterfallSettings s;
    s.nPraezision = 1;
    s.bIsFreqLinear = true;
    return s;
}

std::vector<double> Sine(std::size_t length, int bin, double amplitude)
{
    std::vector<double> x(length);
    for (std::size_t n = 0; n < length; ++n)
        x[n] = amplitude * std::sin(2.0 * std::numbers::pi * bin * static_cast<double>(n) / kN);
    return x;
}

int RowsBuilt(const std::vector<double>& frame, const WaterfallSettings& s, const AbortToken* abort = nullptr)
{
    int rows = 0;
    BuildWaterfallRows({frame, kRate, 16, kN}, s, {abort, [&](WaterfallRow&&) { ++rows; }});
    return rows;
}

} // namespace

TEST(WaterfallSettings, ProfileValuesAreClampedOrDefaulted)
{
    ProfileSettings p; // all keys 0, as when a profile lacks them
    p.Ini3DFFTTopCutkHz = 500;
    p.Ini3DFFTBreite = -3;
    p.Ini3DFFTclrBackBuffer = 0x00ff8000; // blue 255, green 128
    WaterfallSettings s = WaterfallSettingsFromProfile(p);
    EXPECT_EQ(s.nBottomCutHz, 20);
    EXPECT_EQ(s.nTopCutkHz, 100);
    EXPECT_EQ(s.nBreite, 1);
    EXPECT_EQ(s.nPraezision, 5);
    EXPECT_EQ(s.background, (Rgb{0, 128, 255}));
    EXPECT_EQ(s.dataColour, (Rgb{255, 0, 0}));

    p.Ini3DFFTBottomCutHz = -5;
    EXPECT_EQ(WaterfallSettingsFromProfile(p).nBottomCutHz, 1);

    WaterfallSettings all{999, 1, true, true, 20, 1, true, false, {255, 0, 0}, {1, 2, 3}, 4096.0f, 0.5f, 7};
    StoreWaterfallSettings(all, p);
    EXPECT_EQ(WaterfallSettingsFromProfile(p), all);
    StoreWaterfallSettings({}, p);
    EXPECT_EQ(WaterfallSettingsFromProfile(p), WaterfallSettings{});
    p.Ini3DFFTSchrittweite = 0.07f;
    EXPECT_EQ(WaterfallSettingsFromProfile(p).nPraezision, 7);
    s.nPraezision = 20;
    StoreWaterfallSettings(s, p);
    EXPECT_FLOAT_EQ(p.Ini3DFFTSchrittweite, 0.20f);
    EXPECT_EQ(p.Ini3DFFTclrBackBuffer, 0x00ff8000);
}

TEST(WaterfallRow, ExactBinSinePeaksAtItsFrequencyWithItsHeight)
{
    const double f = 93.0 * kRate / kN; // 4005.3 Hz
    const double lnF = std::log(65536.0);
    // clang-format off
    struct Case { bool freqLinear, ampLinear; double amplitude, x, h; };
    const Case cases[] = {
        {true, false, 10001, 20 * (f - 20) / 9980 - 10, 4 * std::log(5001.0) / lnF},
        {true, true, 10001, 20 * (f - 20) / 9980 - 10, 60 * 5000.0 / 65536},
        {false, false, 32767, 20 * std::log(f / 20) / std::log(500.0) - 10, 4 * std::log(16384.0) / lnF},
    }; // clang-format on
    for (const Case& c : cases) {
        WaterfallSettings s = EveryBin();
        s.bIsFreqLinear = c.freqLinear;
        s.bIsAmpLinear = c.ampLinear;
        WaterfallMesh mesh;
        BuildWaterfall(mesh, {Sine(kN, 93, c.amplitude), kRate, 16, kN}, s);
        const auto row = mesh.row(0);
        const auto peak = std::max_element(row.begin(), row.end(), [](auto& a, auto& b) { return a.h < b.h; });
        EXPECT_NEAR(peak->x, c.x, 1e-4);
        EXPECT_NEAR(peak->h, c.h, 1e-5);
        EXPECT_EQ(row.front().x, -10.0f);
        EXPECT_EQ(row.back().x, 10.0f);
        EXPECT_EQ(row.back().h, 0.0f);
    }
    // Above half the rate the bins end at N/2 − 1: bins 2 … 511 and the two edges (bin 1, at
    // x = −20 + 40·23.07/99980 = −19.9908, lies within 0.01 of the left edge).
    WaterfallSettings wide = EveryBin();
    wide.nTopCutkHz = 100;
    wide.nBreite = 20;
    WaterfallRow row;
    MakeWaterfallRow(wide, {{}, kRate, 16, kN}, row);
    EXPECT_EQ(row.size(), 512u);
    // A full-scale sine reaches the top of the colour ramp (index 1662, almost white); twice
    // that is beyond it and black.
    WaterfallMesh mesh;
    BuildWaterfall(mesh, {Sine(kN, 93, 32767), kRate, 16, kN}, EveryBin());
    const auto top = mesh.vertices(true, {});
    EXPECT_EQ(std::max_element(top.begin(), top.end(), [](auto& a, auto& b) { return a.y < b.y; })->colour,
              (Rgb{255, 254, 255}));
    BuildWaterfall(mesh, {Sine(kN, 93, 65534), kRate, 16, kN}, EveryBin());
    const auto over = mesh.vertices(true, {});
    EXPECT_EQ(std::max_element(over.begin(), over.end(), [](auto& a, auto& b) { return a.y < b.y; })->colour, Rgb{});
}

TEST(WaterfallMesh, SilentFrameFillsAFlatMeshFacingUp)
{
    WaterfallMesh mesh;
    EXPECT_TRUE(BuildWaterfall(mesh, {std::vector<double>(10 * kRate, 0.0), kRate, 16, kN}, EveryBin()));
    // stride = trunc(441000/42) = 10500: offsets 0 … 41·10500 < 441000 − 1024, 42 rows.
    ASSERT_EQ(mesh.verticesPerRow(), 234);
    ASSERT_EQ(mesh.rowCapacity(), 42);
    EXPECT_EQ(mesh.filledRows(), 42);
    EXPECT_EQ(mesh.indices().size(), 6u * 233 * 41);
    EXPECT_EQ(mesh.drawnIndexCount(), mesh.indices().size());
    EXPECT_EQ(*std::max_element(mesh.indices().begin(), mesh.indices().end()), 42u * 234 - 1);
    for (const WaterfallVertex& v : mesh.vertices(false, {1, 2, 3})) {
        ASSERT_EQ(v.y, 0.0f);
        ASSERT_EQ(v.ny, 1.0f);
        ASSERT_EQ(v.colour, (Rgb{1, 2, 3}));
    }
}

TEST(WaterfallMesh, NewRowEntersInFrontAndTheCounterWraps)
{
    // Rows of 2500 vertices: R = 4. Row k is marked by the height k of its vertices.
    WaterfallMesh mesh;
    const auto rowOf = [](float h) { return WaterfallRow(2500, WaterfallPoint{0, h, 0}); };
    mesh.addRow(rowOf(1));
    EXPECT_EQ(mesh.drawnIndexCount(), 0u); // one row: no triangles yet, normals up
    EXPECT_EQ(mesh.vertices(true, {}).at(7).ny, 1.0f);
    mesh.addRow(rowOf(2));
    EXPECT_EQ(mesh.drawnIndexCount(), 6u * 2499);
    const auto two = mesh.vertices(true, {});
    ASSERT_EQ(two.size(), 5000u);
    EXPECT_EQ(two.front().y, 2.0f);
    EXPECT_EQ(two.back().y, 1.0f);
    EXPECT_LT(two.front().z, two.back().z); // the newer row lies in front
    for (float h = 3; h <= 5; ++h)
        mesh.addRow(rowOf(h));
    EXPECT_EQ(mesh.rowCapacity(), 4);
    EXPECT_EQ(mesh.filledRows(), 4);
    EXPECT_EQ(mesh.rowCounter(), 1);
    EXPECT_EQ(mesh.row(0)[0].h, 5.0f);
    EXPECT_EQ(mesh.row(3)[0].h, 2.0f);
    mesh.addRow(WaterfallRow(3, WaterfallPoint{})); // another length starts afresh
    EXPECT_EQ(mesh.filledRows(), 1);
    EXPECT_EQ(mesh.rowCapacity(), 3333);
}

TEST(WaterfallMesh, NormalsOfASlopeAreTiltedAgainstIt)
{
    // Height = x: every triangle, and so every vertex, has the normal (−1, 1, 0)/√2.
    WaterfallMesh mesh;
    const WaterfallRow slope{{0, 0, 0}, {1, 1, 0}, {3, 3, 0}};
    mesh.addRow(slope);
    mesh.addRow(slope);
    for (const WaterfallVertex& v : mesh.vertices(true, {})) {
        EXPECT_NEAR(v.nx, -std::sqrt(0.5), 1e-6);
        EXPECT_NEAR(v.ny, std::sqrt(0.5), 1e-6);
        EXPECT_NEAR(v.nz, 0.0, 1e-6);
    }
}

TEST(WaterfallBuild, ShortFramesAndCancelling)
{
    // R = 42: L = 1048 gives stride 24 and L − N = 24, so only the first row; L = 1049 one more.
    EXPECT_EQ(RowsBuilt(std::vector<double>(1048, 0.0), EveryBin()), 1);
    EXPECT_EQ(RowsBuilt(std::vector<double>(1049, 0.0), EveryBin()), 2);
    EXPECT_EQ(RowsBuilt(std::vector<double>(kN - 1, 0.0), EveryBin()), 0); // no first row, V = 0

    AbortToken abort;
    WaterfallMesh mesh;
    int rows = 0;
    const std::vector<double> frame(10 * kRate, 0.0);
    const bool completed = BuildWaterfallRows({frame, kRate, 16, kN}, EveryBin(), {&abort, [&](WaterfallRow&& row) {
        mesh.addRow(row);
        if (++rows == 3)
            abort.raise();
    }});
    EXPECT_FALSE(completed);
    EXPECT_EQ(mesh.filledRows(), 3);
}
