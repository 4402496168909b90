// CPlaybackManager holds the playback device and makes playback buffers from WAV files: the
// file's whole data chunk in memory with a sink on the device in the file's format.
#pragma once

#include "core/audio/PlaybackBuffer.h"

#include <cstdint>
#include <memory>
#include <string>

class CPlaybackDevice;

class CPlaybackManager
{
public:
    explicit CPlaybackManager(std::shared_ptr<CPlaybackDevice> device);
    ~CPlaybackManager();

    // CO_E_NOTINITIALIZED without a device; E_INVALIDARG for a missing result pointer, an empty
    // path or dwNumBuffers 0; the status of making the data buffer (opening the file, E_FAIL for
    // an empty or short data chunk, E_OUTOFMEMORY); E_FAIL when the device cannot play the
    // file's format. On success *ppBuffer holds the filled buffer at position 0, ready to play.
    // dwCreationFlags is accepted for the program's calls (0) and has no effect here.
    HRESULT Create(std::unique_ptr<CPlaybackBuffer>* ppBuffer, const std::string& strWaveFileName,
                   std::uint32_t dwCreationFlags, unsigned dwNumBuffers);

    const std::shared_ptr<CPlaybackDevice>& device() const { return m_pDevice; }

private:
    std::shared_ptr<CPlaybackDevice> m_pDevice;
};
