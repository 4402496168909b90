#include "EmfPaintEngine.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainterPath>
#include <QPixmap>
#include <QTextItem>

#include <cmath>

namespace {

// GDI's numbers for what the painter asks.
constexpr std::uint32_t kPsSolid = 0, kPsDash = 1, kPsDot = 2, kPsDashDot = 3, kPsDashDotDot = 4;
constexpr int kR2Not = 6, kR2XorPen = 7, kR2CopyPen = 13;
constexpr std::uint32_t kAlternate = 1, kWinding = 2;
constexpr std::uint32_t kTransparent = 1, kMmText = 1;
constexpr std::uint32_t kTaBaseline = 24;

std::uint32_t ColorRefOf(const QColor& c)
{
    const QColor rgb = c.toRgb();
    return CEmfRecorder::ColorRef(rgb.red(), rgb.green(), rgb.blue());
}

std::uint32_t PenStyle(Qt::PenStyle style)
{
    switch (style) {
    case Qt::DashLine:
        return kPsDash;
    case Qt::DotLine:
        return kPsDot;
    case Qt::DashDotLine:
        return kPsDashDot;
    case Qt::DashDotDotLine:
        return kPsDashDotDot;
    default:
        return kPsSolid;
    }
}

QByteArray Key(std::initializer_list<qint64> values, const QString& text = QString())
{
    QByteArray key;
    for (qint64 v : values)
        key += QByteArray::number(v) + ',';
    return key + text.toUtf8();
}

// The length one unit along x becomes on the page.
double ScaleX(const QTransform& t)
{
    return std::hypot(t.m11(), t.m12());
}

} // namespace

CEmfPaintEngine::CEmfPaintEngine()
    : QPaintEngine(PrimitiveTransform | PixmapTransform | PainterPaths | PorterDuff | BlendModes |
                   RasterOpModes)
{
}

QPaintEngine::Type CEmfPaintEngine::type() const
{
    return QPaintEngine::User;
}

bool CEmfPaintEngine::begin(QPaintDevice*)
{
    m_rec.record(Emr::SetMapMode, {kMmText});
    m_rec.record(Emr::SetBkMode, {kTransparent});
    m_rec.record(Emr::SetTextAlign, {kTaBaseline});
    // A fresh metafile has a black pen and a white brush: the null ones are what this engine
    // assumes until it selects its own.
    m_rec.select(Emr::kStockNullPen);
    m_rec.select(Emr::kStockNullBrush);
    setFillRule(Qt::OddEvenFill);
    setActive(true);
    return true;
}

bool CEmfPaintEngine::end()
{
    // Back to the stock objects, then every object of ours is deleted.
    m_rec.select(Emr::kStockNullPen);
    m_rec.select(Emr::kStockNullBrush);
    for (Selected* s : {&m_selPen, &m_selBrush, &m_selFont})
        if (s->handle != 0) {
            m_rec.deleteObject(s->handle);
            *s = Selected();
        }
    if (m_clip)
        m_rec.clipRects({});
    setActive(false);
    return true;
}

void CEmfPaintEngine::updateState(const QPaintEngineState& state)
{
    const DirtyFlags flags = state.state();
    if (flags & DirtyTransform)
        m_transform = state.transform();
    if (flags & DirtyPen)
        m_pen = state.pen();
    if (flags & DirtyBrush)
        m_brush = state.brush();
    if (flags & DirtyCompositionMode)
        m_composition = state.compositionMode();
    if (flags & (DirtyClipEnabled | DirtyClipRegion | DirtyClipPath))
        applyClip(state);
}

