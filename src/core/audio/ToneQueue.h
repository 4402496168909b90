// CToneQueue holds the beeps waiting to be played and renders them one after another, without
// gaps, as 16-bit mono sine tones. The user-interface thread pushes, the output thread
// renders; a mutex guards the queue.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>

class CToneQueue
{
public:
    // Beeps outside this range are refused, as the system's beep refuses them (Hz).
    static constexpr std::uint32_t kMinFrequency = 37;
    static constexpr std::uint32_t kMaxFrequency = 32767;
    static constexpr double kAmplitude = 16384.0;   // half of 16-bit full scale
    static constexpr double kFadeSeconds = 0.005;   // raised-cosine fade in and out, against clicks

    explicit CToneQueue(std::uint32_t nSampleRate);

    // Queues a tone of dwFreq Hz lasting dwDurationMs: trunc(dwDurationMs · rate / 1000) samples
    // s[n] = kAmplitude · w(n) · sin(2π · dwFreq · n / rate), w fading in and out over
    // min(kFadeSeconds · rate, length / 2) samples. A frequency at or above rate / 2 cannot
    // be represented and sounds as silence of the same length. False (nothing queued) for a
    // frequency outside kMinFrequency ... kMaxFrequency.
    bool Push(std::uint32_t dwFreq, std::uint32_t dwDurationMs);

    // Writes up to nSamples samples of the queued tones into pDst, one tone after another;
    // returns how many (fewer when the queue runs empty).
    std::size_t Render(std::int16_t* pDst, std::size_t nSamples);

    std::size_t GetPendingSamples() const; // samples still to render
    void Clear();
    std::uint32_t GetSampleRate() const { return m_nSampleRate; }

private:
    struct Tone
    {
        std::uint32_t freq = 0;
        std::size_t length = 0;  // samples
        std::size_t done = 0;    // samples rendered
    };

    const std::uint32_t m_nSampleRate;
    mutable std::mutex m_mutex;
    std::deque<Tone> m_tones;
};
