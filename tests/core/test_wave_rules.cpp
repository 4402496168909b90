// The pure load rules: full scale, the playback-copy rate table, refusals, taking one channel
// of a stereo file, the down-sampled playback copy, decoding, the channel dialog and the
// file-dialog filters.
#include "test_wave_util.h"

#include "core/audio/FileFilter.h"
#include "core/audio/StereoDialogModel.h"
#include "core/audio/WaveRules.h"
#include "core/audio/WaveTexts.h"

#include <gtest/gtest.h>

using namespace wavetest;

TEST(WaveRules, FullScaleAndCopyRates)
{
    EXPECT_EQ(FullScaleForBits(8), 255.0);
    EXPECT_EQ(FullScaleForBits(16), 32767.0);
    EXPECT_EQ(FullScaleForBits(24), 8388607.0);
    EXPECT_EQ(FullScaleForBits(32), 2147483647.0);
    for (int bits : {0, 1, 4, 12, 20, 64})
        EXPECT_FALSE(FullScaleForBits(bits)) << bits;

    struct Rate { std::uint32_t file; std::uint32_t copy; unsigned k; };
    for (const Rate& r : {Rate{64000, 32000, 2}, Rate{88200, 44100, 2}, Rate{96000, 48000, 2}, Rate{192000, 48000, 4}}) {
        auto c = PlaybackCopyFor(r.file);
        ASSERT_TRUE(c) << r.file;
        EXPECT_EQ(c->nRate, r.copy);
        EXPECT_EQ(c->k, r.k);
    }
    for (std::uint32_t rate : {8000u, 44100u, 48000u, 50000u, 176400u, 384000u})
        EXPECT_FALSE(PlaybackCopyFor(rate)) << rate;
}

TEST(WaveRules, Refusals)
{
    struct Case { std::uint16_t channels; std::uint32_t rate; std::uint16_t bits; std::uint64_t bytes; WaveRefusal expect; };
    const Case cases[] = {
        {1, 44100, 16, 2, WaveRefusal::None},      {2, 48000, 8, 1, WaveRefusal::None},
        {1, 192000, 16, 2, WaveRefusal::None},     {1, 64000, 8, 1, WaveRefusal::None},
        {1, 44100, 12, 2, WaveRefusal::None},      // odd depth: loaded after a message
        {1, 44100, 16, 0, WaveRefusal::Empty},     {1, 44100, 16, 1, WaveRefusal::Empty},
        {1, 44100, 8, 0, WaveRefusal::Empty},      {1, 44100, 24, 0, WaveRefusal::Empty},
        {1, 44100, 24, 3, WaveRefusal::TooManyBits}, {2, 44100, 32, 8, WaveRefusal::TooManyBits},
        {1, 50000, 16, 2, WaveRefusal::UnlistedRate}, {1, 48001, 8, 1, WaveRefusal::UnlistedRate},
        {2, 96000, 24, 6, WaveRefusal::TooManyBits},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CheckWaveFormat(MakePcmFormat(c.channels, c.rate, c.bits), c.bytes), c.expect)
            << c.channels << " " << c.rate << " " << c.bits << " " << c.bytes;
    }
    const WaveFormat f24 = MakePcmFormat(1, 44100, 24);
    EXPECT_EQ(RefusalReason(WaveRefusal::TooManyBits, &f24), "24 bits per sample; only files of up to 16 bits can be loaded");
}

// Left = bytes 0 (8-bit) or 0-1 (16-bit) of each frame, right = byte 1 or bytes 2-3; a sample
// is taken only when all its bytes are inside the data.
TEST(WaveRules, StereoChannel)
{
    const Bytes st8 = {1, 2, 3, 4, 5, 6, 7};
    const Bytes st16 = {0x01, 0x10, 0x02, 0x20, 0x03, 0x30, 0x04, 0x40, 0x05, 0x50, 0x06};
    struct Case { const Bytes* data; int bits; bool left; Bytes expect; };
    const Case cases[] = {
        {&st8, 8, true, {1, 3, 5, 7}},
        {&st8, 8, false, {2, 4, 6}},
        {&st16, 16, true, {0x01, 0x10, 0x03, 0x30, 0x05, 0x50}},
        {&st16, 16, false, {0x02, 0x20, 0x04, 0x40}}, // the last frame's right sample is missing
    };
    for (const Case& c : cases) {
        Bytes out(c.data->size());
        const std::size_t n = ExtractStereoChannel(c.data->data(), c.data->size(), c.bits, c.left, out.data());
        out.resize(n);
        EXPECT_EQ(out, c.expect) << c.bits << (c.left ? " left" : " right");
        EXPECT_EQ(StereoChannelSamples(c.data->size(), c.bits, c.left) * (c.bits / 8), n);
    }
    // floor((n - o - b) / 2b) + 1 for n >= o + b
    EXPECT_EQ(StereoChannelSamples(0, 16, true), 0u);
    EXPECT_EQ(StereoChannelSamples(1, 16, true), 0u);
    EXPECT_EQ(StereoChannelSamples(2, 16, true), 1u);
    EXPECT_EQ(StereoChannelSamples(3, 16, false), 0u);
    EXPECT_EQ(StereoChannelSamples(4, 16, false), 1u);
    EXPECT_EQ(StereoChannelSamples(1, 8, false), 0u);
    EXPECT_EQ(StereoChannelSamples(2, 8, false), 1u);
}

