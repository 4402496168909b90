// CCaptureRecorder holds the record file of one listening period: the user-interface thread
// starts and stops recording, the capture thread appends every captured region while
// recording is on. The writer is a CRiffWaveFile; closing it completes the header (sizes,
// odd data padded to an even length). One mutex guards the writer, so stopping never cuts a
// write in half and never deletes a writer under the capture thread.
#pragma once

#include "core/audio/RiffWaveFile.h"
#include "core/common/Callbacks.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>

class CCaptureRecorder
{
public:
    // Asks the user for the record file; an empty result means cancelled.
    using AskFile = std::function<std::string()>;

    // The size limit meaning "as much as a WAV file of the capture format can hold"
    // (CRiffWaveFile::MaxDataBytes).
    static constexpr std::uint64_t kWavLimit = ~std::uint64_t{0};

    // nMaxDataBytes: the most data bytes a record file may take, rounded down to whole blocks and
    // never more than the WAV limit.
    explicit CCaptureRecorder(const WaveFormat& format, std::string strRecordFile = {},
                              std::uint64_t nMaxDataBytes = kWavLimit);
    ~CCaptureRecorder();
    CCaptureRecorder(const CCaptureRecorder&) = delete;
    CCaptureRecorder& operator=(const CCaptureRecorder&) = delete;

    // "Aufnahme" (user-interface thread). Without a writer the file is asked for: cancelled
    // returns false and recording stays off; otherwise a writer is created and opened for
    // writing in the capture format; if that fails, message gets "Cannot create wave file."
    // and the writer stays (so every later write fails until "Aufnahme Stop"). With a writer
    // already there nothing is asked. Returns true when recording is on.
    bool StartRecording(const AskFile& askFile, const MessageCallback& message);
    // "Aufnahme Stop" and the end of listening: recording off; a writer is closed (the WAV
    // header completed) and deleted. Returns the status of closing, S_OK without a writer.
    HRESULT StopRecording();

    // Capture thread: while recording and a writer exists, appends the bytes unchanged; true
    // when there was nothing to write or all was written, false when the write failed. Bytes that
    // would pass the size limit are not written: the whole blocks that still fit are, then
    // recording goes off, the writer is closed (the file complete) and deleted, and the limit is
    // remembered for TakeLimitReached.
    bool WriteRegion(std::span<const std::uint8_t> bytes);
    // Whether a recording stopped at the size limit since the last call (the user interface then
    // shows AudioText::kRecordLimitReached); clears the mark.
    bool TakeLimitReached() { return m_bLimitReached.exchange(false); }
    std::uint64_t GetMaxDataBytes() const { return m_nMaxDataBytes; }

    bool IsRecording() const { return m_bRecording.load(); }
    bool HasWriter() const;
    std::string GetRecordFile() const;   // the last file chosen (or the initial path)
    std::uint64_t GetBytesWritten() const; // data bytes of the current writer, 0 without one

private:
    const WaveFormat m_format;
    const std::uint64_t m_nMaxDataBytes; // whole blocks
    std::atomic<bool> m_bRecording{false};
    std::atomic<bool> m_bLimitReached{false};
    mutable std::mutex m_mutex;              // guards the members below
    std::unique_ptr<CRiffWaveFile> m_pWriter; // the open record file, or a failed one
    std::string m_strRecordFile;
    std::uint64_t m_nBytesWritten = 0;
};
