// Read access to the document's raw PCM of one channel as the waveform display sees it: 8-bit
// samples are unsigned with 128 as zero, every other depth is read as 16-bit signed values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

struct WaveSamples
{
    const std::uint8_t* data = nullptr;
    std::size_t bytes = 0;
    int bits = 16;

    bool eightBit() const { return bits == 8; }
    // N: the byte count for 8-bit data, half of it otherwise.
    std::size_t count() const { return eightBit() ? bytes : bytes / 2; }
    // The raw value of sample i: 0 … 255 for 8-bit data, −32768 … 32767 otherwise.
    int raw(std::size_t i) const
    {
        if (eightBit())
            return data[i];
        std::int16_t v;
        std::memcpy(&v, data + 2 * i, 2);
        return v;
    }
    // The vertical offset of sample i in pixels for a half height of halfHeight·zoom:
    // 8-bit ((zoom·h)/2·(v − 128))/128, else ((zoom·h)/2·v)/32768, integer arithmetic truncated
    // towards zero and taken as a 16-bit signed value. h is the drawing height of the pane.
    int offset(std::size_t i, int zoom, int h) const
    {
        const long long half = static_cast<long long>(zoom) * h / 2;
        const long long d = eightBit() ? half * (raw(i) - 128) / 128 : half * raw(i) / 32768;
        return static_cast<std::int16_t>(d);
    }
};
