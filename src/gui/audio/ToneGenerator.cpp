#include "ToneGenerator.h"

#include "PlaybackDevice.h"
#include "SinkFeeder.h"

#include <QAudioFormat>

CToneGenerator::CToneGenerator(std::shared_ptr<CPlaybackDevice> device)
    : m_pDevice(std::move(device)), m_queue(kSampleRate)
{
    QAudioFormat format;
    format.setSampleFormat(QAudioFormat::Int16);
    format.setChannelCount(1);
    format.setSampleRate(static_cast<int>(kSampleRate));
    m_pDevice->Run([this, format] {
        m_pFeeder = new CSinkFeeder(
            m_pDevice->device(), format,
            [this](char* dst, std::size_t n) {
                return 2 * m_queue.Render(reinterpret_cast<std::int16_t*>(dst), n / 2);
            },
            nullptr);
    });
}

CToneGenerator::~CToneGenerator()
{
    m_pDevice->Run([this] {
        delete m_pFeeder;
        m_pFeeder = nullptr;
    });
}

bool CToneGenerator::Beep(std::uint32_t dwFreq, std::uint32_t dwDurationMs)
{
    if (!m_queue.Push(dwFreq, dwDurationMs))
        return false;
    // Not waiting: a running feeder picks the tone up by itself, an idle one is started.
    m_pDevice->Post([this] {
        if (m_pFeeder && !m_pFeeder->IsRunning() && m_queue.GetPendingSamples() > 0)
            m_pFeeder->Start();
    });
    return true;
}

bool CToneGenerator::IsBusy() const
{
    return m_queue.GetPendingSamples() > 0 || (m_pFeeder && m_pFeeder->GetUnplayedBytes() > 0);
}

void CToneGenerator::Cancel()
{
    m_queue.Clear();
    m_pDevice->Run([this] {
        if (m_pFeeder)
            m_pFeeder->Stop();
    });
}
