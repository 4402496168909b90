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

Rgb Ramp3DColour(int v)
{
    const auto c = [](int n) { return static_cast<std::uint8_t>(n); };
    if (v < 0 || v >= kRamp3DSize)
        return {0, 0, 0};
    if (v < 128)
        return {c(v + 128), 0, 0};
    if (v < 384)
        return {255, c(v - 128), 0};
    if (v < 640)
        return {c(639 - v), 255, 0};
    if (v < 896)
        return {0, 255, c(v - 640)};
    if (v < 1152)
        return {0, c(1151 - v), 255};
    if (v < 1408)
        return {c(v - 1152), 0, 255};
    return {255, c(v - 1408), 255};
}
