// CWaveLoader and its rules: samples, working copies (read back by Python and sox), texts, the state
// after every refusal, and the command-line tool's direct reader (WaveSource) agreeing.
#include "test_wave_util.h"

#include "core/audio/FileFilter.h"
#include "core/audio/SoundConversion.h"
#include "core/audio/WaveLoader.h"
#include "core/audio/WaveSource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstring>
#include <iostream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

using namespace wavetest;

namespace {

const std::string kNoFileSelected = "Kein File ausgewählt.";

class TestLoader : public CWaveLoader
{
public:
    enum class Answer { Left, Right, Cancel, OkEvenIfDisabled };
    explicit TestLoader(const std::string& dir, Answer a = Answer::Left) : CWaveLoader(dir), answer(a) {}
    Answer answer;
    std::vector<std::string> messages;
    std::vector<CStereoDialogModel> dialogs;
    int waitOn = 0, waitOff = 0;

    WaveLoadOutcome Load(const std::string& path) { return m_strWaveFile = path, LoadWaveFile(path); }
    bool NotLoaded() const
    {
        return !m_bWaveLoaded && !m_pWaveData && !m_nWaveDataBytes && !m_pPlayBuffer && m_strWaveFile == kNoFileSelected;
    }
    Bytes WaveData() const { return Bytes(m_pWaveData.get(), m_pWaveData.get() + m_nWaveDataBytes); }
    Bytes PlayData() const { return Bytes(m_pPlayBuffer->GetBuffer(0).begin(), m_pPlayBuffer->GetBuffer(0).end()); }
    // loaded, file name, rate, bits/status bits, signed, full scale, channels, format, stereo
    // channel | playback copy: resampled, rate, bits, bytes
    std::string State() const
    {
        std::ostringstream s;
        s << m_bWaveLoaded << ' ' << m_strWaveFile.substr(m_strWaveFile.rfind('/') + 1) << ' ' << m_nSampleRate << ' '
          << m_nBitsPerSample << '/' << m_nStatusBits << ' ' << m_bSigned << ' ' << m_dFullScale << ' ' << m_strChannels
          << ' ' << m_strFormat << ' ' << m_nStereoChannel << " | " << m_bPlayCopyResampled
          << ' ' << m_nPlayRate << ' ' << m_nPlayBits << ' ' << m_nPlayDataBytes;
        return s.str();
    }

protected:
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    bool AskStereoChannel(const CStereoDialogModel& d, bool& bLeft) override
    {
        return dialogs.push_back(d), bLeft = answer != Answer::Right, answer != Answer::Cancel;
    }
    void SetWaitCursor(bool bWait) override { ++(bWait ? waitOn : waitOff); }
};

using Strings = std::vector<std::string>;
using A = TestLoader::Answer;
const std::string kRead = "Read in AbbildArray failed. IN: DOC.", kEmpty = "Wavefile ist leer.";
std::string NotWritten(const std::string& copy) { return "Die Arbeitskopie \"" + copy + "\" konnte nicht geschrieben werden."; }

} // namespace

// 8-bit unsigned, else 16-bit signed little-endian, decoded here independently of the program.
static std::vector<double> Decode(const Bytes& b, int bits)
{
    std::vector<double> v;
    for (std::size_t i = 0; i + (bits > 8) < b.size(); i += 1 + (bits > 8))
        v.push_back(bits <= 8 ? b[i] : static_cast<std::int16_t>(b[i] | b[i + 1] << 8));
    return v;
}

static Bytes SoxChannel(const std::string& path, int channel, int bits)
{
    Sox({path, "-t", "raw", "-e", bits == 8 ? "unsigned-integer" : "signed-integer", "-b", std::to_string(bits),
         "-L", path + ".raw", "remix", std::to_string(channel)});
    return ReadFile(path + ".raw");
}

