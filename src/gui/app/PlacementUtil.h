// Reading and applying a window's placement record (show state and normal rectangle).
#pragma once

#include "core/profiles/WindowPlacement.h"

class QWidget;

// Writes w's show state and normal rectangle (in its parent's coordinates) into wp.
void storePlacement(const QWidget& w, WindowPlacement& wp);
// Gives w the stored normal rectangle; returns false when the record holds none.
bool restorePlacement(QWidget& w, const WindowPlacement& wp);
