#include "ProfilePictures.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace ProfilePictures {
namespace {

void sineLine(QPainter& p, const QRectF& r, double cycles, const QColor& c, double width)
{
    QPainterPath path;
    for (int i = 0; i <= 64; ++i) {
        const double x = r.left() + r.width() * i / 64.0;
        const double y = r.center().y() - r.height() / 2 * std::sin(2 * M_PI * cycles * i / 64.0);
        if (i == 0)
            path.moveTo(x, y);
        else
            path.lineTo(x, y);
    }
    p.setPen(QPen(c, width));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void background(QPainter& p, int size, const QColor& top, const QColor& bottom)
{
    QLinearGradient g(0, 0, 0, size);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(0, 0, size, size), size / 10.0, size / 10.0);
}

} // namespace

QPixmap welcome(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    background(p, size, QColor(20, 60, 160), QColor(0, 20, 70));
    const double s = size;
    for (int i = 0; i < 8; ++i) { // a small spectrum
        const double h = s * (0.15 + 0.5 * std::fabs(std::sin(i * 1.3 + 0.4)));
        p.fillRect(QRectF(s * (0.12 + i * 0.095), s * 0.9 - h, s * 0.07, h), QColor::fromHsv(30 * i, 200, 255));
    }
    sineLine(p, QRectF(s * 0.08, s * 0.12, s * 0.84, s * 0.22), 2.5, Qt::white, s / 40);
    return pm;
}

QPixmap profile(int kind, int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    switch (kind) {
    case 1: { // Musiker: staff with a note
        background(p, size, QColor(250, 240, 210), QColor(220, 200, 150));
        p.setPen(QPen(Qt::black, s / 60));
        for (int i = 0; i < 5; ++i)
            p.drawLine(QPointF(s * 0.1, s * (0.3 + i * 0.1)), QPointF(s * 0.9, s * (0.3 + i * 0.1)));
        p.setBrush(Qt::black);
        p.drawEllipse(QRectF(s * 0.42, s * 0.52, s * 0.16, s * 0.11));
        p.drawLine(QPointF(s * 0.57, s * 0.57), QPointF(s * 0.57, s * 0.15));
        break;
    }
    case 2: { // Analytiker: an attractor
        background(p, size, QColor(230, 240, 250), QColor(170, 190, 220));
        QPainterPath path;
        double x = 0.1, y = 0.0;
        for (int i = 0; i < 400; ++i) { // Hénon map points
            const double nx = 1.0 - 1.4 * x * x + y;
            y = 0.3 * x;
            x = nx;
            path.addEllipse(QPointF(s * (0.5 + x * 0.3), s * (0.5 - y * 1.1)), s / 200, s / 200);
        }
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 60, 160));
        p.drawPath(path);
        break;
    }
    case 3: { // Komplett: several windows
        background(p, size, QColor(235, 235, 235), QColor(190, 190, 190));
        const QColor colours[] = {QColor(220, 40, 40), QColor(40, 160, 60), QColor(40, 80, 220), QColor(240, 180, 0)};
        for (int i = 0; i < 4; ++i) {
            const QRectF r(s * (0.1 + (i % 2) * 0.42), s * (0.1 + (i / 2) * 0.42), s * 0.38, s * 0.38);
            p.setPen(QPen(Qt::black, s / 80));
            p.setBrush(Qt::white);
            p.drawRect(r);
            sineLine(p, r.adjusted(s * 0.03, s * 0.08, -s * 0.03, -s * 0.08), 1.5 + i, colours[i], s / 60);
        }
        break;
    }
    case 4:
    case 5: { // Grundschule, Oberschule: a blackboard
        background(p, size, QColor(30, 90, 50), QColor(20, 60, 35));
        sineLine(p, QRectF(s * 0.12, s * 0.25, s * 0.76, s * 0.3), kind == 4 ? 1.0 : 3.0, Qt::white, s / 35);
        p.setPen(QPen(QColor(240, 220, 120), s / 40));
        p.drawLine(QPointF(s * 0.12, s * 0.75), QPointF(s * 0.88, s * 0.75));
        break;
    }
    default: { // Standard: waveform and spectrum
        background(p, size, QColor(255, 255, 255), QColor(210, 220, 235));
        sineLine(p, QRectF(s * 0.1, s * 0.15, s * 0.8, s * 0.3), 2.0, QColor(220, 0, 0), s / 50);
        for (int i = 0; i < 6; ++i) {
            const double h = s * (0.08 + 0.3 * std::fabs(std::cos(i * 0.9)));
            p.fillRect(QRectF(s * (0.12 + i * 0.13), s * 0.9 - h, s * 0.09, h), QColor(0, 90, 200));
        }
        break;
    }
    }
    return pm;
}

} // namespace ProfilePictures
