// The one document of the program: format and samples of the loaded or captured audio, the
// analysis block and its spectra, the wavelet result, the colour ramp and one pointer per
// module window. Every change reaches the views as an update hint through IDocObserver.
#pragma once

#include "DocObserver.h"
#include "ModuleWindows.h"

#include "core/common/Rgb.h"
#include "core/spectral/ColourRamp.h"

#include <QPointer>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class CModuleChildFrame;
class CResoniApp;
class CSplitterFrame;

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

class CResoniDoc
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
    // Sends the six status notifications to the main frame: FFT size, file, bits, rate,
    // listening, recording.
    void UpdateStatusBar();
    // The "&FFT" command of "&Einstellungen".
    void OnFFTSettings();

    // Opens the module's window, or closes it when it is open (never a second one).
    void ToggleModuleWindow(Module module);
    CModuleChildFrame* moduleFrame(Module module) const;
    // The check mark of a module toggle; finding the window closed also clears its open flag.
    bool UpdateModuleToggle(Module module);
    // Idle: when a 3D window asked for it, closes the 3D FFT and the reconstruction windows.
    void CloseThreeDViewsIfRequested();

    // Listening and playback as far as other commands must stop and restart them.
    void SwitchListeningOff();
    void StopPlaying();
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
    bool m_bSigned = true;                    // every depth but 8 bits is signed
    int m_nBitsPerSample = 16;
    int m_nPlayBits = 0;
    int m_nPlayRate = 0;                      // bits and rate of the converted playback copy
    double m_dFullScale = 0.0;                // 255, 32767, 8388607 or 2147483647 by depth
    int m_nBlockCounter = 0;                  // captured blocks since the last spectrum
    std::vector<std::uint8_t> m_pWaveData;    // raw PCM of the loaded file, one channel
    std::uint32_t m_nWaveDataBytes = 0;
    std::uint32_t m_nPlayDataBytes = 0;       // bytes of the data being played
    std::array<Rgb, kColourRampSize> m_Palette{};
    bool m_bPaletteBuilt = false;
    int m_nPlayWindowStart = 0;
    int m_nStereoChannel = 1;                 // 1 left ("Links"), 0 right ("Rechts")
    bool m_bStereoFile = false;
    std::vector<std::pair<double, double>> m_arMaxima; // peaks: (Hz, dBr), ascending frequency
    QString m_strHelpFile;
    bool m_bClose3DViews = false;
    // One pointer per module window; null (by QPointer) as soon as the window is gone.
    QPointer<CModuleChildFrame> m_pRekoFrame, m_pZeitreiheFrame, m_pFFTFrame, m_pFFT3DFrame,
        m_pNotenbildFrame, m_pSonoFrame, m_pAnalyseFrame, m_pWaveletFrame;
    QPointer<CSplitterFrame> m_pWaveFrame;    // the waveform window
    int m_nStatusBits = 0;
    QString m_strChannels;                    // "Mono", "Stereo", "?"; empty when nothing is loaded
    QString m_strFormat;                      // "PCM" or "?"; empty when nothing is loaded
    int m_nSampleRate = 0;
    QString m_strWaveFile;
    QString m_strShownFile;
    int m_nFFTSize = 0;
    int m_nSelectionFFTSize = 0;
    int m_nFirstMinLag = 0;

    static const QString kNoFile; // "Kein File ausgewählt."

private:
    QPointer<CModuleChildFrame>& framePointer(Module module);
    void CloseModuleWindow(Module module);

    CResoniApp& m_app;
    std::vector<IDocObserver*> m_observers;
};
