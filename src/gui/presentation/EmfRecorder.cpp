#include "EmfRecorder.h"

#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

// Little-endian fields, as the format stores every number.
void Put32(QByteArray& out, std::uint32_t v)
{
    const char bytes[4] = {static_cast<char>(v & 0xffu), static_cast<char>((v >> 8) & 0xffu),
                           static_cast<char>((v >> 16) & 0xffu), static_cast<char>((v >> 24) & 0xffu)};
    out.append(bytes, 4);
}

void PutInt(QByteArray& out, int v)
{
    Put32(out, static_cast<std::uint32_t>(v));
}

void Put16(QByteArray& out, int v)
{
    const auto u = static_cast<std::uint16_t>(static_cast<std::int16_t>(v));
    const char bytes[2] = {static_cast<char>(u & 0xffu), static_cast<char>(u >> 8)};
    out.append(bytes, 2);
}

void PutFloat(QByteArray& out, float f)
{
    std::uint32_t u = 0;
    std::memcpy(&u, &f, sizeof u);
    Put32(out, u);
}

// RECTL, inclusive on all sides.
void PutRect(QByteArray& out, const QRect& r)
{
    PutInt(out, r.left());
    PutInt(out, r.top());
    PutInt(out, r.right());
    PutInt(out, r.bottom());
}

void PadTo4(QByteArray& out)
{
    while (out.size() % 4 != 0)
        out.append('\0');
}

QRect BoundsOf(const std::vector<QPoint>& points)
{
    if (points.empty())
        return QRect(0, 0, 0, 0);
    int l = points.front().x(), r = l, t = points.front().y(), b = t;
    for (const QPoint& p : points) {
        l = std::min(l, p.x()), r = std::max(r, p.x());
        t = std::min(t, p.y()), b = std::max(b, p.y());
    }
    return QRect(QPoint(l, t), QPoint(r, b));
}

bool Fits16(const std::vector<QPoint>& points)
{
    constexpr int lo = std::numeric_limits<std::int16_t>::min();
    constexpr int hi = std::numeric_limits<std::int16_t>::max();
    return std::all_of(points.begin(), points.end(), [](const QPoint& p) {
        return p.x() >= lo && p.x() <= hi && p.y() >= lo && p.y() <= hi;
    });
}

// BITMAPINFOHEADER of a bottom-up DIB without colour table.
QByteArray BitmapInfo(int width, int height, int bitCount, std::uint32_t imageBytes)
{
    QByteArray h;
    Put32(h, 40);
    PutInt(h, width);
    PutInt(h, height);
    Put16(h, 1);
    Put16(h, bitCount);
    Put32(h, 0); // BI_RGB
    Put32(h, imageBytes);
    PutInt(h, 3780); // 96 dpi in pixels per metre; the target rectangle decides the size
    PutInt(h, 3780);
    Put32(h, 0);
    Put32(h, 0);
    return h;
}

} // namespace

std::uint32_t CEmfRecorder::ColorRef(int r, int g, int b)
{
    return static_cast<std::uint32_t>(r & 0xff) | (static_cast<std::uint32_t>(g & 0xff) << 8) |
           (static_cast<std::uint32_t>(b & 0xff) << 16);
}

void CEmfRecorder::record(std::uint32_t type, const QByteArray& payload)
{
    QByteArray padded = payload;
    PadTo4(padded);
    Put32(m_body, type);
    Put32(m_body, static_cast<std::uint32_t>(8 + padded.size()));
    m_body.append(padded);
    ++m_nRecords;
}

void CEmfRecorder::record(std::uint32_t type, std::initializer_list<std::uint32_t> values)
{
    QByteArray payload;
    for (std::uint32_t v : values)
        Put32(payload, v);
    record(type, payload);
}

std::uint32_t CEmfRecorder::newHandle()
{
    const auto it = std::find(m_inUse.begin() + 1, m_inUse.end(), false);
    const auto index = static_cast<std::uint32_t>(it - m_inUse.begin());
    if (it == m_inUse.end())
        m_inUse.push_back(true);
    else
        *it = true;
    return index;
}

