// The one document of the program: format and samples of the loaded or captured audio (the wave
// members come from CWaveLoader, which performs the loads), the analysis block and its spectra,
// the wavelet result, the colour ramp and one pointer per module window. Every change reaches
// the views as an update hint through IDocObserver.
#pragma once

#include "DocObserver.h"
#include "ModuleWindows.h"

#include "core/audio/CaptureRecorder.h"
#include "core/audio/WaveLoader.h"
#include "core/waveform/WaveSamples.h"
#include "core/common/Rgb.h"
#include "core/spectral/ColourRamp.h"
#include "core/wavelet/Cwt.h"

#include <QPointer>
#include <QString>
#include <QDir>
#include <QTemporaryDir>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <utility>
#include <vector>

class CCaptureThread;
class CModuleChildFrame;
class CResoniApp;
class CSplitterFrame;
class CWaveletComputation;

// A PCM wave format record: the capture format for listening and recording.
struct PcmWaveFormat
{
    std::uint16_t formatTag = 1; // 1 = PCM
    std::uint16_t channels = 6;  // 6 = no capture format chosen yet
    std::uint32_t samplesPerSec = 0;
    std::uint32_t avgBytesPerSec = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;
    std::uint16_t extraSize = 0;
};

// The document's own folder for its working copies (mono channel, converted rate, imported
// series) in the temporary folder: readable only by this user, removed with the document. A
// base class, so that it exists before the loader that writes into it.
struct CWorkingCopyDir
{
    QTemporaryDir m_WorkingDir{QDir::tempPath() + QStringLiteral("/resoni-XXXXXX")};
};

class CResoniDoc : private CWorkingCopyDir, public CWaveLoader
{
public:
    explicit CResoniDoc(CResoniApp& app);
    ~CResoniDoc();
    CResoniDoc(const CResoniDoc&) = delete;
    CResoniDoc& operator=(const CResoniDoc&) = delete;

    // Brings the document to its start state (called once after construction).
    bool OnNewDocument();

    // Empties the analysis arrays, leaving each with exactly one element of value 0
    // (m_arAutoCorr included), so views may always read element 0.
    void DeleteContents();
    // "Alle Captures löschen": DeleteContents, then hint 50.
    void OnClearCaptures();
    // "Wave entfernen".
    void RemoveWave();
    // "&Wavefile öffnen...": removes the loaded file, asks for a WAV file and loads it.
    void OnOpenWave();
    // "&Zeitreihe öffnen...": removes the loaded file, asks for a one-column text file and
    // loads it as a 16-bit 44100 Hz sound.
    void OnImportTimeSeries();
    // The first steps of every open: clear the arrays, stop playback, remove the loaded file.
    void PrepareForNewFile();
    // Loads a WAV file by name (start-up and profile switch use this for the profile's last
    // file); the document then shows the file or "Kein File ausgewählt.".
    void OpenWaveFile(const QString& path);
    // The waveform view's selection of the samples [first, end): becomes the analysis block
    // m_arSignal, with the FFT size of the selection and the wavelet transform when its window
    // is open. Views hear hint 18 before and after.
    void OnSelectionChanged(long long first, long long end);
    // A captured block (raw PCM of the capture format) arrives: on every k-th block it becomes
    // the analysis block and its spectrum is computed with m_nFFTSize (hint 12).
    // The samples are those of the capture format (8-bit 0 … 255, else signed values).
    void OnCaptureBlock(std::span<const double> block);
    // The play cursor moved to byte P of the playback data: the 40000 samples from there form
    // the analysis block (hint 12), unless they would run past the data.
    void ShowPlayWindow(std::int64_t nBytePosition);
    // Where playback goes on, in bytes of the playback data (a click into the overview).
    void SetPlayPosition(std::size_t bytes);
    // The play cursor in bytes while playback runs; none otherwise.
    std::optional<std::size_t> PlayCursor() const;
    // The loaded samples as the waveform display and the frame rules read them.
    WaveSamples samples() const
    {
        return {m_pWaveData.get(), m_pWaveData ? m_nWaveDataBytes : 0, m_nBitsPerSample};
    }
    // The loaded file's name as the program shows it.
    QString waveFileName() const { return QString::fromStdString(m_strWaveFile); }
    // Sends the six status notifications to the main frame: FFT size, file, bits, rate,
    // listening, recording.
    void UpdateStatusBar();
    // The "&FFT" command of "&Einstellungen".
    void OnFFTSettings();

