// Conversions between the program's PCM format record and Qt Multimedia's audio format.
#pragma once

#include "core/audio/WaveFormat.h"

#include <QAudioFormat>

// 8-bit unsigned, 16-bit or 32-bit signed PCM with the record's rate and channels; an invalid
// QAudioFormat for anything else (other tags, 24 bits, no channels).
QAudioFormat ToQAudioFormat(const WaveFormat& format);
