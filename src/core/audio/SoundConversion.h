// The rules by which a decoded audio file (FLAC, Ogg Vorbis, AIFF, W64, WAV of more than 16 bits or
// of floating-point samples) becomes the document's 16-bit data, and the short German line that
// says what was converted. Pure functions; CSoundFileReader applies them to what libsndfile decodes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// What a decoded file was before the conversion.
struct SoundSourceFormat
{
    std::string strContainer;  // "FLAC", "WAV", "AIFF", "W64", "Ogg Vorbis", ...
    int nBits = 0;             // bits per sample of the file; 0 for lossy codecs without a depth
    bool bFloat = false;       // floating-point samples (nBits 32 or 64)
    std::uint32_t nRate = 0;   // samples per second
    int nChannels = 0;         // channels of the file
};

// Samples in the file's own scale (integers read as value / 2^(bits-1), floats as they are) to
// 16-bit values: v = round(x · 32768), half away from zero, no dither, held to -32768 … 32767.
// A sample counts as clipped when it lies beyond full scale (x > 1 or x < -1); the last half LSB
// below +1.0 (a 24-bit 8388607 is 0.99999988) becomes 32767 without counting. Returns the number
// of clipped samples.
std::size_t ConvertToPcm16(const double* pSrc, std::size_t n, std::int16_t* pDst);

// A rate in kHz as the status bar writes it: "96 kHz", "44,1 kHz", "22,05 kHz".
std::string RateText(std::uint32_t nRate);
// "FLAC 24-Bit 96 kHz → 16-Bit 96 kHz", "WAV 32-Bit Float 44,1 kHz → 16-Bit 44,1 kHz",
// "Ogg Vorbis 44,1 kHz → 16-Bit 44,1 kHz". The rate after the arrow is the analysed one.
std::string ConversionText(const SoundSourceFormat& source);
// The status-bar line after a converted load: the conversion, then the clipped samples of the
// analysed channel ("…, nicht übersteuert" or "…, 17 Samples übersteuert (begrenzt)").
std::string ConversionStatusLine(const std::string& strConversion, std::uint64_t nClipped);
