#include "core/audio/WaveLoader.h"

#include "core/audio/SoundFileReader.h"
#include "core/audio/WaveRules.h"

#include <algorithm>
#include <cstdio>
#include <new>

namespace {

// Working copies are written in slices of this many input bytes (a multiple of every frame
// and group size used), so no second full-size buffer is needed.
constexpr std::size_t kSliceBytes = 256 * 1024;

std::string Fill(const char* pattern, const std::string& value)
{
    std::string text = pattern;
    return text.replace(text.find("%s"), 2, value);
}

std::string CopyNotWritten(const std::string& copy)
{
    return Fill(WaveText::kCopyNotWritten, copy);
}

// Writes 16-bit samples as a WAV file. A file that cannot be written completely is removed, so
// that nobody reads part of the samples or an older copy from that path.
bool WritePcm16Copy(const std::string& copy, const WaveFormat& format, const std::vector<std::int16_t>& samples)
{
    bool bOk = false;
    {
        CRiffWaveFile out;
        bOk = SUCCEEDED(out.Open(copy, &format, WAVEFILE_WRITE));
        std::vector<std::uint8_t> stage;
        stage.reserve(kSliceBytes);
        for (std::size_t i = 0; bOk && i < samples.size(); ++i) {
            const auto v = static_cast<std::uint16_t>(samples[i]);
            stage.push_back(static_cast<std::uint8_t>(v)); // low byte first
            stage.push_back(static_cast<std::uint8_t>(v >> 8));
            if (stage.size() >= kSliceBytes || i + 1 == samples.size()) {
                std::size_t wrote = 0;
                bOk = SUCCEEDED(out.Write(stage.size(), stage.data(), &wrote));
                stage.clear();
            }
        }
        if (bOk)
            bOk = SUCCEEDED(out.Close());
    }
    if (!bOk)
        std::remove(copy.c_str());
    return bOk;
}

std::string JoinPath(const std::string& dir, const char* name)
{
    if (dir.empty())
        return name;
    if (dir.back() == '/')
        return dir + name;
    return dir + "/" + name;
}

} // namespace

CWaveLoader::CWaveLoader(std::string strTempDir) : m_strTempDir(std::move(strTempDir)) {}

std::string CWaveLoader::MonoCopyPath() const
{
    return JoinPath(m_strTempDir, WaveText::kMonoCopyName);
}

std::string CWaveLoader::ConvertedCopyPath() const
{
    return JoinPath(m_strTempDir, WaveText::kConvertedCopyName);
}

std::string CWaveLoader::PlayCopyPath() const
{
    return JoinPath(m_strTempDir, WaveText::kPlayCopyName);
}

HRESULT CWaveLoader::CreatePlaybackBuffer(std::unique_ptr<CPlaybackBuffer>& pBuffer, const std::string& path)
{
    return CPlaybackBuffer::Create(pBuffer, path, 1);
}

void CWaveLoader::ReleaseWaveData()
{
    m_pWaveData.reset();
    m_nWaveDataBytes = 0;
}

WaveLoadOutcome CWaveLoader::LoadWaveFile(const std::string& path)
{
    SetWaitCursor(true);
    m_strConversion.clear();
    m_nClippedSamples = 0;
    WaveLoadOutcome outcome = WaveLoadOutcome::Loaded;
    std::uint64_t clipped[2] = {0, 0};
    const bool bConverted = CSoundFileReader::Handles(path);
    const std::string source = bConverted ? ConvertedCopyPath() : path;
    if (bConverted && ConvertSoundFile(path, outcome, clipped) != 0) {
        m_strWaveFile = WaveText::kNoFileSelected;
    } else if (ReadWaveData(source) != 0) {
        m_strWaveFile = WaveText::kNoFileSelected;
        outcome = WaveLoadOutcome::ReadFailed;
    } else if (CheckAndPrepareWave(source) != 0) {
        m_strWaveFile = WaveText::kNoFileSelected;
        ReleaseWaveData();
        outcome = WaveLoadOutcome::Failed;
    } else {
        m_bWaveLoaded = true;
    }
    if (outcome != WaveLoadOutcome::Loaded)
        m_strConversion.clear();
    else if (bConverted) // the analysed channel: the only one, or the one chosen in the dialog
        m_nClippedSamples = clipped[m_nStereoChannel == 1 ? 0 : 1];
    SetWaitCursor(false);
    return outcome;
}