// The playback copy: 8-bit means truncated, 16-bit means rounded down (-3.5 -> -4).
TEST(WaveRules, DownsampleMeans)
{
    struct Case { const char* name; Bytes in; int bits; unsigned k; Bytes expect; };
    const Case cases[] = {
        {"16-bit pair (-3, -4)", Le16Samples({-3, -4}), 16, 2, {0xFC, 0xFF}},
        {"16-bit pair (3, 4)", Le16Samples({3, 4}), 16, 2, {0x03, 0x00}},
        {"16-bit extremes", Le16Samples({-32768, -32767, 32767, 32766}), 16, 2, Le16Samples({-32768, 32766})},
        {"16-bit mean -0.5", Le16Samples({0, -1}), 16, 2, Le16Samples({-1})},
        {"16-bit k 4", Le16Samples({1, 2, 3, 5, -1, -2, -2, -2}), 16, 4, Le16Samples({2, -2})},
        {"16-bit partial last group", Le16Samples({4, 4, 4, 4, 1, 2, 2}), 16, 4, Le16Samples({4, 1})},
        {"16-bit odd trailing byte ignored", {0x02, 0x00, 0x04, 0x00, 0x09}, 16, 2, Le16Samples({3})},
        {"8-bit pairs", {1, 2, 255, 254, 0, 1, 128, 129}, 8, 2, {1, 254, 0, 128}},
        {"8-bit k 4 and partial", {10, 11, 12, 14, 200, 201}, 8, 4, {11, 200}},
    };
    for (const Case& c : cases) {
        Bytes out(DownsampledBytes(c.in.size(), c.bits, c.k));
        const std::size_t n = Downsample(c.in.data(), c.in.size(), c.bits, c.k, out.data());
        EXPECT_EQ(n, out.size()) << c.name;
        EXPECT_EQ(out, c.expect) << c.name;
    }
}

TEST(WaveRules, DecodeAndCount)
{
    EXPECT_EQ(DecodeSamples(Bytes{0, 128, 255}.data(), 3, 8), (std::vector<double>{0, 128, 255}));
    const Bytes s16 = Le16Samples({-32768, -1, 0, 32767});
    EXPECT_EQ(DecodeSamples(s16.data(), s16.size(), 16), (std::vector<double>{-32768, -1, 0, 32767}));
    EXPECT_EQ(DecodeSamples(s16.data(), 3, 16), (std::vector<double>{-32768}));

    EXPECT_EQ(AnalysedSampleCount(10, MakePcmFormat(1, 8000, 16), true), 5u);
    EXPECT_EQ(AnalysedSampleCount(11, MakePcmFormat(1, 8000, 16), true), 5u);
    EXPECT_EQ(AnalysedSampleCount(10, MakePcmFormat(2, 8000, 16), true), 3u);
    EXPECT_EQ(AnalysedSampleCount(10, MakePcmFormat(2, 8000, 16), false), 2u);
    EXPECT_EQ(AnalysedSampleCount(12, MakePcmFormat(3, 8000, 16), true), 6u); // taken as it is
}

TEST(StereoDialogModel, HintsAndEnabledControls)
{
    struct Case { const char* channels; int bits; const char* hint; bool radios; bool ok; };
    const Case cases[] = {
        {"Stereo", 16, CStereoDialogModel::kHintStereo, true, true},
        {"Stereo", 8, CStereoDialogModel::kHintStereo, true, true},
        {"Mono", 16, CStereoDialogModel::kHintMono, false, true},
        {"Stereo", 24, CStereoDialogModel::kHintTooManyBits, true, false},
        {"Mono", 32, CStereoDialogModel::kHintTooManyBits, false, false},
    };
    for (const Case& c : cases) {
        const CStereoDialogModel m = CStereoDialogModel::Make("/x/y.wav", c.channels, 44100, c.bits, "PCM");
        EXPECT_EQ(m.strHint, c.hint) << c.channels << c.bits;
        EXPECT_EQ(m.bChannelEnabled, c.radios);
        EXPECT_EQ(m.bOkEnabled, c.ok);
        EXPECT_TRUE(m.bLeftChecked);
        EXPECT_EQ(m.strFile, "/x/y.wav");
        EXPECT_EQ(m.strSampleRate, "44100");
        EXPECT_EQ(m.strBits, std::to_string(c.bits));
        EXPECT_EQ(m.strFormat, "PCM");
    }
    EXPECT_EQ(std::string(CStereoDialogModel::kHintTooManyBits).rfind("Problem: Die Auflösung", 0), 0u);
    EXPECT_STREQ(CStereoDialogModel::kTitle, "Waveparameter kontrollieren ...");
}

TEST(FileFilter, DialogFilters)
{
    EXPECT_EQ(SplitFileFilter(WaveText::kOpenWaveFilter),
              (std::vector<FileFilterEntry>{{"WAV - Standardwavefiles", "*.wav"}, {"Alle Dateien", "*.*"}}));
    EXPECT_EQ(QtFilterString(WaveText::kOpenWaveFilter), "WAV - Standardwavefiles (*.wav);;Alle Dateien (*.*)");
    const auto series = SplitFileFilter(WaveText::kOpenSeriesFilter);
    ASSERT_EQ(series.size(), 4u);
    EXPECT_EQ(QtFilterEntry(series[WaveText::kOpenSeriesFilterIndex]), "DAT - Datenfiles mit 1 Spalte (*.dat)");
    EXPECT_EQ(series[1].strDescription, "PRN - Mathcadexportfiles mit 1 Spalte");
}