// Every kind of file: outcome, texts, dialog, state, samples, the copy played from (read by Python),
// the direct reader's verdict. An incomplete last stereo frame gives the left channel one sample
// more. Above 48000 Hz the copy holds 8-bit truncated means, 16-bit means rounded down.
TEST(WaveLoader, LoadsOrRefusesEveryFile)
{
    const std::string dir = MakeTempDir(), path = dir + "/w.wav", sox = dir + "/s24.wav";
    Sox({"-n", "-r", "44100", "-c", "2", "-b", "24", sox, "synth", "0.01", "sine", "440"}); // WAVE_FORMAT_EXTENSIBLE
    const Bytes st16 = Concat({Le16Samples({100, -1, -200, 2, -32768, -3, 32767, 4, 5}), {7}}), st8 = {1, 2, 3, 4, 5, 6, 7};
    const Bytes f88 = Le16Samples({-3, -4, 3, 4, -1, 0, -32768, -32767}), f64 = {9, 14, 9};
    const Bytes f192 = Le16Samples({-3, -4, -4, -4, 8, 8, 8, 9, 1, 2, 2}), b12 = Le16Samples({16, -16});
    Bytes large(10000000), right;
    for (std::size_t i = 0; i < large.size(); ++i)
        large[i] = static_cast<std::uint8_t>(i * 131 + i / 257);
    for (std::size_t f = 0; f < large.size(); f += 4)
        right.insert(right.end(), large.begin() + long(f + 2), large.begin() + long(f + 4));
    const auto cut = [](std::uint32_t declared) {
        return Riff(Concat({Chunk("fmt ", FmtBody(1, 1, 44100, 16)), ChunkWithSize("data", declared, Bytes(9, 1), 0)}));
    };
    using O = WaveLoadOutcome;
    using R = WaveRefusal;
    const Strings none, read = {kRead}, empty = {kEmpty}, bits = {"Bitrate falsch angegebenCResoniDoc.OnLoadWaveFile"};
    struct Case { const char* name; Bytes file; A answer; O outcome; Strings messages; std::size_t dialogs; R refusal;
                  Bytes expect = {}; const char* state = ""; Bytes copy = {}; };
    const Case cases[] = {
        {"16-bit stereo, left", PcmWave(2, 44100, 16, st16), A::Left, O::Loaded, none, 1, R::None,
         Le16Samples({100, -200, -32768, 32767, 5}), "44100 16/16 1 32767 Mono PCM 1 | 0 0 0 10"},
        {"16-bit stereo, right", PcmWave(2, 44100, 16, st16), A::Right, O::Loaded, none, 1, R::None,
         Le16Samples({-1, 2, -3, 4}), "44100 16/16 1 32767 Mono PCM 0 | 0 0 0 8"},
        {"EXTENSIBLE 16-bit stereo, left", ExtensibleWave(2, 44100, 16, st16), A::Left, O::Loaded, none, 1, R::None,
         Le16Samples({100, -200, -32768, 32767, 5}), "44100 16/16 1 32767 Mono PCM 1 | 0 0 0 10"},
        {"8-bit stereo, right", PcmWave(2, 48000, 8, st8), A::Right, O::Loaded, none, 1, R::None, {2, 4, 6},
         "48000 8/8 0 255 Mono PCM 0 | 0 0 0 3"},
        {"10 MB stereo", PcmWave(2, 8000, 16, large), A::Right, O::Loaded, none, 1, R::None, right,
         "8000 16/16 1 32767 Mono PCM 0 | 0 0 0 5000000"},
        {"88200 Hz", PcmWave(1, 88200, 16, f88), A::Left, O::Loaded, none, 0, R::None, f88,
         "88200 16/16 1 32767 Mono PCM 1 | 1 44100 16 8", Le16Samples({-4, 3, -1, -32768})},
        {"192000 Hz", PcmWave(1, 192000, 16, f192), A::Left, O::Loaded, none, 0, R::None, f192,
         "192000 16/16 1 32767 Mono PCM 1 | 1 48000 16 5", Le16Samples({-4, 8, 1})},
        {"64000 Hz", PcmWave(1, 64000, 8, f64), A::Left, O::Loaded, none, 0, R::None, f64,
         "64000 8/8 0 255 Mono PCM 1 | 1 32000 8 1", {11, 9}},
        {"12 bits: a message, loaded anyway", PcmWave(1, 44100, 12, b12), A::Left, O::Loaded, bits, 0, R::None, b12,
         "44100 12/12 1 0 Mono PCM 1 | 0 0 0 4"},
        {"A-law: format ?", Riff(Concat({Chunk("fmt ", FmtBody(6, 1, 8000, 8)), Chunk("data", {1, 2, 3})})), A::Left,
         O::Loaded, none, 0, R::None, {1, 2, 3}, "8000 8/8 0 255 Mono ? 1 | 0 0 0 3"},
        {"no RIFF header", Bytes{'h', 'e', 'l', 'l', 'o'}, A::Left, O::ReadFailed,
         {"Die Datei \"w.wav\" kann nicht als Audiodatei gelesen werden.\nFormat not recognised."}, 0, R::NotWave},
        {"RIFF WAVE without data chunk: our reader's message", Riff(Chunk("fmt ", FmtBody(1, 1, 8000, 16))), A::Left,
         O::ReadFailed, read, 0, R::NotWave},
        {"data chunk cut short", cut(1000), A::Left, O::ReadFailed, read, 0, R::ReadFailed},
        {"data size 0xFFFFFFFF", cut(0xFFFFFFFFu), A::Left, O::ReadFailed, read, 0, R::ReadFailed},
        {"0 data bytes", PcmWave(1, 44100, 8, {}), A::Left, O::Failed, empty, 0, R::Empty},
        {"1 byte of 16-bit data", PcmWave(1, 192000, 16, {7}), A::Left, O::Failed, empty, 0, R::Empty},
        {"right channel without a sample", PcmWave(2, 44100, 16, {1, 2}), A::Right, O::Failed, empty, 1, R::Empty},
        {"mono 24-bit, converted", PcmWave(1, 44100, 24, Bytes(9, 1)), A::Left, O::Loaded, none, 0, R::None,
         Le16Samples({257, 257, 257}), "44100 16/16 1 32767 Mono PCM 1 | 0 0 0 6"},
        {"48001 Hz", PcmWave(1, 48001, 8, Bytes(8, 1)), A::Left, O::Failed, none, 0, R::UnlistedRate},
        {"stereo dialog cancelled", PcmWave(2, 44100, 16, Bytes(8, 1)), A::Cancel, O::Failed, none, 1, R::None},
        {"no temporary directory", PcmWave(2, 44100, 16, Bytes(16, 3)), A::Left, O::Failed,
         {NotWritten(dir + "/missing/~TempWaveMono.wav")}, 1, R::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(path, c.file);
        TestLoader l(c.name == std::string("no temporary directory") ? dir + "/missing" : dir, c.answer);
        EXPECT_EQ(l.Load(path), c.outcome);
        EXPECT_EQ(l.messages, c.messages);
        EXPECT_TRUE(l.waitOn >= 1 && l.waitOff >= 1);
        std::vector<double> direct;
        EXPECT_EQ(ReadWaveSamples(path, c.answer != A::Right, direct).refusal, c.refusal);
        ASSERT_EQ(l.dialogs.size(), c.dialogs);
        for (const CStereoDialogModel& d : l.dialogs) { // "OK" disabled, and why, for more than 16 bits
            const bool ok = c.refusal != R::TooManyBits;
            const char* hint = ok ? CStereoDialogModel::kHintStereo : CStereoDialogModel::kHintTooManyBits;
            EXPECT_EQ(Strings({d.strHint, d.strChannels, d.strFile, d.strSampleRate, d.strBits, d.strFormat}),
                      Strings({hint, "Stereo", path, std::to_string(l.m_nSampleRate), std::to_string(l.m_nBitsPerSample),
                               l.m_strFormat}));
            EXPECT_TRUE(d.bOkEnabled == ok && d.bChannelEnabled && d.bLeftChecked);
        }
        if (c.outcome != O::Loaded) {
            EXPECT_TRUE(l.NotLoaded()) << l.State();
            continue;
        }
        EXPECT_EQ(l.State(), std::string("1 w.wav ") + c.state);
        const Bytes& play = c.copy.empty() ? c.expect : c.copy;
        EXPECT_TRUE(l.WaveData() == c.expect && l.PlayData() == play && l.m_pPlayBuffer->GetFormat().nChannels == 1);
        EXPECT_TRUE(direct == Decode(c.expect, l.m_nBitsPerSample));
        EXPECT_TRUE(c.file.size() < 1000 || reinterpret_cast<std::uintptr_t>(l.m_pWaveData.get()) % (2u << 20) == 0);
        if (c.dialogs + c.copy.size() == 0)
            continue; // plays the file itself
        const PyWave copy = ReadWithPython(c.copy.empty() ? l.MonoCopyPath() : l.PlayCopyPath());
        const int sampleBytes = l.m_nBitsPerSample / 8, rate = int(c.copy.empty() ? l.m_nSampleRate : l.m_nPlayRate);
        EXPECT_EQ(copy.header, std::vector<int>({1, sampleBytes, rate, int(play.size()) / sampleBytes})) << copy.error;
        EXPECT_TRUE(copy.data == play);
    }
    EXPECT_EQ(std::vector<int>({InspectWave(sox, true).format.wFormatTag, InspectWave(sox, true).format.cbSize}),
              std::vector<int>({1, 0})); // WAVE_FORMAT_EXTENSIBLE with the PCM sub-format reads as PCM
}

// "Zeitreihe öffnen...": the scaled series loaded from the 44100 Hz 16-bit working file;
// "Wave entfernen" (RemoveWaveData) clears it again.
TEST(WaveLoader, ImportedSeries)
{
    const std::string dir = MakeTempDir(), path = dir + "/s.dat";
    const std::string zeros = "Die Zeitreihe enthält nur Nullen.\nSie wird als Nulllinie (alle Werte 0) geladen.";
    struct Case { std::string text; std::vector<std::int16_t> samples; Strings messages; };
    for (const Case& c : {Case{"-2 1", {-32768, 16384}, {}}, Case{"0 0.0 -0\n0\n", {0, 0, 0, 0}, {zeros}}}) {
        WriteText(path, c.text);
        TestLoader l(dir);
        ASSERT_EQ(l.ImportTimeSeries(path), WaveLoadOutcome::Loaded);
        EXPECT_EQ(l.messages, c.messages);
        EXPECT_EQ(l.State(), "1 s.dat 44100 16/16 1 32767 Mono PCM 1 | 1 44100 16 " + std::to_string(c.samples.size() * 2u));
        EXPECT_TRUE(l.WaveData() == Le16Samples(c.samples) && l.PlayData() == Le16Samples(c.samples)) << c.text;
        l.RemoveWaveData();
        EXPECT_TRUE(l.NotLoaded()) << l.State();
        EXPECT_TRUE(l.m_nSampleRate == 0 && l.m_nStatusBits == 0 && l.m_strChannels.empty() && l.m_strFormat.empty() &&
                    l.m_dFullScale == 0 && !l.m_bPlayCopyResampled) << l.State();
    }
    for (std::string text : {"", "#only\n#comments\n", "\n\n \t\n", "5"}) {
        WriteText(path, text);
        TestLoader l(text == "5" ? dir + "/missing" : dir); // "5" cannot be written out
        EXPECT_EQ(l.ImportTimeSeries(path), WaveLoadOutcome::Failed);
        EXPECT_EQ(l.messages, Strings{text == "5" ? NotWritten(dir + "/missing/~TempWave.wav") : kEmpty}) << text;
        EXPECT_TRUE(l.NotLoaded()) << l.State();
    }
    const auto series = SplitFileFilter(WaveText::kOpenSeriesFilter); // the open dialogs' filters
    EXPECT_EQ(QtFilterEntry(series.at(WaveText::kOpenSeriesFilterIndex)) + "|" + std::to_string(series.size()),
              "DAT - Datenfiles mit 1 Spalte (*.dat)|4");
    EXPECT_EQ(QtFilterString(WaveText::kOpenWaveFilter), "WAV - Standardwavefiles (*.wav);;Alle Audiodateien (*.wav *.flac *.ogg *.oga *.aif *.aiff *.aifc *.w64);;"
              "Alle Dateien (*.*)");
}

// A temporary directory that cannot be written, holding older copies: every load that needs a copy
// fails with its path and reads none of them. (As root, the child process gives up its rights.)
TEST(WaveLoader, CopiesThatCannotBeWrittenFailTheLoad)
{
    const std::string dir = MakeTempDir(), ro = dir + "/ro";
    ASSERT_EQ(mkdir(ro.c_str(), 0755), 0);
    for (const char* copy : {"/~TempWave.wav", "/~TempWaveMono.wav"})
        WriteFile(ro + copy, PcmWave(1, 44100, 16, Le16Samples({1, 2, 3})));
    WriteFile(dir + "/st.wav", PcmWave(2, 44100, 16, Bytes(8, 1)));
    WriteFile(dir + "/fast.wav", PcmWave(1, 96000, 16, Bytes(8, 1)));
    WriteText(dir + "/s.dat", "1 2");
    ASSERT_EQ(chmod(ro.c_str(), 0555) | chmod(dir.c_str(), 0755), 0);
    EXPECT_EXIT(
        {
            if (geteuid() == 0 && setuid(65534) != 0)
                exit(2);
            int failed = 0;
            for (const std::string f : {"st.wav", "fast.wav", "s.dat"}) {
                TestLoader l(ro);
                const WaveLoadOutcome o = f == "s.dat" ? l.ImportTimeSeries(dir + "/s.dat") : l.Load(dir + "/" + f);
                const Strings expect = {NotWritten(ro + (f == "st.wav" ? "/~TempWaveMono.wav" : "/~TempWave.wav"))};
                if (o != WaveLoadOutcome::Failed || !l.NotLoaded() || l.messages != expect)
                    std::cerr << f << ": " << ++failed << " " << l.State() << " " << l.messages.size() << "\n";
            }
            exit(failed);
        },
        ::testing::ExitedWithCode(0), "");
}

// The loader and the direct reader take the samples sox decodes; sox reads our copies back.
TEST(WaveSox, LoadsWhatSoxWritesAndReadsOurCopies)
{
    const std::string dir = MakeTempDir(), path = dir + "/sox.wav";
    struct Case { int channels, rate, bits, channel; };
    for (const Case& c : {Case{1, 22050, 8, 1}, {2, 44100, 16, 1}, {2, 44100, 16, 2}, {2, 96000, 8, 2}, {2, 96000, 16, 2}}) {
        SCOPED_TRACE(std::to_string(c.channels) + " " + std::to_string(c.rate) + " " + std::to_string(c.bits));
        Sox({"-n", "-r", std::to_string(c.rate), "-c", std::to_string(c.channels), "-b", std::to_string(c.bits), path,
             "synth", "0.05", "sine", "440", "sine", "1234", "gain", "-1"});
        const Bytes expect = SoxChannel(path, c.channel, c.bits);
        TestLoader l(dir, c.channel == 1 ? A::Left : A::Right);
        ASSERT_EQ(l.Load(path), WaveLoadOutcome::Loaded);
        EXPECT_TRUE(l.messages.empty() && l.dialogs.size() == c.channels - 1u);
        EXPECT_EQ(l.WaveData(), expect);
        EXPECT_EQ(c.channels == 2 ? SoxChannel(l.MonoCopyPath(), 1, c.bits) : expect, expect);
        if (c.rate == 96000) {
            EXPECT_EQ(Sox({"--i", "-r", l.PlayCopyPath()}) + Sox({"--i", "-b", l.PlayCopyPath()}),
                      "48000\n" + std::to_string(c.bits) + "\n");
            EXPECT_EQ(SoxChannel(l.PlayCopyPath(), 1, c.bits), l.PlayData());
        }
    }
}

// Files decoded through libsndfile. sox writes sines of amplitude 0.5 without dither; each converted
// sample lies within 1 LSB of round(16384·sin(2π·f·n/rate)) (Ogg: the spectrum peaks at the tone).
// Hand-made WAVs: 24-bit full scale and half-LSB rounding, float beyond ±1.0 clipped and counted.
TEST(WaveLoader, ConvertsOtherFormatsThroughLibsndfile)
{
    const std::string dir = MakeTempDir();
    const std::vector<float> floats = {0.5f, 1.5f, -2.f, 1.f, -1.f, 0.25f};
    Bytes f32(floats.size() * 4);
    std::memcpy(f32.data(), floats.data(), f32.size());
    // 8388607, -8388608, 128, -128, 383 as 24-bit little-endian
    const Bytes full24 = {0xFF, 0xFF, 0x7F, 0, 0, 0x80, 0x80, 0, 0, 0x80, 0xFF, 0xFF, 0x7F, 0x01, 0};
    WriteFile(dir + "/full24.wav", PcmWave(1, 8000, 24, full24));
    WriteFile(dir + "/float.wav", Riff(Concat({Chunk("fmt ", FmtBody(3, 1, 8000, 32)), Chunk("data", f32)})));
    // sox input options, tone, channel; state as in LoadsOrRefusesEveryFile; status line; exact samples
    struct Case { const char* file; Strings sox; double hz; A answer; const char* state; const char* line;
                  std::vector<std::int16_t> exact = {}; };
    const Case cases[] = {
        {"96k.flac", {"-r", "96000", "-n", "-b", "24"}, 1000, A::Left, "96000 16/16 1 32767 Mono PCM 1 | 1 48000 16 9600",
         "FLAC 24-Bit 96 kHz → 16-Bit 96 kHz, nicht übersteuert"},
        {"be.aiff", {"-r", "44100", "-n", "-b", "16"}, 1000, A::Left, "44100 16/16 1 32767 Mono PCM 1 | 0 0 0 8820",
         "AIFF 16-Bit 44,1 kHz → 16-Bit 44,1 kHz, nicht übersteuert"},
        {"t.w64", {"-r", "22050", "-n", "-b", "24"}, 1000, A::Left, "22050 16/16 1 32767 Mono PCM 1 | 0 0 0 4410",
         "W64 24-Bit 22,05 kHz → 16-Bit 22,05 kHz, nicht übersteuert"},
        {"i32.wav", {"-r", "8000", "-c", "2", "-n", "-b", "32"}, 3000, A::Right,
         "8000 16/16 1 32767 Mono PCM 0 | 0 0 0 1600", "WAV 32-Bit 8 kHz → 16-Bit 8 kHz, nicht übersteuert"},
        {"t.ogg", {"-r", "44100", "-n"}, 0, A::Left, "44100 16/16 1 32767 Mono PCM 1 | 0 0 0 8820",
         "Ogg Vorbis 44,1 kHz → 16-Bit 44,1 kHz"},
        {"full24.wav", {}, 0, A::Left, "8000 16/16 1 32767 Mono PCM 1 | 0 0 0 10",
         "WAV 24-Bit 8 kHz → 16-Bit 8 kHz, nicht übersteuert", {32767, -32768, 1, -1, 1}},
        {"float.wav", {}, 0, A::Left, "8000 16/16 1 32767 Mono PCM 1 | 0 0 0 12",
         "WAV 32-Bit Float 8 kHz → 16-Bit 8 kHz, 2 Samples übersteuert (begrenzt)", {16384, 32767, -32768, 32767, -32768, 8192}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string path = dir + "/" + c.file;
        if (!c.sox.empty()) {
            Strings args = {"-D", "-c", "1"};
            args.insert(args.end(), c.sox.begin(), c.sox.end());
            for (const char* a : {path.c_str(), "synth", "0.1", "sine", "1000", "sine", "3000", "vol", "0.5"})
                args.emplace_back(a);
            Sox(args);
        }
        TestLoader l(dir, c.answer);
        ASSERT_EQ(l.Load(path), WaveLoadOutcome::Loaded) << (l.messages.empty() ? "" : l.messages[0]);
        EXPECT_EQ(l.State(), std::string("1 ") + c.file + " " + c.state);
        EXPECT_TRUE(l.messages.empty() && l.dialogs.size() == std::size_t(c.answer == A::Right));
        EXPECT_EQ(ConversionStatusLine(l.m_strConversion, l.m_nClippedSamples).substr(0, std::strlen(c.line)), c.line);
        const std::vector<double> v = Decode(l.WaveData(), 16);
        std::vector<double> direct;
        const WaveSourceInfo info = ReadWaveSamples(path, c.answer != A::Right, direct);
        EXPECT_TRUE(direct == v && info.strConversion == l.m_strConversion && info.nClipped == l.m_nClippedSamples);
        EXPECT_TRUE(c.exact.empty() || v == std::vector<double>(c.exact.begin(), c.exact.end()));
        const double pi = std::acos(-1.0), w = 2 * pi * c.hz / l.m_nSampleRate;
        for (std::size_t n = 0; c.hz > 0 && n < v.size(); ++n)
            ASSERT_NEAR(v[n], std::round(16384 * std::sin(w * double(n))), 1.0) << n;
        if (std::string(c.file) == "t.ogg") { // the strongest of the 1024-point DFT bins: 1000 Hz (bin 23.2)
            std::vector<double> mag(512);
            for (std::size_t k = 0; k < mag.size(); ++k) {
                std::complex<double> sum = 0;
                for (std::size_t n = 0; n < 1024; ++n)
                    sum += v[2048 + n] * std::polar(1.0, 2 * pi * double(k * n) / 1024);
                mag[k] = std::abs(sum);
            }
            EXPECT_EQ(std::max_element(mag.begin(), mag.end()) - mag.begin(), 23);
        }
    }
    // Unreadable: a FLAC cut short, a FLAC of 0 bytes; refused: a rate without a playback copy.
    const Bytes flac = ReadFile(dir + "/96k.flac");
    WriteFile(dir + "/cut.flac", Bytes(flac.begin(), flac.begin() + 3000));
    WriteFile(dir + "/empty.flac", {});
    Sox({"-n", "-r", "176400", dir + "/fast.flac", "synth", "0.01", "sine", "1000"});
    for (const std::string name : {"cut.flac", "empty.flac", "fast.flac"}) {
        TestLoader l(dir);
        const bool fast = name == "fast.flac";
        EXPECT_EQ(l.Load(dir + "/" + name), fast ? WaveLoadOutcome::Failed : WaveLoadOutcome::ReadFailed);
        ASSERT_EQ(l.messages.size(), 1u);
        const std::string want = fast ? "Die Samplingrate 176,4 kHz kann nicht wiedergegeben werden.\nÜber 48 kHz"
                                      : "Die Datei \"" + name + "\" kann nicht als Audiodatei gelesen werden.\n";
        EXPECT_EQ(l.messages[0].substr(0, want.size()), want); // then libsndfile's reason
        EXPECT_GT(l.messages[0].size(), want.size() + 5);
        EXPECT_TRUE(l.NotLoaded() && l.m_strConversion.empty());
    }
}
