#include "WaveformPaint.h"

#include <QApplication>
#include <QFont>
#include <QPainter>
#include <QPalette>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace WaveformPaint {

QColor borderColour()
{
    return QApplication::palette().color(QPalette::Window);
}

namespace {

// Plots the 1-pixel segment (x0, y0) – (x1, y1) into a premultiplied image whose pixel (0, 0)
// lies at (ox, oy): steep segments step through rows, shallow ones through columns, and only
// the part inside the image is visited, so a line far outside the pane costs nothing.
void plotSegment(QImage& image, int ox, int oy, int x0, int y0, int x1, int y1, QRgb colour)
{
    x0 -= ox, x1 -= ox, y0 -= oy, y1 -= oy;
    const int w = image.width();
    const int h = image.height();
    const auto bpl = static_cast<std::size_t>(image.bytesPerLine() / 4);
    auto* bits = reinterpret_cast<QRgb*>(image.bits());
    const int dx = x1 - x0;
    const int dy = y1 - y0;
    if (dx == 0) { // the column spans, most of the pixels
        if (x0 < 0 || x0 >= w)
            return;
        const int from = std::max(std::min(y0, y1), 0);
        const int to = std::min(std::max(y0, y1), h - 1);
        for (int y = from; y <= to; ++y)
            bits[static_cast<std::size_t>(y) * bpl + static_cast<std::size_t>(x0)] = colour;
        return;
    }
    if (std::abs(dy) >= std::abs(dx)) {
        if (y0 > y1)
            std::swap(x0, x1), std::swap(y0, y1);
        const int from = std::max(y0, 0);
        const int to = std::min(y1, h - 1);
        const double slope = y1 == y0 ? 0.0 : static_cast<double>(x1 - x0) / (y1 - y0);
        for (int y = from; y <= to; ++y) {
            const int x = x0 + static_cast<int>(std::lround((y - y0) * slope));
            if (x >= 0 && x < w)
                bits[static_cast<std::size_t>(y) * bpl + static_cast<std::size_t>(x)] = colour;
        }
    } else {
        if (x0 > x1)
            std::swap(x0, x1), std::swap(y0, y1);
        const int from = std::max(x0, 0);
        const int to = std::min(x1, w - 1);
        const double slope = static_cast<double>(y1 - y0) / (x1 - x0);
        for (int x = from; x <= to; ++x) {
            const int y = y0 + static_cast<int>(std::lround((x - x0) * slope));
            if (y >= 0 && y < h)
                bits[static_cast<std::size_t>(y) * bpl + static_cast<std::size_t>(x)] = colour;
        }
    }
}

} // namespace

void drawSignal(QPainter& painter, const std::vector<PlotPoint>& line)
{
    if (line.size() < 2 || !painter.device())
        return;
    // The part of the device the line can reach, in the painter's coordinates.
    const QRect device(0, 0, painter.device()->width(), painter.device()->height());
    const QRect visible = painter.worldTransform().inverted().mapRect(device);
    int minY = line.front().y, maxY = minY;
    for (const PlotPoint& p : line)
        minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
    const QRect box = QRect(QPoint(line.front().x, minY), QPoint(line.back().x, maxY)).intersected(visible);
    if (box.isEmpty())
        return;
    // Tens of thousands of tall column spans are far quicker as direct pixel writes than
    // through the painter's line rasteriser; the image is then drawn in one go.
    QImage image(box.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    const QRgb red = qRgb(255, 0, 0);
    for (std::size_t i = 1; i < line.size(); ++i)
        plotSegment(image, box.left(), box.top(), line[i - 1].x, line[i - 1].y, line[i].x, line[i].y, red);
    painter.drawImage(box.topLeft(), image);
}

void invert(QPainter& painter, int x0, int x1, int yTop, int yBottom)
{
    if (x0 == x1)
        return;
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_Difference);
    painter.fillRect(QRect(QPoint(std::min(x0, x1), yTop), QPoint(std::max(x0, x1) - 1, yBottom)), Qt::white);
    painter.restore();
}

void paintOverview(QPainter& painter, const WaveSamples& wave, const OverviewState& st)
{
    namespace OL = OverviewLayout;
    const int cw = st.clientWidth;
    const int ch = st.clientHeight;
    const int sx = st.scrollX;
    painter.fillRect(QRect(0, 0, cw, ch), Qt::white);
    if (wave.bytes >= OL::kMinSignalBytes && st.contentWidth >= 1) {
        painter.save();
        painter.translate(-sx, 0);
        drawSignal(painter, OL::signalLine(wave, st.step, st.contentWidth, ch, st.aZoom, sx, sx + cw));
        painter.restore();
    }
    if (st.bandEnd != 0)
        invert(painter, st.bandStart - sx, st.bandEnd - sx, OL::kTop, ch - 1);

    // Borders in the menu colour: the band of the time axis over the whole width, the strips at
    // both ends of the content, the bottom line.
    const QColor border = borderColour();
    painter.fillRect(QRect(0, 0, cw, OL::kTop), border);
    painter.fillRect(QRect(-sx, 0, OL::kLeft, ch), border);
    painter.fillRect(QRect(st.totalWidth - OL::kLeft - sx, 0, OL::kLeft, ch), border);
    painter.fillRect(QRect(0, ch - 1, cw, 1), border);

    if (st.rate > 0) {
        const OL::TimeAxis axis = OL::timeAxis(wave.count(), st.rate, st.totalWidth, cw);
        painter.setPen(QPen(Qt::black, 1));
        for (const OL::Tick& t : axis.ticks)
            if (t.x - sx >= -1 && t.x - sx <= cw)
                painter.drawLine(t.x - sx, t.yTop, t.x - sx, t.yBottom);
        QFont font(QStringLiteral("Century Gothic"));
        for (const OL::Label& l : axis.labels) {
            if (l.x - sx < -200 || l.x - sx > cw)
                continue;
            font.setPixelSize(l.height);
            painter.setFont(font);
            painter.drawText(QRect(l.x - sx, l.y, 200, l.height + 4), Qt::AlignLeft | Qt::AlignTop,
                             QString::fromStdString(l.text));
        }
    }
    if (st.caretX >= 0) {
        painter.setPen(QPen(Qt::black, 1));
        painter.drawLine(st.caretX, OL::kTop, st.caretX, ch - 2);
    }
}

void paintWaveView(QPainter& painter, const WaveSamples& wave, const WaveViewState& st)
{
    namespace WL = WaveViewLayout;
    const int cw = st.width;
    const int ch = st.height;
    painter.fillRect(QRect(0, 0, cw, ch), Qt::white);
    if (wave.bytes >= 2) {
        if (st.range.length() != 0)
            drawSignal(painter, WL::signalLine(wave, st.range, cw, ch, st.aZoom, st.precision));
        invert(painter, st.bandX0, st.bandX1, WL::kBorder, ch - WL::kBorder);
    }
    painter.setPen(QPen(QColor(0, 0, 255), 2));
    for (int x : {st.markers.x1, st.markers.x2})
        if (x != 0)
            painter.drawLine(x, 0, x, ch);

    const QColor border = borderColour();
    painter.fillRect(QRect(0, 0, WL::kBorder + 1, ch), border);
    painter.fillRect(QRect(cw - WL::kBorder, 0, WL::kBorder, ch), border);
    painter.fillRect(QRect(0, 0, cw, WL::kBorder), border);
    painter.fillRect(QRect(0, ch - WL::kBorder, cw, WL::kBorder), border);
}

} // namespace WaveformPaint
