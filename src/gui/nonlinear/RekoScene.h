// The reconstruction as the render window draws it: the three axes as lines and the delay points
// as a point cloud or a line strip, on the background colour. The view and resoni-render build
// their pictures through this, so that both show the same.
#pragma once

#include "core/nonlinear/RekoSettings.h"
#include "core/spectral/Camera3D.h"
#include "gui/render3d/Scene3D.h"

#include <span>

// The reconstruction of series as the view shows it. The points are drawn only when there are
// at least two; points at least one pixel large.
Scene3D RekoScene(std::span<const double> series, double fullScale, bool bSigned,
                  const RekoSettings& settings);

// The start camera (and what "ResetView" restores): the eye in front of the cube of the axes,
// a little to the right and above, looking at the origin.
Camera3D RekoCamera();
