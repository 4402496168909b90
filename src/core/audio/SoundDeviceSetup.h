// Opening the sound devices, in the program's fixed order of steps, over a small backend
// interface that the GUI implements with the platform's audio library (and the tests with a
// fake). Also the candidate-format scan of the capture device.
#pragma once

#include "core/audio/CaptureFormats.h"
#include "core/common/Callbacks.h"

class ISoundDeviceBackend
{
public:
    virtual ~ISoundDeviceBackend() = default;

    // Releases the primary buffer, the capture device and the playback object (which
    // releases the playback device); releasing what is not open does nothing.
    virtual void ReleaseDevices() = 0;
    // Open the chosen playback / capture device (or the system default); false on failure.
    virtual bool CreatePlaybackDevice() = 0;
    virtual bool CreateCaptureDevice() = 0;
    // Claims the playback device for this program's main window.
    virtual bool SetCooperativeLevel() = 0;
    // 0 accepted, 1 refused; the primary buffer exists afterwards when accepted.
    virtual int SetPrimaryBufferFormat(const WaveFormat& format) = 0;
    virtual void ReleasePrimaryBuffer() = 0;
    // Creates the playback object that makes playback buffers on the playback device.
    virtual void CreatePlaybackManager() = 0;
    // Whether the capture device can capture in this format (a one-second buffer would be
    // created and released again).
    virtual bool CanCaptureFormat(const WaveFormat& format) = 0;
};

// The index of the primary format: the highest-numbered accepted candidate, 0 if none.
int ChoosePrimaryFormat(const CandidateSupport& accepted);

// InitSoundDevices: release everything; open the playback device, the capture device,
// set the cooperative level (each failure: its "FAIL: ... in InitSoundDevices"
// message and 1); try every candidate as the primary format (releasing the primary buffer
// after each try); set the chosen one (refused: its FAIL message and 1; the primary buffer
// stays otherwise); create the playback object; 0. *pnPrimaryFormat receives the candidate
// used when one was set.
int InitSoundDevices(ISoundDeviceBackend& backend, const MessageCallback& message,
                              int* pnPrimaryFormat = nullptr);

// supported[i] = whether the capture device accepts candidate format i.
void ScanAvailableInputFormats(ISoundDeviceBackend& backend, CandidateSupport& supported);
