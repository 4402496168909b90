// The 3D waterfall as the render window draws it: the mesh's filled rows as one batch of
// triangles (filled and lit for "Flächen", edges for "Gitter"), coloured by height ("Bunt") or
// in the data colour ("Fest"), on the background colour; and the camera the view starts with.
// The view and resoni-render both draw through these, so a rendered picture matches the screen.
#pragma once

#include "core/spectral/Camera3D.h"
#include "core/spectral/WaterfallMesh.h"
#include "core/spectral/WaterfallSettings.h"
#include "gui/render3d/Scene3D.h"

#include <span>

// The scene of a mesh as it stands (a half-built mesh shows the rows it has).
Scene3D WaterfallMeshScene(const WaterfallMesh& mesh, const WaterfallSettings& settings);

// The whole waterfall of frame as the view shows it after a build, and the start camera.
Scene3D WaterfallScene(std::span<const double> frame, int sampleRate, int bitsPerSample, int fftSize,
                       const WaterfallSettings& settings);
// Above the front edge and in front of it, looking down at the middle of the surface, far
// enough back that its whole width (2·Breite) and depth fit into the picture.
Camera3D WaterfallCamera(const WaterfallSettings& settings);
