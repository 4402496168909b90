#include "CaptureThread.h"

#include "QtAudioFormat.h"

#include "core/audio/AudioTexts.h"
#include "core/audio/CaptureRing.h"
#include "gui/app/UiDialogs.h"

#include <QAudioSource>
#include <QFileInfo>
#include <QMediaDevices>
#include <QMetaObject>
#include <QObject>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

// What the capture thread, the queued hand-overs and the user-interface side share.
struct CCaptureThread::Shared
{
    Shared(const QAudioDevice& d, const WaveFormat& f, const CaptureGeometry& g, const QString& recordFile,
           Callbacks c, std::uint64_t nMaxRecordBytes)
        : device(d), format(f), geometry(g), callbacks(std::move(c)),
          recorder(f, recordFile.toStdString(), nMaxRecordBytes)
    {
    }

    const QAudioDevice device;
    const WaveFormat format;
    const CaptureGeometry geometry;
    const Callbacks callbacks;
    CCaptureRecorder recorder;

    std::mutex mutex;                 // guards HandOver::state
    std::condition_variable handled;  // a hand-over was handled, or the stop came
    std::atomic<bool> stop{false};    // set by Stop(): leave the loop
    bool closed = false;              // user-interface thread only: no more callbacks
    std::atomic<std::uint64_t> delivered{0}, dropped{0};
    std::atomic<std::uint64_t> captured{0};
    std::vector<std::uint8_t> recordRest; // capture thread only: the part block not yet written
};

namespace {

// One notification's blocks on their way to the user-interface thread.
struct HandOver
{
    enum class State { Pending, Taken, Done, Dropped };
    std::vector<double> samples;
    State state = State::Pending; // guarded by Shared::mutex
};

} // namespace

class CCaptureThread::Loop : public QThread
{
public:
    static constexpr qint64 kReadChunk = 64 * 1024; // bytes per read from the device

    Loop(std::shared_ptr<Shared> shared, QObject* receiver) : m_pShared(std::move(shared)), m_pReceiver(receiver)
    {
        setObjectName(QStringLiteral("CaptureThread"));
    }

protected:
    void run() override
    {
        const QString ended = Capture();
        // A record file still open is completed when the thread ends.
        m_pShared->recorder.StopRecording();
        if (m_pShared->stop)
            return;
        std::shared_ptr<Shared> shared = m_pShared;
        QMetaObject::invokeMethod(
            m_pReceiver,
            [shared, ended] {
                if (!shared->closed && shared->callbacks.onEnded)
                    shared->callbacks.onEnded(ended);
            },
            Qt::QueuedConnection);
    }

private:
    // Captures until stopped; the message for the user when the capture ended by itself.
    QString Capture()
    {
        Shared& s = *m_pShared;
        const QAudioFormat format = ToQAudioFormat(s.format);
        if (!s.geometry.IsValid() || !format.isValid() || s.device.isNull() || !s.device.isFormatSupported(format))
            return QString::fromUtf8(AudioText::kCaptureBufferFailed);
        QAudioSource source(s.device, format);
        // Data then arrives about block by block instead of in the default 50 ms pieces.
        source.setBufferSize(static_cast<qsizetype>(s.geometry.nBlockBytes));
        QIODevice* io = source.start();
        if (source.error() != QAudio::NoError || source.state() == QAudio::StoppedState) {
            source.stop();
            return QString::fromUtf8(AudioText::kCaptureBufferFailed);
        }
        if (!io)
            return QString::fromUtf8(AudioText::kCaptureInterfaceFailed);

        CCaptureRing ring(s.geometry);
        QString ended;
        QObject::connect(io, &QIODevice::readyRead, &source, [this, io, &ring] { OnData(*io, ring); });
        QObject::connect(&source, &QAudioSource::stateChanged, &source, [this, &source, &ended](QAudio::State st) {
            if (st != QAudio::StoppedState || source.error() == QAudio::NoError || m_pShared->stop)
                return;
            ended = QString::fromUtf8(AudioText::kCaptureDeviceLost);
            exit();
        });
        if (!s.stop)
            exec();
        source.disconnect();
        io->disconnect();
        source.stop();
        return ended;
    }

