#include "PictureFile.h"

#include "EmfPaintDevice.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

std::optional<PictureFormat> PictureFormatForPath(const QString& path)
{
    if (path.endsWith(QLatin1String(".png"), Qt::CaseInsensitive))
        return PictureFormat::Png;
    if (path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive))
        return PictureFormat::Svg;
    if (path.endsWith(QLatin1String(".emf"), Qt::CaseInsensitive) ||
        path.endsWith(QLatin1String(".wmf"), Qt::CaseInsensitive))
        return PictureFormat::Emf;
    return std::nullopt;
}

QString WritePictureFile(const QString& path, QSize size, const std::function<void(QPainter&)>& paint,
                         const QString& title, std::optional<PictureFormat> chosen)
{
    const std::optional<PictureFormat> format = chosen ? chosen : PictureFormatForPath(path);
    if (!format)
        return QStringLiteral("%1: the picture's name must end in .png, .svg, .emf or .wmf").arg(path);
    if (size.isEmpty())
        return QStringLiteral("%1: a picture needs a width and a height of at least 1 pixel").arg(path);

    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    if (*format == PictureFormat::Png) {
        QImage image(size, QImage::Format_RGB32);
        if (image.isNull())
            return QStringLiteral("%1: not enough memory for a picture of %2 × %3 pixels")
                .arg(path)
                .arg(size.width())
                .arg(size.height());
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            paint(painter);
        }
        if (!image.save(&bytes, "PNG"))
            return QStringLiteral("%1: the picture could not be encoded as PNG").arg(path);
    } else if (*format == PictureFormat::Emf) {
        const QByteArray emf = EmfPicture(size, title, [&](QPainter& painter) {
            painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
            paint(painter);
        });
        bytes.write(emf);
    } else {
        QSvgGenerator svg;
        svg.setOutputDevice(&bytes);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(QStringLiteral("RESONI Soundanalyse"));
        QPainter painter(&svg);
        painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
        paint(painter);
    }

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data()) != bytes.size() || !file.commit())
        return QStringLiteral("%1: %2").arg(path, file.errorString());
    return QString();
}
