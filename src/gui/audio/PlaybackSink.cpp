#include "PlaybackSink.h"

#include "PlaybackDevice.h"
#include "SinkFeeder.h"

#include "core/audio/PlaybackBuffer.h"

CPlaybackSink::CPlaybackSink(std::shared_ptr<CPlaybackDevice> device, CPlaybackBuffer& buffer,
                             const QAudioFormat& format)
    : m_pDevice(std::move(device)), m_buffer(buffer), m_format(format), m_feeders(buffer.GetNumBuffers(), nullptr)
{
}

CPlaybackSink::~CPlaybackSink()
{
    m_pDevice->Run([this] {
        for (CSinkFeeder*& feeder : m_feeders) {
            delete feeder;
            feeder = nullptr;
        }
    });
}

void CPlaybackSink::Start(unsigned i)
{
    if (i >= m_feeders.size())
        return;
    m_pDevice->Run([this, i] {
        CSinkFeeder*& feeder = m_feeders[i];
        if (!feeder) {
            feeder = new CSinkFeeder(
                m_pDevice->device(), m_format,
                [this, i](char* dst, std::size_t n) {
                    return m_buffer.Render(i, reinterpret_cast<std::uint8_t*>(dst), n);
                },
                [this, i] { m_buffer.MarkLost(i); });
        }
        if (!feeder->Start())
            m_buffer.MarkLost(i);
    });
}

std::size_t CPlaybackSink::Stop(unsigned i)
{
    std::size_t unplayed = 0;
    if (i >= m_feeders.size())
        return 0;
    m_pDevice->Run([this, i, &unplayed] {
        if (m_feeders[i])
            unplayed = m_feeders[i]->Stop();
    });
    return unplayed;
}

std::size_t CPlaybackSink::GetUnplayedBytes(unsigned i) const
{
    // The feeders are created on the output thread; their pointers are read here only after
    // Start has returned (Run waits), so the pointer is stable while the sink exists.
    if (i >= m_feeders.size() || !m_feeders[i])
        return 0;
    return m_feeders[i]->GetUnplayedBytes();
}