    // The device has written more: store it in the ring; at a notification position take
    // every whole block since the last one and hand it over.
    void OnData(QIODevice& io, CCaptureRing& ring)
    {
        Shared& s = *m_pShared;
        if (s.stop)
            return;
        // Everything the device holds, not only the piece this signal announced: after a slow
        // hand-over much more has arrived.
        std::size_t passed = 0;
        for (;;) {
            const QByteArray data = io.read(kReadChunk);
            if (data.isEmpty())
                break;
            const std::span bytes(reinterpret_cast<const std::uint8_t*>(data.constData()),
                                  static_cast<std::size_t>(data.size()));
            s.captured += bytes.size();
            Record(bytes);
            passed += ring.Write(bytes);
        }
        if (passed == 0 || s.stop)
            return;
        auto handOver = std::make_shared<HandOver>();
        if (!ring.RecordCapturedData(handOver->samples, s.format.wBitsPerSample, nullptr))
            return;
        HandOverBlocks(handOver);
    }

    // While recording: appends the bytes to the record file in whole blocks; the rest of a
    // block waits for the next data. A recording started later begins at a block's start.
    void Record(std::span<const std::uint8_t> bytes)
    {
        Shared& s = *m_pShared;
        if (!s.recorder.IsRecording()) {
            s.recordRest.clear();
            return;
        }
        s.recordRest.insert(s.recordRest.end(), bytes.begin(), bytes.end());
        const std::size_t block = s.geometry.nBlockBytes;
        const std::size_t whole = s.recordRest.size() / block * block;
        if (whole == 0)
            return;
        s.recorder.WriteRegion({s.recordRest.data(), whole}); // a failed file keeps failing until "Aufnahme Stop"
        s.recordRest.erase(s.recordRest.begin(), s.recordRest.begin() + static_cast<std::ptrdiff_t>(whole));
        if (!s.recorder.TakeLimitReached())
            return;
        std::shared_ptr<Shared> shared = m_pShared;
        QMetaObject::invokeMethod(
            m_pReceiver,
            [shared] {
                if (!shared->closed && shared->callbacks.onRecordingEnded)
                    shared->callbacks.onRecordingEnded(QString::fromUtf8(AudioText::kRecordLimitReached));
            },
            Qt::QueuedConnection);
    }

    // Queues the blocks to the user-interface thread and waits until they are handled, the
    // stop comes, or 1000 ms have passed; then an untaken hand-over is dropped. A taken one
    // stays alive with its receiver even when the wait ends first.
    void HandOverBlocks(const std::shared_ptr<HandOver>& handOver)
    {
        std::shared_ptr<Shared> shared = m_pShared;
        QMetaObject::invokeMethod(
            m_pReceiver, [shared, handOver] { Deliver(*shared, *handOver); }, Qt::QueuedConnection);
        Shared& s = *m_pShared;
        std::unique_lock lock(s.mutex);
        s.handled.wait_for(lock, std::chrono::milliseconds(kHandOverTimeoutMs),
                           [&] { return handOver->state == HandOver::State::Done || s.stop; });
        if (handOver->state == HandOver::State::Pending) {
            handOver->state = HandOver::State::Dropped;
            ++s.dropped;
        }
    }

    // On the user-interface thread.
    static void Deliver(Shared& s, HandOver& handOver)
    {
        {
            std::lock_guard lock(s.mutex);
            if (handOver.state != HandOver::State::Pending)
                return;
            if (s.closed) {
                handOver.state = HandOver::State::Dropped;
                ++s.dropped;
                return;
            }
            handOver.state = HandOver::State::Taken;
        }
        if (s.callbacks.onBlock)
            s.callbacks.onBlock(handOver.samples);
        ++s.delivered;
        {
            std::lock_guard lock(s.mutex);
            handOver.state = HandOver::State::Done;
        }
        s.handled.notify_all();
    }

