// DirectDraw Surface files of one uncompressed 32-bit picture (X8R8G8B8: blue, green, red and an
// unused byte per pixel, rows from the top), as the 3D views save their rendered picture.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The file's bytes: "DDS ", the 124-byte header (caps, height, width, pitch and pixel format
// flags; pitch = 4·width; pixel format RGB, 32 bits, masks 0x00ff0000, 0x0000ff00, 0x000000ff,
// no alpha), then the pixels. pixels holds width·height values 0xAARRGGBB, row by row from the top.
std::vector<std::uint8_t> DdsFileBytes(int width, int height, const std::vector<std::uint32_t>& pixels);
// Writes them to path; false when the file cannot be written completely.
bool WriteDdsFile(const std::string& path, int width, int height, const std::vector<std::uint32_t>& pixels);
