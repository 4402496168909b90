// Reading and applying a window's placement record (show state and normal rectangle).
#pragma once

#include "core/profiles/WindowPlacement.h"

class QSize;
class QWidget;

// Writes w's show state and normal rectangle (in its parent's coordinates) into wp.
void storePlacement(const QWidget& w, WindowPlacement& wp);
// Gives w the stored normal rectangle; returns false when the record holds none.
bool restorePlacement(QWidget& w, const WindowPlacement& wp);

// The same for a child window whose record holds percent of the layout area (the main
// window's usable client area); nothing is stored or applied while that area is empty.
void storeChildPlacement(const QWidget& w, WindowPlacement& wp, const QSize& area);
bool restoreChildPlacement(QWidget& w, const WindowPlacement& wp, const QSize& area);