void CEmfPaintEngine::applyClip(const QPaintEngineState& state)
{
    std::optional<QRegion> clip = m_clip;
    const DirtyFlags flags = state.state();
    if ((flags & DirtyClipEnabled) && !state.isClipEnabled()) {
        clip.reset();
    } else if (flags & (DirtyClipRegion | DirtyClipPath)) {
        QRegion region;
        if (flags & DirtyClipPath)
            region = QRegion(state.clipPath().toFillPolygon(m_transform).toPolygon(),
                             state.clipPath().fillRule());
        else
            region = m_transform.map(state.clipRegion());
        switch (state.clipOperation()) {
        case Qt::NoClip:
            clip.reset();
            break;
        case Qt::ReplaceClip:
            clip = region;
            break;
        case Qt::IntersectClip:
            clip = clip ? clip->intersected(region) : region;
            break;
        }
    }
    if (clip == m_clip)
        return;
    m_clip = clip;
    if (!m_clip) {
        m_rec.clipRects({});
        return;
    }
    std::vector<QRect> rects(m_clip->begin(), m_clip->end());
    if (rects.empty())
        rects.push_back(QRect(0, 0, 0, 0)); // nothing visible
    m_rec.clipRects(rects);
}

QPoint CEmfPaintEngine::map(const QPointF& p) const
{
    const QPointF d = m_transform.map(p);
    return QPoint(static_cast<int>(std::lround(d.x())), static_cast<int>(std::lround(d.y())));
}

void CEmfPaintEngine::usePen(bool bStroke)
{
    QByteArray key;
    const bool bNull = !bStroke || m_pen.style() == Qt::NoPen || m_pen.color().alpha() == 0;
    std::uint32_t style = 0, colour = 0;
    int width = 1;
    if (!bNull) {
        style = PenStyle(m_pen.style());
        colour = ColorRefOf(m_pen.color());
        const double w = m_pen.isCosmetic() ? m_pen.widthF() : m_pen.widthF() * ScaleX(m_transform);
        width = std::max(1, static_cast<int>(std::lround(w)));
        key = Key({style, width, colour});
    }
    if (key == m_selPen.key && (m_selPen.handle != 0 || bNull))
        return;
    const std::uint32_t old = m_selPen.handle;
    m_selPen.key = key;
    m_selPen.handle = bNull ? 0 : m_rec.createPen(style, width, colour);
    m_rec.select(bNull ? Emr::kStockNullPen : m_selPen.handle);
    if (old != 0)
        m_rec.deleteObject(old);
}

void CEmfPaintEngine::useBrush(bool bFill)
{
    const bool bNull = !bFill || m_brush.style() == Qt::NoBrush || m_brush.color().alpha() == 0;
    const std::uint32_t colour = bNull ? 0 : ColorRefOf(m_brush.color());
    const QByteArray key = bNull ? QByteArray() : Key({colour});
    if (key == m_selBrush.key && (m_selBrush.handle != 0 || bNull))
        return;
    const std::uint32_t old = m_selBrush.handle;
    m_selBrush.key = key;
    m_selBrush.handle = bNull ? 0 : m_rec.createBrush(true, colour);
    m_rec.select(bNull ? Emr::kStockNullBrush : m_selBrush.handle);
    if (old != 0)
        m_rec.deleteObject(old);
}

// Inverting drawing (the selection's band, rubber lines) as GDI's mix modes: Difference with white
// is "not destination", exclusive or with the pen colour is R2_XORPEN.
void CEmfPaintEngine::useRasterOp()
{
    int rop = kR2CopyPen;
    if (m_composition == QPainter::CompositionMode_Difference || m_composition == QPainter::RasterOp_NotDestination)
        rop = kR2Not;
    else if (m_composition == QPainter::RasterOp_SourceXorDestination ||
             m_composition == QPainter::CompositionMode_Xor)
        rop = kR2XorPen;
    if (rop == m_rop2)
        return;
    m_rop2 = rop;
    m_rec.record(Emr::SetRop2, {static_cast<std::uint32_t>(rop)});
}

