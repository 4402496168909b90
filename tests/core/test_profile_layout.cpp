#include "core/profiles/ProfileLayout.h"

#include <climits>

#include <gtest/gtest.h>

namespace {

// A placement with the normal rectangle (l, t, r, b); its other fields show whether they are kept.
WindowPlacement rect(int l, int t, int r, int b, int showCmd = 1)
{
    return WindowPlacement{12, 2, showCmd, -1, -2, 3, 4, l, t, r, b};
}

// Every field, so that a failure names them.
std::string text(const WindowPlacement& p)
{
    std::string t;
    for (int v : {p.length, p.flags, p.showCmd, p.minX, p.minY, p.maxX, p.maxY, p.left, p.top, p.right, p.bottom})
        t += std::to_string(v) + " ";
    return t;
}

} // namespace

TEST(ProfileLayout, PixelsToPercentAndBackAndTheMainWindowFitsIntoTheWorkArea)
{
    struct Case { WindowPlacement in; int W, H; WindowPlacement out; };
    const Case toPercent[] = {
        {rect(0, 0, 500, 300), 1000, 600, rect(0, 0, 50, 50)},
        {rect(100, 60, 970, 582), 1000, 600, rect(10, 10, 100, 100)}, // 97 % becomes 100 on both edges
        {rect(0, 0, 950, 570), 1000, 600, rect(0, 0, 95, 95)},        // 5 short of 100 stays
        {rect(0, 0, 960, 576), 1000, 600, rect(0, 0, 100, 100)},      // 96 → 100
        {rect(333, 199, 666, 401), 999, 599, rect(33, 33, 66, 66)},   // truncation
        {rect(-50, -30, 2000, 1200), 1000, 600, rect(-5, -5, 100, 100)}, // beyond the edge: also 100
        {rect(-1, -1, 10, 10), 1000, 600, rect(0, 0, 1, 1)},          // trunc toward zero
        {rect(10, 20, 30, 40), 0, 600, rect(0, 3, 100, 6)},           // no width: the whole width
        {rect(10, 20, 30, 40), 800, -3, rect(1, 0, 3, 100)},
        {rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX), 1, 1, rect(INT_MIN, INT_MIN, 100, 100)},
    };
    for (const Case& c : toPercent)
        EXPECT_EQ(text(PlacementToPercent(c.in, c.W, c.H)), text(c.out)) << text(c.in) << " in " << c.W << " x " << c.H;
    const Case toPixels[] = {
        {rect(0, 0, 100, 100), 1280, 900, rect(0, 0, 1280, 900)},
        {rect(50, 50, 100, 100), 1001, 601, rect(500, 300, 1001, 601)}, // 500.5 and 300.5 truncate
        {rect(10, 40, 60, 100), 1234, 567, rect(123, 226, 740, 567)},
        {rect(-5, 0, 33, 33), 1000, 600, rect(-50, 0, 330, 198)},
        {rect(50, 50, 100, 100), 0, -10, rect(0, 0, 0, 0)},
        {rect(INT_MIN, 0, INT_MAX, 1), INT_MAX, INT_MAX, rect(INT_MIN, 0, INT_MAX, 21474836)},
    };
    for (const Case& c : toPixels)
        EXPECT_EQ(text(PlacementToPixels(c.in, c.W, c.H)), text(c.out)) << text(c.in) << " in " << c.W << " x " << c.H;
    const WindowPlacement kDefault{44, 0, 5, -1, -1, -1, -1, 0, 0, 10, 10};
    const PixelRect wa{0, 0, 1920, 1040}, second{1920, 30, 3840, 1080}; // second: a screen below a top panel
    struct Fit { WindowPlacement stored; PixelRect area; WindowPlacement fitted; const char* what; };
    const Fit fits[] = {
        {rect(100, 100, 900, 700, 3), wa, rect(100, 100, 900, 700, 3), "inside"},
        {rect(0, 0, 1920, 1040, 3), wa, rect(0, 0, 1920, 1040, 3), "exactly the work area"},
        {rect(900, 700, 100, 100, 3), wa, rect(100, 100, 900, 700, 3), "reversed edges are normalised"},
        {rect(2000, 100, 2800, 700), wa, kDefault, "wholly right of the area: the default record"},
        {rect(-900, 100, -100, 700), wa, kDefault, "wholly left"},
        {rect(100, 1040, 900, 1600), wa, kDefault, "touching the bottom edge only"},
        {rect(0, 0, 0, 0), wa, kDefault, "empty rectangle"},
        {rect(-200, 100, 600, 700), wa, rect(0, 100, 800, 700), "partly left: shifted right"},
        {rect(1500, 100, 2300, 700), wa, rect(1120, 100, 1920, 700), "partly right: shifted left"},
        {rect(100, -50, 900, 550), wa, rect(100, 0, 900, 600), "partly above: shifted down"},
        {rect(100, 800, 900, 1400), wa, rect(100, 440, 900, 1040), "partly below: shifted up"},
        {rect(-100, -100, 2500, 1500), wa, rect(0, 0, 1920, 1040), "larger than the area: clamped"},
        {rect(1800, 1000, 3000, 2000), wa, rect(720, 40, 1920, 1040), "corner: both directions"},
        {rect(1800, 0, 2400, 500), second, rect(1920, 30, 2520, 530), "second screen"},
        {rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX), second, rect(1920, 30, 3840, 1080), "32-bit range"},
        {rect(INT_MAX, INT_MAX, INT_MAX, INT_MAX), second, kDefault, "a point at the end of the range"},
        {rect(10, 10, 20, 20), PixelRect{0, 0, 0, 0}, kDefault, "no work area"},
    };
    for (Fit c : fits) {
        c.fitted.length = 44;
        EXPECT_EQ(text(FitMainPlacement(c.stored, c.area)), text(c.fitted)) << c.what;
    }
}

