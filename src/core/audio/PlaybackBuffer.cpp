#include "core/audio/PlaybackBuffer.h"

#include "core/audio/WaveBytes.h"

#include <cstring>
#include <new>

HRESULT CPlaybackBuffer::Create(std::unique_ptr<CPlaybackBuffer>& pBuffer, const std::string& strWaveFileName,
                                unsigned dwNumBuffers)
{
    pBuffer.reset();
    if (strWaveFileName.empty() || dwNumBuffers == 0)
        return E_INVALIDARG;
    auto file = std::make_unique<CRiffWaveFile>();
    HRESULT hr = file->Open(strWaveFileName, nullptr, WAVEFILE_READ);
    if (FAILED(hr))
        return hr;
    const std::size_t size = file->GetSize();
    if (size == 0)
        return E_FAIL;
    if (file->GetSizeAvailable() < size) // the data ends early: the fill could never succeed
        return E_FAIL;
    std::unique_ptr<CPlaybackBuffer> buffer(new CPlaybackBuffer());
    buffer->m_format = *file->GetFormat();
    buffer->m_pWaveFile = std::move(file);
    buffer->m_dwDSBufferSize = size;
    buffer->m_dwNumBuffers = dwNumBuffers;
    try {
        std::shared_ptr<std::uint8_t[]> block = AllocateWaveBytes(size);
        buffer->m_apDSBuffer.assign(dwNumBuffers, block);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    hr = buffer->FillBufferWithSound(false); // the program always asks for silence
    if (FAILED(hr))
        return hr;
    pBuffer = std::move(buffer);
    return S_OK;
}

HRESULT CPlaybackBuffer::FillBufferWithSound(bool bRepeatWavIfBufferLarger)
{
    if (!m_pWaveFile || m_apDSBuffer.empty())
        return CO_E_NOTINITIALIZED;
    HRESULT hr = m_pWaveFile->ResetFile();
    if (FAILED(hr))
        return hr;
    // Duplicates share the block, so filling the first fills them all.
    return FillSoundBuffer(m_apDSBuffer[0].get(), m_dwDSBufferSize, *m_pWaveFile,
                           SilenceFor(m_format.wBitsPerSample), bRepeatWavIfBufferLarger);
}

HRESULT CPlaybackBuffer::FillSoundBuffer(std::uint8_t* pDst, std::size_t nSize, CRiffWaveFile& file,
                                         std::uint8_t silence, bool bRepeat)
{
    std::size_t read = 0;
    HRESULT hr = file.Read(pDst, nSize, &read);
    if (FAILED(hr))
        return hr;
    if (read == 0) {
        std::memset(pDst, silence, nSize);
        return S_OK;
    }
    if (!bRepeat) {
        std::memset(pDst + read, silence, nSize - read);
        return S_OK;
    }
    while (read < nSize) {
        hr = file.ResetFile();
        if (FAILED(hr))
            return hr;
        std::size_t got = 0;
        hr = file.Read(pDst + read, nSize - read, &got);
        if (FAILED(hr))
            return hr;
        if (got == 0) { // nothing more to repeat
            std::memset(pDst + read, silence, nSize - read);
            break;
        }
        read += got;
    }
    return S_OK;
}

std::span<const std::uint8_t> CPlaybackBuffer::GetBuffer(unsigned i) const
{
    if (i >= m_apDSBuffer.size())
        return {};
    return {m_apDSBuffer[i].get(), m_dwDSBufferSize};
}
