// CRiffWaveFile as writer and reader: the exact layout it writes (checked byte by byte and by
// Python's wave module), the state of a file that was never closed, reading in pieces, status
// codes of misuse.
#include "test_wave_util.h"

#include "core/audio/RiffWaveFile.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

using namespace wavetest;

namespace {

Bytes Pattern(std::size_t n, unsigned seed)
{
    Bytes b(n);
    std::uint32_t x = seed * 2654435761u + 1;
    for (auto& v : b) {
        x = x * 1664525u + 1013904223u;
        v = static_cast<std::uint8_t>(x >> 24);
    }
    return b;
}

void WriteWave(const std::string& path, const WaveFormat& format, const Bytes& data, std::size_t piece = 0)
{
    CRiffWaveFile out;
    ASSERT_EQ(out.Open(path, &format, WAVEFILE_WRITE), S_OK);
    if (piece == 0)
        piece = data.size() ? data.size() : 1;
    for (std::size_t at = 0; at < data.size(); at += piece) {
        const std::size_t n = std::min(piece, data.size() - at);
        std::size_t wrote = 0;
        ASSERT_EQ(out.Write(n, data.data() + at, &wrote), S_OK);
        ASSERT_EQ(wrote, n);
    }
    ASSERT_EQ(out.Close(), S_OK);
}

} // namespace

TEST(RiffWaveFile, StatusCodesHaveTheirValues)
{
    EXPECT_EQ(static_cast<std::uint32_t>(E_FAIL), 0x80004005u);
    EXPECT_EQ(static_cast<std::uint32_t>(E_INVALIDARG), 0x80070057u);
    EXPECT_EQ(static_cast<std::uint32_t>(CO_E_NOTINITIALIZED), 0x800401F0u);
    EXPECT_EQ(static_cast<std::uint32_t>(E_NOTIMPL), 0x80004001u);
    EXPECT_EQ(static_cast<std::uint32_t>(E_OUTOFMEMORY), 0x8007000Eu);
    EXPECT_TRUE(FAILED(E_FAIL));
    EXPECT_TRUE(SUCCEEDED(S_OK));
}

