// Helpers for the WAV tests: temporary directories, byte-level RIFF builders for files no
// writer of ours made, and the independent readers (Python's wave module, sox).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

namespace wavetest {

std::string MakeTempDir();                     // a fresh directory below ::testing::TempDir()
void WriteFile(const std::string& path, const Bytes& bytes);
void WriteText(const std::string& path, const std::string& text);
Bytes ReadFile(const std::string& path);

void Put16(Bytes& b, std::uint16_t v);
void Put32(Bytes& b, std::uint32_t v);
std::uint32_t Get32(const Bytes& b, std::size_t at);

// A chunk: id, size field (the body's length unless given), body, pad byte for odd bodies.
Bytes Chunk(const char* id, const Bytes& body);
Bytes ChunkWithSize(const char* id, std::uint32_t sizeField, const Bytes& body, bool pad);
// The 16 bytes of a format record (block alignment and bytes per second computed).
Bytes FmtBody(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits);
// "RIFF" + size of what follows + "WAVE" + the chunks.
Bytes Riff(const Bytes& chunks);
Bytes Concat(std::initializer_list<Bytes> parts);
// A plain PCM file: "fmt " (16 bytes) and "data".
Bytes PcmWave(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits, const Bytes& data);
Bytes Le16Samples(const std::vector<std::int16_t>& samples);

// Python's standard wave module on a file: "channels sampwidth rate frames" and the frame bytes.
struct PyWave
{
    bool ok = false;
    std::string error;
    int channels = 0, sampwidth = 0, rate = 0, frames = 0;
    Bytes data;
};
PyWave ReadWithPython(const std::string& path);

// Runs sox (asserting it ran); returns its standard output.
std::string Sox(const std::vector<std::string>& args);

} // namespace wavetest
