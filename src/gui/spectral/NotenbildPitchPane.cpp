#include "NotenbildPitchPane.h"

#include "NotenbildPitchWorker.h"

#include "gui/document/GlobalFlags.h"
#include "gui/document/ResoniDoc.h"
#include "gui/document/UpdateHints.h"
#include "gui/presentation/PlotPainter.h"

#include <QPainter>
#include <QWidget>

#include <algorithm>

namespace {

bool Live()
{
    return g_bListening || g_bPlaying;
}

// The document keeps 8-bit samples as unsigned bytes and all others as 16-bit values.
double FullScale(int nBitsPerSample)
{
    return nBitsPerSample == 8 ? 128.0 : 32768.0;
}

} // namespace

void PaintNotenbildPitch(QPainter& painter, int width, int height, const NotenbildPitchTrace& trace)
{
    painter.fillRect(QRect(0, 0, width, height), Qt::white);
    const NotenbildDrawing drawing = NotenbildPitchLayout(width, height, trace);
    PlotPainter::drawLines(painter, drawing.lines);
    PlotPainter::drawEllipses(painter, drawing.ellipses);
    PlotPainter::drawTexts(painter, drawing.texts);
}

CNotenbildPitchPane::CNotenbildPitchPane(CResoniDoc& doc, QWidget& view) : m_doc(doc), m_view(view) {}

CNotenbildPitchPane::~CNotenbildPitchPane()
{
    CancelRun();
}

void CNotenbildPitchPane::setActive(bool bActive)
{
    if (bActive == m_bActive)
        return;
    m_bActive = bActive;
    if (!bActive) {
        CancelRun();
        m_pLive.reset();
    } else if (g_bSelectionFFT && !Live()) {
        Recompute();
    }
}

void CNotenbildPitchPane::OnUpdate(int hint)
{
    if (!m_bActive)
        return;
    if (Live()) {
        if (hint == UpdateHint::kNewBlock)
            AddLiveBlock();
    } else if (g_bSelectionFFT) {
        Recompute();
    }
}

NotenbildPitchTrace CNotenbildPitchPane::trace() const
{
    NotenbildPitchTrace trace;
    trace.dA4Hz = m_dA4Hz;
    if (m_pLive) {
        trace.bLive = true;
        const std::uint64_t count = m_pLive->count();
        const std::uint64_t shown = std::min<std::uint64_t>(count, m_pLive->capacity());
        for (std::uint64_t k = count - shown; k < count; ++k)
            trace.hops.push_back(m_pLive->at(k));
        trace.nNewest = count > 0 ? count - 1 : 0;
    } else {
        trace.hops = m_Track.hops;
    }
    return trace;
}

void CNotenbildPitchPane::Recompute()
{
    const double rate = m_doc.m_nSampleRate > 0 ? m_doc.m_nSampleRate : 44100.0;
    if (!m_pLive && m_pSource && *m_pSource == m_doc.m_arSignal && m_dSourceRate == rate)
        return; // the trace shows (or is computing) this selection already
    CancelRun();
    m_pLive.reset();
    m_Track = PitchTrack{};
    m_pSource = std::make_shared<const std::vector<double>>(m_doc.m_arSignal);
    m_dSourceRate = rate;
    if (m_pSource->size() < static_cast<std::size_t>(PitchFrameLength(rate)))
        return; // not one whole frame: nothing to draw
    const int run = ++m_nRun;
    m_pWorker = std::make_unique<CNotenbildPitchWorker>(
        CNotenbildPitchWorker::Job{m_pSource, rate, FullScale(m_doc.m_nBitsPerSample)}, [this, run](bool) {
            QMetaObject::invokeMethod(this, [this, run] { OnRunFinished(run); }, Qt::QueuedConnection);
        });
    m_view.setCursor(Qt::WaitCursor);
}

void CNotenbildPitchPane::OnRunFinished(int run)
{
    if (run != m_nRun || !m_pWorker)
        return; // a report of a computation that was replaced meanwhile
    m_Track = m_pWorker->takeTrack();
    m_pWorker.reset();
    m_view.unsetCursor();
    m_view.update();
    emit trackFinished();
}

void CNotenbildPitchPane::CancelRun()
{
    ++m_nRun; // reports still on their way are ignored
    if (!m_pWorker)
        return;
    if (m_pWorker->running()) {
        ++m_nCancelledRuns;
        m_pSource.reset(); // its track is incomplete
    }
    m_pWorker.reset(); // stops the computation and waits for its thread
    m_view.unsetCursor();
}

void CNotenbildPitchPane::AddLiveBlock()
{
    // Listening: the block is the newest of the samples captured so far. Playing: the analysis
    // block starts at the play position; its first frame is what sounds now.
    const bool bListening = g_bListening;
    const PcmWaveFormat* capture = m_doc.m_pWaveFormat.get();
    const double rate = bListening && capture && capture->samplesPerSec > 0 ? capture->samplesPerSec
                        : m_doc.m_nSampleRate > 0                             ? m_doc.m_nSampleRate
                                                                              : 44100.0;
    const int bits = bListening && capture ? capture->bitsPerSample : m_doc.m_nBitsPerSample;
    // Another source (or rate) starts the trace anew at the left edge.
    if (!m_pLive || m_pLive->sampleRate() != rate || m_bLiveListening != bListening) {
        CancelRun();
        m_pSource.reset();
        m_pLive = std::make_unique<PitchLive>(rate, FullScale(bits));
        m_bLiveListening = bListening;
    }
    std::span<const double> block = m_doc.m_arSignal;
    std::int64_t first = 0;
    if (bListening) {
        // The newest captured samples rather than the analysis block: contiguous, so that every
        // hop gets its whole frame also when only every second block is analysed.
        block = m_doc.m_arRecentInput;
        first = static_cast<std::int64_t>(m_doc.m_nCapturedSamples) - static_cast<std::int64_t>(block.size());
    } else {
        block = block.first(std::min(block.size(), static_cast<std::size_t>(PitchFrameLength(rate))));
        first = m_doc.m_nPlayWindowStart;
    }
    m_pLive->push(block, first);
}
