// CPlaybackDevice is the opened output device together with the thread that feeds it: every
// audio sink of the program (playback buffers, beeps) lives on that thread, so playing never
// depends on the user-interface thread being free. It is shared by whoever plays on it and
// ends its thread when the last user lets go.
#pragma once

#include <QAudioDevice>

#include <functional>
#include <memory>

class QObject;
class QThread;

class CPlaybackDevice
{
public:
    explicit CPlaybackDevice(const QAudioDevice& device);
    ~CPlaybackDevice();
    CPlaybackDevice(const CPlaybackDevice&) = delete;
    CPlaybackDevice& operator=(const CPlaybackDevice&) = delete;

    const QAudioDevice& device() const { return m_device; }

    // Runs fn on the output thread and returns when it is done (directly when called there).
    // The output thread never waits for the user-interface thread, so this cannot deadlock.
    void Run(const std::function<void()>& fn) const;
    // Queues fn to the output thread without waiting.
    void Post(std::function<void()> fn) const;
    // An object living on the output thread (parent or context for objects there).
    QObject* context() const { return m_pContext.get(); }

private:
    QAudioDevice m_device;
    std::unique_ptr<QThread> m_pThread;
    std::unique_ptr<QObject> m_pContext; // moved to m_pThread
};
