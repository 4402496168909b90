// Short tones on the output device (the frequency probe of the spectral views): a sine of the
// given frequency and length, queued and played without blocking the caller.
#pragma once

class ITonePlayer
{
public:
    virtual ~ITonePlayer() = default;
    virtual void Play(double frequencyHz, int milliseconds) = 0;
};
