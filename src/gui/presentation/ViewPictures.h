// The pictures a view hands to the user: "Fenster speichern..." writes it to a file (an enhanced
// metafile under the view's filter, SVG or PNG by the filter chosen), "&Kopieren" puts it on the
// clipboard in the three formats at once, "&Drucken..." prints it. Each view draws through its
// own paint routine; these functions only know the picture's size and titles.
#pragma once

#include <QSize>
#include <QString>

#include <functional>
#include <memory>

class IUiDialogs;
class QMimeData;
class QPainter;
class QPrinter;

struct ViewPictureInfo
{
    QString saveTitle;      // the save dialog's title, e.g. "Speichert diese Waveansicht..."
    QString pictureTitle;   // after "RESONI Soundanalyse" in the metafile, e.g. "Wave Abbild"
    QString clipboardTitle; // the clipboard copy's title (the waveform view's differs)
};

using PicturePainter = std::function<void(QPainter&)>;

// The save dialog's filters: "WMF - Enhanced Metafile (*.wmf)" first, then SVG and PNG.
// The filter chosen decides the content, whatever extension was typed; a name without one gets
// the filter's. Errors of writing are shown in one message.
void SaveViewPicture(IUiDialogs& dialogs, const ViewPictureInfo& info, QSize size, const PicturePainter& paint);

// The clipboard's data of a picture: the enhanced metafile as "image/x-emf", the SVG drawing as
// "image/svg+xml" and the bitmap as an image (PNG for other programs).
std::unique_ptr<QMimeData> PictureMimeData(const ViewPictureInfo& info, QSize size, const PicturePainter& paint);
void CopyViewPicture(const ViewPictureInfo& info, QSize size, const PicturePainter& paint);

// One page: the picture of size scaled to fit the printable area, its proportions kept.
// False when the printer cannot be drawn on (e.g. an output file that cannot be written).
bool PrintViewPicture(QPrinter& printer, QSize size, const PicturePainter& paint);
