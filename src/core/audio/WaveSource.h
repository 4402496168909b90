// A WAV file read the way the document's load reads it, but straight into memory without the
// working copies: the refusal verdict, the format, and the samples of the analysed channel.
// Other audio files are decoded and converted to 16 bits exactly as the load does.
// The command-line tool uses it; the tests check it against CWaveLoader.
#pragma once

#include "core/audio/WaveFormat.h"
#include "core/audio/WaveRules.h"

#include <cstdint>
#include <string>
#include <vector>

struct WaveSourceInfo
{
    WaveRefusal refusal = WaveRefusal::NotWave;
    WaveFormat format;           // valid unless refusal is NotWave
    std::uint32_t nDataBytes = 0; // size of the "data" chunk as declared
    // Files decoded through libsndfile (see CSoundFileReader): format and nDataBytes describe the
    // 16-bit data they became, strConversion what was converted ("FLAC 24-Bit 96 kHz → 16-Bit
    // 96 kHz"), nClipped the clipped samples of the analysed channel; strError libsndfile's reason
    // when it could not read the file (refusal NotWave). All empty for files read as they are.
    std::string strConversion;
    std::uint64_t nClipped = 0;
    std::string strError;
};

// One English line why the file is refused (RefusalReason, or libsndfile's reason).
std::string SourceRefusalReason(const WaveSourceInfo& info);

// Reads the header and checks every refusal (including a data chunk cut short by the end of the
// file) without reading the samples; bLeft is the channel of a stereo file.
WaveSourceInfo InspectWave(const std::string& path, bool bLeft);

// As InspectWave, and on success the samples of the analysed channel (bLeft picks the channel
// of a stereo file) as the document keeps them (8-bit 0 ... 255, 16-bit signed).
WaveSourceInfo ReadWaveSamples(const std::string& path, bool bLeft, std::vector<double>& samples);
