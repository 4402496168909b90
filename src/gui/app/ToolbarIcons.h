// The toolbar's 16 x 16 pictures and the program icon, drawn with QPainter.
#pragma once

#include "CommandTable.h"

#include <QIcon>

namespace ToolbarIcons {
QIcon icon(CommandId id); // an empty icon for commands that are not on the toolbar
QIcon programIcon();
} // namespace ToolbarIcons
