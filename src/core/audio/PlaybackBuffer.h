// CPlaybackBuffer, data side: the whole "data" chunk of the WAV file it was made from, held in
// memory for the output device, and that file kept open for refills. Parts of the buffer the
// file cannot fill are silence: byte 128 for 8-bit data, 0 otherwise. The device side (play,
// stop, position) wraps this object and lives with the sound devices.
#pragma once

#include "core/audio/RiffWaveFile.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

class CPlaybackBuffer
{
public:
    // E_INVALIDARG for an empty path or dwNumBuffers 0; the status of opening the file; E_FAIL
    // for a data chunk of 0 bytes or one that ends before its declared size; E_OUTOFMEMORY
    // when the buffer cannot be allocated; the status of filling it. Buffers beyond the first
    // are duplicates sharing the same memory.
    static HRESULT Create(std::unique_ptr<CPlaybackBuffer>& pBuffer, const std::string& strWaveFileName,
                          unsigned dwNumBuffers);

    // Refills every buffer from the start of the file's data (after a lost buffer was restored).
    HRESULT FillBufferWithSound(bool bRepeatWavIfBufferLarger);

    // Fills pDst[0, nSize) from the current data position of pFile: what can be read, then
    // silence, or with bRepeat the data again from its start until the buffer is full.
    // Nothing readable at all gives silence everywhere.
    static HRESULT FillSoundBuffer(std::uint8_t* pDst, std::size_t nSize, CRiffWaveFile& file,
                                   std::uint8_t silence, bool bRepeat);
    static std::uint8_t SilenceFor(int nBitsPerSample) { return nBitsPerSample == 8 ? 128 : 0; }

    std::span<const std::uint8_t> GetBuffer(unsigned i) const;
    std::size_t GetBufferSize() const { return m_dwDSBufferSize; }
    unsigned GetNumBuffers() const { return m_dwNumBuffers; }
    const WaveFormat& GetFormat() const { return m_format; }

private:
    CPlaybackBuffer() = default;

    std::unique_ptr<CRiffWaveFile> m_pWaveFile;            // open for refills, owned
    std::vector<std::shared_ptr<std::uint8_t[]>> m_apDSBuffer; // duplicates share one block
    std::size_t m_dwDSBufferSize = 0;                      // = the data chunk's size in bytes
    unsigned m_dwNumBuffers = 0;                           // always 1 in this program
    WaveFormat m_format;                                   // the file's format
};
