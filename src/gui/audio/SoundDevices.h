// CSoundDevices opens and releases the program's one playback and one capture device (the
// default devices or the ones chosen in "Soundkarteneinstellungen"), probes the primary
// format, scans which candidate formats the capture device takes, and holds the playback
// manager and the tone generator. The application owns it; everything here runs on the
// user-interface thread.
#pragma once

#include "core/audio/CaptureFormats.h"
#include "core/audio/DeviceIdTable.h"
#include "core/audio/SoundDeviceSetup.h"

#include <QAudioDevice>
#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class CPlaybackDevice;
class CPlaybackManager;
class CToneGenerator;
class IUiDialogs;
class QWidget;

// What "OK" in "Soundkarteneinstellungen" returns: identifier (empty = system default) and
// description of each device.
struct SoundDeviceChoice
{
    SoundDeviceInfo capture;
    SoundDeviceInfo playback;
};

class CSoundDevices : private ISoundDeviceBackend
{
public:
    // Shows a message to the user (a message box with exactly this text).
    using Message = std::function<void(const QString& text)>;

    explicit CSoundDevices(Message message);
    ~CSoundDevices() override;
    CSoundDevices(const CSoundDevices&) = delete;
    CSoundDevices& operator=(const CSoundDevices&) = delete;

    // 0 success, 1 failure after the message of the failed step ("FAIL: ... in
    // InitSoundDevices"). Opens the chosen devices; the primary format becomes the
    // highest-numbered candidate the playback device accepts.
    int InitSoundDevices();
    // Releases the primary buffer, the capture device and the playback objects.
    void ReleaseSoundDevices();
    // 0 accepted, 1 refused, CO_E_NOTINITIALIZED without a playback device. Accepted, the
    // format is kept as the primary format.
    int SetPrimaryBufferFormat(int nChannels, std::uint32_t nSamplesPerSec, int nBitsPerSample);
    // supported[i] = whether the capture device accepts candidate i (all false without one).
    // Shows the wait cursor while it runs.
    void ScanAvailableInputFormats(CandidateSupport& supported);

    // The chosen devices' identifiers (empty = the system default), used by the next
    // InitSoundDevices.
    void SetDeviceIds(const QByteArray& captureId, const QByteArray& playbackId);
    const QByteArray& captureId() const { return m_captureId; }
    const QByteArray& playbackId() const { return m_playbackId; }

    // The devices as the lists show them: the default device first ("Primärer
    // Soundaufnahmetreiber", "Primärer Soundtreiber", no identifier), then every device.
    // False when the system lists no audio device at all: no audio server (PulseAudio or
    // PipeWire) answers.
    static bool AudioServerAnswers();
    static std::vector<SoundDeviceInfo> EnumerateCaptureDevices();
    static std::vector<SoundDeviceInfo> EnumerateOutputDevices();
    // "Soundkarteneinstellungen": fills both lists (capture devices first, together at most 20
    // with an identifier), runs the dialog through dialogs; the choice on "OK", nothing on
    // "Abbrechen". Opening the devices is the caller's next step.
    std::optional<SoundDeviceChoice> ChooseDevices(IUiDialogs& dialogs, QWidget* parent = nullptr);

    bool IsOpen() const { return m_pSoundManager != nullptr; }
    const QAudioDevice& captureDevice() const { return m_captureDevice; } // null when not open
    CPlaybackManager* playbackManager() const { return m_pSoundManager.get(); }
    CToneGenerator* toneGenerator() const { return m_pTones.get(); }
    // The primary format after a successful InitSoundDevices (candidate number), -1 before.
    int primaryFormat() const { return m_nPrimaryFormat; }

    // A tone of dwFreq Hz for dwDurationMs ms, queued behind the tones still sounding; does
    // nothing while the devices are not open.
    void Beep(std::uint32_t dwFreq, std::uint32_t dwDurationMs);

private:
    // ISoundDeviceBackend
    void ReleaseDevices() override;
    bool CreatePlaybackDevice() override;
    bool CreateCaptureDevice() override;
    bool SetCooperativeLevel() override;
    int SetPrimaryBufferFormat(const WaveFormat& format) override;
    void ReleasePrimaryBuffer() override;
    void CreatePlaybackManager() override;
    bool CanCaptureFormat(const WaveFormat& format) override;

    Message m_message;
    QByteArray m_captureId, m_playbackId;          // empty: system default
    std::shared_ptr<CPlaybackDevice> m_pDirectSound; // the playback device and its output thread
    QAudioDevice m_captureDevice;                    // the capture device
    std::optional<WaveFormat> m_primaryFormat;       // the primary buffer's format while it exists
    std::unique_ptr<CPlaybackManager> m_pSoundManager;
    std::unique_ptr<CToneGenerator> m_pTones;
    CDeviceIdTable m_idTable;
    int m_nPrimaryFormat = -1;
};
