// CWaveLoader holds the document's wave members (one channel of raw samples, its format, the
// playback buffer) and performs the load of a WAV file or of an imported series into them,
// writing the working copies into a temporary directory. The document derives from it and
// supplies messages, the channel dialog and the wait cursor by overriding the hooks.
#pragma once

#include "core/audio/PlaybackBuffer.h"
#include "core/audio/StereoDialogModel.h"
#include "core/audio/TimeSeriesImport.h"
#include "core/audio/WaveBytes.h"
#include "core/audio/WaveTexts.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// How a load ended, and what the document does afterwards:
// Loaded:     m_arSeries emptied; the FFT view's lower amplitude limit = -6·m_nBitsPerSample dBr;
//             UpdateStatusBar; hint 50. After an imported series also the upper frequency field
//             of the FFT, sonogram and 3D FFT windows = m_nSampleRate / 2000 (integer kHz).
// ReadFailed: (LoadWaveFile only) the data could not be read; nothing more.
// Failed:     m_arSeries = one 0 element; UpdateStatusBar; hint 50.
enum class WaveLoadOutcome { Loaded, ReadFailed, Failed };

class CWaveLoader
{
public:
    // strTempDir: where "~TempWaveMono.wav" and "~TempWave.wav" go (no trailing slash needed).
    explicit CWaveLoader(std::string strTempDir);
    virtual ~CWaveLoader() = default;
    CWaveLoader(const CWaveLoader&) = delete;
    CWaveLoader& operator=(const CWaveLoader&) = delete;

    // The whole load of a WAV file; the caller has removed the previous file and set
    // m_strWaveFile to the path shown in the dialogs. Sets m_bWaveLoaded on success.
    // Files that CSoundFileReader handles (FLAC, Ogg Vorbis, AIFF, W64, WAV beyond 16 bits) are
    // decoded to 16 bits first, written as "~TempWaveKonvertiert.wav" in the file's own channels
    // and rate, and that copy takes the same steps as a WAV file (channel dialog, playback copy
    // above 48000 Hz); m_strConversion then says what was converted. A file libsndfile cannot
    // read shows WaveText::kNotReadable with the file name and the reason on a second line
    // (ReadFailed); a rate above 48000 Hz without a playback copy shows kRateNotPlayable.
    WaveLoadOutcome LoadWaveFile(const std::string& path);
    // 0 success, 1 failure ("Read in AbbildArray failed. IN: DOC." shown; also for a file that
    // is no WAV file or whose data chunk ends early). Reads the data chunk into m_pWaveData.
    int ReadWaveData(const std::string& path);
    // 0 success, 1 failure or cancel: format members, channel dialog, working copies, playback
    // buffer. "Wavefile ist leer." for a data chunk shorter than one sample. Refuses files of
    // more than 16 bits and unlisted rates above 48000 Hz silently.
    int CheckAndPrepareWave(const std::string& path);
    // The chosen channel -> "~TempWaveMono.wav", re-read; "~TempWave.wav" at the copy rate. A copy
    // that cannot be written shows WaveText::kCopyNotWritten with its path and fails.
    int MakeMonoCopy();
    int MakePlaybackCopy(const std::string& path);

    // "Zeitreihe öffnen..." after its dialog: m_strWaveFile = path, read and scale the series
    // (the all-zero notice if needed), then TimeSeriesToWave.
    WaveLoadOutcome ImportTimeSeries(const std::string& path);
    // Writes the samples as "~TempWave.wav" (PCM, mono, 44100 Hz, 16 bits) and loads it; when it
    // cannot be written: WaveText::kCopyNotWritten with its path, Failed, nothing read.
    WaveLoadOutcome TimeSeriesToWave(const std::vector<std::int16_t>& samples);

    // The wave part of "Wave entfernen": every member back to "no file", buffer released.
    void RemoveWaveData();

    std::string MonoCopyPath() const;
    std::string ConvertedCopyPath() const;
    std::string PlayCopyPath() const;
    const std::string& TempDir() const { return m_strTempDir; }

    // The document's members (names as the program uses them).
    std::string m_strWaveFile = WaveText::kNoFileSelected;
    WaveBytes m_pWaveData; // raw PCM of one channel
    std::size_t m_nWaveDataBytes = 0;
    std::size_t m_nPlayDataBytes = 0; // = m_nWaveDataBytes / k for a down-sampled playback copy
    int m_nBitsPerSample = 0;
    int m_nStatusBits = 0;
    bool m_bSigned = false;
    double m_dFullScale = 0.0;
    std::uint32_t m_nSampleRate = 0;
    std::string m_strChannels;
    std::string m_strFormat;
    bool m_bStereoFile = false;
    int m_nStereoChannel = 1; // 1 = left ("Links"), 0 = right ("Rechts")
    std::unique_ptr<CPlaybackBuffer> m_pPlayBuffer;
    std::uint32_t m_nPlayRate = 0;
    int m_nPlayBits = 0;
    // The program-wide flags g_bWaveLoaded and g_bPlayCopyResampled as far as loading sets them.
    bool m_bWaveLoaded = false;
    bool m_bPlayCopyResampled = false;
    // After a converted load: "FLAC 24-Bit 96 kHz → 16-Bit 96 kHz" and the samples of the analysed
    // channel that lay beyond full scale; empty and 0 for files loaded as they are.
    std::string m_strConversion;
    std::uint64_t m_nClippedSamples = 0;

protected:
    // A message box with exactly this text.
    virtual void ShowMessage(const std::string& strText) = 0;
    // The dialog "Waveparameter kontrollieren ..." as the model describes it. Returns false for
    // "Cancel"; for "OK" true with bLeft = whether "Links" is checked.
    virtual bool AskStereoChannel(const CStereoDialogModel& dialog, bool& bLeft) = 0;
    virtual void SetWaitCursor(bool /*bWait*/) {}
    // Makes the playback buffer of a file (one buffer). The sound-device layer overrides this
    // to attach the device; the default makes the data-only buffer.
    virtual HRESULT CreatePlaybackBuffer(std::unique_ptr<CPlaybackBuffer>& pBuffer, const std::string& path);

private:
    void ReleaseWaveData();
    // Decodes a file through CSoundFileReader into the converted copy; 0 success, else the
    // outcome to return (its message shown).
    int ConvertSoundFile(const std::string& path, WaveLoadOutcome& failure, std::uint64_t clipped[2]);

    std::string m_strTempDir;
};
