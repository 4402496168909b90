#include "EmfPaintDevice.h"

#include "EmfPaintEngine.h"

#include <QPainter>

#include <cmath>
#include <limits>

CEmfPaintDevice::CEmfPaintDevice(QSize size, const QString& title, double dpiX, double dpiY)
    : m_size(size), m_strTitle(title), m_dDpiX(dpiX > 0 ? dpiX : 96.0), m_dDpiY(dpiY > 0 ? dpiY : 96.0),
      m_pEngine(std::make_unique<CEmfPaintEngine>())
{
}

CEmfPaintDevice::~CEmfPaintDevice() = default;

QPaintEngine* CEmfPaintDevice::paintEngine() const
{
    return m_pEngine.get();
}

QByteArray CEmfPaintDevice::data() const
{
    // The description as the program's pictures carry it: application text and title, each ended
    // by a NUL, and one NUL more.
    const QString description =
        QStringLiteral("RESONI Soundanalyse") + QChar(0) + m_strTitle + QChar(0) + QChar(0);
    return m_pEngine->recorder().file(m_size, m_dDpiX, m_dDpiY, description);
}

int CEmfPaintDevice::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth:
        return m_size.width();
    case PdmHeight:
        return m_size.height();
    case PdmWidthMM:
        return static_cast<int>(std::lround(m_size.width() * 25.4 / m_dDpiX));
    case PdmHeightMM:
        return static_cast<int>(std::lround(m_size.height() * 25.4 / m_dDpiY));
    case PdmNumColors:
        return std::numeric_limits<int>::max();
    case PdmDepth:
        return 32;
    case PdmDpiX:
    case PdmPhysicalDpiX:
        return static_cast<int>(std::lround(m_dDpiX));
    case PdmDpiY:
    case PdmPhysicalDpiY:
        return static_cast<int>(std::lround(m_dDpiY));
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return static_cast<int>(devicePixelRatioFScale());
    default:
        return QPaintDevice::metric(metric);
    }
}

QByteArray EmfPicture(QSize size, const QString& title, const std::function<void(QPainter&)>& paint, double dpiX,
                      double dpiY)
{
    CEmfPaintDevice device(size, title, dpiX, dpiY);
    {
        QPainter painter(&device);
        paint(painter);
    }
    return device.data();
}
