// Small WAV files for the GUI tests, written with the program's own writer.
#pragma once

#include <QString>

#include <cstdint>
#include <vector>

namespace testwaves {

// PCM file with the given interleaved data bytes; returns the path, or "" when it failed.
QString writeWave(const QString& path, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits,
                  const std::vector<std::uint8_t>& data);
// Mono sine: 16 bit with amplitude 16000, 8 bit with amplitude 100 around 128.
QString writeTone(const QString& path, double hz, int bits = 16, int rate = 44100, double seconds = 1.0);
// 16-bit values as little-endian bytes.
std::vector<std::uint8_t> bytes16(const std::vector<std::int16_t>& values);

} // namespace testwaves
