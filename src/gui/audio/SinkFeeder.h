// CSinkFeeder keeps one audio sink of the output device filled: every 10 ms it asks its render
// function for as many bytes as the sink has room for, and it reports how many bytes it has
// handed over that are not yet played. It lives on the output thread (CPlaybackDevice) and is
// used only there; GetUnplayedBytes may be read from any thread.
#pragma once

#include <QAudioDevice>
#include <QAudioFormat>
#include <QByteArray>
#include <QObject>

#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>

class QAudioSink;
class QIODevice;
class QTimer;

class CSinkFeeder : public QObject
{
public:
    // Writes up to n bytes (a whole number of frames) into dst; returns how many.
    using Render = std::function<std::size_t(char* dst, std::size_t n)>;
    // The sink failed (device gone, server ended): the stream is closed.
    using Failed = std::function<void()>;

    static constexpr int kFeedIntervalMs = 10;
    static constexpr qint64 kBufferMicroseconds = 100000; // sink buffer: 100 ms of sound

    CSinkFeeder(const QAudioDevice& device, const QAudioFormat& format, Render render, Failed failed,
                QObject* parent = nullptr);
    ~CSinkFeeder() override;

    // Opens the sink when needed and starts feeding; false when the sink cannot be opened.
    bool Start();
    // Stops at once, dropping what the sink holds; returns the bytes that were not yet played.
    std::size_t Stop();
    bool IsRunning() const { return m_pSink != nullptr; }
    std::size_t GetUnplayedBytes() const { return m_nUnplayed.load(); }

private:
    void Feed();
    void Close();
    std::size_t Unplayed() const;

    QAudioDevice m_device;
    QAudioFormat m_format;
    Render m_render;
    Failed m_failed;
    std::unique_ptr<QAudioSink> m_pSink;
    QIODevice* m_pIo = nullptr;   // the sink's push device, owned by the sink
    QTimer* m_pTimer = nullptr;   // child
    QByteArray m_scratch;
    bool m_bRanDry = false;       // the render function gave nothing last time
    bool m_bPadded = false;       // silence was written after the end of the sound
    unsigned char m_silence;      // byte value of silence: 128 for 8-bit data, else 0
    std::atomic<std::size_t> m_nUnplayed{0};
};
