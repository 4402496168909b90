#include "PlaybackDevice.h"

#include <QMetaObject>
#include <QObject>
#include <QThread>

CPlaybackDevice::CPlaybackDevice(const QAudioDevice& device)
    : m_device(device), m_pThread(std::make_unique<QThread>()), m_pContext(std::make_unique<QObject>())
{
    m_pThread->setObjectName(QStringLiteral("ResoniAudioOut"));
    m_pContext->moveToThread(m_pThread.get());
    m_pThread->start();
}

CPlaybackDevice::~CPlaybackDevice()
{
    m_pThread->quit();
    m_pThread->wait();
    // The thread has ended, so its context object may go from here.
}

void CPlaybackDevice::Run(const std::function<void()>& fn) const
{
    if (QThread::currentThread() == m_pThread.get()) {
        fn();
        return;
    }
    QMetaObject::invokeMethod(m_pContext.get(), fn, Qt::BlockingQueuedConnection);
}

void CPlaybackDevice::Post(std::function<void()> fn) const
{
    QMetaObject::invokeMethod(m_pContext.get(), std::move(fn), Qt::QueuedConnection);
}