std::uint32_t CEmfRecorder::createPen(std::uint32_t style, int width, std::uint32_t colour)
{
    const std::uint32_t index = newHandle();
    record(Emr::CreatePen, {index, style, static_cast<std::uint32_t>(width), 0, colour});
    return index;
}

std::uint32_t CEmfRecorder::createBrush(bool solid, std::uint32_t colour)
{
    const std::uint32_t index = newHandle();
    record(Emr::CreateBrushIndirect, {index, solid ? 0u : 1u, colour, 0});
    return index;
}

std::uint32_t CEmfRecorder::createFont(const QString& face, int height, int escapement, int weight, bool italic,
                                       bool underline, bool strikeOut)
{
    const std::uint32_t index = newHandle();
    QByteArray p;
    Put32(p, index);
    // LOGFONTW
    PutInt(p, height);
    PutInt(p, 0);          // lfWidth: the font's own
    PutInt(p, escapement); // lfEscapement
    PutInt(p, escapement); // lfOrientation
    PutInt(p, weight);
    p.append(static_cast<char>(italic ? 1 : 0));
    p.append(static_cast<char>(underline ? 1 : 0));
    p.append(static_cast<char>(strikeOut ? 1 : 0));
    p.append(static_cast<char>(1)); // DEFAULT_CHARSET
    p.append(static_cast<char>(0)); // OUT_DEFAULT_PRECIS
    p.append(static_cast<char>(0)); // CLIP_DEFAULT_PRECIS
    p.append(static_cast<char>(5)); // CLEARTYPE_QUALITY
    p.append(static_cast<char>(0)); // DEFAULT_PITCH | FF_DONTCARE
    const QString name = face.left(31);
    for (int i = 0; i < 32; ++i)
        Put16(p, i < name.size() ? name.at(i).unicode() : 0);
    record(Emr::ExtCreateFontIndirectW, p);
    return index;
}

void CEmfRecorder::select(std::uint32_t object)
{
    record(Emr::SelectObject, {object});
}

void CEmfRecorder::deleteObject(std::uint32_t index)
{
    record(Emr::DeleteObject, {index});
    if (index < m_inUse.size())
        m_inUse[index] = false;
}

void CEmfRecorder::poly(const std::vector<QPoint>& points, bool closed)
{
    const bool b16 = Fits16(points);
    QByteArray p;
    PutRect(p, BoundsOf(points));
    Put32(p, static_cast<std::uint32_t>(points.size()));
    for (const QPoint& pt : points) {
        if (b16) {
            Put16(p, pt.x());
            Put16(p, pt.y());
        } else {
            PutInt(p, pt.x());
            PutInt(p, pt.y());
        }
    }
    if (b16)
        record(closed ? Emr::Polygon16 : Emr::Polyline16, p);
    else
        record(closed ? Emr::Polygon : Emr::Polyline, p);
}

void CEmfRecorder::polyPolygon(const std::vector<std::vector<QPoint>>& polygons)
{
    std::vector<QPoint> all;
    for (const std::vector<QPoint>& polygon : polygons)
        all.insert(all.end(), polygon.begin(), polygon.end());
    if (!Fits16(all)) {
        for (const std::vector<QPoint>& polygon : polygons)
            poly(polygon, true);
        return;
    }
    QByteArray p;
    PutRect(p, BoundsOf(all));
    Put32(p, static_cast<std::uint32_t>(polygons.size()));
    Put32(p, static_cast<std::uint32_t>(all.size()));
    for (const std::vector<QPoint>& polygon : polygons)
        Put32(p, static_cast<std::uint32_t>(polygon.size()));
    for (const QPoint& pt : all) {
        Put16(p, pt.x());
        Put16(p, pt.y());
    }
    record(Emr::PolyPolygon16, p);
}

void CEmfRecorder::ellipse(const QRect& box)
{
    QByteArray p;
    PutRect(p, box);
    record(Emr::Ellipse, p);
}

