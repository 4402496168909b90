// The demo sound a newcomer sees at the first start: an A major chord whose tones carry five
// partials each (amplitude 1/k for partial k), then a glide of a tone with three partials from
// 440 Hz up to 1760 Hz. Mono, 16 bits; made by the build and installed beside the profiles.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace DemoSound {

inline constexpr std::uint32_t kSampleRate = 44100;
inline constexpr double kChordSeconds = 2.0;      // the chord: 0 … 2 s
inline constexpr double kGlideSeconds = 1.0;      // the glide: 2 … 3 s
inline constexpr double kChordHz[3] = {220.0, 277.1826, 329.6276}; // A3, C#4, E4
inline constexpr double kGlideFromHz = 440.0;
inline constexpr double kGlideToHz = 1760.0;      // exponential: one octave per half second
inline constexpr const char* kFileName = "ResoniDemoKlang.wav";

// The samples at the given rate; the loudest is 80 % of full scale (26214).
std::vector<std::int16_t> Make(std::uint32_t sampleRate = kSampleRate);
// Writes Make() as a 16-bit mono PCM WAV file; false when the file cannot be written.
bool Write(const std::string& path, std::uint32_t sampleRate = kSampleRate);

} // namespace DemoSound
