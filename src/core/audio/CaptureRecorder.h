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

    explicit CCaptureRecorder(const WaveFormat& format, std::string strRecordFile = {});
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
    // when there was nothing to write or all was written, false when the write failed.
    bool WriteRegion(std::span<const std::uint8_t> bytes);

    bool IsRecording() const { return m_bRecording.load(); }
    bool HasWriter() const;
    std::string GetRecordFile() const;   // the last file chosen (or the initial path)
    std::uint64_t GetBytesWritten() const; // data bytes of the current writer, 0 without one

private:
    const WaveFormat m_format;
    std::atomic<bool> m_bRecording{false};
    mutable std::mutex m_mutex;              // guards the members below
    std::unique_ptr<CRiffWaveFile> m_pWriter; // the open record file, or a failed one
    std::string m_strRecordFile;
    std::uint64_t m_nBytesWritten = 0;
};
