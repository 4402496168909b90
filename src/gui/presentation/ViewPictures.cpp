#include "ViewPictures.h"

#include "EmfPaintDevice.h"
#include "PictureFile.h"

#include "gui/app/UiDialogs.h"

#include <QBuffer>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QPrinter>
#include <QSvgGenerator>

namespace {

constexpr const char* kFilters =
    "WMF - Enhanced Metafile|*.wmf|SVG - Scalable Vector Graphics|*.svg|PNG - Portable Network Graphics|*.png|";
constexpr const char* kSuffixes[] = {"wmf", "svg", "png"};

QByteArray SvgBytes(const ViewPictureInfo& info, QSize size, const PicturePainter& paint)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(info.clipboardTitle);
    svg.setDescription(QStringLiteral("RESONI Soundanalyse"));
    {
        QPainter painter(&svg);
        paint(painter);
    }
    return buffer.data();
}

QImage Bitmap(QSize size, const PicturePainter& paint)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paint(painter);
    return image;
}

} // namespace

void SaveViewPicture(IUiDialogs& dialogs, const ViewPictureInfo& info, QSize size, const PicturePainter& paint)
{
    int chosen = 0;
    QString path = dialogs.saveFileName(info.saveTitle, FileFiltersFromList(kFilters), 0, QString(),
                                        QStringLiteral("wmf"), &chosen);
    if (path.isEmpty())
        return;
    chosen = chosen >= 0 && chosen < 3 ? chosen : 0;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".") + QString::fromLatin1(kSuffixes[chosen]);
    static const PictureFormat kFormats[] = {PictureFormat::Emf, PictureFormat::Svg, PictureFormat::Png};
    // A view without a client area still gives a valid (empty) picture.
    const QString error = WritePictureFile(path, size.expandedTo(QSize(1, 1)), paint, info.pictureTitle,
                                           kFormats[chosen]);
    if (!error.isEmpty())
        dialogs.messageBox(QString::fromUtf8("Das Bild „%1“ konnte nicht geschrieben werden.").arg(path));
}

std::unique_ptr<QMimeData> PictureMimeData(const ViewPictureInfo& info, QSize size, const PicturePainter& paint)
{
    auto data = std::make_unique<QMimeData>();
    data->setData(QStringLiteral("image/x-emf"), EmfPicture(size, info.clipboardTitle, paint));
    data->setData(QStringLiteral("image/svg+xml"), SvgBytes(info, size, paint));
    data->setImageData(Bitmap(size, paint));
    return data;
}

void CopyViewPicture(const ViewPictureInfo& info, QSize size, const PicturePainter& paint)
{
    QGuiApplication::clipboard()->setMimeData(PictureMimeData(info, size, paint).release());
}

bool PrintViewPicture(QPrinter& printer, QSize size, const PicturePainter& paint)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRect page = painter.viewport();
    if (size.width() > 0 && size.height() > 0) {
        const double scale = std::min(static_cast<double>(page.width()) / size.width(),
                                      static_cast<double>(page.height()) / size.height());
        painter.scale(scale, scale);
        painter.setClipRect(QRect(QPoint(0, 0), size));
        paint(painter);
    }
    return painter.end();
}
