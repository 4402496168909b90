#include "core/audio/CaptureFormats.h"

#include "core/audio/WaveTexts.h"

bool MakeCandidateFormat(int i, WaveFormat& format)
{
    if (i < 0 || i >= kCandidateFormatCount)
        return false;
    const auto bits = static_cast<std::uint16_t>(i % 2 == 0 ? 8 : 16);
    format = MakePcmFormat(1, kCandidateRates[static_cast<std::size_t>(i / 2)], bits);
    return true;
}

std::string CandidateFormatText(std::uint32_t rate, std::uint32_t bits, std::uint32_t channels)
{
    return std::to_string(rate) + " Hz, " + std::to_string(bits) + "-bit " +
           (channels == 2 ? WaveText::kStereo : WaveText::kMono);
}
