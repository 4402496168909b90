#include "core/audio/WaveSource.h"

#include "core/audio/RiffWaveFile.h"
#include "core/audio/SoundFileReader.h"
#include "core/audio/WaveBytes.h"

#include <algorithm>
#include <memory>
#include <new>

namespace {

WaveSourceInfo OpenAndCheck(CRiffWaveFile& file, const std::string& path, bool bLeft)
{
    WaveSourceInfo info;
    if (FAILED(file.Open(path, nullptr, WAVEFILE_READ)))
        return info; // NotWave
    info.format = *file.GetFormat();
    info.nDataBytes = file.GetSize();
    if (file.GetSizeAvailable() < file.GetSize()) {
        info.refusal = WaveRefusal::ReadFailed;
        return info;
    }
    info.refusal = CheckWaveFormat(info.format, info.nDataBytes);
    if (info.refusal == WaveRefusal::None && AnalysedSampleCount(info.nDataBytes, info.format, bLeft) == 0)
        info.refusal = WaveRefusal::Empty; // the mono copy of the chosen channel would be empty
    return info;
}

// A file for libsndfile: decoded to 16 bits, then the same refusals as a WAV file of that format.
WaveSourceInfo ReadConverted(const std::string& path, bool bLeft, std::vector<double>* pSamples)
{
    WaveSourceInfo info;
    CSoundFileReader reader;
    if (!reader.Read(path)) {
        info.strError = reader.Error();
        return info; // NotWave
    }
    const int channels = reader.Channels();
    info.format = MakePcmFormat(static_cast<std::uint16_t>(channels), reader.Source().nRate, 16);
    info.nDataBytes = static_cast<std::uint32_t>(std::min<std::size_t>(reader.Samples().size() * 2, 0xFFFFFFFFu));
    info.refusal = CheckWaveFormat(info.format, info.nDataBytes);
    if (info.refusal != WaveRefusal::None)
        return info;
    const int channel = channels == 2 && !bLeft ? 1 : 0;
    info.strConversion = ConversionText(reader.Source());
    info.nClipped = reader.Clipped(channel);
    if (pSamples) {
        const std::vector<std::int16_t>& all = reader.Samples();
        pSamples->reserve(all.size() / static_cast<std::size_t>(channels));
        for (std::size_t i = static_cast<std::size_t>(channel); i < all.size(); i += static_cast<std::size_t>(channels))
            pSamples->push_back(all[i]);
    }
    return info;
}

} // namespace

std::string SourceRefusalReason(const WaveSourceInfo& info)
{
    if (!info.strError.empty())
        return "not a RIFF WAVE file of up to 16 bits, and libsndfile cannot read it (" + info.strError + ")";
    return RefusalReason(info.refusal, &info.format);
}

WaveSourceInfo InspectWave(const std::string& path, bool bLeft)
{
    if (CSoundFileReader::Handles(path))
        return ReadConverted(path, bLeft, nullptr);
    CRiffWaveFile file;
    return OpenAndCheck(file, path, bLeft);
}

WaveSourceInfo ReadWaveSamples(const std::string& path, bool bLeft, std::vector<double>& samples)
{
    samples.clear();
    if (CSoundFileReader::Handles(path))
        return ReadConverted(path, bLeft, &samples);
    CRiffWaveFile file;
    WaveSourceInfo info = OpenAndCheck(file, path, bLeft);
    if (info.refusal != WaveRefusal::None)
        return info;
    WaveBytes data;
    try {
        data = AllocateWaveBytes(info.nDataBytes);
    } catch (const std::bad_alloc&) {
        info.refusal = WaveRefusal::ReadFailed;
        return info;
    }
    std::size_t got = 0;
    if (FAILED(file.Read(data.get(), info.nDataBytes, &got)) || got != info.nDataBytes) {
        info.refusal = WaveRefusal::ReadFailed;
        return info;
    }
    const int bits = info.format.wBitsPerSample;
    if (info.format.nChannels == 2) {
        const std::size_t n = StereoChannelSamples(got, bits, bLeft);
        std::vector<std::uint8_t> mono(n * static_cast<std::size_t>(BytesPerSample(bits)));
        ExtractStereoChannel(data.get(), got, bits, bLeft, mono.data());
        data.reset();
        samples = DecodeSamples(mono.data(), mono.size(), bits);
    } else {
        samples = DecodeSamples(data.get(), got, bits);
    }
    return info;
}
