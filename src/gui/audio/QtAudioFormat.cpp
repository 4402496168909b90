#include "QtAudioFormat.h"

QAudioFormat ToQAudioFormat(const WaveFormat& format)
{
    QAudioFormat q;
    if (format.wFormatTag != WAVE_FORMAT_PCM || format.nChannels == 0 || format.nSamplesPerSec == 0)
        return q;
    switch (format.wBitsPerSample) {
    case 8: q.setSampleFormat(QAudioFormat::UInt8); break;
    case 16: q.setSampleFormat(QAudioFormat::Int16); break;
    case 32: q.setSampleFormat(QAudioFormat::Int32); break;
    default: return q;
    }
    q.setChannelCount(format.nChannels);
    q.setSampleRate(static_cast<int>(format.nSamplesPerSec));
    return q;
}
