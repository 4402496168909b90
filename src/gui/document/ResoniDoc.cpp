#include "ResoniDoc.h"

#include "FFTSettingsDlg.h"
#include "GlobalFlags.h"
#include "UpdateHints.h"

#include "gui/app/MainFrame.h"
#include "gui/audio/CaptureThread.h"
#include "gui/audio/PlaybackManager.h"
#include "gui/audio/SoundDevices.h"
#include "gui/audio/WaveFormatDlg.h"
#include "gui/app/ModuleChildFrame.h"
#include "gui/app/ResoniApp.h"
#include "gui/nonlinear/AnalyseFrame.h"
#include "gui/spectral/FFTFrame.h"
#include "gui/spectral/FFTView.h"
#include "gui/spectral/SonoFrame.h"
#include "gui/waveform/ResoniOverView.h"
#include "gui/waveform/SplitterFrame.h"
#include "gui/wavelet/WaveletComputation.h"

#include "StereoDlg.h"

#include "core/audio/CaptureFormats.h"
#include "core/audio/SoundConversion.h"
#include "core/spectral/FrameRules.h"
#include "core/spectral/FrameSpectrum.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QTimer>

#include <algorithm>

const QString CResoniDoc::kNoFile = QStringLiteral("Kein File ausgewählt.");

namespace {

// 8-bit samples are unsigned around 128; the autocorrelation is taken around that centre.
double SampleCentre(int nBitsPerSample)
{
    return nBitsPerSample == 8 ? 128.0 : 0.0;
}

// The loader works with file names as the operating system spells them.
std::string localPath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

WaveFormat captureFormat(const PcmWaveFormat& f)
{
    return MakePcmFormat(f.channels, f.samplesPerSec, f.bitsPerSample);
}

// Listening needs the capture device, which start-up opens; a test may run without.
constexpr const char* kNoCaptureDevice = "Es ist kein Aufnahmegerät geöffnet.";

} // namespace

// Without its own folder (the temporary folder not writable) the loader is pointed at one that
// does not exist, so every working copy fails with a message instead of landing elsewhere.
CResoniDoc::CResoniDoc(CResoniApp& app)
    : CWaveLoader(localPath(m_WorkingDir.isValid() ? m_WorkingDir.path()
                                                   : QDir::tempPath() + QStringLiteral("/resoni-XXXXXX"))),
      m_app(app)
{
    m_strHelpFile = QCoreApplication::applicationDirPath() + QStringLiteral("/help/html");
}

CResoniDoc::~CResoniDoc()
{
    // The next document (and the last-used profile) start from this one's FFT size and file.
    m_app.m_nDefaultFFTSize = m_nFFTSize;
    m_app.m_strLastWaveFile = waveFileName();
    if (g_bWaveLoaded)
        RemoveWave();
    if (g_bListening)
        SwitchListeningOff();
}

bool CResoniDoc::OnNewDocument()
{
    m_bClose3DViews = false;
    m_Palette = buildColourRamp();
    m_bPaletteBuilt = true;

    m_nWaveDataBytes = 0;
    m_pPlayBuffer.reset();
    m_arSeries.assign(1, 0.0);
    m_arWavelet.assign(1, 0.0f);
    m_arSignal.assign(1, 0.0);
    m_arSpectrum.assign(1, 0.0);
    m_arSpare.assign(1, 0.0);
    m_arAutoCorr.clear(); // stays without elements until the first DeleteContents

    m_dFullScale = 0.0;
    m_nFFTSize = m_app.m_nDefaultFFTSize;
    m_strWaveFile = m_app.m_strLastWaveFile.toStdString();

    m_nBitsPerSample = 16;
    m_nBlockCounter = 0;
    m_pWaveFormat = std::make_unique<PcmWaveFormat>(); // PCM, 6 channels: no capture format chosen yet

    m_nStatusBits = 0;
    m_strChannels.clear();
    m_strFormat.clear();
    m_nSampleRate = 0;
    m_strShownFile = kNoFile;
    m_nPlayBits = 0;
    m_nPlayRate = 0;
    m_nSelectionFFTSize = 0;

    UpdateStatusBar();

    m_bStereoFile = false;
    m_nStereoChannel = 1;
    m_nFirstMinLag = 0;
    m_pCwt = std::make_unique<CCwt>();
    m_pWaveletComputation = std::make_unique<CWaveletComputation>(*this);
    return true;
}

