// The rules by which a WAV file becomes the document's one channel of raw samples: which files
// are refused, how one channel is taken out of a stereo file, how the playback copy of a file
// above 48000 samples per second is made, and how raw bytes read as sample values.
// Pure functions on memory; CWaveLoader and the command-line tool apply them to files.
#pragma once

#include "core/audio/WaveFormat.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Full-scale value of a bit depth: 255, 32767, 8388607, 2147483647 for 8, 16, 24, 32 bits;
// nothing for any other depth.
std::optional<double> FullScaleForBits(int nBits);

// Bytes one sample of loadable data occupies: 1 for up to 8 bits, 2 otherwise.
int BytesPerSample(int nBits);

// The playback copy of a file above 48000 samples per second: copy rate and factor k with
// copy rate = file rate / k (64000 -> 32000, 88200 -> 44100, 96000 -> 48000, 192000 -> 48000).
struct PlaybackCopyRate
{
    std::uint32_t nRate = 0;
    unsigned k = 1;
};
std::optional<PlaybackCopyRate> PlaybackCopyFor(std::uint32_t nFileRate);

// Why a file cannot be loaded; None when it can.
enum class WaveRefusal {
    None,
    NotWave,      // no RIFF WAVE header with "fmt " and "data" (or unreadable)
    ReadFailed,   // the data chunk reaches beyond the end of the file
    Empty,        // the data chunk is shorter than one sample (0 bytes, or 1 byte of 16-bit data),
                  // or the chosen channel of a stereo file has no complete sample
    TooManyBits,  // more than 16 bits per sample
    UnlistedRate, // above 48000 samples per second at a rate without a playback copy
};
// The refusals that follow from the format and the data size alone (Empty, TooManyBits,
// UnlistedRate), in the order the load meets them.
WaveRefusal CheckWaveFormat(const WaveFormat& format, std::uint64_t nDataBytes);
// One English line for diagnostics and the command-line tool.
std::string RefusalReason(WaveRefusal refusal, const WaveFormat* pFormat);

// Samples of one channel of interleaved stereo data of nBits per sample (left = the first
// sample of each frame). A sample is taken when all its bytes lie inside the data, so the
// count is floor((n - o - b) / 2b) + 1 for n >= o + b (b bytes per sample, offset o = 0 left,
// b right), else 0.
std::size_t StereoChannelSamples(std::size_t nBytes, int nBits, bool bLeft);
// Copies that channel into pDst (StereoChannelSamples * b bytes); returns the bytes written.
std::size_t ExtractStereoChannel(const std::uint8_t* pSrc, std::size_t nBytes, int nBits, bool bLeft,
                                 std::uint8_t* pDst);

// Down-sampling by k for the playback copy: each group of k consecutive samples becomes
// floor(sum / c), c the number of complete samples in the group (k except maybe the last):
// for 8-bit data the truncated mean of the unsigned bytes, for 16-bit data the mean of the
// signed values rounded down (mean -3.5 is stored as -4). Returns the bytes written to pDst;
// pDst must hold DownsampledBytes(nBytes, nBits, k).
std::size_t DownsampledBytes(std::size_t nBytes, int nBits, unsigned k);
std::size_t Downsample(const std::uint8_t* pSrc, std::size_t nBytes, int nBits, unsigned k, std::uint8_t* pDst);

// Samples of one channel as the document keeps them: 8-bit 0 ... 255, 16-bit -32768 ... 32767
// (little-endian). A trailing incomplete sample is ignored.
std::vector<double> DecodeSamples(const std::uint8_t* pData, std::size_t nBytes, int nBits);

// The number of samples the document analyses for a file: for stereo the samples of the chosen
// channel, otherwise every complete sample of the data (files of 3 or more channels are taken
// as they are).
std::size_t AnalysedSampleCount(std::uint64_t nDataBytes, const WaveFormat& format, bool bLeft);
