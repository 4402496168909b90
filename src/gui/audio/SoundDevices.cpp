#include "SoundDevices.h"

#include "PlaybackDevice.h"
#include "PlaybackManager.h"
#include "QtAudioFormat.h"
#include "SoundCardDlg.h"
#include "ToneGenerator.h"

#include "core/audio/AudioTexts.h"
#include "core/audio/WaveStatus.h"
#include "gui/app/UiDialogs.h"

#include <QGuiApplication>
#include <QMediaDevices>

namespace {

// The device with this identifier among list, or the default device for an empty one; a null
// device when it is not there (unplugged) or there is no device at all.
QAudioDevice FindDevice(const QList<QAudioDevice>& list, const QAudioDevice& fallback, const QByteArray& id)
{
    if (id.isEmpty())
        return fallback;
    for (const QAudioDevice& d : list)
        if (d.id() == id)
            return d;
    return {};
}

std::vector<SoundDeviceInfo> Describe(const QList<QAudioDevice>& list, const char* defaultName)
{
    std::vector<SoundDeviceInfo> out{{std::string(), defaultName}};
    for (const QAudioDevice& d : list)
        out.push_back({d.id().toStdString(), d.description().toStdString()});
    return out;
}

} // namespace

CSoundDevices::CSoundDevices(Message message) : m_message(std::move(message)) {}

CSoundDevices::~CSoundDevices()
{
    ReleaseSoundDevices();
}

int CSoundDevices::InitSoundDevices()
{
    m_nPrimaryFormat = -1;
    int primary = -1;
    const int result = ::InitSoundDevices(
        *this,
        [this](const std::string& text) {
            if (m_message)
                m_message(QString::fromStdString(text));
        },
        &primary);
    if (result == 0)
        m_nPrimaryFormat = primary;
    return result;
}

void CSoundDevices::ReleaseSoundDevices()
{
    ReleaseDevices();
}

int CSoundDevices::SetPrimaryBufferFormat(int nChannels, std::uint32_t nSamplesPerSec, int nBitsPerSample)
{
    return SetPrimaryBufferFormat(MakePcmFormat(static_cast<std::uint16_t>(nChannels), nSamplesPerSec,
                                                static_cast<std::uint16_t>(nBitsPerSample)));
}

void CSoundDevices::ScanAvailableInputFormats(CandidateSupport& supported)
{
    const bool gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
    if (gui)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    ::ScanAvailableInputFormats(*this, supported);
    if (gui)
        QGuiApplication::restoreOverrideCursor();
}

void CSoundDevices::SetDeviceIds(const QByteArray& captureId, const QByteArray& playbackId)
{
    m_captureId = captureId;
    m_playbackId = playbackId;
}

std::vector<SoundDeviceInfo> CSoundDevices::EnumerateCaptureDevices()
{
    return Describe(QMediaDevices::audioInputs(), AudioText::kDefaultCaptureDevice);
}

std::vector<SoundDeviceInfo> CSoundDevices::EnumerateOutputDevices()
{
    return Describe(QMediaDevices::audioOutputs(), AudioText::kDefaultPlaybackDevice);
}

std::optional<SoundDeviceChoice> CSoundDevices::ChooseDevices(IUiDialogs& dialogs, QWidget* parent)
{
    // The table is filled afresh on every opening; the limit of 20 holds per opening.
    m_idTable.Reset();
    const std::vector<SoundDeviceInfo> captures = m_idTable.List(EnumerateCaptureDevices());
    const std::vector<SoundDeviceInfo> outputs = m_idTable.List(EnumerateOutputDevices());
    CSoundCardDlg dialog(captures, outputs, parent);
    if (dialogs.execDialog(dialog) != QDialog::Accepted)
        return std::nullopt;
    return SoundDeviceChoice{dialog.selectedCapture(), dialog.selectedOutput()};
}

void CSoundDevices::Beep(std::uint32_t dwFreq, std::uint32_t dwDurationMs)
{
    if (m_pTones)
        m_pTones->Beep(dwFreq, dwDurationMs);
}

void CSoundDevices::ReleaseDevices()
{
    m_primaryFormat.reset();
    m_captureDevice = QAudioDevice();
    m_pTones.reset();
    m_pSoundManager.reset();
    // Buffers made before may still hold the device; its thread ends with the last of them.
    m_pDirectSound.reset();
}

bool CSoundDevices::AudioServerAnswers()
{
    return !QMediaDevices::audioOutputs().isEmpty() || !QMediaDevices::audioInputs().isEmpty();
}

bool CSoundDevices::CreatePlaybackDevice()
{
    const QAudioDevice device =
        FindDevice(QMediaDevices::audioOutputs(), QMediaDevices::defaultAudioOutput(), m_playbackId);
    if (device.isNull())
        return false;
    m_pDirectSound = std::make_shared<CPlaybackDevice>(device);
    return true;
}

bool CSoundDevices::CreateCaptureDevice()
{
    m_captureDevice = FindDevice(QMediaDevices::audioInputs(), QMediaDevices::defaultAudioInput(), m_captureId);
    return !m_captureDevice.isNull();
}

bool CSoundDevices::SetCooperativeLevel()
{
    // The audio server shares the device among programs; there is nothing to claim, only the
    // device must be there.
    return m_pDirectSound != nullptr;
}

int CSoundDevices::SetPrimaryBufferFormat(const WaveFormat& format)
{
    if (!m_pDirectSound)
        return CO_E_NOTINITIALIZED;
    m_primaryFormat.reset();
    const QAudioFormat q = ToQAudioFormat(format);
    if (!q.isValid() || !m_pDirectSound->device().isFormatSupported(q))
        return 1;
    m_primaryFormat = format;
    return 0;
}

void CSoundDevices::ReleasePrimaryBuffer()
{
    m_primaryFormat.reset();
}

void CSoundDevices::CreatePlaybackManager()
{
    m_pSoundManager = std::make_unique<CPlaybackManager>(m_pDirectSound);
    m_pTones = std::make_unique<CToneGenerator>(m_pDirectSound);
}

bool CSoundDevices::CanCaptureFormat(const WaveFormat& format)
{
    const QAudioFormat q = ToQAudioFormat(format);
    return !m_captureDevice.isNull() && q.isValid() && m_captureDevice.isFormatSupported(q);
}
