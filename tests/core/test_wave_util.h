// Helpers for the WAV tests: temporary directories, byte-level RIFF builders for files no writer of
// ours made, and the independent readers (Python's wave module, sox).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

namespace wavetest {

std::string MakeTempDir(); // a fresh directory below ::testing::TempDir()
void WriteFile(const std::string& path, const Bytes& bytes);
inline void WriteText(const std::string& path, const std::string& s) { WriteFile(path, Bytes(s.begin(), s.end())); }
Bytes ReadFile(const std::string& path);

Bytes Le(std::uint32_t v, int nBytes); // little-endian, nBytes long
Bytes Le16Samples(const std::vector<std::int16_t>& samples);
inline std::uint32_t Get32(const Bytes& b, std::size_t at)
{
    return b.at(at) | b.at(at + 1) << 8 | b.at(at + 2) << 16 | std::uint32_t(b.at(at + 3)) << 24;
}
Bytes Concat(std::initializer_list<Bytes> parts);
inline Bytes ChunkWithSize(const char* id, std::uint32_t sizeField, const Bytes& body, bool pad) // pad: odd bodies
{
    return Concat({Bytes(id, id + 4), Le(sizeField, 4), body, Bytes(pad && body.size() % 2 ? 1 : 0, 0)});
}
inline Bytes Chunk(const char* id, const Bytes& body) { return ChunkWithSize(id, std::uint32_t(body.size()), body, 1); }
Bytes FmtBody(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits); // 16 bytes
inline Bytes Riff(const Bytes& chunks) // "RIFF" + size of what follows + "WAVE" + the chunks
{
    return Concat({{'R', 'I', 'F', 'F'}, Le(std::uint32_t(chunks.size() + 4), 4), {'W', 'A', 'V', 'E'}, chunks});
}
inline Bytes PcmWave(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits, const Bytes& data)
{
    return Riff(Concat({Chunk("fmt ", FmtBody(1, channels, rate, bits)), Chunk("data", data)}));
}
// A WAVE_FORMAT_EXTENSIBLE file: 22 extra bytes, the sub-format GUID's first field subFormat (1 PCM).
Bytes ExtensibleWave(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits, const Bytes& data,
                     std::uint16_t subFormat = 1);

// Python's wave module on a file: {channels, sample width, rate, frames}, frame bytes, errors.
struct PyWave
{
    std::string error;
    std::vector<int> header;
    Bytes data;
};
PyWave ReadWithPython(const std::string& path);

// Runs sox (expecting it to succeed); returns its standard output.
std::string Sox(const std::vector<std::string>& args);

} // namespace wavetest
