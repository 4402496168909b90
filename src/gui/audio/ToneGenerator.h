// CToneGenerator plays beeps: sine tones of a given frequency and length on the playback
// device, queued one after another. Beep returns at once; the tones sound on the output
// thread while the user-interface thread goes on.
#pragma once

#include "core/audio/ToneQueue.h"

#include <cstdint>
#include <memory>

class CPlaybackDevice;
class CSinkFeeder;

class CToneGenerator
{
public:
    static constexpr std::uint32_t kSampleRate = 48000; // 16-bit mono

    explicit CToneGenerator(std::shared_ptr<CPlaybackDevice> device);
    ~CToneGenerator();
    CToneGenerator(const CToneGenerator&) = delete;
    CToneGenerator& operator=(const CToneGenerator&) = delete;

    // Queues a tone of dwFreq Hz for dwDurationMs ms behind those still playing. False (nothing
    // queued) for a frequency outside 37 ... 32767 Hz.
    bool Beep(std::uint32_t dwFreq, std::uint32_t dwDurationMs);
    // Whether tones are queued or still sounding.
    bool IsBusy() const;
    // Drops every queued tone and silences the one sounding.
    void Cancel();

private:
    std::shared_ptr<CPlaybackDevice> m_pDevice;
    CToneQueue m_queue;
    CSinkFeeder* m_pFeeder = nullptr; // lives on the output thread; made and deleted there
};