int CWaveLoader::ConvertSoundFile(const std::string& path, WaveLoadOutcome& failure, std::uint64_t clipped[2])
{
    CSoundFileReader reader;
    if (!reader.Read(path)) {
        const std::string name = path.substr(path.find_last_of('/') + 1);
        ShowMessage(Fill(WaveText::kNotReadable, name) + "\n" + reader.Error());
        failure = WaveLoadOutcome::ReadFailed;
        return 1;
    }
    const SoundSourceFormat& src = reader.Source();
    std::string refusal;
    const WaveFormat format = MakePcmFormat(static_cast<std::uint16_t>(reader.Channels()), src.nRate, 16);
    const std::string copy = ConvertedCopyPath();
    if (reader.Samples().empty())
        refusal = WaveText::kEmptyWave;
    else if (src.nRate > 48000 && !PlaybackCopyFor(src.nRate))
        refusal = Fill(WaveText::kRateNotPlayable, RateText(src.nRate));
    else if (!WritePcm16Copy(copy, format, reader.Samples()))
        refusal = CopyNotWritten(copy);
    if (!refusal.empty()) {
        ShowMessage(refusal);
        failure = WaveLoadOutcome::Failed;
        return 1;
    }
    clipped[0] = reader.Clipped(0);
    clipped[1] = reader.Channels() == 2 ? reader.Clipped(1) : clipped[0];
    m_strConversion = ConversionText(src);
    return 0;
}

int CWaveLoader::ReadWaveData(const std::string& path)
{
    CRiffWaveFile file;
    if (FAILED(file.Open(path, nullptr, WAVEFILE_READ))) {
        ShowMessage(WaveText::kReadFailed);
        return 1;
    }
    m_nBitsPerSample = file.GetFormat()->wBitsPerSample;
    const std::size_t n = file.GetSize();
    // The previous data (the stereo data of the first read, when the mono copy is read back)
    // goes before the new block is allocated, so both never coexist.
    ReleaseWaveData();
    // A data chunk that ends early cannot be read completely: refused before allocating its
    // declared size.
    if (file.GetSizeAvailable() < n) {
        ShowMessage(WaveText::kReadFailed);
        return 1;
    }
    try {
        m_pWaveData = AllocateWaveBytes(n);
    } catch (const std::bad_alloc&) {
        ShowMessage(WaveText::kReadFailed);
        return 1;
    }
    std::size_t got = 0;
    if (FAILED(file.Read(m_pWaveData.get(), n, &got)) || got != n) {
        ShowMessage(WaveText::kReadFailed);
        file.Close();
        ReleaseWaveData();
        return 1;
    }
    m_nWaveDataBytes = n;
    m_nPlayDataBytes = n;
    file.Close();
    return 0;
}

int CWaveLoader::CheckAndPrepareWave(const std::string& path)
{
    CRiffWaveFile file;
    if (FAILED(file.Open(path, nullptr, WAVEFILE_READ))) {
        m_nWaveDataBytes = 0;
        return 1;
    }
    // Empty: no byte, or too few bytes for one sample (1 byte of 16-bit data), which would
    // leave nothing to analyse and an empty playback copy.
    if (file.GetSize() < static_cast<std::uint32_t>(BytesPerSample(file.GetFormat()->wBitsPerSample))) {
        m_nWaveDataBytes = 0;
        ShowMessage(WaveText::kEmptyWave);
        return 1;
    }
    const WaveFormat format = *file.GetFormat();
    m_strChannels = format.nChannels == 1 ? WaveText::kMono
                    : format.nChannels == 2 ? WaveText::kStereo
                                            : WaveText::kUnknown;
    m_strFormat = format.wFormatTag == WAVE_FORMAT_PCM ? WaveText::kPcm : WaveText::kUnknown;
    m_bStereoFile = m_strChannels == WaveText::kStereo;
    m_nSampleRate = format.nSamplesPerSec;
    m_nStatusBits = format.wBitsPerSample;
    m_bSigned = format.wBitsPerSample != 8;
    if (auto fullScale = FullScaleForBits(format.wBitsPerSample)) {
        m_dFullScale = *fullScale;
        m_nBitsPerSample = format.wBitsPerSample;
    } else {
        ShowMessage(WaveText::kBadBits); // and the load goes on
    }

    if (m_bStereoFile) {
        const CStereoDialogModel dialog = CStereoDialogModel::Make(m_strWaveFile, m_strChannels, m_nSampleRate,
                                                                   m_nBitsPerSample, m_strFormat);
        bool bLeft = true;
        // "OK" is disabled for more than 16 bits: such a dialog can only be cancelled.
        if (!AskStereoChannel(dialog, bLeft) || !dialog.bOkEnabled)
            return 1;
        m_nStereoChannel = bLeft ? 1 : 0;
    }
    file.Close();
    SetWaitCursor(true);

    const bool bStereo = m_bStereoFile;
    if (bStereo) {
        if (MakeMonoCopy() != 0)
            return 1;
        if (m_nWaveDataBytes == 0) { // the chosen channel has no complete sample
            ShowMessage(WaveText::kEmptyWave);
            return 1;
        }
        m_strChannels = WaveText::kMono;
    }
    if (m_nBitsPerSample <= 16 && m_nSampleRate <= 48000) {
        m_pPlayBuffer.reset();
        if (FAILED(CreatePlaybackBuffer(m_pPlayBuffer, bStereo ? MonoCopyPath() : path)))
            return 1;
        m_bStereoFile = false;
        return 0;
    }
    return MakePlaybackCopy(path) == 0 ? 0 : 1;
}

