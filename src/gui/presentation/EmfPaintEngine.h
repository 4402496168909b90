// Records what a QPainter draws as enhanced-metafile records: pens, brushes and fonts as GDI
// objects (created when they change, deleted once replaced), shapes as polylines and polygons in
// pixel coordinates with the painter's transform applied, text as UTF-16 strings with their font,
// images as DIBs. Gradients, translucent colours and opacity are left to Qt, which draws them into
// an image first.
#pragma once

#include "EmfRecorder.h"

#include <QBrush>
#include <QPaintEngine>
#include <QPen>
#include <QRegion>
#include <QTransform>

#include <optional>

class CEmfPaintEngine : public QPaintEngine
{
public:
    CEmfPaintEngine();

    bool begin(QPaintDevice* device) override;
    bool end() override;
    void updateState(const QPaintEngineState& state) override;
    Type type() const override;

    void drawPath(const QPainterPath& path) override;
    void drawPolygon(const QPointF* points, int pointCount, PolygonDrawMode mode) override;
    void drawLines(const QLineF* lines, int lineCount) override;
    void drawRects(const QRectF* rects, int rectCount) override;
    void drawEllipse(const QRectF& rect) override;
    void drawPixmap(const QRectF& r, const QPixmap& pm, const QRectF& sr) override;
    void drawImage(const QRectF& r, const QImage& pm, const QRectF& sr, Qt::ImageConversionFlags flags) override;
    void drawTextItem(const QPointF& p, const QTextItem& textItem) override;

    // The records so far; the device writes the file around them.
    const CEmfRecorder& recorder() const { return m_rec; }

private:
    QPoint map(const QPointF& p) const;
    // Selects a pen and brush like the painter's (or the null ones) into the metafile.
    void usePen(bool bStroke);
    void useBrush(bool bFill);
    void useRasterOp();
    void fillAndStroke(const std::vector<std::vector<QPoint>>& polygons, const std::vector<bool>& closed,
                       Qt::FillRule rule);
    void setFillRule(Qt::FillRule rule);
    void applyClip(const QPaintEngineState& state);

    CEmfRecorder m_rec;
    QPen m_pen;
    QBrush m_brush;
    QTransform m_transform;
    QPainter::CompositionMode m_composition = QPainter::CompositionMode_SourceOver;
    std::optional<QRegion> m_clip; // in pixels; none: no clipping

    // What the metafile has selected, so that unchanged objects are not created again.
    struct Selected
    {
        std::uint32_t handle = 0; // 0: a stock object or none
        QByteArray key;
    };
    Selected m_selPen, m_selBrush, m_selFont;
    std::uint32_t m_textColour = 0xffffffffu;
    int m_rop2 = 13; // R2_COPYPEN
    int m_fillMode = 0;
};
