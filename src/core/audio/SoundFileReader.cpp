#include "core/audio/SoundFileReader.h"

#include "core/audio/RiffWaveFile.h"

#include <sndfile.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

struct SndfileCloser
{
    void operator()(SNDFILE* p) const { sf_close(p); }
};
using SndfileHandle = std::unique_ptr<SNDFILE, SndfileCloser>;

// Frames decoded per call; the double buffer is this times the file's channels.
constexpr sf_count_t kBlockFrames = 8192;

std::string ContainerName(int format)
{
    switch (format & SF_FORMAT_TYPEMASK) {
    case SF_FORMAT_WAV:
    case SF_FORMAT_WAVEX: return "WAV";
    case SF_FORMAT_W64: return "W64";
    case SF_FORMAT_AIFF: return "AIFF";
    case SF_FORMAT_FLAC: return "FLAC";
    case SF_FORMAT_RF64: return "RF64";
    case SF_FORMAT_OGG:
        if ((format & SF_FORMAT_SUBMASK) == SF_FORMAT_VORBIS)
            return "Ogg Vorbis";
        if ((format & SF_FORMAT_SUBMASK) == SF_FORMAT_OPUS)
            return "Ogg Opus";
        return "Ogg";
    default: break;
    }
    SF_FORMAT_INFO info{};
    info.format = format & SF_FORMAT_TYPEMASK;
    if (sf_command(nullptr, SFC_GET_FORMAT_MAJOR, &info, sizeof info) == 0 && info.extension) {
        std::string s = info.extension;
        std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::toupper(c)); });
        return s;
    }
    return "Audio";
}

void SetDepth(int format, SoundSourceFormat& source)
{
    switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_S8:
    case SF_FORMAT_PCM_U8:
    case SF_FORMAT_ALAW:
    case SF_FORMAT_ULAW: source.nBits = 8; break;
    case SF_FORMAT_PCM_16: source.nBits = 16; break;
    case SF_FORMAT_PCM_24: source.nBits = 24; break;
    case SF_FORMAT_PCM_32: source.nBits = 32; break;
    case SF_FORMAT_FLOAT: source.nBits = 32, source.bFloat = true; break;
    case SF_FORMAT_DOUBLE: source.nBits = 64, source.bFloat = true; break;
    default: source.nBits = 0; break; // lossy codecs have no depth of their own
    }
}

} // namespace

bool CSoundFileReader::Handles(const std::string& path)
{
    {
        CRiffWaveFile file;
        if (SUCCEEDED(file.Open(path, nullptr, WAVEFILE_READ)))
            return file.GetFormat()->wBitsPerSample > 16;
    }
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    char head[12] = {};
    const std::size_t got = std::fread(head, 1, sizeof head, f);
    std::fclose(f);
    const bool riffWave = got == sizeof head && std::memcmp(head, "RIFF", 4) == 0 && std::memcmp(head + 8, "WAVE", 4) == 0;
    return !riffWave;
}

bool CSoundFileReader::Read(const std::string& path)
{
    m_Source = {};
    m_nChannels = 0;
    m_arSamples.clear();
    m_nClipped[0] = m_nClipped[1] = 0;
    m_strError.clear();

    SF_INFO info{};
    SndfileHandle file(sf_open(path.c_str(), SFM_READ, &info));
    if (!file) {
        m_strError = sf_strerror(nullptr);
        return false;
    }
    if (info.channels < 1 || info.samplerate < 1) {
        m_strError = "no channels or no sample rate";
        return false;
    }
    // Integers arrive as value / 2^(bits-1); floats as stored, so values beyond 1.0 stay visible.
    sf_command(file.get(), SFC_SET_NORM_DOUBLE, nullptr, SF_TRUE);
    sf_command(file.get(), SFC_SET_CLIPPING, nullptr, SF_FALSE);
    m_Source.strContainer = ContainerName(info.format);
    SetDepth(info.format, m_Source);
    m_Source.nRate = static_cast<std::uint32_t>(info.samplerate);
    m_Source.nChannels = info.channels;
    m_nChannels = std::min(info.channels, 2);

    const auto nFileChannels = static_cast<std::size_t>(info.channels);
    std::vector<double> block(static_cast<std::size_t>(kBlockFrames) * nFileChannels);
    std::vector<double> kept(static_cast<std::size_t>(kBlockFrames));
    std::vector<std::int16_t> converted(static_cast<std::size_t>(kBlockFrames));
    sf_count_t nFrames = 0;
    for (;;) {
        const sf_count_t got = sf_readf_double(file.get(), block.data(), kBlockFrames);
        if (got <= 0)
            break;
        nFrames += got;
        const auto n = static_cast<std::size_t>(got);
        const std::size_t at = m_arSamples.size();
        m_arSamples.resize(at + n * static_cast<std::size_t>(m_nChannels));
        for (int c = 0; c < m_nChannels; ++c) {
            for (std::size_t i = 0; i < n; ++i)
                kept[i] = block[i * nFileChannels + static_cast<std::size_t>(c)];
            m_nClipped[c] += ConvertToPcm16(kept.data(), n, converted.data());
            for (std::size_t i = 0; i < n; ++i)
                m_arSamples[at + i * static_cast<std::size_t>(m_nChannels) + static_cast<std::size_t>(c)] = converted[i];
        }
    }
    // A read that fails leaves no samples behind, only its reason.
    const auto fail = [this](const std::string& reason) {
        m_arSamples.clear();
        m_nClipped[0] = m_nClipped[1] = 0;
        m_strError = reason.empty() ? std::string("unknown error of the decoder") : reason;
        return false;
    };
    if (sf_error(file.get()) != SF_ERR_NO_ERROR)
        return fail(sf_strerror(file.get()));
    if (info.frames != SF_COUNT_MAX && nFrames < info.frames) { // SF_COUNT_MAX: length unknown
        char buf[160];
        std::snprintf(buf, sizeof buf, "the file ends after %lld of %lld frames", static_cast<long long>(nFrames),
                      static_cast<long long>(info.frames));
        return fail(buf);
    }
    return true;
}
