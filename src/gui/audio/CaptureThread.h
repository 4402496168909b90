// CCaptureThread is listening: a thread that captures from the capture device into the ring
// of 16 blocks and hands every notification's whole blocks to the user-interface thread. While
// recording it writes every captured byte to the record file itself, in whole blocks, straight
// from what the device delivered, so a busy window costs the file nothing. The hand-over waits at most 1000 ms for the receiver;
// a block it was not taken by then is dropped. Stop wakes the thread and waits for its end,
// which therefore never takes longer than one hand-over. The document creates one per
// listening period and calls it from the user-interface thread only.
#pragma once

#include "core/audio/CaptureGeometry.h"
#include "core/audio/CaptureRecorder.h"
#include "core/audio/WaveFormat.h"

#include <QAudioDevice>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <span>

class IUiDialogs;
class QObject;
class QTimer;

class CCaptureThread
{
public:
    static constexpr int kHandOverTimeoutMs = 1000;
    // How often the user-interface side looks whether the capture device is still there.
    static constexpr int kDeviceCheckMs = 500;

    struct Callbacks
    {
        // A notification's whole blocks as samples (8-bit 0 ... 255, 16-bit signed); valid only
        // during the call. Runs on the user-interface thread while the capture thread waits.
        std::function<void(std::span<const double> block)> onBlock;
        // The thread ended by itself: the capture stream could not be opened or read, or the
        // device went away. The text is for the user; listening is over (a record file has
        // been completed).
        std::function<void(const QString& message)> onEnded;
        // The recording stopped by itself at the size limit of a WAV file (the file is complete
        // and closed); listening goes on. On the user-interface thread, with the text for the user.
        std::function<void(const QString& message)> onRecordingEnded;
    };

    // format: the capture format (the document's m_pWaveFormat); nFFTSize gives the block size
    // B = N - (N mod block alignment); strRecordFile: where a record file dialog starts;
    // nMaxRecordBytes: the most data bytes of a record file (the WAV limit unless a test asks less).
    CCaptureThread(const QAudioDevice& device, const WaveFormat& format, int nFFTSize,
                   const QString& strRecordFile, Callbacks callbacks,
                   std::uint64_t nMaxRecordBytes = CCaptureRecorder::kWavLimit);
    ~CCaptureThread(); // Stop(), then the record file is completed
    CCaptureThread(const CCaptureThread&) = delete;
    CCaptureThread& operator=(const CCaptureThread&) = delete;

    // Starts the thread (normal priority); set-up failures arrive through onEnded.
    void Start();
    // Ends the thread and returns once it has ended; blocks of it not yet handled are dropped.
    void Stop();
    bool IsRunning() const;

    // "Aufnahme": asks for the record file through dialogs ("Wavefile auswählen oder neu
    // benennen.") unless one is open; false when cancelled (recording stays off). A file that
    // cannot be created gives "Cannot create wave file." and recording stays on with nothing
    // written (see CCaptureRecorder).
    bool StartRecording(IUiDialogs& dialogs);
    // "Aufnahme Stop": recording off, the record file completed and closed.
    void StopRecording();
    bool IsRecording() const;
    const CCaptureRecorder& recorder() const;

    const CaptureGeometry& geometry() const { return m_geometry; }
    // Notifications handed over and taken by the receiver, and those dropped after the
    // time-out (or at the end).
    std::uint64_t deliveredBlocks() const;
    std::uint64_t droppedBlocks() const;
    // Bytes read from the capture device since the start.
    std::uint64_t capturedBytes() const;

    struct Shared;

private:
    class Loop;
    void CheckDevice();

    // Hand-overs may still be queued to the receiver when it goes, so it is deleted by its
    // event loop; they then find the shared state closed.
    struct DeleteLater
    {
        void operator()(QObject* object) const;
    };

    const CaptureGeometry m_geometry;
    std::shared_ptr<Shared> m_pShared;   // with the thread and the queued hand-overs
    std::unique_ptr<QObject, DeleteLater> m_pReceiver; // on the user-interface thread
    QTimer* m_pDeviceCheck;              // child of the receiver
    std::unique_ptr<Loop> m_pLoop;       // declared last: ends first
};
