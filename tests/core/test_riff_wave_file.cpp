// CRiffWaveFile as writer (layout byte by byte; Python's wave module and sox read it) and as reader
// of files no writer of ours made, damaged ones too; status codes of misuse.
#include "test_wave_util.h"

#include "core/audio/RiffWaveFile.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace wavetest;

static const Bytes kData = {10, 20, 30, 40, 50, 60};

// Our reader on a file: its format record, declared and available data size, what one Read delivers.
static std::string Opened(const std::string& dir, const Bytes& file)
{
    WriteFile(dir + "/f.wav", file);
    CRiffWaveFile in;
    if (FAILED(in.Open(dir + "/f.wav", nullptr, WAVEFILE_READ)))
        return "refused";
    Bytes buf(static_cast<std::size_t>(in.GetSizeAvailable()) + 16); // never the declared size of a damaged file
    std::size_t n = 0;
    const HRESULT hr = in.Read(buf.data(), buf.size(), &n);
    std::ostringstream s;
    const WaveFormat& f = *in.GetFormat();
    s << f.wFormatTag << ' ' << f.nChannels << ' ' << f.nSamplesPerSec << ' ' << f.nAvgBytesPerSec << ' ' << f.nBlockAlign
      << ' ' << f.wBitsPerSample << " extra " << f.cbSize << ":";
    for (auto v : f.extra)
        s << ' ' << int(v);
    s << " size " << in.GetSize() << " available " << in.GetSizeAvailable() << (hr == S_OK ? " read" : " failed, read");
    for (std::size_t i = 0; i < n; ++i)
        s << ' ' << int(buf[i]);
    return s.str();
}

// RIFF / "fmt " / "fact" / "data", odd data padded, 18 + n format bytes for other tags; ResetFile
// begins a new "data" chunk. The header is on disk when Open returns: a program killed before Close
// leaves sizes 0 and "fact" 0xFFFFFFFF; Close sets "fact" to 0; destroying the writer closes it.
TEST(RiffWaveFile, WritesTheLayoutByteForByte)
{
    const std::string dir = MakeTempDir(), path = dir + "/w.wav";
    WaveFormat fl = MakePcmFormat(1, 8000, 32), pcm = MakePcmFormat(1, 22050, 8);
    fl.wFormatTag = 3, fl.cbSize = 2, fl.extra = {0xAB, 0xCD}; // IEEE float, two extra bytes
    const Bytes fmt = Chunk("fmt ", FmtBody(1, 1, 22050, 8)), fact = Chunk("fact", Le(0, 4));
    enum End { Close, Destroy, Open };
    struct Case { const char* name; WaveFormat format; std::vector<Bytes> writes; End end; Bytes expect; };
    const Case cases[] = {
        {"odd PCM", pcm, {{1, 2, 3}}, Close, Riff(Concat({fmt, fact, Chunk("data", {1, 2, 3})}))},
        {"float, 2 extra bytes", fl, {{1, 2, 3, 4, 5, 6, 7, 8}}, Close,
         Riff(Concat({Chunk("fmt ", Concat({FmtBody(3, 1, 8000, 32), Le(2, 2), {0xAB, 0xCD}})), fact,
                      Chunk("data", {1, 2, 3, 4, 5, 6, 7, 8})}))},
        {"reset while writing", pcm, {{1, 2, 3, 4}, {5, 6}}, Close,
         Riff(Concat({fmt, fact, ChunkWithSize("data", 0, {1, 2, 3, 4}, false), Chunk("data", {5, 6})}))},
        {"destroyed unclosed", pcm, {{5, 6, 7}}, Destroy, Riff(Concat({fmt, fact, Chunk("data", {5, 6, 7})}))},
        {"never closed", pcm, {{5, 6}}, Open, Concat({{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'}, fmt,
                                                      Chunk("fact", Le(~0u, 4)), ChunkWithSize("data", 0, {}, 0)})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes file;
        {
            CRiffWaveFile out;
            ASSERT_EQ(out.Open(path, &c.format, WAVEFILE_WRITE), S_OK);
            for (std::size_t i = 0, n = 0; i < c.writes.size(); ++i) {
                ASSERT_EQ(i == 0 ? S_OK : out.ResetFile(), S_OK);
                ASSERT_EQ(out.Write(c.writes[i].size(), c.writes[i].data(), &n), S_OK);
            }
            ASSERT_EQ(c.end == Close ? out.Close() : S_OK, S_OK);
            file = ReadFile(path);
        }
        if (c.end != Open) // while open, the data may or may not have reached the disk yet
            file = ReadFile(path);
        EXPECT_EQ(Bytes(file.begin(), file.begin() + long(std::min(file.size(), c.expect.size()))), c.expect);
        EXPECT_TRUE(c.end == Open || file.size() == c.expect.size());
        EXPECT_EQ(c.format.wFormatTag == 3 ? Sox({"--i", "-s", path}) + Sox({"--i", "-e", path}) : "",
                  c.format.wFormatTag == 3 ? "2\nFloating Point PCM\n" : "");
    }
}

// Sizes around the 64 KiB buffer written in pieces: Python's wave module reads format and samples.
TEST(RiffWaveFile, PythonReadsWhatWeWrite)
{
    const std::string path = MakeTempDir() + "/py.wav";
    struct Case { std::uint16_t channels; std::uint32_t rate; std::uint16_t bits; std::size_t bytes, piece; };
    const Case cases[] = {{1, 44100, 16, 0, 1},      {1, 8000, 8, 1, 1},    {1, 11025, 8, 4097, 100},
                          {2, 44100, 16, 131076, 7}, {2, 96000, 8, 31, 31}, {1, 192000, 16, 200000, 65536},
                          {1, 48000, 16, 65536, 65538}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.bytes) + " bytes in pieces of " + std::to_string(c.piece));
        Bytes data(c.bytes);
        for (std::size_t i = 0; i < data.size(); ++i)
            data[i] = static_cast<std::uint8_t>(i * 131 + i / 257);
        {
            CRiffWaveFile out;
            const WaveFormat format = MakePcmFormat(c.channels, c.rate, c.bits);
            ASSERT_EQ(out.Open(path, &format, WAVEFILE_WRITE), S_OK);
            for (std::size_t at = 0, n = 0; at < data.size(); at += c.piece)
                ASSERT_EQ(out.Write(std::min(c.piece, data.size() - at), data.data() + at, &n), S_OK);
            ASSERT_EQ(out.Close(), S_OK);
        }
        const PyWave w = ReadWithPython(path);
        const std::size_t align = c.channels * c.bits / 8u, whole = c.bytes / align;
        EXPECT_EQ(w.header, std::vector<int>({c.channels, c.bits / 8, int(c.rate), int(whole)})) << w.error;
        EXPECT_TRUE(w.data == Bytes(data.begin(), data.begin() + long(whole * align)));
        EXPECT_EQ(Get32(ReadFile(path), 4), 48 + c.bytes + (c.bytes & 1)); // RIFF size
    }
}

