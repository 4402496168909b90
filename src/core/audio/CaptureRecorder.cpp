#include "core/audio/CaptureRecorder.h"

#include "core/audio/AudioTexts.h"

#include <algorithm>
#include <utility>

namespace {

std::uint64_t BlockAlign(const WaveFormat& format)
{
    return std::max<std::uint16_t>(format.nBlockAlign, 1);
}

} // namespace

CCaptureRecorder::CCaptureRecorder(const WaveFormat& format, std::string strRecordFile, std::uint64_t nMaxDataBytes)
    : m_format(format),
      m_nMaxDataBytes(std::min(nMaxDataBytes, CRiffWaveFile::MaxDataBytes(format)) / BlockAlign(format) *
                      BlockAlign(format)),
      m_strRecordFile(std::move(strRecordFile))
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
    const std::uint64_t room = m_nMaxDataBytes - std::min(m_nBytesWritten, m_nMaxDataBytes);
    const bool bFull = bytes.size() > room;
    const std::size_t n = bFull ? static_cast<std::size_t>(room - room % BlockAlign(m_format)) : bytes.size();
    std::size_t wrote = 0;
    // Each region goes to the system at once: a recording whose program is killed keeps every
    // region written before.
    if ((n != 0 || !bFull) &&
        (FAILED(m_pWriter->Write(n, bytes.data(), &wrote)) || wrote != n || FAILED(m_pWriter->Flush())))
        return false;
    m_nBytesWritten += wrote;
    if (!bFull)
        return true;
    // The file is full: it is completed, and the next "Aufnahme" asks for a new one.
    m_bRecording = false;
    m_bLimitReached = true;
    const HRESULT hr = m_pWriter->Close();
    m_pWriter.reset();
    m_nBytesWritten = 0;
    return SUCCEEDED(hr);
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