void CEmfRecorder::textOut(QPoint origin, const QString& text, const std::vector<int>& advances)
{
    const int n = static_cast<int>(text.size());
    constexpr int kFixed = 76; // record header, bounds, mode, scales and the EMRTEXT fields
    const int stringBytes = (2 * n + 3) / 4 * 4;
    QByteArray p;
    PutRect(p, QRect(0, 0, 0, 0)); // bounds not computed, as the format allows
    Put32(p, 1);                   // GM_COMPATIBLE
    PutFloat(p, 1.0f);
    PutFloat(p, 1.0f);
    PutInt(p, origin.x());
    PutInt(p, origin.y());
    Put32(p, static_cast<std::uint32_t>(n));
    Put32(p, kFixed);
    Put32(p, 0); // no opaque rectangle, no clipping
    PutRect(p, QRect(0, 0, 0, 0));
    Put32(p, static_cast<std::uint32_t>(kFixed + stringBytes));
    for (const QChar c : text)
        Put16(p, c.unicode());
    PadTo4(p);
    for (int i = 0; i < n; ++i)
        PutInt(p, i < static_cast<int>(advances.size()) ? advances[static_cast<std::size_t>(i)] : 0);
    record(Emr::ExtTextOutW, p);
}

void CEmfRecorder::image(const QRect& target, const QImage& source)
{
    if (source.isNull() || target.isEmpty())
        return;
    bool bAlpha = false;
    if (source.hasAlphaChannel()) {
        const QImage argb = source.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < argb.height() && !bAlpha; ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
            bAlpha = std::any_of(line, line + argb.width(), [](QRgb c) { return qAlpha(c) != 255; });
        }
    }
    const int w = source.width();
    const int h = source.height();
    const int bitCount = bAlpha ? 32 : 24;
    const int stride = (w * bitCount / 8 + 3) / 4 * 4;
    QByteArray bits(static_cast<qsizetype>(stride) * h, '\0');
    const QImage img = source.convertToFormat(bAlpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        char* out = bits.data() + static_cast<qsizetype>(stride) * (h - 1 - y); // bottom-up rows
        for (int x = 0; x < w; ++x) {
            *out++ = static_cast<char>(qBlue(line[x]));
            *out++ = static_cast<char>(qGreen(line[x]));
            *out++ = static_cast<char>(qRed(line[x]));
            if (bAlpha)
                *out++ = static_cast<char>(qAlpha(line[x]));
        }
    }
    const QByteArray info = BitmapInfo(w, h, bitCount, static_cast<std::uint32_t>(bits.size()));
    QByteArray p;
    PutRect(p, target);
    if (!bAlpha) {
        constexpr std::uint32_t kFixed = 80;
        PutInt(p, target.x());
        PutInt(p, target.y());
        PutInt(p, 0); // source origin
        PutInt(p, 0);
        PutInt(p, w);
        PutInt(p, h);
        Put32(p, kFixed);
        Put32(p, static_cast<std::uint32_t>(info.size()));
        Put32(p, kFixed + static_cast<std::uint32_t>(info.size()));
        Put32(p, static_cast<std::uint32_t>(bits.size()));
        Put32(p, 0);           // DIB_RGB_COLORS
        Put32(p, 0x00CC0020u); // SRCCOPY
        PutInt(p, target.width());
        PutInt(p, target.height());
        p.append(info);
        p.append(bits);
        record(Emr::StretchDIBits, p);
        return;
    }
    constexpr std::uint32_t kFixed = 108;
    PutInt(p, target.x());
    PutInt(p, target.y());
    PutInt(p, target.width());
    PutInt(p, target.height());
    Put32(p, 0x01FF0000u); // AC_SRC_OVER, constant alpha 255, AC_SRC_ALPHA (per-pixel, premultiplied)
    PutInt(p, 0);          // source origin
    PutInt(p, 0);
    for (float f : {1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f}) // identity XFORM of the source
        PutFloat(p, f);
    Put32(p, 0); // background colour of the source
    Put32(p, 0); // DIB_RGB_COLORS
    Put32(p, kFixed);
    Put32(p, static_cast<std::uint32_t>(info.size()));
    Put32(p, kFixed + static_cast<std::uint32_t>(info.size()));
    Put32(p, static_cast<std::uint32_t>(bits.size()));
    PutInt(p, w);
    PutInt(p, h);
    p.append(info);
    p.append(bits);
    record(Emr::AlphaBlend, p);
}

