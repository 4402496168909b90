// Window placements in profiles: child windows are kept in percent of the main window's usable
// client area; the main window is kept in screen pixels and fitted into the desktop work area.
#pragma once

#include "WindowPlacement.h"

struct PixelRect
{
    int left = 0, top = 0, right = 0, bottom = 0;
};

// Store direction: left = trunc(left·100/W), top = trunc(top·100/H), right and bottom alike;
// then a right or bottom within 5 of 100 becomes 100. Other fields are kept. When W (or H) is
// 0 or less nothing can be measured along that axis: its edges become 0 and 100 (the whole area).
// Results beyond the 32-bit range are clamped to it.
WindowPlacement PlacementToPercent(const WindowPlacement& pixels, int W, int H);
// Apply direction: each value becomes trunc(value·W·0.01) or trunc(value·H·0.01), the integer
// product taken first. A W or H below 0 counts as 0.
WindowPlacement PlacementToPixels(const WindowPlacement& percent, int W, int H);

// The record that replaces a main-window placement lying wholly off the work area:
// length 44, flags 0, show command 5, min and max positions (−1, −1), normal rectangle (0, 0, 10, 10).
WindowPlacement DefaultMainPlacement();
// After loading: normalises the normal rectangle; replaces the record by the default when it does
// not intersect the work area; moves it inside when it lies partly outside (right/left, then
// down/up, clamping the left and top edges to the work area).
WindowPlacement FitMainPlacement(const WindowPlacement& stored, const PixelRect& workArea);