void CEmfPaintEngine::setFillRule(Qt::FillRule rule)
{
    const int mode = rule == Qt::WindingFill ? kWinding : kAlternate;
    if (mode == m_fillMode)
        return;
    m_fillMode = mode;
    m_rec.record(Emr::SetPolyFillMode, {static_cast<std::uint32_t>(mode)});
}

void CEmfPaintEngine::fillAndStroke(const std::vector<std::vector<QPoint>>& polygons, const std::vector<bool>& closed,
                                    Qt::FillRule rule)
{
    if (polygons.empty())
        return;
    useRasterOp();
    const bool bFill = m_brush.style() != Qt::NoBrush;
    const bool bStroke = m_pen.style() != Qt::NoPen;
    // One closed outline: one polygon record fills and strokes it.
    if (polygons.size() == 1 && closed.front() && bFill) {
        setFillRule(rule);
        usePen(bStroke);
        useBrush(true);
        m_rec.poly(polygons.front(), true);
        return;
    }
    if (bFill) {
        setFillRule(rule);
        usePen(false);
        useBrush(true);
        if (polygons.size() == 1)
            m_rec.poly(polygons.front(), true);
        else
            m_rec.polyPolygon(polygons);
    }
    if (bStroke) {
        usePen(true);
        for (std::size_t i = 0; i < polygons.size(); ++i) {
            std::vector<QPoint> line = polygons[i];
            if (closed[i] && line.front() != line.back())
                line.push_back(line.front());
            m_rec.poly(line, false);
        }
    }
}

void CEmfPaintEngine::drawPath(const QPainterPath& path)
{
    std::vector<std::vector<QPoint>> polygons;
    std::vector<bool> closed;
    // Curves become polylines, flattened by Qt in page coordinates.
    for (const QPolygonF& sub : path.toSubpathPolygons(m_transform)) {
        if (sub.size() < 2)
            continue;
        std::vector<QPoint> pts;
        pts.reserve(static_cast<std::size_t>(sub.size()));
        for (const QPointF& p : sub)
            pts.emplace_back(static_cast<int>(std::lround(p.x())), static_cast<int>(std::lround(p.y())));
        closed.push_back(sub.isClosed());
        polygons.push_back(std::move(pts));
    }
    fillAndStroke(polygons, closed, path.fillRule());
}

