// Pictures of a view written to a file: the view's own paint routine draws onto a PNG image, an
// SVG drawing or an enhanced metafile, chosen by the file's extension.
#pragma once

#include <QSize>
#include <QString>

#include <functional>
#include <optional>

class QPainter;

enum class PictureFormat { Png, Svg, Emf };

// ".png", ".svg", or ".emf" and ".wmf" (the program's metafiles are enhanced ones under either
// name), in any case; none for anything else.
std::optional<PictureFormat> PictureFormatForPath(const QString& path);

// Draws the picture of the given size with paint (onto a white ground, the area (0, 0, width,
// height)) and writes it to path, replacing the file only when the whole picture was written.
// Returns an empty string, or one line saying why the file could not be written. title: the
// picture title a metafile's header carries after "RESONI Soundanalyse". format, when given,
// decides the content instead of the extension (a save dialog's chosen filter).
QString WritePictureFile(const QString& path, QSize size, const std::function<void(QPainter&)>& paint,
                         const QString& title = QString(), std::optional<PictureFormat> format = std::nullopt);
