#include "PlotPainter.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

namespace PlotPainter {

namespace {

QPen thinPen(const Rgb& c)
{
    QPen pen(toQColor(c), 1);
    pen.setCosmetic(true);
    return pen;
}

} // namespace

QColor toQColor(const Rgb& c)
{
    return QColor(c.red, c.green, c.blue);
}

void drawLines(QPainter& painter, const std::vector<PlotLine>& lines)
{
    if (lines.empty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    // Runs of one colour go to the painter together.
    std::size_t i = 0;
    std::vector<QLine> batch;
    while (i < lines.size()) {
        const Rgb colour = lines[i].colour;
        batch.clear();
        for (; i < lines.size() && lines[i].colour == colour; ++i)
            batch.emplace_back(lines[i].from.x, lines[i].from.y, lines[i].to.x, lines[i].to.y);
        painter.setPen(thinPen(colour));
        painter.drawLines(batch.data(), static_cast<int>(batch.size()));
    }
    painter.restore();
}

void drawRects(QPainter& painter, const std::vector<PlotRect>& rects)
{
    for (const PlotRect& r : rects)
        painter.fillRect(QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)), toQColor(r.colour));
}

void drawTexts(QPainter& painter, const std::vector<PlotText>& texts)
{
    painter.save();
    for (const PlotText& t : texts) {
        QFont font(QString::fromUtf8(t.font));
        font.setPixelSize(std::max(1, t.nPixelHeight));
        painter.setFont(font);
        painter.setPen(toQColor(t.colour));
        const QString text = QString::fromUtf8(t.text.c_str());
        const int w = QFontMetrics(font).horizontalAdvance(text);
        int x = t.at.x;
        if (t.anchor == TextAnchor::Centre)
            x -= w / 2;
        else if (t.anchor == TextAnchor::Right)
            x -= w;
        painter.drawText(QPoint(x, t.at.y), text);
    }
    painter.restore();
}

void drawEllipses(QPainter& painter, const std::vector<PlotEllipse>& ellipses)
{
    if (ellipses.empty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (const PlotEllipse& e : ellipses) {
        const QRectF box(e.left, e.top, e.right - e.left, e.bottom - e.top);
        painter.setPen(thinPen(e.colour));
        if (e.nSpanDegrees >= 360 || e.nSpanDegrees <= -360) {
            painter.setBrush(e.bFilled ? QBrush(toQColor(e.colour)) : QBrush(Qt::NoBrush));
            painter.drawEllipse(box);
        } else {
            painter.drawArc(box, e.nStartDegrees * 16, e.nSpanDegrees * 16); // Qt counts 1/16 degrees
        }
    }
    painter.restore();
}

void drawPolyline(QPainter& painter, const std::vector<PlotPoint>& points, const Rgb& colour)
{
    if (points.size() < 2)
        return;
    QPolygon poly(static_cast<int>(points.size()));
    for (int i = 0; i < poly.size(); ++i)
        poly.setPoint(i, points[static_cast<std::size_t>(i)].x, points[static_cast<std::size_t>(i)].y);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(thinPen(colour));
    painter.drawPolyline(poly);
    painter.restore();
}

} // namespace PlotPainter
