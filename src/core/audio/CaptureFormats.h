// The 20 candidate capture formats: PCM mono, format i at rate kCandidateRates[i / 2] with
// 8 bits for even i and 16 bits for odd i. They are the formats the program offers for
// listening and recording and the formats it probes on the output device.
#pragma once

#include "core/audio/WaveFormat.h"

#include <array>
#include <cstdint>
#include <string>

inline constexpr int kCandidateFormatCount = 20;
inline constexpr std::array<std::uint32_t, kCandidateFormatCount / 2> kCandidateRates = {
    8000, 11025, 22050, 32000, 44100, 48000, 64000, 88200, 96000, 192000};

// One flag per candidate format (index = candidate number).
using CandidateSupport = std::array<bool, kCandidateFormatCount>;

// Fills format with candidate i: tag 1, one channel, rate = kCandidateRates[i / 2],
// bits = 8 (even i) or 16 (odd i), block alignment = bits / 8,
// average bytes per second = rate * block alignment, no extra bytes.
// Returns false (format untouched) for i outside 0 ... 19.
bool MakeCandidateFormat(int i, WaveFormat& format);

// The list text of a format: "%u Hz, %u-bit %s" with rate, bits and "Mono" ("Stereo" for two
// channels), e.g. "44100 Hz, 16-bit Mono".
std::string CandidateFormatText(std::uint32_t rate, std::uint32_t bits, std::uint32_t channels);
