// IPlaybackOutput is the device side of a playback buffer: it feeds the buffer's data to the
// output device through CPlaybackBuffer::Render and reports how much of what it took has not
// been heard yet. The GUI implements it with the platform's audio output; the buffer owns it.
#pragma once

#include <cstddef>

class IPlaybackOutput
{
public:
    virtual ~IPlaybackOutput() = default;

    // Starts feeding buffer i from its current position (the buffer is marked playing first).
    virtual void Start(unsigned i) = 0;
    // Stops feeding buffer i at once and drops what the device still holds; returns the bytes
    // that had been taken from the buffer but not yet played.
    virtual std::size_t Stop(unsigned i) = 0;
    // Bytes of buffer i taken but not yet played (0 when idle); may be called on any thread.
    virtual std::size_t GetUnplayedBytes(unsigned i) const = 0;
};
