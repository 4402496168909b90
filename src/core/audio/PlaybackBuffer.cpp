#include "core/audio/PlaybackBuffer.h"

#include "core/audio/WaveBytes.h"

#include <algorithm>
#include <cstring>
#include <new>

CPlaybackBuffer::~CPlaybackBuffer()
{
    m_pOutput.reset(); // stops the device before the data goes
}

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
        buffer->m_states.assign(dwNumBuffers, PlayState{});
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
    std::lock_guard lock(m_mutex);
    return FillLocked(bRepeatWavIfBufferLarger);
}

HRESULT CPlaybackBuffer::FillLocked(bool bRepeatWavIfBufferLarger)
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

void CPlaybackBuffer::AttachOutput(std::unique_ptr<IPlaybackOutput> pOutput)
{
    m_pOutput = std::move(pOutput);
}

HRESULT CPlaybackBuffer::Play(std::uint32_t /*dwPriority*/, std::uint32_t dwFlags, unsigned* pnBuffer)
{
    unsigned pick = 0;
    {
        std::lock_guard lock(m_mutex);
        if (m_states.empty())
            return CO_E_NOTINITIALIZED;
        const auto idle = std::find_if(m_states.begin(), m_states.end(), [](const PlayState& s) { return !s.playing; });
        pick = idle != m_states.end() ? static_cast<unsigned>(idle - m_states.begin())
                                      : static_cast<unsigned>(m_random() % m_states.size());
        PlayState& state = m_states[pick];
        if (state.lost) {
            state.lost = false;
            const HRESULT hr = FillLocked(false);
            if (FAILED(hr))
                return hr;
            for (PlayState& s : m_states) {
                s.position = 0;
                s.ranOut = false;
            }
        }
        state.playing = true;
        state.looping = (dwFlags & DSBPLAY_LOOPING) != 0;
        state.ranOut = false;
    }
    if (pnBuffer)
        *pnBuffer = pick;
    if (m_pOutput)
        m_pOutput->Start(pick);
    return S_OK;
}

HRESULT CPlaybackBuffer::Stop()
{
    for (unsigned i = 0; i < m_states.size(); ++i) {
        // The output stops first, so nothing renders while the position is set back.
        const std::size_t unplayed = m_pOutput ? m_pOutput->Stop(i) : 0;
        std::lock_guard lock(m_mutex);
        PlayState& state = m_states[i];
        if (!state.playing)
            continue;
        state.position = HeardPosition(state, unplayed);
        state.playing = false;
    }
    return S_OK;
}

HRESULT CPlaybackBuffer::Reset()
{
    std::lock_guard lock(m_mutex);
    for (PlayState& s : m_states) {
        s.position = 0;
        s.ranOut = false;
    }
    return S_OK;
}

bool CPlaybackBuffer::IsSoundPlaying() const
{
    for (unsigned i = 0; i < m_states.size(); ++i) {
        if (m_pOutput && m_pOutput->GetUnplayedBytes(i) > 0)
            return true;
        std::lock_guard lock(m_mutex);
        if (m_states[i].playing)
            return true;
    }
    return false;
}

std::size_t CPlaybackBuffer::HeardPosition(const PlayState& state, std::size_t nUnplayed) const
{
    const std::size_t size = m_dwDSBufferSize;
    if (size == 0)
        return 0;
    if (state.ranOut)
        return size - std::min(nUnplayed, size);
    if (!state.playing || nUnplayed == 0)
        return state.position;
    if (state.looping)
        return (state.position + size - nUnplayed % size) % size;
    return nUnplayed > state.position ? 0 : state.position - nUnplayed;
}

HRESULT CPlaybackBuffer::GetCurrentPosition(unsigned i, std::size_t* pdwPosition) const
{
    if (!pdwPosition || i >= m_states.size())
        return E_INVALIDARG;
    const std::size_t unplayed = m_pOutput ? m_pOutput->GetUnplayedBytes(i) : 0;
    std::lock_guard lock(m_mutex);
    *pdwPosition = HeardPosition(m_states[i], unplayed);
    return S_OK;
}

HRESULT CPlaybackBuffer::SetCurrentPosition(unsigned i, std::size_t dwPosition)
{
    if (i >= m_states.size() || dwPosition >= m_dwDSBufferSize)
        return E_INVALIDARG;
    bool playing = false;
    {
        std::lock_guard lock(m_mutex);
        playing = m_states[i].playing;
    }
    // A playing output drops what it holds from the old position and starts again from the new one.
    if (playing && m_pOutput)
        m_pOutput->Stop(i);
    {
        std::lock_guard lock(m_mutex);
        m_states[i].position = dwPosition;
        m_states[i].ranOut = false;
    }
    if (playing && m_pOutput)
        m_pOutput->Start(i);
    return S_OK;
}

std::size_t CPlaybackBuffer::Render(unsigned i, std::uint8_t* pDst, std::size_t nBytes)
{
    std::lock_guard lock(m_mutex);
    if (i >= m_states.size() || !m_states[i].playing || m_dwDSBufferSize == 0)
        return 0;
    PlayState& state = m_states[i];
    const std::uint8_t* data = m_apDSBuffer[i].get();
    std::size_t done = 0;
    while (done < nBytes) {
        const std::size_t n = std::min(nBytes - done, m_dwDSBufferSize - state.position);
        std::memcpy(pDst + done, data + state.position, n);
        done += n;
        state.position += n;
        if (state.position < m_dwDSBufferSize)
            continue;
        state.position = 0;
        if (!state.looping) {
            state.playing = false;
            state.ranOut = true;
            break;
        }
    }
    return done;
}

void CPlaybackBuffer::MarkLost(unsigned i)
{
    std::lock_guard lock(m_mutex);
    if (i >= m_states.size())
        return;
    m_states[i].lost = true;
    m_states[i].playing = false;
}

bool CPlaybackBuffer::IsLost(unsigned i) const
{
    std::lock_guard lock(m_mutex);
    return i < m_states.size() && m_states[i].lost;
}

HRESULT CPlaybackBuffer::RestoreBuffer(unsigned i, bool* pbRestored)
{
    std::lock_guard lock(m_mutex);
    if (i >= m_states.size())
        return E_INVALIDARG;
    const bool lost = m_states[i].lost;
    m_states[i].lost = false;
    if (pbRestored)
        *pbRestored = lost;
    return S_OK;
}
