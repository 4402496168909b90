#include "SinkFeeder.h"

#include <QAudioSink>
#include <QTimer>

#include <cstring>

CSinkFeeder::CSinkFeeder(const QAudioDevice& device, const QAudioFormat& format, Render render, Failed failed,
                         QObject* parent)
    : QObject(parent), m_device(device), m_format(format), m_render(std::move(render)), m_failed(std::move(failed)),
      m_pTimer(new QTimer(this)), m_silence(format.sampleFormat() == QAudioFormat::UInt8 ? 128 : 0)
{
    m_pTimer->setInterval(kFeedIntervalMs);
    m_pTimer->setTimerType(Qt::PreciseTimer);
    connect(m_pTimer, &QTimer::timeout, this, &CSinkFeeder::Feed);
}

CSinkFeeder::~CSinkFeeder()
{
    Close();
}

bool CSinkFeeder::Start()
{
    if (!m_pSink) {
        auto sink = std::make_unique<QAudioSink>(m_device, m_format);
        sink->setBufferSize(m_format.bytesForDuration(kBufferMicroseconds));
        QIODevice* io = sink->start();
        if (!io || sink->error() != QAudio::NoError)
            return false;
        connect(sink.get(), &QAudioSink::stateChanged, this, [this](QAudio::State state) {
            if (state != QAudio::StoppedState || !m_pSink || m_pSink->error() == QAudio::NoError)
                return;
            Close();
            if (m_failed)
                m_failed();
        });
        m_pSink = std::move(sink);
        m_pIo = io;
    }
    m_bRanDry = false;
    m_bPadded = false;
    Feed();
    m_pTimer->start();
    return true;
}

std::size_t CSinkFeeder::Stop()
{
    const std::size_t unplayed = m_pSink ? Unplayed() : 0;
    Close();
    return unplayed;
}

void CSinkFeeder::Close()
{
    m_pTimer->stop();
    if (m_pSink) {
        m_pSink->disconnect(this);
        m_pSink->reset();
        m_pSink->stop();
        // Close may run inside the sink's own signal, so the sink is deleted by the event loop.
        m_pSink.release()->deleteLater();
    }
    m_pIo = nullptr;
    m_nUnplayed = 0;
}

std::size_t CSinkFeeder::Unplayed() const
{
    if (!m_pSink)
        return 0;
    const qint64 held = m_pSink->bufferSize() - m_pSink->bytesFree();
    return held > 0 ? static_cast<std::size_t>(held) : 0;
}

void CSinkFeeder::Feed()
{
    if (!m_pSink)
        return;
    const qint64 frame = m_format.bytesPerFrame();
    qint64 room = m_pSink->bytesFree();
    if (frame > 0)
        room -= room % frame;
    if (room > 0) {
        if (m_scratch.size() < room)
            m_scratch.resize(room);
        std::size_t n = m_render(m_scratch.data(), static_cast<std::size_t>(room));
        m_bRanDry = n == 0;
        if (n > 0)
            m_bPadded = false;
        if (n < static_cast<std::size_t>(room) && !m_bPadded) {
            // The sound ends here: one buffer of silence behind it, so that the server starts
            // even a sound shorter than its prebuffer and plays the last bytes out.
            std::memset(m_scratch.data() + n, m_silence, static_cast<std::size_t>(room) - n);
            n = static_cast<std::size_t>(room);
            m_bPadded = true;
        }
        if (n > 0)
            m_pIo->write(m_scratch.constData(), static_cast<qint64>(n));
    }
    m_nUnplayed = Unplayed();
    // Nothing more to play and the sink has run empty: give the stream back.
    if (m_bRanDry && m_nUnplayed.load() == 0)
        Close();
}
