// The picture of the envelope editor: white ground, the points as crosses (green for the
// contour, red for the kept points of the curve), the blue Beta-spline, and the grey middle
// line. The same routine draws the dialog's picture field, the saved metafile and the
// clipboard copy.
#pragma once

#include "core/waveform/EnvelopeEditor.h"

class QPainter;

namespace EnvelopePaint {

// Draws into the rectangle (0, 0, W, H) of the picture; pens stay one pixel wide under scaling.
void paint(QPainter& painter, const EnvelopePicture& picture);

} // namespace EnvelopePaint
