// A colour as three 8-bit channels, for palettes computed without any GUI library.
#pragma once

#include <cstdint>

struct Rgb
{
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};
