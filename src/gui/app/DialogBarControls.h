// Building blocks of the module windows' dialog bars.
#pragma once

class QSpinBox;
class QVBoxLayout;
class QWidget;

namespace DialogBarControls {

// A narrow spin field with the range lo … hi that commits on Enter or on leaving the field.
QSpinBox* spin(int lo, int hi, QWidget* parent);

// The bar as a scrolling column: the controls keep their natural height, and a short window
// scrolls the bar instead of squeezing them. Returns the column to fill; its parent widget is the
// parent for the controls. finishScrollingColumn shows the filled column at its full width.
QVBoxLayout* beginScrollingColumn(QWidget* dialogBar);
void finishScrollingColumn(QVBoxLayout* column);

} // namespace DialogBarControls
