// The document's colour ramp for the colour-coded displays: 1536 colours in six ramps of 256.
#pragma once

#include "core/common/Rgb.h"

#include <array>
#include <cstddef>

constexpr int kColourRampSize = 1536;

// With i = 0..255 the six ramps are (255, i, 0), (255-i, 255, 0), (0, 255, i),
// (0, 255-i, 255), (i, 0, 255), (255, i, 255): red over yellow, green, cyan, blue,
// magenta to light magenta.
std::array<Rgb, kColourRampSize> buildColourRamp();

// The height and rainbow ramp of the two 3D views, index v = 0 … 1663: dark red (128, 0, 0),
// red, yellow, green, cyan, blue, magenta, white (255, 255, 255). Each of the seven stretches
// changes one channel by one per index: (v + 128, 0, 0) up to 127, (255, v − 128, 0) up to 383,
// (639 − v, 255, 0) up to 639, (0, 255, v − 640) up to 895, (0, 1151 − v, 255) up to 1151,
// (v − 1152, 0, 255) up to 1407, (255, v − 1408, 255) up to 1663. Indices from 1664 on, and
// negative ones, are black.
constexpr int kRamp3DSize = 1664;
Rgb Ramp3DColour(int v);