void CResoniDoc::DeleteContents()
{
    m_arWavelet.assign(1, 0.0f);
    m_arSeries.assign(1, 0.0);
    m_arSignal.assign(1, 0.0);
    m_arSpectrum.assign(1, 0.0);
    m_arAutoCorr.assign(1, 0.0);
}

void CResoniDoc::OnClearCaptures()
{
    DeleteContents();
    UpdateAllViews(UpdateHint::kRefresh);
}

void CResoniDoc::RemoveWave()
{
    // A file taken away while it plays is over: nothing resumes it later.
    if (m_pPlayBuffer && m_pPlayBuffer->IsSoundPlaying())
        m_pPlayBuffer->Stop();
    g_bPlaying = false;
    UpdateAllViews(UpdateHint::kPlaybackStopped);
    g_bWaveLoaded = false;
    DeleteContents();
    m_nSelectionFFTSize = 0;
    RemoveWaveData(); // format, file name, raw data, playback buffer
    m_strShownFile = kNoFile;
    m_nFFTSize = m_app.m_nDefaultFFTSize;
    g_bPlayCopyResampled = false;
    UpdateStatusBar();
    UpdateAllViews(UpdateHint::kRefresh);
}

void CResoniDoc::PrepareForNewFile()
{
    DeleteContents();
    if (g_bWaveLoaded) {
        if (g_bPlaying)
            StopPlaying();
        RemoveWave();
    }
}

void CResoniDoc::OnOpenWave()
{
    PrepareForNewFile();
    const QString path = m_app.dialogs().openFileName(QString::fromUtf8(WaveText::kOpenWaveTitle),
                                                      FileFiltersFromList(WaveText::kOpenWaveFilter), 0, QString());
    if (path.isEmpty())
        return;
    OpenWaveFile(path);
}

void CResoniDoc::OpenWaveFile(const QString& path)
{
    m_strWaveFile = localPath(path);
    FinishLoad(LoadWaveFile(m_strWaveFile), false);
}

void CResoniDoc::OnImportTimeSeries()
{
    PrepareForNewFile();
    const QString path = m_app.dialogs().openFileName(QString::fromUtf8(WaveText::kOpenSeriesTitle),
                                                      FileFiltersFromList(WaveText::kOpenSeriesFilter),
                                                      WaveText::kOpenSeriesFilterIndex, QString());
    if (path.isEmpty())
        return;
    FinishLoad(ImportTimeSeries(localPath(path)), true);
}

void CResoniDoc::FinishLoad(WaveLoadOutcome outcome, bool bSeries)
{
    SetWaitCursor(false); // an import leaves its wait cursor to the caller
    g_bWaveLoaded = m_bWaveLoaded;
    g_bPlayCopyResampled = m_bPlayCopyResampled;
    switch (outcome) {
    case WaveLoadOutcome::ReadFailed:
        return; // nothing was read: the document keeps its arrays and shows "Kein File ausgewählt."
    case WaveLoadOutcome::Failed:
        m_arSeries.assign(1, 0.0);
        break;
    case WaveLoadOutcome::Loaded:
        m_arSeries.clear();
        // The FFT view's floor follows the resolution (−96 dBr for 16 bits); a series shows up
        // to half its rate (22 kHz).
        if (auto* fft = qobject_cast<CFFTFrame*>(m_pFFTFrame.data())) {
            FFTPlotModel& model = fft->fftView()->model();
            model.setBottomCutAmp(-6 * m_nBitsPerSample);
            if (bSeries)
                model.setTopCutkHz(static_cast<int>(m_nSampleRate / 2000));
            fft->SyncControls();
        }
        if (auto* sono = qobject_cast<CSonoFrame*>(m_pSonoFrame.data()); sono && bSeries)
            sono->SetTopCutkHz(static_cast<int>(m_nSampleRate / 2000));
        break;
    }
    UpdateStatusBar();
    UpdateAllViews(UpdateHint::kRefresh);
}

