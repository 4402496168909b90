// The reader on files no writer of ours made: chunk order, unknown and odd-sized chunks, longer
// "fmt " chunks, and every kind of damage. Damaged files fail with E_FAIL and never read
// outside the file; a data chunk that ends early opens but its Read fails at the end.
#include "test_wave_util.h"

#include "core/audio/RiffWaveFile.h"

#include <gtest/gtest.h>

#include <random>

using namespace wavetest;

namespace {

const Bytes kData = {10, 20, 30, 40, 50, 60};

Bytes Fmt18Pcm()
{
    Bytes b = FmtBody(1, 1, 44100, 16);
    Put16(b, 0);
    return b;
}

Bytes FmtFloatExtra(std::uint16_t n)
{
    Bytes b = FmtBody(3, 1, 8000, 32);
    Put16(b, n);
    for (std::uint16_t i = 0; i < n; ++i)
        b.push_back(static_cast<std::uint8_t>(0xE0 + i));
    return b;
}

struct Opened
{
    HRESULT hr = E_FAIL;
    WaveFormat format;
    std::uint32_t size = 0;
    std::uint64_t available = 0;
    Bytes data;
    HRESULT readHr = S_OK;
};

Opened OpenBytes(const std::string& dir, const Bytes& file)
{
    const std::string path = dir + "/f.wav";
    WriteFile(path, file);
    Opened o;
    CRiffWaveFile in;
    o.hr = in.Open(path, nullptr, WAVEFILE_READ);
    if (FAILED(o.hr))
        return o;
    o.format = *in.GetFormat();
    o.size = in.GetSize();
    o.available = in.GetSizeAvailable();
    // Room for every byte present and a few more, never the declared size of a damaged file.
    Bytes buf(static_cast<std::size_t>(o.available) + 16);
    std::size_t n = 0;
    o.readHr = in.Read(buf.data(), buf.size(), &n);
    o.data.assign(buf.begin(), buf.begin() + static_cast<long>(n));
    return o;
}

} // namespace