    std::shared_ptr<Shared> m_pShared;
    QObject* m_pReceiver;
};

CCaptureThread::CCaptureThread(const QAudioDevice& device, const WaveFormat& format, int nFFTSize,
                               const QString& strRecordFile, Callbacks callbacks, std::uint64_t nMaxRecordBytes)
    : m_geometry(MakeCaptureGeometry(nFFTSize, format.nBlockAlign)),
      m_pShared(std::make_shared<Shared>(device, format, m_geometry, strRecordFile, std::move(callbacks),
                                         nMaxRecordBytes)),
      m_pReceiver(new QObject()), m_pDeviceCheck(new QTimer(m_pReceiver.get())),
      m_pLoop(std::make_unique<Loop>(m_pShared, m_pReceiver.get()))
{
    m_pDeviceCheck->setInterval(kDeviceCheckMs);
    QObject::connect(m_pDeviceCheck, &QTimer::timeout, m_pReceiver.get(), [this] { CheckDevice(); });
}

CCaptureThread::~CCaptureThread()
{
    Stop();
    m_pShared->recorder.StopRecording();
}

void CCaptureThread::DeleteLater::operator()(QObject* object) const
{
    object->deleteLater();
}

void CCaptureThread::Start()
{
    if (m_pLoop->isRunning() || m_pShared->stop)
        return;
    m_pLoop->start(QThread::NormalPriority);
    m_pDeviceCheck->start();
}

void CCaptureThread::CheckDevice()
{
    if (!m_pLoop->isRunning())
        return;
    const QByteArray id = m_pShared->device.id();
    for (const QAudioDevice& d : QMediaDevices::audioInputs())
        if (d.id() == id)
            return;
    // The device has gone (unplugged, or the server dropped it): end listening as the thread
    // would on a failing device. The callback may delete this object, so nothing follows it.
    Stop();
    m_pShared->recorder.StopRecording();
    if (m_pShared->callbacks.onEnded)
        m_pShared->callbacks.onEnded(QString::fromUtf8(AudioText::kCaptureDeviceLost));
}

void CCaptureThread::Stop()
{
    m_pDeviceCheck->stop();
    m_pShared->closed = true;
    m_pShared->stop = true;
    {
        // Taking the mutex orders the flag before a waiting hand-over checks it again.
        std::lock_guard lock(m_pShared->mutex);
    }
    m_pShared->handled.notify_all();
    m_pLoop->quit();
    m_pLoop->wait();
}

bool CCaptureThread::IsRunning() const
{
    return m_pLoop->isRunning();
}

bool CCaptureThread::StartRecording(IUiDialogs& dialogs)
{
    const QString last = QString::fromStdString(m_pShared->recorder.GetRecordFile());
    const QString directory = last.contains(QLatin1Char('/')) ? QFileInfo(last).absolutePath() : QString();
    const QList<FileFilter> filters = FileFiltersFromList(AudioText::kRecordFileFilter);
    return m_pShared->recorder.StartRecording(
        [&] {
            return dialogs
                .saveFileName(QString::fromUtf8(AudioText::kRecordFileTitle), filters, 0, directory,
                              QString::fromUtf8(AudioText::kRecordFileSuffix))
                .toStdString();
        },
        [&](const std::string& text) { dialogs.messageBox(QString::fromStdString(text)); });
}

void CCaptureThread::StopRecording()
{
    m_pShared->recorder.StopRecording();
}

bool CCaptureThread::IsRecording() const
{
    return m_pShared->recorder.IsRecording();
}

const CCaptureRecorder& CCaptureThread::recorder() const
{
    return m_pShared->recorder;
}

std::uint64_t CCaptureThread::deliveredBlocks() const
{
    return m_pShared->delivered;
}

std::uint64_t CCaptureThread::droppedBlocks() const
{
    return m_pShared->dropped;
}

std::uint64_t CCaptureThread::capturedBytes() const
{
    return m_pShared->captured;
}
