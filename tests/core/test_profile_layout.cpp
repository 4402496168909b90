#include "core/profiles/ProfileLayout.h"

#include <climits>

#include <gtest/gtest.h>

namespace {

WindowPlacement rect(int l, int t, int r, int b, int showCmd = 1)
{
    WindowPlacement wp;
    wp.showCmd = showCmd;
    wp.flags = 2;
    wp.minX = -1;
    wp.minY = -2;
    wp.maxX = 3;
    wp.maxY = 4;
    wp.left = l;
    wp.top = t;
    wp.right = r;
    wp.bottom = b;
    return wp;
}

struct R { int l, t, r, b; };

R normal(const WindowPlacement& wp)
{
    return {wp.left, wp.top, wp.right, wp.bottom};
}

bool operator==(const R& a, const R& b)
{
    return a.l == b.l && a.t == b.t && a.r == b.r && a.b == b.b;
}

std::ostream& operator<<(std::ostream& os, const R& r)
{
    return os << '(' << r.l << ", " << r.t << ", " << r.r << ", " << r.b << ')';
}

} // namespace

TEST(ProfileLayout, PixelsToPercent)
{
    struct Case { R pixels; int W, H; R percent; };
    const Case cases[] = {
        {{0, 0, 500, 300}, 1000, 600, {0, 0, 50, 50}},
        {{100, 60, 970, 582}, 1000, 600, {10, 10, 100, 100}}, // 97 % becomes 100 on both edges
        {{0, 0, 950, 570}, 1000, 600, {0, 0, 95, 95}},       // 5 short of 100 stays
        {{0, 0, 951, 571}, 1000, 600, {0, 0, 95, 95}},       // 95.1 truncates to 95 and stays
        {{0, 0, 960, 576}, 1000, 600, {0, 0, 100, 100}},     // 96 → 100
        {{333, 199, 666, 401}, 999, 599, {33, 33, 66, 66}},  // truncation
        {{-50, -30, 2000, 1200}, 1000, 600, {-5, -5, 100, 100}}, // beyond the edge: also 100
        {{-1, -1, 10, 10}, 1000, 600, {0, 0, 1, 1}},         // trunc toward zero
    };
    for (const Case& c : cases) {
        const WindowPlacement in = rect(c.pixels.l, c.pixels.t, c.pixels.r, c.pixels.b);
        const WindowPlacement out = PlacementToPercent(in, c.W, c.H);
        EXPECT_EQ(normal(out), c.percent) << c.pixels;
        EXPECT_EQ(out.showCmd, in.showCmd);
        EXPECT_EQ(out.flags, in.flags);
        EXPECT_EQ(out.minY, in.minY);
        EXPECT_EQ(out.maxX, in.maxX);
    }
}