void CResoniDoc::ShowMessage(const std::string& strText)
{
    // The wait cursor of a running load must not hide the pointer over the message box.
    if (m_nWaitCursorDepth > 0)
        QApplication::restoreOverrideCursor();
    m_app.dialogs().messageBox(QString::fromStdString(strText));
    if (m_nWaitCursorDepth > 0)
        QApplication::setOverrideCursor(Qt::WaitCursor);
}

bool CResoniDoc::AskStereoChannel(const CStereoDialogModel& dialog, bool& bLeft)
{
    if (m_nWaitCursorDepth > 0)
        QApplication::restoreOverrideCursor();
    CStereoDlg dlg(dialog, m_app.mainFrame());
    const bool accepted = m_app.dialogs().execDialog(dlg) == QDialog::Accepted;
    if (m_nWaitCursorDepth > 0)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    bLeft = dlg.leftChecked();
    return accepted;
}

void CResoniDoc::SetWaitCursor(bool bWait)
{
    if (bWait) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++m_nWaitCursorDepth;
    } else {
        // The loader asks for the normal cursor once at the end; every wait cursor it pushed
        // goes then.
        while (m_nWaitCursorDepth > 0) {
            QApplication::restoreOverrideCursor();
            --m_nWaitCursorDepth;
        }
    }
}

void CResoniDoc::OnSelectionChanged(long long first, long long end)
{
    SetWaitCursor(true);
    DeleteContents();
    UpdateAllViews(UpdateHint::kSelection);
    if (g_bWaveLoaded && m_pWaveData) {
        const WaveSamples wave = samples();
        if (!wave.eightBit())
            first &= ~1LL;
        first = std::clamp(first, 0LL, static_cast<long long>(wave.count()));
        end = std::clamp(end, first, static_cast<long long>(wave.count()));
        const auto count = static_cast<std::size_t>(end - first);
        if (count > 0) {
            m_arSignal.resize(count);
            for (std::size_t i = 0; i < count; ++i)
                m_arSignal[i] = wave.raw(static_cast<std::size_t>(first) + i);
            g_bSelectionFFT = true;
            m_nSelectionFFTSize = SelectionFFTSize(static_cast<std::int64_t>(count));
            if (m_pFFTFrame || m_pSonoFrame || m_pNotenbildFrame || m_pZeitreiheFrame)
                ComputeFrameSpectrum(m_arSignal, m_nSelectionFFTSize, m_arSpectrum, m_arAutoCorr, m_nFirstMinLag,
                                     SampleCentre(m_nBitsPerSample));
            if (m_pWaveletFrame && m_nSampleRate > 0) // on a worker thread; the result comes back later
                m_pWaveletComputation->Start(m_arSignal, static_cast<int>(m_nSampleRate));
        } else {
            m_nSelectionFFTSize = 0;
        }
        CAnalyseFrame::TakeSelectionLength(m_pAnalyseFrame, m_arSignal.size());
    }
    UpdateAllViews(UpdateHint::kSelection);
    SetWaitCursor(false);
}

void CResoniDoc::OnCaptureBlock(std::span<const double> block)
{
    m_nCapturedSamples += block.size();
    m_arRecentInput.insert(m_arRecentInput.end(), block.begin(), block.end());
    if (m_arRecentInput.size() > kRecentInputSamples)
        m_arRecentInput.erase(m_arRecentInput.begin(), m_arRecentInput.end() - kRecentInputSamples);
    const int rate = m_pWaveFormat ? static_cast<int>(m_pWaveFormat->samplesPerSec) : 0;
    if (!CountCaptureBlock(m_nBlockCounter, rate, m_nFFTSize))
        return;
    m_arSignal.assign(block.begin(), block.end());
    // The live source is shown by the name of its record file.
    if (m_pCaptureThread && !m_pCaptureThread->recorder().GetRecordFile().empty())
        m_strShownFile = QString::fromStdString(m_pCaptureThread->recorder().GetRecordFile());
    ComputeFrameSpectrum(m_arSignal, m_nFFTSize, m_arSpectrum, m_arAutoCorr, m_nFirstMinLag,
                         SampleCentre(m_pWaveFormat ? m_pWaveFormat->bitsPerSample : 16));
    UpdateAllViews(UpdateHint::kNewBlock);
}

