// The sonogram's two colour palettes of 1280 entries (five ramps of 256 steps) and the
// background and text colours that go with each. Entries are also kept as 32-bit pixels
// 0xffRRGGBB, the format of the picture store.
#pragma once

#include "core/common/Rgb.h"

#include <array>
#include <cstdint>

constexpr int kSonoPaletteSize = 1280;
constexpr int kSonoTopColour = kSonoPaletteSize - 1; // index of the strongest level

using SonoPixelPalette = std::array<std::uint32_t, kSonoPaletteSize>;

// With i = 0 .. 255, as (red, green, blue):
//   "Farbig1": (0, 0, i), (0, i, 255), (0, 255, 255 − i), (i, 255, 0), (255, 255 − i, 0):
//              black, blue, cyan, green, yellow to red.
//   "Farbig2": (255 − i, 255, 255), (0, 255 − i, 255), (0, i, 255 − i), (i, 255, 0), (255, 255 − i, 0):
//              white, cyan, blue, green, yellow to red.
std::array<Rgb, kSonoPaletteSize> BuildSonoPalette(bool bFarbig1);
// The same as pixels, built once per process.
const SonoPixelPalette& SonoPixels(bool bFarbig1);

struct SonoColours
{
    Rgb background; // black with "Farbig1", white with "Farbig2"
    Rgb text;       // white with "Farbig1", black with "Farbig2"
};
SonoColours SonoPaletteColours(bool bFarbig1);

constexpr std::uint32_t SonoPixel(Rgb c)
{
    return 0xff000000u | (std::uint32_t{c.red} << 16) | (std::uint32_t{c.green} << 8) | std::uint32_t{c.blue};
}

constexpr Rgb kSonoMarkerColour{204, 55, 114}; // the line ahead of the newest column