void CEmfRecorder::clipRects(const std::vector<QRect>& rects)
{
    constexpr std::uint32_t kRgnCopy = 5;
    QByteArray p;
    if (rects.empty()) {
        Put32(p, 0);
        Put32(p, kRgnCopy);
        record(Emr::ExtSelectClipRgn, p);
        return;
    }
    QRect bound;
    for (const QRect& r : rects)
        bound = bound.united(r);
    const auto n = static_cast<std::uint32_t>(rects.size());
    Put32(p, 32 + 16 * n); // RGNDATA: header and rectangles
    Put32(p, kRgnCopy);
    Put32(p, 32);
    Put32(p, 1); // RDH_RECTANGLES
    Put32(p, n);
    Put32(p, 16 * n);
    // The region's rectangles exclude their right and bottom edges.
    const auto putExclusive = [&p](const QRect& r) {
        PutInt(p, r.left());
        PutInt(p, r.top());
        PutInt(p, r.left() + r.width());
        PutInt(p, r.top() + r.height());
    };
    putExclusive(bound);
    for (const QRect& r : rects)
        putExclusive(r);
    record(Emr::ExtSelectClipRgn, p);
}

QByteArray CEmfRecorder::file(QSize size, double dpiX, double dpiY, const QString& description) const
{
    constexpr std::uint32_t kHeaderSize = 108; // with both extensions of the header
    const std::uint32_t descriptionBytes = static_cast<std::uint32_t>(description.size()) * 2;
    const std::uint32_t headerRecord = kHeaderSize + (descriptionBytes + 3) / 4 * 4;
    constexpr std::uint32_t kEofSize = 20;
    const auto nBytes = headerRecord + static_cast<std::uint32_t>(m_body.size()) + kEofSize;
    const auto mm100 = [](int pixels, double dpi) { return static_cast<int>(pixels * 2540.0 / dpi); };
    const auto micrometres = [](int pixels, double dpi) { return static_cast<int>(std::lround(pixels * 25400.0 / dpi)); };

    QByteArray out;
    out.reserve(static_cast<qsizetype>(nBytes));
    Put32(out, Emr::Header);
    Put32(out, headerRecord);
    PutRect(out, QRect(0, 0, size.width(), size.height())); // bounds: the whole picture
    // The frame: the picture's rectangle in 0.01 mm, both corners as the client rectangle gives them.
    PutInt(out, 0);
    PutInt(out, 0);
    PutInt(out, mm100(size.width(), dpiX));
    PutInt(out, mm100(size.height(), dpiY));
    Put32(out, 0x464D4520u); // " EMF"
    Put32(out, 0x00010000u);
    Put32(out, nBytes);
    Put32(out, m_nRecords + 2);
    Put16(out, static_cast<int>(m_inUse.size()));
    Put16(out, 0);
    Put32(out, static_cast<std::uint32_t>(description.size()));
    Put32(out, kHeaderSize);
    Put32(out, 0); // no palette
    // The reference device is the picture itself: its pixels and their size in millimetres.
    PutInt(out, size.width());
    PutInt(out, size.height());
    PutInt(out, std::max(1, (micrometres(size.width(), dpiX) + 500) / 1000));
    PutInt(out, std::max(1, (micrometres(size.height(), dpiY) + 500) / 1000));
    Put32(out, 0); // no pixel format
    Put32(out, 0);
    Put32(out, 0); // not OpenGL
    PutInt(out, micrometres(size.width(), dpiX));
    PutInt(out, micrometres(size.height(), dpiY));
    for (const QChar c : description)
        Put16(out, c.unicode());
    PadTo4(out);
    out.append(m_body);
    Put32(out, Emr::Eof);
    Put32(out, kEofSize);
    Put32(out, 0);  // no palette entries
    Put32(out, 16); // where they would start
    Put32(out, kEofSize);
    return out;
}