TEST(RiffWaveFile, MisuseGivesStatusCodes)
{
    const std::string dir = MakeTempDir(), path = dir + "/s.wav";
    const WaveFormat format = MakePcmFormat(1, 8000, 8);
    struct Case { std::string path; const WaveFormat* format; std::uint32_t mode; HRESULT expect; };
    const Case opens[] = {
        {"", nullptr, WAVEFILE_READ, E_INVALIDARG},             {"", &format, WAVEFILE_WRITE, E_INVALIDARG},
        {path, nullptr, WAVEFILE_WRITE, E_INVALIDARG},          {path, &format, 7, E_INVALIDARG},
        {dir + "/missing.wav", nullptr, WAVEFILE_READ, E_FAIL}, {dir, nullptr, WAVEFILE_READ, E_FAIL},
        {dir + "/no/dir.wav", &format, WAVEFILE_WRITE, E_FAIL}, {"/dev/full", &format, WAVEFILE_WRITE, E_FAIL}};
    for (const Case& c : opens)
        EXPECT_EQ(CRiffWaveFile().Open(c.path, c.format, c.mode), c.expect) << c.path << " mode " << c.mode;
    std::uint8_t buf[4] = {};
    std::size_t n = 0;
    CRiffWaveFile out, in;
    EXPECT_EQ(in.Read(buf, 4, &n), CO_E_NOTINITIALIZED);
    ASSERT_EQ(out.Open(path, &format, WAVEFILE_WRITE), S_OK);
    EXPECT_TRUE(out.Read(buf, 4, &n) == E_NOTIMPL && out.Write(4, nullptr, &n) == E_INVALIDARG && !out.GetFormat());
    ASSERT_TRUE(out.Close() == S_OK && in.Open(path, nullptr, WAVEFILE_READ) == S_OK);
    EXPECT_TRUE(in.Write(4, buf, &n) == E_NOTIMPL && in.Read(buf, 4, nullptr) == E_INVALIDARG);
}

