// The format record of a WAV file: the 16 bytes of the "fmt " chunk, the extra size and the
// extra bytes that follow it for format tags other than PCM.
#pragma once

#include <cstdint>
#include <vector>

inline constexpr std::uint16_t WAVE_FORMAT_PCM = 1;
inline constexpr std::uint16_t WAVE_FORMAT_EXTENSIBLE = 0xFFFE;

struct WaveFormat
{
    std::uint16_t wFormatTag = WAVE_FORMAT_PCM;
    std::uint16_t nChannels = 1;
    std::uint32_t nSamplesPerSec = 44100;
    std::uint32_t nAvgBytesPerSec = 88200; // = nSamplesPerSec * nBlockAlign for PCM
    std::uint16_t nBlockAlign = 2;         // bytes per frame
    std::uint16_t wBitsPerSample = 16;
    std::uint16_t cbSize = 0;              // extra size n; 0 for PCM
    std::vector<std::uint8_t> extra;       // the n extra bytes (size == cbSize)

    friend bool operator==(const WaveFormat&, const WaveFormat&) = default;
};

// A PCM record: block alignment = channels * bits / 8 (bits rounded up to whole bytes),
// average bytes per second = rate * block alignment.
inline WaveFormat MakePcmFormat(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits)
{
    WaveFormat f;
    f.wFormatTag = WAVE_FORMAT_PCM;
    f.nChannels = channels;
    f.nSamplesPerSec = rate;
    f.wBitsPerSample = bits;
    f.nBlockAlign = static_cast<std::uint16_t>(channels * ((bits + 7) / 8));
    f.nAvgBytesPerSec = rate * f.nBlockAlign;
    return f;
}
