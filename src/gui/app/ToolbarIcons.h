// The toolbar's 16 x 16 pictures and the program icon, drawn with QPainter.
#pragma once

#include "CommandTable.h"

#include <QIcon>

class QPainter;

namespace ToolbarIcons {
QIcon icon(CommandId id); // an empty icon for commands that are not on the toolbar
// The program icon in every size of kProgramIconSizes; every window carries it.
QIcon programIcon();
// The program icon drawn into a square of the given side at the painter's origin (also for
// the icon files the build writes: PNG in each size and SVG).
void paintProgramIcon(QPainter& p, qreal side);
inline constexpr int kProgramIconSizes[] = {16, 32, 48, 64, 128, 256};
} // namespace ToolbarIcons
