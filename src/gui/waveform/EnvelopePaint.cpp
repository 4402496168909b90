#include "EnvelopePaint.h"

#include <QPainter>
#include <QPolygon>

namespace EnvelopePaint {

namespace {

QPen OnePixel(const QColor& colour)
{
    QPen pen(colour, 1);
    pen.setCosmetic(true);
    return pen;
}

void Crosses(QPainter& painter, const EnvelopeOutline::Points& points)
{
    for (const PlotPoint& p : points) {
        painter.drawLine(p.x - 3, p.y, p.x + 3, p.y);
        painter.drawLine(p.x, p.y - 3, p.x, p.y + 3);
    }
}

} // namespace

void paint(QPainter& painter, const EnvelopePicture& picture)
{
    const int w = picture.width, h = picture.height;
    painter.fillRect(QRect(0, 0, w, h), Qt::white);
    if (picture.mode == 0) {
        painter.setPen(OnePixel(QColor(0, 255, 0)));
        Crosses(painter, picture.crosses);
    } else {
        QPolygon curve;
        for (const PlotPoint& p : picture.curve)
            curve << QPoint(p.x, p.y);
        painter.setPen(OnePixel(QColor(0, 0, 255)));
        if (curve.size() > 1)
            painter.drawPolyline(curve);
        painter.setPen(OnePixel(QColor(255, 0, 0)));
        Crosses(painter, picture.crosses);
    }
    painter.setPen(OnePixel(QColor(50, 50, 50)));
    painter.drawLine(w, h / 2, 0, h / 2);
}

} // namespace EnvelopePaint