void CResoniDoc::ShowPlayWindow(std::int64_t nBytePosition)
{
    if (!m_pWaveData)
        return;
    const WaveSamples wave = samples();
    const std::optional<std::int64_t> start =
        PlayWindowStart(nBytePosition, m_nBitsPerSample, g_bPlayCopyResampled, static_cast<int>(m_nSampleRate),
                        static_cast<int>(m_nPlayRate), static_cast<std::int64_t>(wave.count()));
    if (!start)
        return;
    CopyFrameSamples(m_pWaveData.get(), m_nWaveDataBytes, m_nBitsPerSample, *start, kPlayWindowSamples, m_arSignal);
    ComputeFrameSpectrum(m_arSignal, m_nFFTSize, m_arSpectrum, m_arAutoCorr, m_nFirstMinLag,
                         SampleCentre(m_nBitsPerSample));
    m_nPlayWindowStart = static_cast<int>(*start);
    UpdateAllViews(UpdateHint::kNewBlock);
}

std::optional<std::size_t> CResoniDoc::PlayCursor() const
{
    if (!g_bPlaying || !m_pPlayBuffer || !m_pPlayBuffer->IsSoundPlaying())
        return std::nullopt;
    std::size_t position = 0;
    if (FAILED(m_pPlayBuffer->GetCurrentPosition(0, &position)))
        return std::nullopt;
    return position;
}

void CResoniDoc::SetPlayPosition(std::size_t bytes)
{
    if (m_pPlayBuffer && bytes < m_pPlayBuffer->GetBufferSize())
        m_pPlayBuffer->SetCurrentPosition(0, bytes);
}

void CResoniDoc::UpdateStatusBar()
{
    CMainFrame* frame = m_app.mainFrame();
    if (!frame)
        return;
    frame->OnStatusFFTSize(m_nFFTSize);
    frame->OnStatusFile();
    frame->OnStatusBits(m_nStatusBits);
    frame->OnStatusRate(m_nSampleRate);
    frame->OnStatusListening();
    frame->OnStatusRecording();
    const bool bConverted = g_bWaveLoaded && !m_strConversion.empty();
    frame->OnStatusConversion(
        bConverted ? QString::fromStdString(ConversionStatusLine(m_strConversion, m_nClippedSamples)) : QString(),
        bConverted ? QString::fromStdString(m_strConversion) : QString());
}

void CResoniDoc::OnFFTSettings()
{
    if (g_bListening)
        SwitchListeningOff();
    bool bWasPlaying = false;
    if (g_bPlaying) {
        StopPlaying();
        bWasPlaying = true;
    }
    CFFTSettingsDlg dlg(m_nFFTSize, m_app.mainFrame());
    if (m_app.dialogs().execDialog(dlg) == QDialog::Accepted) {
        m_nFFTSize = dlg.chosenSize();
        if (CMainFrame* frame = m_app.mainFrame())
            frame->OnStatusFFTSize(m_nFFTSize);
    }
    DeleteContents();
    if (bWasPlaying)
        StartPlaying(false); // resumes without looping, whatever "Loop Playing" says
    UpdateStatusBar();
    UpdateAllViews(UpdateHint::kRefresh);
}

