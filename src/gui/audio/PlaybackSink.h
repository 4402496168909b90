// CPlaybackSink is the device side of a CPlaybackBuffer: one sink feeder per buffer on the
// playback device's output thread, rendering from the buffer's play state. The buffer owns it
// and calls it from the user-interface thread; every call is carried out on the output thread.
#pragma once

#include "core/audio/PlaybackOutput.h"

#include <QAudioFormat>

#include <memory>
#include <vector>

class CPlaybackBuffer;
class CPlaybackDevice;
class CSinkFeeder;

class CPlaybackSink : public IPlaybackOutput
{
public:
    CPlaybackSink(std::shared_ptr<CPlaybackDevice> device, CPlaybackBuffer& buffer, const QAudioFormat& format);
    ~CPlaybackSink() override;

    void Start(unsigned i) override;
    std::size_t Stop(unsigned i) override;
    std::size_t GetUnplayedBytes(unsigned i) const override;

private:
    std::shared_ptr<CPlaybackDevice> m_pDevice; // keeps the output thread alive
    CPlaybackBuffer& m_buffer;                  // the owner
    QAudioFormat m_format;
    std::vector<CSinkFeeder*> m_feeders;         // one per buffer, created and deleted on the output thread
};
