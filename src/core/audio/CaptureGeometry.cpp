#include "core/audio/CaptureGeometry.h"

#include <limits>

CaptureGeometry MakeCaptureGeometry(int nFFTSize, int nBlockAlign)
{
    CaptureGeometry g;
    if (nFFTSize <= 0 || nBlockAlign <= 0)
        return g;
    const auto n = static_cast<std::uint64_t>(nFFTSize);
    const auto a = static_cast<std::uint64_t>(nBlockAlign);
    const std::uint64_t block = n - n % a;
    const std::uint64_t buffer = block * CaptureGeometry::kBlocks;
    if (block == 0 || buffer > std::numeric_limits<std::uint32_t>::max())
        return g;
    g.nBlockBytes = static_cast<std::uint32_t>(block);
    g.nBufferBytes = static_cast<std::uint32_t>(buffer);
    return g;
}
