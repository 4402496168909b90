#include "FrameRules.h"

#include "core/audio/WaveRules.h"

#include <algorithm>
#include <cmath>

int SelectionFFTSize(std::int64_t nSamples)
{
    if (nSamples <= 0)
        return 0;
    int n = 1;
    while (n < (1 << 30) && static_cast<std::int64_t>(n) * 2 <= nSamples)
        n *= 2;
    return n;
}

SelectionFrame SelectionFrameFor(std::int64_t first, std::int64_t end, int nBitsPerSample)
{
    SelectionFrame frame;
    frame.first = BytesPerSample(nBitsPerSample) == 1 ? first : (first & ~std::int64_t{1});
    frame.end = end;
    frame.nFFTSize = SelectionFFTSize(end - frame.first);
    return frame;
}

int CaptureSpectrumThreshold(int nSampleRate, int nFFTSize)
{
    if (nSampleRate <= 0 || nFFTSize <= 0)
        return 0;
    return (nSampleRate / nFFTSize) / 25;
}

bool CountCaptureBlock(int& nBlockCounter, int nSampleRate, int nFFTSize)
{
    const bool bReached = nBlockCounter >= CaptureSpectrumThreshold(nSampleRate, nFFTSize);
    if (bReached)
        nBlockCounter = -1;
    ++nBlockCounter;
    return bReached;
}

std::optional<std::int64_t> PlayWindowStart(std::int64_t nBytePosition, int nBitsPerSample, bool bPlayCopyResampled,
                                            int nSampleRate, int nPlayRate, std::int64_t nSamples)
{
    if (nBytePosition < 0)
        return std::nullopt;
    std::int64_t position = nBytePosition;
    if (bPlayCopyResampled) {
        if (nPlayRate <= 0)
            return std::nullopt;
        const double scaled = std::trunc(static_cast<double>(nBytePosition) *
                                         (static_cast<double>(nSampleRate) / static_cast<double>(nPlayRate)));
        if (!(scaled >= 0.0) || scaled > 9.0e15)
            return std::nullopt;
        position = static_cast<std::int64_t>(scaled);
    }
    const std::int64_t start = BytesPerSample(nBitsPerSample) == 1 ? position : position / 2;
    if (start + kPlayWindowSamples > nSamples)
        return std::nullopt;
    return start;
}

void CopyFrameSamples(const std::uint8_t* pData, std::size_t nBytes, int nBitsPerSample, std::int64_t first,
                      std::int64_t count, std::vector<double>& frame)
{
    const auto bytesPerSample = static_cast<std::size_t>(BytesPerSample(nBitsPerSample));
    const std::size_t available = pData ? nBytes / bytesPerSample : 0;
    const auto begin = static_cast<std::size_t>(std::clamp<std::int64_t>(first, 0, static_cast<std::int64_t>(available)));
    const std::size_t end =
        count <= 0 ? begin
                   : static_cast<std::size_t>(std::clamp<std::int64_t>(first + count, static_cast<std::int64_t>(begin),
                                                                      static_cast<std::int64_t>(available)));
    frame = end > begin ? DecodeSamples(pData + begin * bytesPerSample, (end - begin) * bytesPerSample, nBitsPerSample)
                        : std::vector<double>{};
}
