#include "core/audio/WaveRules.h"

#include <algorithm>
#include <cstdio>

std::optional<double> FullScaleForBits(int nBits)
{
    switch (nBits) {
    case 8: return 255.0;
    case 16: return 32767.0;
    case 24: return 8388607.0;
    case 32: return 2147483647.0;
    default: return std::nullopt;
    }
}

int BytesPerSample(int nBits)
{
    return nBits <= 8 ? 1 : 2;
}

std::optional<PlaybackCopyRate> PlaybackCopyFor(std::uint32_t nFileRate)
{
    switch (nFileRate) {
    case 64000: return PlaybackCopyRate{32000, 2};
    case 88200: return PlaybackCopyRate{44100, 2};
    case 96000: return PlaybackCopyRate{48000, 2};
    case 192000: return PlaybackCopyRate{48000, 4};
    default: return std::nullopt;
    }
}

WaveRefusal CheckWaveFormat(const WaveFormat& format, std::uint64_t nDataBytes)
{
    if (nDataBytes < static_cast<std::uint64_t>(BytesPerSample(format.wBitsPerSample)))
        return WaveRefusal::Empty;
    if (format.wBitsPerSample > 16)
        return WaveRefusal::TooManyBits;
    if (format.nSamplesPerSec > 48000 && !PlaybackCopyFor(format.nSamplesPerSec))
        return WaveRefusal::UnlistedRate;
    return WaveRefusal::None;
}

std::string RefusalReason(WaveRefusal refusal, const WaveFormat* pFormat)
{
    char buf[200];
    switch (refusal) {
    case WaveRefusal::None: return "the file can be loaded";
    case WaveRefusal::NotWave: return "not a RIFF WAVE file with \"fmt \" and \"data\" chunks";
    case WaveRefusal::ReadFailed: return "the data chunk reaches beyond the end of the file";
    case WaveRefusal::Empty: return "the data chunk holds no complete sample";
    case WaveRefusal::TooManyBits:
        std::snprintf(buf, sizeof buf, "%u bits per sample; only files of up to 16 bits can be loaded",
                      pFormat ? pFormat->wBitsPerSample : 0u);
        return buf;
    case WaveRefusal::UnlistedRate:
        std::snprintf(buf, sizeof buf,
                      "%u samples per second; above 48000 only 64000, 88200, 96000 and 192000 can be loaded",
                      pFormat ? pFormat->nSamplesPerSec : 0u);
        return buf;
    }
    return "refused";
}

std::size_t StereoChannelSamples(std::size_t nBytes, int nBits, bool bLeft)
{
    const std::size_t b = static_cast<std::size_t>(BytesPerSample(nBits));
    const std::size_t o = bLeft ? 0 : b;
    return nBytes >= o + b ? (nBytes - o - b) / (2 * b) + 1 : 0;
}

std::size_t ExtractStereoChannel(const std::uint8_t* pSrc, std::size_t nBytes, int nBits, bool bLeft,
                                 std::uint8_t* pDst)
{
    const std::size_t n = StereoChannelSamples(nBytes, nBits, bLeft);
    const std::uint8_t* p = pSrc + (bLeft ? 0 : BytesPerSample(nBits));
    if (BytesPerSample(nBits) == 1) {
        for (std::size_t i = 0; i < n; ++i)
            pDst[i] = p[2 * i];
        return n;
    }
    for (std::size_t i = 0; i < n; ++i) {
        pDst[2 * i] = p[4 * i];         // low byte first
        pDst[2 * i + 1] = p[4 * i + 1];
    }
    return 2 * n;
}

std::size_t DownsampledBytes(std::size_t nBytes, int nBits, unsigned k)
{
    const std::size_t b = static_cast<std::size_t>(BytesPerSample(nBits));
    const std::size_t samples = nBytes / b;
    return k == 0 ? 0 : (samples + k - 1) / k * b;
}

std::size_t Downsample(const std::uint8_t* pSrc, std::size_t nBytes, int nBits, unsigned k, std::uint8_t* pDst)
{
    if (k == 0)
        return 0;
    std::size_t out = 0;
    if (BytesPerSample(nBits) == 1) {
        for (std::size_t i = 0; i < nBytes; i += k) {
            const std::size_t c = std::min<std::size_t>(k, nBytes - i);
            unsigned sum = 0;
            for (std::size_t j = 0; j < c; ++j)
                sum += pSrc[i + j];
            pDst[out++] = static_cast<std::uint8_t>(sum / c); // truncated mean of 0..255
        }
        return out;
    }
    const std::size_t samples = nBytes / 2;
    for (std::size_t i = 0; i < samples; i += k) {
        const long c = static_cast<long>(std::min<std::size_t>(k, samples - i));
        long sum = 0;
        for (long j = 0; j < c; ++j) {
            const std::uint8_t* s = pSrc + 2 * (i + static_cast<std::size_t>(j));
            sum += static_cast<std::int16_t>(static_cast<std::uint16_t>(s[0] | s[1] << 8));
        }
        long q = sum / c; // toward zero ...
        if (sum % c != 0 && sum < 0)
            --q; // ... then down for negative means
        const auto v = static_cast<std::uint16_t>(static_cast<std::int16_t>(q));
        pDst[out++] = static_cast<std::uint8_t>(v);
        pDst[out++] = static_cast<std::uint8_t>(v >> 8);
    }
    return out;
}

std::vector<double> DecodeSamples(const std::uint8_t* pData, std::size_t nBytes, int nBits)
{
    std::vector<double> out;
    if (BytesPerSample(nBits) == 1) {
        out.assign(pData, pData + nBytes);
        return out;
    }
    out.resize(nBytes / 2);
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<std::int16_t>(static_cast<std::uint16_t>(pData[2 * i] | pData[2 * i + 1] << 8));
    return out;
}

std::size_t AnalysedSampleCount(std::uint64_t nDataBytes, const WaveFormat& format, bool bLeft)
{
    const auto n = static_cast<std::size_t>(nDataBytes);
    if (format.nChannels == 2)
        return StereoChannelSamples(n, format.wBitsPerSample, bLeft);
    return n / static_cast<std::size_t>(BytesPerSample(format.wBitsPerSample));
}
