#include "test_wave_util.h"

#include "CliRunner.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

namespace wavetest {

std::string MakeTempDir()
{
    std::string templ = ::testing::TempDir() + "resoni-wav-XXXXXX";
    std::vector<char> buf(templ.begin(), templ.end());
    buf.push_back('\0');
    if (!mkdtemp(buf.data()))
        ADD_FAILURE() << "mkdtemp failed for " << templ;
    return buf.data();
}

void WriteFile(const std::string& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

void WriteText(const std::string& path, const std::string& text)
{
    WriteFile(path, Bytes(text.begin(), text.end()));
}

Bytes ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void Put16(Bytes& b, std::uint16_t v)
{
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(Bytes& b, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

std::uint32_t Get32(const Bytes& b, std::size_t at)
{
    return static_cast<std::uint32_t>(b.at(at)) | static_cast<std::uint32_t>(b.at(at + 1)) << 8 |
           static_cast<std::uint32_t>(b.at(at + 2)) << 16 | static_cast<std::uint32_t>(b.at(at + 3)) << 24;
}

Bytes ChunkWithSize(const char* id, std::uint32_t sizeField, const Bytes& body, bool pad)
{
    Bytes b(id, id + 4);
    Put32(b, sizeField);
    b.insert(b.end(), body.begin(), body.end());
    if (pad && body.size() % 2)
        b.push_back(0);
    return b;
}

Bytes Chunk(const char* id, const Bytes& body)
{
    return ChunkWithSize(id, static_cast<std::uint32_t>(body.size()), body, true);
}

Bytes FmtBody(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits)
{
    Bytes b;
    const auto align = static_cast<std::uint16_t>(channels * ((bits + 7) / 8));
    Put16(b, tag);
    Put16(b, channels);
    Put32(b, rate);
    Put32(b, rate * align);
    Put16(b, align);
    Put16(b, bits);
    return b;
}

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

Bytes Riff(const Bytes& chunks)
{
    Bytes b = {'R', 'I', 'F', 'F'};
    Put32(b, static_cast<std::uint32_t>(chunks.size() + 4));
    b.insert(b.end(), {'W', 'A', 'V', 'E'});
    b.insert(b.end(), chunks.begin(), chunks.end());
    return b;
}

Bytes PcmWave(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits, const Bytes& data)
{
    return Riff(Concat({Chunk("fmt ", FmtBody(1, channels, rate, bits)), Chunk("data", data)}));
}

Bytes Le16Samples(const std::vector<std::int16_t>& samples)
{
    Bytes b;
    for (std::int16_t s : samples)
        Put16(b, static_cast<std::uint16_t>(s));
    return b;
}

PyWave ReadWithPython(const std::string& path)
{
    static const char* script =
        "import sys, wave\n"
        "w = wave.open(sys.argv[1], 'rb')\n"
        "print(w.getnchannels(), w.getsampwidth(), w.getframerate(), w.getnframes())\n"
        "print(w.readframes(w.getnframes()).hex())\n";
    CliResult r = runProgram("/usr/bin/python3", {"-c", script, path});
    PyWave w;
    if (r.exitCode != 0) {
        w.error = r.err;
        return w;
    }
    std::istringstream in(r.out);
    std::string hex;
    in >> w.channels >> w.sampwidth >> w.rate >> w.frames >> hex;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        w.data.push_back(static_cast<std::uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    w.ok = true;
    return w;
}

std::string Sox(const std::vector<std::string>& args)
{
    CliResult r = runProgram("sox", args);
    EXPECT_EQ(r.exitCode, 0) << "sox failed (is the Debian package sox installed?): " << r.err;
    return r.out;
}

} // namespace wavetest
