#include "PlaybackManager.h"

#include "PlaybackDevice.h"
#include "PlaybackSink.h"
#include "QtAudioFormat.h"

CPlaybackManager::CPlaybackManager(std::shared_ptr<CPlaybackDevice> device) : m_pDevice(std::move(device)) {}

CPlaybackManager::~CPlaybackManager() = default;

HRESULT CPlaybackManager::Create(std::unique_ptr<CPlaybackBuffer>* ppBuffer, const std::string& strWaveFileName,
                                 std::uint32_t /*dwCreationFlags*/, unsigned dwNumBuffers)
{
    if (!m_pDevice || m_pDevice->device().isNull())
        return CO_E_NOTINITIALIZED;
    if (!ppBuffer || strWaveFileName.empty() || dwNumBuffers == 0)
        return E_INVALIDARG;
    ppBuffer->reset();
    std::unique_ptr<CPlaybackBuffer> buffer;
    const HRESULT hr = CPlaybackBuffer::Create(buffer, strWaveFileName, dwNumBuffers);
    if (FAILED(hr))
        return hr;
    const QAudioFormat format = ToQAudioFormat(buffer->GetFormat());
    if (!format.isValid() || !m_pDevice->device().isFormatSupported(format))
        return E_FAIL;
    buffer->AttachOutput(std::make_unique<CPlaybackSink>(m_pDevice, *buffer, format));
    *ppBuffer = std::move(buffer);
    return S_OK;
}
