// The two 3D views resoni-render draws, through the scenes and start cameras the program's
// windows use, rendered by OpenGL without a window. They need an X display that offers OpenGL
// (a desktop session, or Xvfb with Mesa).
#pragma once

#include "RenderViews.h"

#include <QImage>

#include <string>
#include <vector>

// "waterfall reconstruction".
const std::vector<std::string>& RenderViewNames3D();

// The view of the selection as its window shows it right after opening, width × height pixels.
// Throws std::runtime_error with one line when no picture can be rendered.
QImage RenderView3D(const std::string& view, int width, int height, const RenderSource& source,
                    const ProfileSettings& profile);
