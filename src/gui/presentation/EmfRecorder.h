// The bytes of an enhanced metafile, record by record: the header written last (it counts records,
// bytes and handles), the drawing records, the object table of pens, brushes and fonts and EMR_EOF.
// All coordinates are logical units of the picture, one per pixel (mapping mode MM_TEXT).
#pragma once

#include <QByteArray>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <cstdint>
#include <vector>

class QImage;

// Record types and constants of the format used here.
namespace Emr {
enum Type : std::uint32_t {
    Header = 1,
    Polygon = 3,
    Polyline = 4,
    Eof = 14,
    SetMapMode = 17,
    SetBkMode = 18,
    SetPolyFillMode = 19,
    SetRop2 = 20,
    SetTextAlign = 22,
    SetTextColor = 24,
    SelectObject = 37,
    CreatePen = 38,
    CreateBrushIndirect = 39,
    DeleteObject = 40,
    Ellipse = 42,
    ExtSelectClipRgn = 75,
    StretchDIBits = 81,
    ExtCreateFontIndirectW = 82,
    ExtTextOutW = 84,
    Polygon16 = 86,
    Polyline16 = 87,
    PolyPolygon16 = 91,
    AlphaBlend = 114,
};
constexpr std::uint32_t kStockNullBrush = 0x80000005u;
constexpr std::uint32_t kStockNullPen = 0x80000008u;
} // namespace Emr

class CEmfRecorder
{
public:
    // 0x00bbggrr, as GDI stores a colour.
    static std::uint32_t ColorRef(int r, int g, int b);

    // One record: the type, its size (8 + payload, padded to four bytes) and the payload.
    void record(std::uint32_t type, const QByteArray& payload);
    void record(std::uint32_t type, std::initializer_list<std::uint32_t> values);

    // Objects in the handle table; a freed index is used again, so the table stays as small as
    // the objects alive at once. Each returns the new object's index.
    std::uint32_t createPen(std::uint32_t style, int width, std::uint32_t colour);
    std::uint32_t createBrush(bool solid, std::uint32_t colour);
    // height < 0: the em height in logical units; escapement in tenths of a degree, anticlockwise.
    std::uint32_t createFont(const QString& face, int height, int escapement, int weight, bool italic,
                             bool underline, bool strikeOut);
    void select(std::uint32_t object);
    void deleteObject(std::uint32_t index);

    // Polyline or polygon (closed, filled with the selected brush), 16-bit points when they fit.
    void poly(const std::vector<QPoint>& points, bool closed);
    // Several closed polygons filled as one shape (the fill mode decides the holes).
    void polyPolygon(const std::vector<std::vector<QPoint>>& polygons);
    void ellipse(const QRect& box);
    // The text with its baseline starting at origin; advances are the logical widths per UTF-16 unit.
    void textOut(QPoint origin, const QString& text, const std::vector<int>& advances);
    // An image stretched onto target: opaque ones as a 24-bit DIB copied, ones with transparent
    // pixels as a 32-bit premultiplied DIB blended over what is below.
    void image(const QRect& target, const QImage& image);
    // Clipping to the union of rectangles in logical units; none: clipping off.
    void clipRects(const std::vector<QRect>& rects);

    // The whole file: header with size (pixels), frame in 0.01 mm (x·2540/dpi), the device measures
    // and the UTF-16 description (application text, NUL, title, NUL, NUL); records; EMR_EOF.
    QByteArray file(QSize size, double dpiX, double dpiY, const QString& description) const;

private:
    std::uint32_t newHandle();

    QByteArray m_body;
    std::uint32_t m_nRecords = 0;
    std::vector<bool> m_inUse{true}; // index 0 is the metafile itself
};