    // Opens the module's window, or closes it when it is open (never a second one).
    void ToggleModuleWindow(Module module);
    CModuleChildFrame* moduleFrame(Module module) const;
    // Whether the module's window exists (also safe while it is being destroyed).
    bool IsModuleOpen(Module module) const;
    // The check mark of a module toggle; finding the window closed also clears its open flag.
    bool UpdateModuleToggle(Module module);
    // Idle: when a 3D window asked for it, closes the 3D FFT and the reconstruction windows.
    void CloseThreeDViewsIfRequested();

    // "Audioeingang abhören": removes a loaded file, then switches listening on (asking for
    // the capture format the first time) or off (ending a recording first).
    void ToggleListening();
    void SwitchListeningOff();
    // "&Waveformat" (F11): 0 when a capture format was chosen, 1 when cancelled.
    int OnWaveFormat();
    // "Aufnahme" and "Aufnahme Stop" while listening.
    void OnRecord();
    void StopRecording();
    // "Play Wave", "Stop Playing", "Loop Playing".
    void OnPlay();
    void OnStopPlay();
    void OnLoopPlay();
    // Playback as other commands stop and restart it.
    void StopPlaying() { OnStopPlay(); }
    void StartPlaying(bool bLoop);

    // Observers (the views). The document does not own them.
    void AddObserver(IDocObserver* observer);
    void RemoveObserver(IDocObserver* observer);
    void UpdateAllViews(int hint);

    CResoniApp& app() const { return m_app; }

    // --- data (names as the views know them) -----------------------------------------------
    std::unique_ptr<PcmWaveFormat> m_pWaveFormat; // capture format for listening and recording
    std::vector<double> m_arSignal;           // analysis block, raw integer sample values
    std::vector<double> m_arSpectrum;         // magnitude spectrum of the analysis block
    std::vector<double> m_arAutoCorr;         // autocorrelation of the analysis block
    std::vector<double> m_arSeries;
    std::vector<float> m_arWavelet;           // wavelet transform of the selection: n, m, then n × m values
    std::vector<double> m_arSpare;
    int m_nBlockCounter = 0;                  // captured blocks since the last spectrum
    std::uint64_t m_nMaxRecordBytes = CCaptureRecorder::kWavLimit; // data limit of a record file
    std::array<Rgb, kColourRampSize> m_Palette{};
    bool m_bPaletteBuilt = false;
    int m_nPlayWindowStart = 0;
    std::vector<std::pair<double, double>> m_arMaxima; // peaks: (Hz, dBr), ascending frequency
    QString m_strHelpFile;
    bool m_bClose3DViews = false;
    // One pointer per module window; null (by QPointer) as soon as the window is gone.
    QPointer<CModuleChildFrame> m_pRekoFrame, m_pZeitreiheFrame, m_pFFTFrame, m_pFFT3DFrame,
        m_pNotenbildFrame, m_pSonoFrame, m_pAnalyseFrame, m_pWaveletFrame;
    QPointer<CSplitterFrame> m_pWaveFrame;    // the waveform window
    QString m_strShownFile;
    int m_nFFTSize = 0;
    int m_nSelectionFFTSize = 0;
    int m_nFirstMinLag = 0;
    std::unique_ptr<CCwt> m_pCwt;             // the wavelet engine and its request
    std::unique_ptr<CWaveletComputation> m_pWaveletComputation; // transforms for the wavelet window
    std::unique_ptr<CCaptureThread> m_pCaptureThread; // while listening
    std::uint64_t m_nCapturedSamples = 0;     // samples handed over by the capture thread so far
    // The newest captured samples, contiguous whatever k is (at most kRecentInputSamples): the
    // pitch over time needs whole frames, also when only every k-th block becomes the analysis block.
    std::vector<double> m_arRecentInput;
    static constexpr std::size_t kRecentInputSamples = 16384;

    static const QString kNoFile; // "Kein File ausgewählt."

protected:
    void ShowMessage(const std::string& strText) override;
    bool AskStereoChannel(const CStereoDialogModel& dialog, bool& bLeft) override;
    void SetWaitCursor(bool bWait) override;
    // With the sound devices open, the buffer plays on the output device.
    HRESULT CreatePlaybackBuffer(std::unique_ptr<CPlaybackBuffer>& pBuffer, const std::string& path) override;

private:
    // What every load does after the loader has finished: flags, arrays, status bar, hint 50.
    void FinishLoad(WaveLoadOutcome outcome, bool bSeries);
    QPointer<CModuleChildFrame>& framePointer(Module module);
    void CloseModuleWindow(Module module);

    CResoniApp& m_app;
    std::vector<IDocObserver*> m_observers;
    int m_nWaitCursorDepth = 0; // wait cursors pushed by the loader and not yet popped
};
