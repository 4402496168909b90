// A 3D scene rendered without a window, into a picture (resoni-render and tests): the same
// renderer as the screen's, in an offscreen OpenGL 3.3 core context. Needs a display that offers
// OpenGL (Xvfb does, through Mesa).
#pragma once

#include "Scene3D.h"

#include "core/spectral/Camera3D.h"

#include <QImage>
#include <QSize>
#include <QString>

// The scene seen by camera, size pixels, no overlay. A null picture, with *error set to one
// line, when no context can be had or the scene cannot be drawn.
QImage RenderSceneOffscreen(const Scene3D& scene, const Camera3D& camera, QSize size, QString* error);