TEST(ProfileLayout, PercentToPixels)
{
    struct Case { R percent; int W, H; R pixels; };
    const Case cases[] = {
        {{0, 0, 100, 100}, 1280, 900, {0, 0, 1280, 900}},
        {{50, 50, 100, 100}, 1001, 601, {500, 300, 1001, 601}}, // 500.5 and 300.5 truncate
        {{10, 40, 60, 100}, 1234, 567, {123, 226, 740, 567}},
        {{-5, 0, 33, 33}, 1000, 600, {-50, 0, 330, 198}},
        {{50, 50, 100, 100}, 0, -10, {0, 0, 0, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(normal(PlacementToPixels(rect(c.percent.l, c.percent.t, c.percent.r, c.percent.b), c.W, c.H)),
                  c.pixels)
            << c.percent;
}

TEST(ProfileLayout, PercentAndBackStaysWithinOnePercent)
{
    for (int W : {640, 1000, 1279, 1920, 3840})
        for (int l = 0; l < W; l += W / 37) {
            const WindowPlacement px = rect(l, l / 2, l + W / 5, l / 2 + 50);
            const WindowPlacement back = PlacementToPixels(PlacementToPercent(px, W, 700), W, 700);
            EXPECT_LE(px.left - back.left, W / 100 + 1);
            EXPECT_GE(px.left - back.left, 0);
        }
}

TEST(ProfileLayout, ZeroOrNegativeAreaNeverDivides)
{
    const WindowPlacement p = PlacementToPercent(rect(10, 20, 30, 40), 0, 600);
    EXPECT_EQ(normal(p), (R{0, 3, 100, 6}));
    const WindowPlacement q = PlacementToPercent(rect(10, 20, 30, 40), 800, -3);
    EXPECT_EQ(normal(q), (R{1, 0, 3, 100}));
}

TEST(ProfileLayout, ExtremeValuesStayInRange)
{
    const WindowPlacement p = PlacementToPercent(rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX), 1, 1);
    EXPECT_EQ(normal(p), (R{INT_MIN, INT_MIN, 100, 100}));
    const WindowPlacement q = PlacementToPixels(rect(INT_MIN, 0, INT_MAX, 1), INT_MAX, INT_MAX);
    EXPECT_EQ(q.left, INT_MIN);
    EXPECT_EQ(q.right, INT_MAX);
    EXPECT_EQ(q.bottom, static_cast<int>(INT_MAX * 0.01));
}

TEST(ProfileLayout, DefaultMainRecord)
{
    const WindowPlacement d = DefaultMainPlacement();
    EXPECT_EQ(d.length, 44);
    EXPECT_EQ(d.flags, 0);
    EXPECT_EQ(d.showCmd, 5);
    EXPECT_EQ(d.minX, -1);
    EXPECT_EQ(d.minY, -1);
    EXPECT_EQ(d.maxX, -1);
    EXPECT_EQ(d.maxY, -1);
    EXPECT_EQ(normal(d), (R{0, 0, 10, 10}));
}

TEST(ProfileLayout, MainWindowFitsIntoTheWorkArea)
{
    const PixelRect wa{0, 0, 1920, 1040};
    struct Case { R stored; R fitted; bool isDefault; const char* what; };
    const Case cases[] = {
        {{100, 100, 900, 700}, {100, 100, 900, 700}, false, "inside"},
        {{0, 0, 1920, 1040}, {0, 0, 1920, 1040}, false, "exactly the work area"},
        {{900, 700, 100, 100}, {100, 100, 900, 700}, false, "reversed edges are normalised"},
        {{2000, 100, 2800, 700}, {}, true, "wholly right of the area"},
        {{-900, 100, -100, 700}, {}, true, "wholly left"},
        {{100, 1040, 900, 1600}, {}, true, "touching the bottom edge only"},
        {{0, 0, 0, 0}, {}, true, "empty rectangle"},
        {{-200, 100, 600, 700}, {0, 100, 800, 700}, false, "partly left: shifted right"},
        {{1500, 100, 2300, 700}, {1120, 100, 1920, 700}, false, "partly right: shifted left"},
        {{100, -50, 900, 550}, {100, 0, 900, 600}, false, "partly above: shifted down"},
        {{100, 800, 900, 1400}, {100, 440, 900, 1040}, false, "partly below: shifted up"},
        {{-100, -100, 2500, 1500}, {0, 0, 1920, 1040}, false, "larger than the area: clamped"},
        {{1800, 1000, 3000, 2000}, {720, 40, 1920, 1040}, false, "corner: both directions"},
    };
    for (const Case& c : cases) {
        WindowPlacement stored = rect(c.stored.l, c.stored.t, c.stored.r, c.stored.b, 3);
        stored.length = 12;
        const WindowPlacement fitted = FitMainPlacement(stored, wa);
        if (c.isDefault) {
            EXPECT_EQ(fitted, DefaultMainPlacement()) << c.what;
        } else {
            EXPECT_EQ(normal(fitted), c.fitted) << c.what;
            EXPECT_EQ(fitted.showCmd, 3) << c.what;
            EXPECT_EQ(fitted.minY, -2) << c.what;
            EXPECT_EQ(fitted.length, 44) << c.what;
        }
    }
}

TEST(ProfileLayout, FittingWorksWithAnOffsetWorkAreaAndExtremeValues)
{
    const PixelRect wa{1920, 30, 3840, 1080}; // a second screen, below a top panel
    EXPECT_EQ(normal(FitMainPlacement(rect(1800, 0, 2400, 500), wa)), (R{1920, 30, 2520, 530}));
    EXPECT_EQ(FitMainPlacement(rect(0, 0, 1000, 1000), wa), DefaultMainPlacement());
    EXPECT_EQ(normal(FitMainPlacement(rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX), wa)), (R{1920, 30, 3840, 1080}));
    EXPECT_EQ(FitMainPlacement(rect(INT_MAX, INT_MAX, INT_MAX, INT_MAX), wa), DefaultMainPlacement());
    EXPECT_EQ(FitMainPlacement(rect(10, 10, 20, 20), PixelRect{0, 0, 0, 0}), DefaultMainPlacement());
}
