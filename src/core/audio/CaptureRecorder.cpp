#include "core/audio/CaptureRecorder.h"

#include "core/audio/AudioTexts.h"

#include <utility>

CCaptureRecorder::CCaptureRecorder(const WaveFormat& format, std::string strRecordFile)
    : m_format(format), m_strRecordFile(std::move(strRecordFile))
{
}

CCaptureRecorder::~CCaptureRecorder()
{
    StopRecording();
}

bool CCaptureRecorder::StartRecording(const AskFile& askFile, const MessageCallback& message)
{
    if (HasWriter()) {
        m_bRecording = true;
        return true;
    }
    const std::string path = askFile ? askFile() : std::string();
    if (path.empty()) {
        m_bRecording = false;
        return false;
    }
    auto writer = std::make_unique<CRiffWaveFile>();
    const HRESULT hr = writer->Open(path, &m_format, WAVEFILE_WRITE);
    {
        std::lock_guard lock(m_mutex);
        m_pWriter = std::move(writer);
        m_strRecordFile = path;
        m_nBytesWritten = 0;
    }
    if (FAILED(hr) && message)
        message(AudioText::kCannotCreateWaveFile);
    m_bRecording = true;
    return true;
}

HRESULT CCaptureRecorder::StopRecording()
{
    m_bRecording = false;
    std::unique_ptr<CRiffWaveFile> writer;
    {
        std::lock_guard lock(m_mutex);
        writer = std::move(m_pWriter);
        m_nBytesWritten = 0;
    }
    if (!writer || !writer->IsOpen())
        return S_OK;
    return writer->Close();
}

bool CCaptureRecorder::WriteRegion(std::span<const std::uint8_t> bytes)
{
    if (!m_bRecording.load())
        return true;
    std::lock_guard lock(m_mutex);
    if (!m_pWriter)
        return true;
    std::size_t wrote = 0;
    if (FAILED(m_pWriter->Write(bytes.size(), bytes.data(), &wrote)) || wrote != bytes.size())
        return false;
    m_nBytesWritten += wrote;
    return true;
}

bool CCaptureRecorder::HasWriter() const
{
    std::lock_guard lock(m_mutex);
    return m_pWriter != nullptr;
}

std::string CCaptureRecorder::GetRecordFile() const
{
    std::lock_guard lock(m_mutex);
    return m_strRecordFile;
}

std::uint64_t CCaptureRecorder::GetBytesWritten() const
{
    std::lock_guard lock(m_mutex);
    return m_nBytesWritten;
}