void CResoniDoc::ToggleListening()
{
    if (g_bWaveLoaded)
        RemoveWave();
    if (g_bListening) {
        SwitchListeningOff();
        return;
    }
    m_nSelectionFFTSize = 0;
    if (m_pWaveFormat->channels > 5 && OnWaveFormat() != 0)
        return; // no capture format chosen
    CSoundDevices* devices = m_app.soundDevices();
    if (!devices || !devices->IsOpen()) {
        m_app.dialogs().messageBox(QString::fromUtf8(kNoCaptureDevice));
        return;
    }
    g_bListening = true;
    m_nBlockCounter = 0;
    CCaptureThread::Callbacks callbacks;
    callbacks.onBlock = [this](std::span<const double> block) { OnCaptureBlock(block); };
    callbacks.onEnded = [this](const QString& message) {
        if (!message.isEmpty())
            m_app.dialogs().messageBox(message);
        // The thread has ended by itself; it is released once this call has returned.
        g_bListening = false;
        g_bRecording = false;
        QTimer::singleShot(0, m_app.mainFrame(), [this] {
            if (!g_bListening)
                m_pCaptureThread.reset();
        });
        UpdateStatusBar();
        UpdateAllViews(UpdateHint::kRefresh);
    };
    callbacks.onRecordingEnded = [this](const QString& message) {
        g_bRecording = false; // the file is complete; listening goes on
        UpdateStatusBar();
        m_app.dialogs().messageBox(message);
    };
    m_pCaptureThread = std::make_unique<CCaptureThread>(devices->captureDevice(), captureFormat(*m_pWaveFormat),
                                                        m_nFFTSize, m_strShownFile, std::move(callbacks),
                                                        m_nMaxRecordBytes);
    m_pCaptureThread->Start();
    if (auto* fft = qobject_cast<CFFTFrame*>(m_pFFTFrame.data())) {
        fft->fftView()->model().setBottomCutAmp(-6 * m_nBitsPerSample);
        fft->SyncControls();
    }
    UpdateStatusBar();
    UpdateAllViews(UpdateHint::kRefresh);
}

void CResoniDoc::SwitchListeningOff()
{
    // Ending listening also ends a recording (its file is completed).
    if (g_bRecording)
        StopRecording();
    g_bListening = false;
    if (m_pCaptureThread) {
        m_pCaptureThread->Stop();
        m_pCaptureThread.reset();
    }
    g_bRecording = false;
    m_nBlockCounter = 0;
    UpdateStatusBar();
    UpdateAllViews(UpdateHint::kRefresh);
}

int CResoniDoc::OnWaveFormat()
{
    if (g_bListening)
        SwitchListeningOff();
    CandidateSupport supported{};
    if (CSoundDevices* devices = m_app.soundDevices())
        devices->ScanAvailableInputFormats(supported);
    const std::optional<int> chosen = CWaveFormatDlg::Choose(m_app.dialogs(), supported, m_app.mainFrame());
    if (!chosen)
        return 1;
    WaveFormat format;
    MakeCandidateFormat(*chosen, format);
    *m_pWaveFormat = {format.wFormatTag, format.nChannels, format.nSamplesPerSec, format.nAvgBytesPerSec,
                      format.nBlockAlign, format.wBitsPerSample, 0};
    m_bSigned = format.wBitsPerSample != 8;
    m_nBitsPerSample = format.wBitsPerSample;
    m_dFullScale = format.wBitsPerSample == 8 ? 255.0 : 32767.0;
    m_strChannels = WaveText::kMono;
    m_strFormat = WaveText::kPcm;
    m_nSampleRate = format.nSamplesPerSec;
    m_nStatusBits = format.wBitsPerSample;
    UpdateAllViews(UpdateHint::kRefresh);
    UpdateStatusBar();
    return 0;
}

void CResoniDoc::OnRecord()
{
    if (!g_bListening || !m_pCaptureThread)
        return;
    g_bSelectionFFT = false;
    g_bRecording = m_pCaptureThread->StartRecording(m_app.dialogs());
    UpdateStatusBar();
}

void CResoniDoc::StopRecording()
{
    g_bRecording = false;
    if (m_pCaptureThread)
        m_pCaptureThread->StopRecording(); // completes and closes the record file
    UpdateStatusBar();
}

void CResoniDoc::OnPlay()
{
    if (!m_pPlayBuffer)
        return;
    m_nSelectionFFTSize = 0;
    m_pPlayBuffer->Play(0, g_bLoopPlay ? DSBPLAY_LOOPING : 0);
    if (CSplitterFrame* wave = m_pWaveFrame) {
        m_app.mainFrame()->mdiArea()->setActiveSubWindow(wave);
        wave->overView()->setFocus();
    }
    if (auto* fft = qobject_cast<CFFTFrame*>(m_pFFTFrame.data()))
        fft->currentFFT()->setText(QString::number(m_nFFTSize));
    g_bPlaying = true;
    g_bSelectionFFT = false;
    UpdateAllViews(UpdateHint::kPlaybackStarted);
}

