// What the 3D frame says about the OpenGL device: hardware or software renderer, and the line
// that follows the frame rate.
#pragma once

#include <QString>
#include <QSurfaceFormat>

// Mesa's software rasterisers (llvmpipe, softpipe, swrast) and other "software" renderers.
bool IsSoftwareRenderer(const QString& renderer);
// "Hardware: <renderer>" or "Software: <renderer>", ", OpenGL <version>", " (D<depth bits>)" and
// " (<n>x Multisample)" when samples > 1.
QString DeviceDescription(const QString& renderer, const QString& version, bool software, int depthBits, int samples);

// What the 3D frame asks of OpenGL: a 3.3 core context with a 24-bit depth buffer and the given
// multisample count (0 = none).
QSurfaceFormat Render3DSurfaceFormat(int samples = 0);
