// Paints what the widget-free view models hand over (points, lines, rectangles, ellipses, texts)
// with a QPainter: one pixel wide, in the order given, so screen, pictures and printing look alike.
#pragma once

#include "core/common/PlotPrimitives.h"

#include <QColor>

#include <vector>

class QPainter;

namespace PlotPainter {

QColor toQColor(const Rgb& c);
void drawLines(QPainter& painter, const std::vector<PlotLine>& lines);
void drawRects(QPainter& painter, const std::vector<PlotRect>& rects);
void drawTexts(QPainter& painter, const std::vector<PlotText>& texts);
// Outlines (or fills) whole ellipses and draws arcs, smoothed.
void drawEllipses(QPainter& painter, const std::vector<PlotEllipse>& ellipses);
void drawPolyline(QPainter& painter, const std::vector<PlotPoint>& points, const Rgb& colour);

} // namespace PlotPainter
