#include "DdsFile.h"

#include <cstdio>
#include <memory>

namespace {

void put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

constexpr std::uint32_t kCaps = 0x1, kHeight = 0x2, kWidth = 0x4, kPitch = 0x8, kPixelFormat = 0x1000;
constexpr std::uint32_t kRgb = 0x40;
constexpr std::uint32_t kCapsTexture = 0x1000;

} // namespace

std::vector<std::uint8_t> DdsFileBytes(int width, int height, const std::vector<std::uint32_t>& pixels)
{
    const auto w = static_cast<std::uint32_t>(width > 0 ? width : 0);
    const auto h = static_cast<std::uint32_t>(height > 0 ? height : 0);
    std::vector<std::uint8_t> out;
    out.reserve(128 + std::size_t{w} * h * 4);
    out.insert(out.end(), {'D', 'D', 'S', ' '});
    put32(out, 124);
    put32(out, kCaps | kHeight | kWidth | kPitch | kPixelFormat);
    put32(out, h);
    put32(out, w);
    put32(out, 4 * w); // pitch: bytes per row
    put32(out, 0);     // depth
    put32(out, 0);     // mipmap count
    for (int i = 0; i < 11; ++i)
        put32(out, 0);
    put32(out, 32); // pixel format size
    put32(out, kRgb);
    put32(out, 0); // four-character code
    put32(out, 32);
    put32(out, 0x00ff0000u);
    put32(out, 0x0000ff00u);
    put32(out, 0x000000ffu);
    put32(out, 0); // no alpha mask
    put32(out, kCapsTexture);
    for (int i = 0; i < 4; ++i)
        put32(out, 0); // caps 2 … 4, reserved
    const std::size_t n = std::size_t{w} * h;
    for (std::size_t i = 0; i < n; ++i)
        put32(out, i < pixels.size() ? (pixels[i] & 0x00ffffffu) : 0u);
    return out;
}

bool WriteDdsFile(const std::string& path, int width, int height, const std::vector<std::uint32_t>& pixels)
{
    const std::vector<std::uint8_t> bytes = DdsFileBytes(width, height, pixels);
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(path.c_str(), "wb"), &std::fclose);
    if (!f)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f.get()) == bytes.size();
    return std::fclose(f.release()) == 0 && written;
}
