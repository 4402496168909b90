#include "core/audio/ToneQueue.h"

#include <algorithm>
#include <cmath>
#include <numbers>

CToneQueue::CToneQueue(std::uint32_t nSampleRate) : m_nSampleRate(nSampleRate) {}

bool CToneQueue::Push(std::uint32_t dwFreq, std::uint32_t dwDurationMs)
{
    if (dwFreq < kMinFrequency || dwFreq > kMaxFrequency)
        return false;
    Tone tone;
    tone.freq = dwFreq;
    tone.length = static_cast<std::size_t>(static_cast<std::uint64_t>(dwDurationMs) * m_nSampleRate / 1000);
    if (tone.length == 0)
        return true;
    std::lock_guard lock(m_mutex);
    m_tones.push_back(tone);
    return true;
}

std::size_t CToneQueue::Render(std::int16_t* pDst, std::size_t nSamples)
{
    std::lock_guard lock(m_mutex);
    const double rate = m_nSampleRate;
    std::size_t written = 0;
    while (written < nSamples && !m_tones.empty()) {
        Tone& tone = m_tones.front();
        const bool audible = 2.0 * tone.freq < rate;
        const double step = 2.0 * std::numbers::pi * tone.freq / rate;
        const std::size_t fade =
            std::max<std::size_t>(1, std::min(static_cast<std::size_t>(kFadeSeconds * rate), tone.length / 2));
        const std::size_t n = std::min(nSamples - written, tone.length - tone.done);
        for (std::size_t k = 0; k < n; ++k, ++tone.done) {
            double v = 0.0;
            if (audible) {
                const std::size_t edge = std::min(tone.done, tone.length - 1 - tone.done);
                const double w =
                    edge >= fade ? 1.0 : 0.5 - 0.5 * std::cos(std::numbers::pi * static_cast<double>(edge) / fade);
                // The phase restarts each tone; n is exact in double up to 2^53 samples.
                v = kAmplitude * w * std::sin(step * static_cast<double>(tone.done));
            }
            pDst[written + k] = static_cast<std::int16_t>(std::lround(v));
        }
        written += n;
        if (tone.done == tone.length)
            m_tones.pop_front();
    }
    return written;
}

std::size_t CToneQueue::GetPendingSamples() const
{
    std::lock_guard lock(m_mutex);
    std::size_t pending = 0;
    for (const Tone& t : m_tones)
        pending += t.length - t.done;
    return pending;
}

void CToneQueue::Clear()
{
    std::lock_guard lock(m_mutex);
    m_tones.clear();
}