// Files no writer of ours made. A data chunk longer than the file opens, but the Read that reaches
// the end of the file fails. Damaged files are refused and never read outside the file; sizes a
// killed recording left at 0 are taken from the file's length.
TEST(RiffWaveFile, ReadsOtherLayoutsAndRefusesDamage)
{
    const std::string dir = MakeTempDir(), x = " read 10 20 30 40 50 60", pcm = "1 1 44100 88200 2 16 extra 0:";
    const std::string ok = pcm + " size 6 available 6" + x, fl3 = "3 1 8000 32000 4 32 extra ", no = "refused";
    const Bytes fmt = Chunk("fmt ", FmtBody(1, 1, 44100, 16)), data = Chunk("data", kData), good = Riff(Concat({fmt, data}));
    const Bytes fmt18 = Concat({FmtBody(1, 1, 44100, 16), Le(0, 2)}), fl = FmtBody(3, 1, 8000, 32);
    const auto cut = [&](std::uint32_t n, const Bytes& b) { return Riff(Concat({fmt, ChunkWithSize("data", n, b, 0)})); };
    const auto junk = [&](std::uint32_t n, const Bytes& b) { return Riff(Concat({fmt, ChunkWithSize("junk", n, b, 0), data})); };
    const auto patched = [&](std::size_t at, Bytes v) { Bytes b = good; return std::copy(v.begin(), v.end(), b.begin() + long(at)), b; };
    const std::tuple<const char*, Bytes, std::string> cases[] = {
        {"data before fmt", Riff(Concat({data, fmt})), ok},
        {"unknown odd chunk with pad first", Riff(Concat({Chunk("junk", {1, 2, 3}), fmt, data})), ok},
        {"PCM fmt of 40 bytes", Riff(Concat({Chunk("fmt ", Concat({fmt18, Bytes(22, 0x77)})), data})), ok},
        {"float fmt, 3 extra bytes, odd chunk", Riff(Concat({Chunk("fmt ", Concat({fl, Le(3, 2), {0xE0, 0xE1, 2}})), data})),
         fl3 + "3: 224 225 2 size 6 available 6" + x},
        {"float fmt of 16 bytes", Riff(Concat({Chunk("fmt ", fl), data})), fl3 + "0: size 6 available 6" + x},
        {"EXTENSIBLE, PCM sub-format: plain PCM", ExtensibleWave(1, 44100, 16, kData), ok},
        {"EXTENSIBLE, float sub-format", ExtensibleWave(1, 44100, 16, kData, 3), "65534 1 44100 88200 2 16 extra 22: 16 0 0 0 "
                                                                                   "0 0 3 0 0 0 0 0 16 0 128 0 0 170 0 56 155 113 size 6 available 6" + x},
        {"RIFF size beyond the file", patched(5, {0xFF}), ok},
        {"trailing bytes after RIFF", Concat({good, Bytes(9, 0xAA)}), ok},
        // A recording whose program was killed: the sizes are taken from the file's length.
        {"RIFF size 0 (recording never closed)", patched(4, {0, 0, 0, 0}), ok},
        {"RIFF and data sizes 0", [&] { Bytes b = patched(4, {0, 0, 0, 0}); std::fill_n(b.begin() + 40, 4, 0); return b; }(), ok},
        {"empty data chunk", PcmWave(1, 44100, 16, {}), pcm + " size 0 available 0 read"},
        {"data 1 byte short", cut(7, kData), pcm + " size 7 available 6 failed," + x},
        {"data size 0xFFFFFFFF", cut(~0u, kData), pcm + " size 4294967295 available 6 failed," + x},
        {"empty file", {}, no},
        {"RIFX", patched(3, {'X'}), no},
        {"form type AVI", patched(8, {'A', 'V', 'I', ' '}), no},
        {"no fmt", Riff(data), no},
        {"no data", Riff(fmt), no},
        {"fmt of 14 bytes", Riff(Concat({Chunk("fmt ", Bytes(fmt.begin() + 8, fmt.begin() + 22)), data})), no},
        {"fmt cut by the end of the file", Bytes(good.begin(), good.begin() + 30), no},
        {"file ends before the data header", Bytes(good.begin(), good.begin() + 40), no},
        {"extra size beyond the fmt chunk", Riff(Concat({ChunkWithSize("fmt ", 18, Concat({fl, Le(32, 2)}), 1), data})), no},
        {"chunk before data larger than the file", junk(0x7FFFFFF0u, {1, 2}), no},
        {"chunk of size 0xFFFFFFFF", junk(0xFFFFFFFFu, {}), no},
    };
    for (const auto& [name, file, expect] : cases)
        EXPECT_EQ(Opened(dir, file), expect) << name;
}

// sox writes 16-bit files of three channels as WAVE_FORMAT_EXTENSIBLE (PCM sub-format) and, as
// "wavpcm", as plain PCM: our reader makes the same of both.
TEST(RiffWaveFile, SoxExtensiblePcmReadsAsPlainPcm)
{
    const std::string dir = MakeTempDir(), ext = dir + "/ext.wav", pcm = dir + "/pcm.wav";
    Sox({"-n", "-b", "16", "-r", "44100", "-c", "3", ext, "synth", "0.001", "sine", "440"});
    Sox({ext, "-t", "wavpcm", pcm});
    ASSERT_EQ(Get32(ReadFile(ext), 20) & 0xFFFF, 0xFFFEu); // sox did write WAVE_FORMAT_EXTENSIBLE
    const std::string read = Opened(dir, ReadFile(ext));
    EXPECT_EQ(read, Opened(dir, ReadFile(pcm)));
    EXPECT_EQ(read.substr(0, 40), "1 3 44100 264600 6 16 extra 0: size 264 ");
}
