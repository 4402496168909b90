// The pictures of the profile dialogs, drawn with QPainter: one for the program and one per
// predefined profile.
#pragma once

#include <QPixmap>

namespace ProfilePictures {
QPixmap welcome(int size);
// kind 0..5: Standard, Musiker, Analytiker, Komplett, Grundschule, Oberschule.
QPixmap profile(int kind, int size);
} // namespace ProfilePictures
