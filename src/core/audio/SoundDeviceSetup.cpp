#include "core/audio/SoundDeviceSetup.h"

#include "core/audio/AudioTexts.h"

int ChoosePrimaryFormat(const CandidateSupport& accepted)
{
    int chosen = 0;
    for (int i = 0; i < kCandidateFormatCount; ++i)
        if (accepted[static_cast<std::size_t>(i)])
            chosen = i;
    return chosen;
}

int InitSoundDevices(ISoundDeviceBackend& backend, const MessageCallback& message, int* pnPrimaryFormat)
{
    const auto fail = [&message](const char* text) {
        if (message)
            message(text);
        return 1;
    };
    backend.ReleaseDevices();
    if (!backend.CreatePlaybackDevice())
        return fail(AudioText::kFailPlaybackDevice);
    if (!backend.CreateCaptureDevice())
        return fail(AudioText::kFailCaptureDevice);
    if (!backend.SetCooperativeLevel())
        return fail(AudioText::kFailCooperativeLevel);

    CandidateSupport accepted{};
    WaveFormat format;
    for (int i = 0; i < kCandidateFormatCount; ++i) {
        MakeCandidateFormat(i, format);
        accepted[static_cast<std::size_t>(i)] = backend.SetPrimaryBufferFormat(format) == 0;
        backend.ReleasePrimaryBuffer();
    }
    const int chosen = ChoosePrimaryFormat(accepted);
    MakeCandidateFormat(chosen, format);
    if (backend.SetPrimaryBufferFormat(format) != 0)
        return fail(AudioText::kFailPrimaryFormat);
    if (pnPrimaryFormat)
        *pnPrimaryFormat = chosen;
    backend.CreatePlaybackManager();
    return 0;
}

void ScanAvailableInputFormats(ISoundDeviceBackend& backend, CandidateSupport& supported)
{
    WaveFormat format;
    for (int i = 0; i < kCandidateFormatCount; ++i) {
        MakeCandidateFormat(i, format);
        supported[static_cast<std::size_t>(i)] = backend.CanCaptureFormat(format);
    }
}