int CWaveLoader::MakeMonoCopy()
{
    if (m_nBitsPerSample > 16 || !m_pWaveData)
        return 1;
    const int bits = m_nBitsPerSample;
    const WaveFormat format = MakePcmFormat(1, m_nSampleRate, static_cast<std::uint16_t>(bits));
    const std::string copy = MonoCopyPath();
    const auto notWritten = [&] {
        ShowMessage(CopyNotWritten(copy));
        return 1;
    };
    {
        CRiffWaveFile out;
        if (FAILED(out.Open(copy, &format, WAVEFILE_WRITE)))
            return notWritten();
        const bool bLeft = m_nStereoChannel == 1;
        std::vector<std::uint8_t> stage(kSliceBytes / 2);
        for (std::size_t at = 0; at < m_nWaveDataBytes; at += kSliceBytes) {
            const std::size_t len = std::min(kSliceBytes, m_nWaveDataBytes - at);
            const std::size_t n = ExtractStereoChannel(m_pWaveData.get() + at, len, bits, bLeft, stage.data());
            std::size_t wrote = 0;
            if (n != 0 && FAILED(out.Write(n, stage.data(), &wrote)))
                return notWritten();
        }
        if (FAILED(out.Close()))
            return notWritten();
    }
    return ReadWaveData(copy);
}

int CWaveLoader::MakePlaybackCopy(const std::string& /*path: the data is already in m_pWaveData*/)
{
    const auto copyRate = PlaybackCopyFor(m_nSampleRate);
    if (m_nBitsPerSample > 16 || !copyRate || !m_pWaveData)
        return 1;
    const unsigned k = copyRate->k;
    const std::uint16_t bits = BytesPerSample(m_nBitsPerSample) == 1 ? 8 : 16;
    const WaveFormat format = MakePcmFormat(1, copyRate->nRate, bits);
    const std::string copy = PlayCopyPath();
    const auto notWritten = [&] {
        ShowMessage(CopyNotWritten(copy));
        return 1;
    };
    {
        CRiffWaveFile out;
        if (FAILED(out.Open(copy, &format, WAVEFILE_WRITE)))
            return notWritten();
        m_nPlayDataBytes = m_nWaveDataBytes / k;
        std::vector<std::uint8_t> stage(DownsampledBytes(kSliceBytes, bits, k));
        for (std::size_t at = 0; at < m_nWaveDataBytes; at += kSliceBytes) {
            const std::size_t len = std::min(kSliceBytes, m_nWaveDataBytes - at);
            const std::size_t n = Downsample(m_pWaveData.get() + at, len, bits, k, stage.data());
            std::size_t wrote = 0;
            if (n != 0 && FAILED(out.Write(n, stage.data(), &wrote)))
                return notWritten();
        }
        if (FAILED(out.Close()))
            return notWritten();
    }
    m_bPlayCopyResampled = true;
    m_nPlayRate = copyRate->nRate;
    m_nPlayBits = bits;
    m_pPlayBuffer.reset();
    return FAILED(CreatePlaybackBuffer(m_pPlayBuffer, copy)) ? 1 : 0;
}

WaveLoadOutcome CWaveLoader::ImportTimeSeries(const std::string& path)
{
    m_strWaveFile = path;
    TimeSeriesValues series;
    ReadTimeSeriesFile(path, series); // an unreadable file gives no values: an empty wave
    if (IsAllZeroSeries(series))
        ShowMessage(WaveText::kSeriesAllZero);
    return TimeSeriesToWave(ScaleTimeSeries(series));
}

WaveLoadOutcome CWaveLoader::TimeSeriesToWave(const std::vector<std::int16_t>& samples)
{
    const WaveFormat format = MakePcmFormat(1, 44100, 16);
    const std::string copy = PlayCopyPath();
    if (!WritePcm16Copy(copy, format, samples)) {
        ShowMessage(CopyNotWritten(copy));
        m_strWaveFile = WaveText::kNoFileSelected;
        ReleaseWaveData();
        return WaveLoadOutcome::Failed;
    }
    m_bPlayCopyResampled = true;
    m_nPlayBits = 16;
    m_nPlayRate = 44100;
    if (ReadWaveData(copy) == 0 && CheckAndPrepareWave(copy) == 0) {
        m_bWaveLoaded = true;
        return WaveLoadOutcome::Loaded;
    }
    m_strWaveFile = WaveText::kNoFileSelected;
    ReleaseWaveData();
    return WaveLoadOutcome::Failed;
}

void CWaveLoader::RemoveWaveData()
{
    m_bWaveLoaded = false;
    m_nStatusBits = 0;
    m_strChannels.clear();
    m_strFormat.clear();
    m_nSampleRate = 0;
    m_strWaveFile = WaveText::kNoFileSelected;
    ReleaseWaveData();
    m_dFullScale = 0.0;
    m_bPlayCopyResampled = false;
    m_pPlayBuffer.reset();
    m_strConversion.clear();
    m_nClippedSamples = 0;
}
