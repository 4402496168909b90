// CSoundFileReader decodes every audio file that our own RIFF reader does not load (FLAC, Ogg
// Vorbis, AIFF, W64, WAV of 24 or 32 bits or of floating-point samples) through libsndfile and
// converts it to interleaved 16-bit samples by the rules of SoundConversion.h. A file of more than
// two channels keeps its first two, which the channel dialog then offers as "Links" and "Rechts".
#pragma once

#include "core/audio/SoundConversion.h"

#include <cstdint>
#include <string>
#include <vector>

class CSoundFileReader
{
public:
    // Whether a file goes through this reader: everything that is not a RIFF WAVE file, and RIFF
    // WAVE files of more than 16 bits. 8- and 16-bit WAV files, broken RIFF WAVE files and files
    // that cannot be opened at all stay with the program's own reader and its messages.
    static bool Handles(const std::string& path);

    // Decodes the whole file. false with Error() set when libsndfile cannot open or decode it,
    // or when it ends before the frame count its header declares (a truncated FLAC).
    bool Read(const std::string& path);

    const SoundSourceFormat& Source() const { return m_Source; }
    int Channels() const { return m_nChannels; } // channels kept: 1 or 2
    // Interleaved 16-bit samples of the kept channels.
    const std::vector<std::int16_t>& Samples() const { return m_arSamples; }
    // Samples beyond full scale in channel 0 (left) or 1 (right).
    std::uint64_t Clipped(int nChannel) const { return m_nClipped[nChannel == 1 ? 1 : 0]; }
    // libsndfile's reason (English) or ours, one line.
    const std::string& Error() const { return m_strError; }

private:
    SoundSourceFormat m_Source;
    int m_nChannels = 0;
    std::vector<std::int16_t> m_arSamples;
    std::uint64_t m_nClipped[2] = {0, 0};
    std::string m_strError;
};
