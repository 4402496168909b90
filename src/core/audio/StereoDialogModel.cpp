#include "core/audio/StereoDialogModel.h"

#include "core/audio/WaveTexts.h"

CStereoDialogModel CStereoDialogModel::Make(const std::string& strWaveFile, const std::string& strChannels,
                                            std::uint32_t nSampleRate, int nBitsPerSample,
                                            const std::string& strFormat)
{
    CStereoDialogModel m;
    m.strFile = strWaveFile;
    m.strChannels = strChannels;
    m.strSampleRate = std::to_string(nSampleRate);
    m.strBits = std::to_string(nBitsPerSample);
    m.strFormat = strFormat;
    const bool bMono = strChannels == WaveText::kMono;
    m.strHint = bMono ? kHintMono : kHintStereo;
    m.bChannelEnabled = !bMono;
    m.bLeftChecked = true;
    if (nBitsPerSample > 16) {
        m.strHint = kHintTooManyBits;
        m.bOkEnabled = false;
    }
    return m;
}
