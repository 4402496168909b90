#include "SonoPalette.h"

#include <cstddef>

std::array<Rgb, kSonoPaletteSize> BuildSonoPalette(bool bFarbig1)
{
    std::array<Rgb, kSonoPaletteSize> palette{};
    for (int i = 0; i < 256; ++i) {
        const auto up = static_cast<std::uint8_t>(i);
        const auto down = static_cast<std::uint8_t>(255 - i);
        const auto at = [&palette, i](int ramp) -> Rgb& {
            return palette[static_cast<std::size_t>(256 * ramp + i)];
        };
        if (bFarbig1) {
            at(0) = {0, 0, up};
            at(1) = {0, up, 255};
            at(2) = {0, 255, down};
        } else {
            at(0) = {down, 255, 255};
            at(1) = {0, down, 255};
            at(2) = {0, up, down};
        }
        at(3) = {up, 255, 0};
        at(4) = {255, down, 0};
    }
    return palette;
}

namespace {

SonoPixelPalette PixelsOf(bool bFarbig1)
{
    SonoPixelPalette pixels{};
    const auto palette = BuildSonoPalette(bFarbig1);
    for (std::size_t i = 0; i < palette.size(); ++i)
        pixels[i] = SonoPixel(palette[i]);
    return pixels;
}

} // namespace

const SonoPixelPalette& SonoPixels(bool bFarbig1)
{
    static const SonoPixelPalette farbig1 = PixelsOf(true);
    static const SonoPixelPalette farbig2 = PixelsOf(false);
    return bFarbig1 ? farbig1 : farbig2;
}

SonoColours SonoPaletteColours(bool bFarbig1)
{
    const Rgb black{0, 0, 0};
    const Rgb white{255, 255, 255};
    return bFarbig1 ? SonoColours{black, white} : SonoColours{white, black};
}
