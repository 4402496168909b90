// An enhanced metafile (EMF) as a paint device: whatever a QPainter draws on it is recorded as
// vector records, so a view's own paint routine writes its picture for other programs.
#pragma once

#include <QByteArray>
#include <QPaintDevice>
#include <QSize>
#include <QString>

#include <functional>
#include <memory>

class CEmfPaintEngine;
class QPainter;

// A picture of size pixels at dpi dots per inch; the header's frame is the picture in
// 0.01 mm (x·25.4·100/dpi). title: the picture title after "RESONI Soundanalyse".
class CEmfPaintDevice : public QPaintDevice
{
public:
    CEmfPaintDevice(QSize size, const QString& title, double dpiX = 96.0, double dpiY = 96.0);
    ~CEmfPaintDevice() override;
    QPaintEngine* paintEngine() const override;
    QByteArray data() const; // the complete file, once the painter has ended

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize m_size;
    QString m_strTitle;
    double m_dDpiX;
    double m_dDpiY;
    std::unique_ptr<CEmfPaintEngine> m_pEngine; // created with the device, lives as long as it
};

// Paints a picture of size with paint and returns the file's bytes.
QByteArray EmfPicture(QSize size, const QString& title, const std::function<void(QPainter&)>& paint,
                      double dpiX = 96.0, double dpiY = 96.0);
