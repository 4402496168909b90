#include "ColourRamp.h"

std::array<Rgb, kColourRampSize> buildColourRamp()
{
    std::array<Rgb, kColourRampSize> ramp{};
    for (int i = 0; i < 256; ++i) {
        const auto up = static_cast<std::uint8_t>(i);
        const auto down = static_cast<std::uint8_t>(255 - i);
        ramp[static_cast<std::size_t>(i)] = {255, up, 0};
        ramp[static_cast<std::size_t>(256 + i)] = {down, 255, 0};
        ramp[static_cast<std::size_t>(512 + i)] = {0, 255, up};
        ramp[static_cast<std::size_t>(768 + i)] = {0, down, 255};
        ramp[static_cast<std::size_t>(1024 + i)] = {up, 0, 255};
        ramp[static_cast<std::size_t>(1280 + i)] = {255, up, 255};
    }
    return ramp;
}