void CResoniDoc::OnStopPlay()
{
    if (m_pPlayBuffer && m_pPlayBuffer->IsSoundPlaying())
        m_pPlayBuffer->Stop(); // the position stays: the next "Play Wave" resumes there
    g_bPlaying = false;
    UpdateAllViews(UpdateHint::kPlaybackStopped);
}

void CResoniDoc::OnLoopPlay()
{
    g_bLoopPlay = !g_bLoopPlay; // takes effect at the next "Play Wave"
}

void CResoniDoc::StartPlaying(bool bLoop)
{
    const bool loop = g_bLoopPlay;
    g_bLoopPlay = bLoop;
    OnPlay();
    g_bLoopPlay = loop;
}

HRESULT CResoniDoc::CreatePlaybackBuffer(std::unique_ptr<CPlaybackBuffer>& pBuffer, const std::string& path)
{
    CSoundDevices* devices = m_app.soundDevices();
    if (devices && devices->playbackManager())
        return devices->playbackManager()->Create(&pBuffer, path, 0, 1);
    return CWaveLoader::CreatePlaybackBuffer(pBuffer, path); // no device: the data alone
}

QPointer<CModuleChildFrame>& CResoniDoc::framePointer(Module module)
{
    switch (module) {
    case Module::Zeitreihe: return m_pZeitreiheFrame;
    case Module::FFT: return m_pFFTFrame;
    case Module::FFT3D: return m_pFFT3DFrame;
    case Module::Notenbild: return m_pNotenbildFrame;
    case Module::Sono: return m_pSonoFrame;
    case Module::Reko: return m_pRekoFrame;
    case Module::Analyse: return m_pAnalyseFrame;
    case Module::Wavelet: break;
    }
    return m_pWaveletFrame;
}

CModuleChildFrame* CResoniDoc::moduleFrame(Module module) const
{
    return const_cast<CResoniDoc*>(this)->framePointer(module).data();
}

void CResoniDoc::ToggleModuleWindow(Module module)
{
    QPointer<CModuleChildFrame>& frame = framePointer(module);
    if (frame) {
        CloseModuleWindow(module);
        return;
    }
    if (module == Module::FFT3D || module == Module::Reko)
        m_bClose3DViews = false;
    CMainFrame* main = m_app.mainFrame();
    if (!main)
        return; // nothing to hold the window: the command can be repeated later
    CModuleChildFrame* created = moduleInfo(module).create(*this);
    main->mdiArea()->addSubWindow(created);
    created->show();
    created->RestorePlacement(); // the MDI area places new windows by its own rule first
    frame = created;
    m_app.moduleOpenFlag(module) = 1;
}

void CResoniDoc::CloseModuleWindow(Module module)
{
    QPointer<CModuleChildFrame>& frame = framePointer(module);
    delete frame.data(); // the pointer becomes null with the window
    m_app.moduleOpenFlag(module) = 0;
}

bool CResoniDoc::IsModuleOpen(Module module) const
{
    return !const_cast<CResoniDoc*>(this)->framePointer(module).isNull();
}

bool CResoniDoc::UpdateModuleToggle(Module module)
{
    const bool open = !framePointer(module).isNull();
    if (!open)
        m_app.moduleOpenFlag(module) = 0;
    return open;
}

void CResoniDoc::CloseThreeDViewsIfRequested()
{
    if (!m_bClose3DViews)
        return;
    for (Module m : {Module::FFT3D, Module::Reko})
        if (framePointer(m))
            CloseModuleWindow(m);
}

void CResoniDoc::AddObserver(IDocObserver* observer)
{
    if (std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end())
        m_observers.push_back(observer);
}

void CResoniDoc::RemoveObserver(IDocObserver* observer)
{
    m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), observer), m_observers.end());
}

void CResoniDoc::UpdateAllViews(int hint)
{
    const std::vector<IDocObserver*> observers = m_observers; // a view may go away while told
    for (IDocObserver* o : observers)
        if (std::find(m_observers.begin(), m_observers.end(), o) != m_observers.end())
            o->OnUpdate(hint);
}