// The written PCM layout at its fixed offsets, with an odd data count: pad byte after the
// data, the "data" size field holds the odd count, "fact" is 0 after Close.
TEST(RiffWaveFile, WritesThePcmLayoutByteForByte)
{
    const std::string dir = MakeTempDir();
    const std::string path = dir + "/odd.wav";
    const Bytes data = {0x01, 0x02, 0x03};
    WriteWave(path, MakePcmFormat(1, 22050, 8), data);
    const Bytes f = ReadFile(path);
    Bytes expect = {'R', 'I', 'F', 'F'};
    Put32(expect, 56 - 8 + 3 + 1);
    expect.insert(expect.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    Put32(expect, 16);
    const Bytes fmt = FmtBody(1, 1, 22050, 8);
    expect.insert(expect.end(), fmt.begin(), fmt.end());
    expect.insert(expect.end(), {'f', 'a', 'c', 't'});
    Put32(expect, 4);
    Put32(expect, 0);
    expect.insert(expect.end(), {'d', 'a', 't', 'a'});
    Put32(expect, 3);
    expect.insert(expect.end(), {0x01, 0x02, 0x03, 0x00});
    EXPECT_EQ(f, expect);
}

// Other tags: "fmt " holds 18 + n bytes, "fact" and "data" move back by 2 + n.
TEST(RiffWaveFile, WritesTheExtraBytesOfOtherTags)
{
    const std::string dir = MakeTempDir();
    const std::string path = dir + "/float.wav";
    WaveFormat format = MakePcmFormat(1, 8000, 32);
    format.wFormatTag = 3; // IEEE float
    format.cbSize = 2;
    format.extra = {0xAB, 0xCD};
    const Bytes data = Pattern(8, 3);
    WriteWave(path, format, data);
    const Bytes f = ReadFile(path);
    ASSERT_EQ(f.size(), 56u + 4u + 8u);
    EXPECT_EQ(Get32(f, 16), 20u);                                     // 18 + n
    EXPECT_EQ(f[36], 2);                                              // extra size n
    EXPECT_EQ(f[38], 0xAB);
    EXPECT_EQ(f[39], 0xCD);
    EXPECT_EQ(std::string(f.begin() + 40, f.begin() + 44), "fact");   // 36 + 2 + n
    EXPECT_EQ(std::string(f.begin() + 52, f.begin() + 56), "data");
    EXPECT_EQ(Get32(f, 56), 8u);

    CRiffWaveFile in;
    ASSERT_EQ(in.Open(path, nullptr, WAVEFILE_READ), S_OK);
    EXPECT_EQ(*in.GetFormat(), format);
    // sox reads it as a float file of 2 samples.
    EXPECT_EQ(Sox({"--i", "-s", path}), "2\n");
    EXPECT_EQ(Sox({"--i", "-e", path}), "Floating Point PCM\n");
}

// A program that ends without Close leaves "fact" at 0xFFFFFFFF and the RIFF and "data"
// sizes at 0; the header is on disk although the data may not be.
TEST(RiffWaveFile, FileNeverClosedKeepsItsMarks)
{
    const std::string dir = MakeTempDir();
    const std::string path = dir + "/crashed.wav";
    pid_t pid = fork();
    if (pid == 0) {
        CRiffWaveFile out;
        const WaveFormat format = MakePcmFormat(1, 44100, 16);
        const Bytes data(100, 0x11);
        std::size_t wrote = 0;
        if (FAILED(out.Open(path, &format, WAVEFILE_WRITE)) || FAILED(out.Write(data.size(), data.data(), &wrote)))
            _exit(3);
        _exit(0); // no destructor, no Close: like a program that was killed
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    const Bytes f = ReadFile(path);
    ASSERT_GE(f.size(), 56u);
    EXPECT_EQ(Get32(f, 4), 0u);           // RIFF size
    EXPECT_EQ(Get32(f, 44), 0xFFFFFFFFu); // fact
    EXPECT_EQ(Get32(f, 52), 0u);          // data size
}

// Every combination of channels, bits and rate, data sizes around the buffer size, written
// in different piece sizes: Python's wave module reads exactly our format and samples.
TEST(RiffWaveFile, PythonWaveReadsWhatWeWrite)
{
    const std::string dir = MakeTempDir();
    struct Case { std::uint16_t channels; std::uint32_t rate; std::uint16_t bits; std::size_t bytes; std::size_t piece; };
    const Case cases[] = {
        {1, 44100, 16, 0, 0},         {1, 8000, 8, 1, 1},           {1, 11025, 8, 4097, 100},
        {2, 44100, 16, 65536 * 2 + 4, 7}, {2, 96000, 8, 31, 0},     {1, 192000, 16, 200000, 65536},
        {1, 48000, 16, 65536, 65536 + 2},
    };
    int i = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(i);
        const std::string path = dir + "/py" + std::to_string(i++) + ".wav";
        const Bytes data = Pattern(c.bytes, static_cast<unsigned>(i));
        WriteWave(path, MakePcmFormat(c.channels, c.rate, c.bits), data, c.piece);
        const PyWave w = ReadWithPython(path);
        ASSERT_TRUE(w.ok) << w.error;
        EXPECT_EQ(w.channels, c.channels);
        EXPECT_EQ(w.sampwidth, c.bits / 8);
        EXPECT_EQ(w.rate, static_cast<int>(c.rate));
        EXPECT_EQ(w.frames, static_cast<int>(c.bytes / (c.channels * c.bits / 8)));
        const std::size_t whole = c.bytes / (c.channels * c.bits / 8) * (c.channels * c.bits / 8);
        EXPECT_EQ(w.data, Bytes(data.begin(), data.begin() + static_cast<long>(whole)));
        const Bytes f = ReadFile(path);
        EXPECT_EQ(f.size(), 56 + c.bytes + (c.bytes & 1));
        EXPECT_EQ(Get32(f, 4), f.size() - 8);
    }
}

// Reading back in pieces of any size yields the data once; at the end Read succeeds with 0
// bytes; ResetFile starts again at the first data byte.
TEST(RiffWaveFile, ReadsInPiecesAndResets)
{
    const std::string dir = MakeTempDir();
    const std::string path = dir + "/pieces.wav";
    const Bytes data = Pattern(150001, 9);
    WriteWave(path, MakePcmFormat(1, 44100, 8), data);
    for (std::size_t piece : {std::size_t{1}, std::size_t{333}, std::size_t{65536}, std::size_t{200000}}) {
        SCOPED_TRACE(piece);
        CRiffWaveFile in;
        ASSERT_EQ(in.Open(path, nullptr, WAVEFILE_READ), S_OK);
        EXPECT_EQ(in.GetSize(), data.size());
        EXPECT_EQ(in.GetSizeAvailable(), data.size());
        Bytes got;
        Bytes buf(piece);
        for (;;) {
            std::size_t n = 99;
            ASSERT_EQ(in.Read(buf.data(), piece, &n), S_OK);
            if (n == 0)
                break;
            got.insert(got.end(), buf.begin(), buf.begin() + static_cast<long>(n));
        }
        EXPECT_EQ(got, data);
        ASSERT_EQ(in.ResetFile(), S_OK);
        std::size_t n = 0;
        ASSERT_EQ(in.Read(buf.data(), 1, &n), S_OK);
        EXPECT_EQ(n, 1u);
        EXPECT_EQ(buf[0], data[0]);
    }
}

// ResetFile while writing begins a new "data" chunk; Close sizes the last one.
TEST(RiffWaveFile, ResetWhileWritingBeginsANewDataChunk)
{
    const std::string dir = MakeTempDir();
    const std::string path = dir + "/reset.wav";
    const WaveFormat format = MakePcmFormat(1, 8000, 8);
    CRiffWaveFile out;
    ASSERT_EQ(out.Open(path, &format, WAVEFILE_WRITE), S_OK);
    const Bytes a = {1, 2, 3, 4};
    std::size_t wrote = 0;
    ASSERT_EQ(out.Write(a.size(), a.data(), &wrote), S_OK);
    ASSERT_EQ(out.ResetFile(), S_OK);
    ASSERT_EQ(out.Write(2, a.data(), &wrote), S_OK);
    ASSERT_EQ(out.Close(), S_OK);
    const Bytes f = ReadFile(path);
    ASSERT_EQ(f.size(), 56u + 4u + 8u + 2u);
    EXPECT_EQ(Get32(f, 52), 0u); // the first chunk was never closed
    EXPECT_EQ(Get32(f, 64), 2u);
}

TEST(RiffWaveFile, MisuseGivesStatusCodes)
{
    const std::string dir = MakeTempDir();
    const std::string path = dir + "/s.wav";
    const WaveFormat format = MakePcmFormat(1, 8000, 8);
    std::uint8_t buf[4] = {};
    std::size_t n = 0;

    CRiffWaveFile closed;
    EXPECT_EQ(closed.Read(buf, 4, &n), CO_E_NOTINITIALIZED);
    EXPECT_EQ(closed.Write(4, buf, &n), CO_E_NOTINITIALIZED);
    EXPECT_EQ(closed.ResetFile(), CO_E_NOTINITIALIZED);
    EXPECT_EQ(closed.GetFormat(), nullptr);
    EXPECT_EQ(closed.GetSize(), 0u);

    struct OpenCase { std::string path; const WaveFormat* format; std::uint32_t mode; HRESULT expect; };
    const OpenCase opens[] = {
        {"", nullptr, WAVEFILE_READ, E_INVALIDARG},
        {"", &format, WAVEFILE_WRITE, E_INVALIDARG},
        {path, nullptr, WAVEFILE_WRITE, E_INVALIDARG},
        {path, &format, 7, E_INVALIDARG},
        {dir + "/missing.wav", nullptr, WAVEFILE_READ, E_FAIL},
        {dir, nullptr, WAVEFILE_READ, E_FAIL},                     // a directory
        {dir + "/no/such/dir.wav", &format, WAVEFILE_WRITE, E_FAIL},
        {"/dev/full", &format, WAVEFILE_WRITE, E_FAIL},            // the header cannot be stored
    };
    for (const OpenCase& c : opens) {
        CRiffWaveFile f;
        EXPECT_EQ(f.Open(c.path, c.format, c.mode), c.expect) << c.path << " mode " << c.mode;
    }

    CRiffWaveFile out;
    ASSERT_EQ(out.Open(path, &format, WAVEFILE_WRITE), S_OK);
    EXPECT_EQ(out.Read(buf, 4, &n), E_NOTIMPL);
    EXPECT_EQ(out.Write(4, nullptr, &n), E_INVALIDARG);
    EXPECT_EQ(out.Write(4, buf, nullptr), E_INVALIDARG);
    EXPECT_EQ(out.GetFormat(), nullptr);
    ASSERT_EQ(out.Write(4, buf, &n), S_OK);
    ASSERT_EQ(out.Close(), S_OK);

    CRiffWaveFile in;
    ASSERT_EQ(in.Open(path, nullptr, WAVEFILE_READ), S_OK);
    EXPECT_EQ(in.Write(4, buf, &n), E_NOTIMPL);
    EXPECT_EQ(in.Read(nullptr, 4, &n), E_INVALIDARG);
    EXPECT_EQ(in.Read(buf, 4, nullptr), E_INVALIDARG);
    EXPECT_EQ(in.Close(), S_OK);
    EXPECT_EQ(in.Read(buf, 4, &n), CO_E_NOTINITIALIZED);
}

// A writer that is destroyed without Close still completes the file.
TEST(RiffWaveFile, DestructionClosesTheFile)
{
    const std::string dir = MakeTempDir();
    const std::string path = dir + "/dtor.wav";
    {
        CRiffWaveFile out;
        const WaveFormat format = MakePcmFormat(1, 8000, 8);
        ASSERT_EQ(out.Open(path, &format, WAVEFILE_WRITE), S_OK);
        const Bytes a = {5, 6, 7};
        std::size_t n = 0;
        ASSERT_EQ(out.Write(a.size(), a.data(), &n), S_OK);
    }
    const Bytes f = ReadFile(path);
    ASSERT_EQ(f.size(), 60u);
    EXPECT_EQ(Get32(f, 44), 0u);
    EXPECT_EQ(Get32(f, 52), 3u);
}
