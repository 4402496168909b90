#include "NotenbildStaff.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr Rgb kInk{0, 0, 0};
constexpr Rgb kLedger{128, 128, 128};

// The bounds of the accidental belong to the sharp; the tolerance keeps a remainder that is
// 1.7 or 3.3 but for the rounding of log2 on that side.
constexpr double kRoundingTolerance = 1e-9;

PlotEllipse Arc(int cx, int cy, int rx, int ry, int nStart, int nSpan)
{
    return {cx - rx, cy - ry, cx + rx, cy + ry, kInk, false, nStart, nSpan};
}

PlotEllipse Dot(int cx, int cy, int rx, int ry)
{
    return {cx - rx, cy - ry, cx + rx, cy + ry, kInk, true, 0, 360};
}

// The G clef: a spiral opening outwards from the line of G4 (y = H − 150), a stroke rising from it
// to a loop above the staff, and the stem from there down through the spiral to a hook below.
void TrebleClef(NotenbildDrawing& d, int h)
{
    const int g = h - 150;
    d.ellipses.push_back(Arc(31, g, 4, 4, 0, 180));        // the spiral: right, over the top to the left,
    d.ellipses.push_back(Arc(34, g, 7, 7, 180, 180));      // under the line to the right,
    d.ellipses.push_back(Arc(31, g, 10, 14, 0, 160));      // up and over to the upper left
    d.lines.push_back({{22, g - 5}, {37, g - 33}, kInk});  // the rising stroke
    d.ellipses.push_back(Arc(35, g - 36, 3, 8, 0, 180));   // the loop at the top
    d.lines.push_back({{32, g - 36}, {33, g + 18}, kInk}); // the stem
    d.ellipses.push_back(Arc(29, g + 18, 4, 4, 0, -180));  // the hook at its foot
    d.ellipses.push_back(Dot(26, g + 17, 3, 3));
}

// The F clef: a dot on the line of F3 (y = H − 110), an arc over it and a dot either side of the line.
void BassClef(NotenbildDrawing& d, int h)
{
    const int f = h - 110;
    d.ellipses.push_back(Dot(19, f, 4, 4));
    d.ellipses.push_back(Arc(28, f, 11, 11, 180, -230));
    d.lines.push_back({{35, f + 8}, {17, f + 28}, kInk});
    d.ellipses.push_back(Dot(46, f - 5, 2, 2));
    d.ellipses.push_back(Dot(46, f + 5, 2, 2));
}

void Sharp(NotenbildDrawing& d, int x, int y)
{
    d.lines.push_back({{x - 15, y - 7}, {x - 15, y + 7}, kInk});
    d.lines.push_back({{x - 11, y - 8}, {x - 11, y + 6}, kInk});
    d.lines.push_back({{x - 18, y - 1}, {x - 8, y - 4}, kInk});
    d.lines.push_back({{x - 18, y + 4}, {x - 8, y + 1}, kInk});
}

} // namespace

NotenbildNote NotenbildNoteAt(double dFrequencyHz, int nHeight)
{
    const double v = 35.0 * std::log2(dFrequencyHz / 27.5) + 5.0;
    NotenbildNote note;
    const double floorV = std::floor(std::clamp(v, -1e6, 1e6));
    note.n = 5 * static_cast<int>(std::floor(floorV / 5.0));
    const double d = v - note.n;
    if (d > 3.3 + kRoundingTolerance)
        note.n += 5;
    else if (d >= 1.7 - kRoundingTolerance)
        note.bSharp = true;
    note.x = note.n % 10 == 0 ? 130 : 150;
    note.y = nHeight - note.n - 10;
    return note;
}

NotenbildDrawing NotenbildStaffLayout(int nWidth, int nHeight, const NotenbildSettings& settings,
                                      std::span<const NotenbildPeak> peaks)
{
    NotenbildDrawing d;
    const int h = nHeight;
    for (int y = 80; y <= 180; y += 10)
        if (y != 130)
            d.lines.push_back({{10, h - y}, {nWidth - 40, h - y}, kInk});
    for (int y = 10; y <= 360; y += 10)
        if (y <= 70 || y == 130 || y >= 190)
            d.lines.push_back({{110, h - y}, {160, h - y}, kLedger});
    TrebleClef(d, h);
    BassClef(d, h);
    const std::size_t shown = std::min(peaks.size(), static_cast<std::size_t>(settings.nObertonanzahl) + 1);
    for (std::size_t k = 0; k < shown; ++k) {
        if (!(peaks[k].first > 0))
            continue;
        const NotenbildNote note = NotenbildNoteAt(peaks[k].first, h);
        d.ellipses.push_back({note.x - 5, note.y - 4, note.x + 5, note.y + 4, kInk, true, 0, 360});
        if (note.bSharp)
            Sharp(d, note.x, note.y);
    }
    return d;
}
