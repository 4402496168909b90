// The capture ring's geometry from the FFT size N and the format's block alignment a:
// block (notification) size B = N - (N mod a) bytes, i.e. N taken as a byte count rounded
// down to whole frames (16-bit mono: N/2 samples, 8-bit mono: N samples); ring size 16·B;
// notification positions at (i + 1)·B - 1, i = 0 ... 15.
#pragma once

#include <cstdint>

struct CaptureGeometry
{
    static constexpr std::uint32_t kBlocks = 16;

    std::uint32_t nBlockBytes = 0;  // B; 0 when no ring can be made
    std::uint32_t nBufferBytes = 0; // 16·B

    bool IsValid() const { return nBlockBytes > 0; }
    // Byte offset of notification i (0 ... 15): (i + 1)·B - 1.
    std::uint32_t NotificationOffset(std::uint32_t i) const { return (i + 1) * nBlockBytes - 1; }
};

// B = N - (N mod a), ring 16·B. Invalid (B = 0) for N <= 0, a <= 0, N < a, or a ring that
// would not fit 32 bits.
CaptureGeometry MakeCaptureGeometry(int nFFTSize, int nBlockAlign);
