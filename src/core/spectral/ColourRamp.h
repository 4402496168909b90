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
