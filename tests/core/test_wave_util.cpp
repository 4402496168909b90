#include "test_wave_util.h"

#include "CliRunner.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace wavetest {

std::string MakeTempDir()
{
    std::string templ = ::testing::TempDir() + "resoni-wav-XXXXXX";
    if (!mkdtemp(templ.data()))
        ADD_FAILURE() << "mkdtemp failed for " << templ;
    return templ;
}

void WriteFile(const std::string& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

Bytes ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

Bytes Le(std::uint32_t v, int nBytes)
{
    Bytes b;
    for (int i = 0; i < nBytes; ++i)
        b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    return b;
}

Bytes Le16Samples(const std::vector<std::int16_t>& samples)
{
    Bytes b;
    for (std::int16_t s : samples)
        b.insert(b.end(), {std::uint8_t(s), std::uint8_t(std::uint16_t(s) >> 8)});
    return b;
}

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

Bytes FmtBody(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits)
{
    const std::uint32_t align = channels * ((bits + 7u) / 8u);
    return Concat({Le(tag, 2), Le(channels, 2), Le(rate, 4), Le(rate * align, 4), Le(align, 2), Le(bits, 2)});
}

Bytes ExtensibleWave(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits, const Bytes& data,
                     std::uint16_t subFormat)
{
    const Bytes guid = Concat({Le(subFormat, 4), {0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}});
    const Bytes fmt = Concat({FmtBody(0xFFFE, channels, rate, bits), Le(22, 2), Le(bits, 2), Le(0, 4), guid});
    return Riff(Concat({Chunk("fmt ", fmt), Chunk("data", data)}));
}

PyWave ReadWithPython(const std::string& path)
{
    const CliResult r = runProgram("/usr/bin/python3", {"-c", "import sys, wave; w = wave.open(sys.argv[1], 'rb'); n = "
        "w.getnframes(); print(w.getnchannels(), w.getsampwidth(), w.getframerate(), n, w.readframes(n).hex())", path});
    PyWave w{r.err, std::vector<int>(4), {}};
    std::istringstream in(r.out);
    std::string hex;
    in >> w.header[0] >> w.header[1] >> w.header[2] >> w.header[3] >> hex;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        w.data.push_back(static_cast<std::uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return w;
}

std::string Sox(const std::vector<std::string>& args)
{
    const CliResult r = runProgram("sox", args);
    EXPECT_EQ(r.exitCode, 0) << "sox failed (is the Debian package sox installed?): " << r.err;
    return r.out;
}

} // namespace wavetest
