#include "core/audio/WaveSource.h"

#include "core/audio/RiffWaveFile.h"
#include "core/audio/WaveBytes.h"

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

} // namespace

WaveSourceInfo InspectWave(const std::string& path, bool bLeft)
{
    CRiffWaveFile file;
    return OpenAndCheck(file, path, bLeft);
}

WaveSourceInfo ReadWaveSamples(const std::string& path, bool bLeft, std::vector<double>& samples)
{
    samples.clear();
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