void CEmfPaintEngine::drawPolygon(const QPointF* points, int pointCount, PolygonDrawMode mode)
{
    if (pointCount < 2)
        return;
    std::vector<QPoint> pts;
    pts.reserve(static_cast<std::size_t>(pointCount));
    for (int i = 0; i < pointCount; ++i)
        pts.push_back(map(points[i]));
    if (mode == PolylineMode) {
        useRasterOp();
        usePen(true);
        m_rec.poly(pts, false);
        return;
    }
    fillAndStroke({pts}, {true}, mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
}

void CEmfPaintEngine::drawLines(const QLineF* lines, int lineCount)
{
    useRasterOp();
    usePen(true);
    for (int i = 0; i < lineCount; ++i)
        m_rec.poly({map(lines[i].p1()), map(lines[i].p2())}, false);
}

void CEmfPaintEngine::drawRects(const QRectF* rects, int rectCount)
{
    for (int i = 0; i < rectCount; ++i) {
        const QRectF& r = rects[i];
        drawPolygon(QPolygonF(r).constData(), 4, OddEvenMode);
    }
}

void CEmfPaintEngine::drawEllipse(const QRectF& rect)
{
    // Turned or sheared ellipses are no longer upright: they go as flattened paths.
    if (m_transform.type() > QTransform::TxScale) {
        QPainterPath path;
        path.addEllipse(rect);
        drawPath(path);
        return;
    }
    useRasterOp();
    usePen(m_pen.style() != Qt::NoPen);
    useBrush(m_brush.style() != Qt::NoBrush);
    const QRectF box = m_transform.mapRect(rect);
    m_rec.ellipse(QRect(QPoint(static_cast<int>(std::lround(box.left())), static_cast<int>(std::lround(box.top()))),
                        QPoint(static_cast<int>(std::lround(box.right())),
                               static_cast<int>(std::lround(box.bottom())))));
}

void CEmfPaintEngine::drawPixmap(const QRectF& r, const QPixmap& pm, const QRectF& sr)
{
    drawImage(r, pm.toImage(), sr, Qt::AutoColor);
}

void CEmfPaintEngine::drawImage(const QRectF& r, const QImage& image, const QRectF& sr, Qt::ImageConversionFlags)
{
    const QImage part = sr.toAlignedRect() == image.rect() ? image : image.copy(sr.toAlignedRect());
    if (part.isNull() || r.isEmpty())
        return;
    useRasterOp();
    if (m_transform.type() <= QTransform::TxScale) {
        const QRectF box = m_transform.mapRect(r);
        const QPoint tl(static_cast<int>(std::lround(box.left())), static_cast<int>(std::lround(box.top())));
        const QPoint br(static_cast<int>(std::lround(box.right())), static_cast<int>(std::lround(box.bottom())));
        m_rec.image(QRect(tl, QSize(br.x() - tl.x(), br.y() - tl.y())), part);
        return;
    }
    // Turned: Qt turns the image, which is then placed upright on the page.
    const QTransform t = QTransform::fromScale(r.width() / part.width(), r.height() / part.height()) *
                         QTransform::fromTranslate(r.x(), r.y()) * m_transform;
    const QImage turned = part.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                              .transformed(t, Qt::SmoothTransformation);
    const QRect box = t.mapRect(QRectF(part.rect())).toAlignedRect();
    m_rec.image(QRect(box.topLeft(), turned.size()), turned);
}

void CEmfPaintEngine::drawTextItem(const QPointF& p, const QTextItem& textItem)
{
    const QString text = textItem.text();
    if (text.isEmpty() || m_pen.style() == Qt::NoPen)
        return;
    useRasterOp();
    const QFont font = textItem.font();
    const double scale = ScaleX(m_transform);
    const double pixels = font.pixelSize() > 0 ? font.pixelSize()
                                               : font.pointSizeF() * (paintDevice() ? paintDevice()->logicalDpiY() : 96) /
                                                     72.0;
    const int height = -std::max(1, static_cast<int>(std::lround(pixels * scale)));
    // Anticlockwise on the page in tenths of a degree, as the painter turns its x axis.
    const int escapement =
        static_cast<int>(std::lround(-std::atan2(m_transform.m12(), m_transform.m11()) * 1800.0 / M_PI));
    const int weight = font.weight();
    const QByteArray key = Key({height, escapement, weight, font.italic(), font.underline(), font.strikeOut()},
                               font.family());
    if (key != m_selFont.key) {
        const std::uint32_t old = m_selFont.handle;
        m_selFont.key = key;
        m_selFont.handle = m_rec.createFont(font.family(), height, escapement, weight, font.italic(),
                                            font.underline(), font.strikeOut());
        m_rec.select(m_selFont.handle);
        if (old != 0)
            m_rec.deleteObject(old);
    }
    const std::uint32_t colour = ColorRefOf(m_pen.color());
    if (colour != m_textColour) {
        m_textColour = colour;
        m_rec.record(Emr::SetTextColor, {colour});
    }
    // The advances Qt lays the text out with, rounded on the running sum so the end stays in place.
    const QFontMetricsF metrics(font, paintDevice());
    std::vector<int> advances;
    double sum = 0.0;
    int placed = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool bPair = text.at(i).isHighSurrogate() && i + 1 < text.size();
        sum += metrics.horizontalAdvance(text.mid(i, bPair ? 2 : 1)) * scale;
        const int next = static_cast<int>(std::lround(sum));
        advances.push_back(next - placed);
        placed = next;
        if (bPair) {
            advances.push_back(0);
            ++i;
        }
    }
    m_rec.textOut(map(p), text, advances);
}