TEST(RiffMalformed, AcceptedLayouts)
{
    const std::string dir = MakeTempDir();
    const Bytes fmt = FmtBody(1, 1, 44100, 16);
    const Bytes list = Chunk("LIST", {'I', 'N', 'F', 'O', 'I', 'S', 'F', 'T', 3, 0, 0, 0, 'a', 'b', 0});
    struct Case { const char* name; Bytes file; std::uint16_t tag; std::uint16_t cbSize; };
    const Case cases[] = {
        {"LIST between fmt and data", Riff(Concat({Chunk("fmt ", fmt), list, Chunk("data", kData)})), 1, 0},
        {"data before fmt", Riff(Concat({Chunk("data", kData), Chunk("fmt ", fmt)})), 1, 0},
        {"unknown odd chunk with pad first",
         Riff(Concat({Chunk("junk", {1, 2, 3}), Chunk("fmt ", fmt), Chunk("data", kData)})), 1, 0},
        {"PCM fmt of 18 bytes", Riff(Concat({Chunk("fmt ", Fmt18Pcm()), Chunk("data", kData)})), 1, 0},
        {"PCM fmt of 40 bytes",
         Riff(Concat({Chunk("fmt ", Concat({Fmt18Pcm(), Bytes(22, 0x77)})), Chunk("data", kData)})), 1, 0},
        {"float fmt with 3 extra bytes, odd chunk",
         Riff(Concat({Chunk("fmt ", FmtFloatExtra(3)), Chunk("fact", {1, 0, 0, 0}), Chunk("data", kData)})), 3, 3},
        {"float fmt of 16 bytes", Riff(Concat({Chunk("fmt ", FmtBody(3, 1, 8000, 32)), Chunk("data", kData)})), 3, 0},
        {"RIFF size beyond the file",
         [] { Bytes b = PcmWave(1, 44100, 16, kData); b[4] = 0xFF; b[5] = 0xFF; return b; }(), 1, 0},
        {"trailing bytes after RIFF", Concat({PcmWave(1, 44100, 16, kData), Bytes(9, 0xAA)}), 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Opened o = OpenBytes(dir, c.file);
        ASSERT_EQ(o.hr, S_OK);
        EXPECT_EQ(o.format.wFormatTag, c.tag);
        EXPECT_EQ(o.format.cbSize, c.cbSize);
        EXPECT_EQ(o.format.extra.size(), c.cbSize);
        EXPECT_EQ(o.size, kData.size());
        EXPECT_EQ(o.readHr, S_OK);
        EXPECT_EQ(o.data, kData);
    }
    const Opened extra = OpenBytes(dir, cases[5].file);
    EXPECT_EQ(extra.format.extra, (Bytes{0xE0, 0xE1, 0xE2}));
}

TEST(RiffMalformed, DamagedHeadersFail)
{
    const std::string dir = MakeTempDir();
    const Bytes fmt = FmtBody(1, 1, 44100, 16);
    const Bytes good = PcmWave(1, 44100, 16, kData);
    struct Case { const char* name; Bytes file; };
    const Case cases[] = {
        {"empty file", {}},
        {"4 bytes", {'R', 'I', 'F', 'F'}},
        {"11 bytes", Bytes(good.begin(), good.begin() + 11)},
        {"RIFX", [&] { Bytes b = good; b[3] = 'X'; return b; }()},
        {"form type AVI", [&] { Bytes b = good; b[8] = 'A'; b[9] = 'V'; b[10] = 'I'; b[11] = ' '; return b; }()},
        {"no fmt", Riff(Chunk("data", kData))},
        {"no data", Riff(Chunk("fmt ", fmt))},
        {"fmt of 0 bytes", Riff(Concat({Chunk("fmt ", {}), Chunk("data", kData)}))},
        {"fmt of 14 bytes", Riff(Concat({Chunk("fmt ", Bytes(fmt.begin(), fmt.begin() + 14)), Chunk("data", kData)}))},
        {"fmt cut by the end of the file", Bytes(good.begin(), good.begin() + 30)},
        {"file ends before the data header", Bytes(good.begin(), good.begin() + 40)},
        {"extra size beyond the fmt chunk",
         Riff(Concat({ChunkWithSize("fmt ", 18, Concat({FmtBody(3, 1, 8000, 32), Bytes{0x20, 0x00}}), true),
                      Chunk("data", kData)}))},
        {"chunk before data larger than the file",
         Riff(Concat({Chunk("fmt ", fmt), ChunkWithSize("junk", 0x7FFFFFF0u, {1, 2}, false), Chunk("data", kData)}))},
        {"chunk of size 0xFFFFFFFF", Riff(Concat({Chunk("fmt ", fmt), ChunkWithSize("junk", 0xFFFFFFFFu, {}, false),
                                                  Chunk("data", kData)}))},
        {"RIFF size ends before data",
         [&] { Bytes b = good; b[4] = 4 + 24; b[5] = b[6] = b[7] = 0; return b; }()},
        {"RIFF size 0 (recording never closed)", [&] { Bytes b = good; b[4] = b[5] = b[6] = b[7] = 0; return b; }()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(OpenBytes(dir, c.file).hr, E_FAIL);
    }
}

// A data chunk longer than the file opens: its declared size is reported, the bytes really
// present are available and delivered, and the Read that reaches the end of the file fails.
TEST(RiffMalformed, DataChunkCutShort)
{
    const std::string dir = MakeTempDir();
    struct Case { std::uint32_t declared; std::size_t present; };
    const Case cases[] = {{7, 6}, {1000, 6}, {0xFFFFFFFFu, 6}, {0xFFFFFFFFu, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.declared);
        const Bytes file = Riff(Concat({Chunk("fmt ", FmtBody(1, 1, 8000, 8)),
                                        ChunkWithSize("data", c.declared, Bytes(kData.begin(),
                                                      kData.begin() + static_cast<long>(c.present)), false)}));
        const std::string path = dir + "/short.wav";
        WriteFile(path, file);
        CRiffWaveFile in;
        ASSERT_EQ(in.Open(path, nullptr, WAVEFILE_READ), S_OK);
        EXPECT_EQ(in.GetSize(), c.declared);
        EXPECT_EQ(in.GetSizeAvailable(), c.present);
        Bytes buf(64);
        std::size_t n = 99;
        EXPECT_EQ(in.Read(buf.data(), buf.size(), &n), E_FAIL);
        EXPECT_EQ(n, c.present);
    }
}

TEST(RiffMalformed, EmptyDataChunkReadsNothing)
{
    const std::string dir = MakeTempDir();
    const Opened o = OpenBytes(dir, PcmWave(1, 44100, 16, {}));
    ASSERT_EQ(o.hr, S_OK);
    EXPECT_EQ(o.size, 0u);
    EXPECT_EQ(o.readHr, S_OK);
    EXPECT_TRUE(o.data.empty());
}

// Random damage to a valid file: every outcome is an orderly status, and a file that opens
// never delivers more than its data chunk. (The fuzz target goes much further.)
TEST(RiffMalformed, RandomDamageIsOrderly)
{
    const std::string dir = MakeTempDir();
    const Bytes good = Riff(Concat({Chunk("fmt ", FmtBody(1, 2, 44100, 16)), Chunk("LIST", {'I', 'N', 'F', 'O'}),
                                    Chunk("data", Bytes(40, 0x55))}));
    std::mt19937 rng(12345);
    int opened = 0;
    for (int i = 0; i < 300; ++i) {
        Bytes b = good;
        const int edits = 1 + static_cast<int>(rng() % 4);
        for (int e = 0; e < edits; ++e)
            b[rng() % b.size()] = static_cast<std::uint8_t>(rng());
        if (rng() % 3 == 0)
            b.resize(rng() % b.size());
        const Opened o = OpenBytes(dir, b);
        ASSERT_TRUE(o.hr == S_OK || o.hr == E_FAIL);
        if (o.hr == S_OK) {
            ++opened;
            EXPECT_LE(o.data.size(), o.size);
            EXPECT_EQ(o.data.size(), o.available);
            EXPECT_EQ(o.readHr == S_OK, o.available == o.size);
        }
    }
    EXPECT_GT(opened, 0);
}
