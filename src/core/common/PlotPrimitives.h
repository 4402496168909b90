// What a widget-free view model hands its painter: integer points in client pixels, lines,
// filled rectangles, ellipses and arcs, and texts with their colours. The painter draws them one pixel wide, in order.
#pragma once

#include "core/common/Rgb.h"

#include <string>

struct PlotPoint
{
    int x = 0;
    int y = 0;
    friend bool operator==(const PlotPoint&, const PlotPoint&) = default;
};

struct PlotLine
{
    PlotPoint from;
    PlotPoint to;
    Rgb colour;
    friend bool operator==(const PlotLine&, const PlotLine&) = default;
};

struct PlotRect // filled, [left, right) × [top, bottom)
{
    int left = 0, top = 0, right = 0, bottom = 0;
    Rgb colour;
    friend bool operator==(const PlotRect&, const PlotRect&) = default;
};

// An ellipse inscribed in [left, right] × [top, bottom], or the arc of it from nStartDegrees
// over nSpanDegrees (counter-clockwise, 0 at three o'clock). Only a whole ellipse is filled.
struct PlotEllipse
{
    int left = 0, top = 0, right = 0, bottom = 0;
    Rgb colour;
    bool bFilled = false;
    int nStartDegrees = 0;
    int nSpanDegrees = 360;
    friend bool operator==(const PlotEllipse&, const PlotEllipse&) = default;
};

enum class TextAnchor { Left, Centre, Right };

struct PlotText
{
    PlotPoint at;             // x as the anchor says; y is the text's baseline
    std::string text;         // UTF-8
    Rgb colour;
    TextAnchor anchor = TextAnchor::Left;
    const char* font = "Century Gothic";
    int nPixelHeight = 12;
};
