#include "ResoniOverView.h"

#include "WaveformPaint.h"

#include "core/waveform/OverviewLayout.h"
#include "gui/document/GlobalFlags.h"
#include "gui/document/ResoniDoc.h"
#include "gui/document/UpdateHints.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimerEvent>

namespace OL = OverviewLayout;

CResoniOverView::CResoniOverView(CResoniDoc& doc, QWidget* parent) : CDocView(doc, Qt::white, parent)
{
    setObjectName(QStringLiteral("CResoniOverView"));
    m_pScroll = new QScrollBar(Qt::Horizontal, this);
    m_pScroll->hide();
    connect(m_pScroll, &QScrollBar::valueChanged, this, [this] { update(); });
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumHeight(kMinimumHeight);
}

int CResoniOverView::scrollX() const
{
    return m_pScroll->isVisible() ? m_pScroll->value() : 0;
}

int CResoniOverView::clientWidth() const
{
    return width();
}

int CResoniOverView::clientHeight() const
{
    return height() - (m_pScroll->isVisible() ? m_pScroll->height() : 0);
}

void CResoniOverView::SetTotalWidth(int totalWidth)
{
    m_nTotalWidth = totalWidth;
    const int cw = clientWidth();
    const bool needed = totalWidth > cw;
    if (needed) {
        m_pScroll->setRange(0, totalWidth - cw);
        m_pScroll->setPageStep(cw);
        m_pScroll->setSingleStep(std::max(1, cw / 20));
    } else {
        m_pScroll->setRange(0, 0);
    }
    if (needed != m_pScroll->isVisible()) {
        m_pScroll->setGeometry(0, height() - m_pScroll->sizeHint().height(), width(),
                               m_pScroll->sizeHint().height());
        m_pScroll->setVisible(needed);
        update(); // the client height changed with the scroll bar
    }
}

void CResoniOverView::RecomputeScrollExtent()
{
    SetTotalWidth(m_nContentWidth >= 1 ? m_nContentWidth + 20 : clientWidth());
}

void CResoniOverView::OnUpdate(int hint)
{
    switch (hint) {
    case UpdateHint::kRefresh:
        RecomputeScrollExtent();
        m_bRedraw = true;
        update();
        break;
    case UpdateHint::kPlaybackStarted:
        m_Timer.start(kTimerPeriodMs, this);
        break;
    case UpdateHint::kPlaybackStopped:
        m_Timer.stop();
        break;
    default: break;
    }
}

void CResoniOverView::SetAmplitudeZoom(int zoom)
{
    m_nAZoom = std::clamp(zoom, 1, 81);
    m_bRedraw = true;
    update();
}

void CResoniOverView::SetHorizontalZoom(int zoom)
{
    m_nHZoom = std::clamp(zoom, 1, 41);
    ClearSelection();
    m_bRedraw = true;
    update();
}

void CResoniOverView::ClearSelection()
{
    m_nSelX1 = m_nSelY1 = m_nSelX2 = m_nSelY2 = 0;
    m_nBandStart = m_nBandEnd = m_nBandCursor = 0;
    emit rangeCleared();
}

void CResoniOverView::resizeEvent(QResizeEvent* event)
{
    CDocView::resizeEvent(event);
    if (m_nContentWidth >= 1)
        ClearSelection();
    m_pScroll->setGeometry(0, height() - m_pScroll->sizeHint().height(), width(), m_pScroll->sizeHint().height());
    RecomputeScrollExtent();
    m_bRedraw = true;
    update();
}

void CResoniOverView::OnDraw(QPainter& painter, const QRect& /*area*/)
{
    const CResoniDoc& doc = GetDocument();
    const WaveSamples wave = doc.samples();
    WaveformPaint::OverviewState st;
    st.clientWidth = clientWidth();
    st.clientHeight = clientHeight();
    if (wave.bytes >= OL::kMinSignalBytes) {
        const std::size_t n = wave.count();
        const int a = OL::sampleGroup(n, st.clientWidth, m_nHZoom);
        st.step = OL::sampleStep(n, st.clientWidth, m_nHZoom, a);
        const int w = OL::contentWidth(n, st.step, a, st.clientWidth, m_nHZoom);
        if (w != m_nContentWidth) {
            m_nContentWidth = w;
            RecomputeScrollExtent();
            st.clientHeight = clientHeight(); // the scroll bar may have come or gone
        }
        st.contentWidth = w;
        m_bRedraw = false;
    }
    st.hZoom = m_nHZoom;
    st.aZoom = m_nAZoom;
    st.scrollX = scrollX();
    st.totalWidth = m_nTotalWidth;
    st.bandStart = m_nBandStart;
    st.bandEnd = m_nBandEnd;
    st.rate = g_bWaveLoaded ? doc.m_nSampleRate : 0;
    st.caretX = hasFocus() ? m_nCaretX : -1;
    WaveformPaint::paintOverview(painter, wave, st);
}

int CResoniOverView::clampedX(int x) const
{
    return OL::clampX(x, clientWidth(), scrollX(), m_nTotalWidth);
}

void CResoniOverView::SelectAll()
{
    RecomputeScrollExtent();
    // Logical x runs over the total width without its two 10-pixel borders.
    m_nSelX1 = 0;
    m_nSelX2 = std::max(0, m_nTotalWidth - 20);
    m_nBandStart = OL::kLeft;
    m_nBandEnd = m_nBandCursor = OL::kLeft + m_nSelX2;
    emit selectionStarted();
    emit selectionMade(m_nSelX1, m_nSelX2, m_nTotalWidth);
    update();
}

void CResoniOverView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int x = clampedX(event->position().toPoint().x());
    m_nSelX1 = std::max(0, x + scrollX() - OL::kLeft);
    m_nSelY1 = event->position().toPoint().y();
    CResoniDoc& doc = GetDocument();
    if (g_bWaveLoaded)
        doc.SetPlayPosition(OL::playPositionForX(m_nSelX1, doc.m_nPlayDataBytes, m_nTotalWidth));
    m_nBandStart = m_nBandCursor = x + scrollX();
    m_nBandEnd = 0; // the old band goes
    m_nCaretX = x;
    emit selectionStarted();
    update();
}

void CResoniOverView::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() != Qt::LeftButton)
        return;
    const int x = clampedX(event->position().toPoint().x());
    m_nCaretX = x;
    m_nBandCursor = m_nBandEnd = x + scrollX();
    update();
}

void CResoniOverView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int x = clampedX(event->position().toPoint().x());
    m_nSelX2 = x + scrollX() - OL::kLeft;
    m_nSelY2 = event->position().toPoint().y();
    if (m_nSelX1 > m_nSelX2) {
        std::swap(m_nSelX1, m_nSelX2);
        std::swap(m_nSelY1, m_nSelY2);
    }
    emit selectionMade(m_nSelX1, m_nSelX2, m_nTotalWidth);
    m_nBandEnd = x + scrollX();
    if (m_nBandStart > m_nBandEnd)
        std::swap(m_nBandStart, m_nBandEnd);
    update();
}

void CResoniOverView::focusInEvent(QFocusEvent* event)
{
    CDocView::focusInEvent(event);
    m_nCaretX = OL::kLeft;
    update();
}

void CResoniOverView::focusOutEvent(QFocusEvent* event)
{
    CDocView::focusOutEvent(event);
    update();
}

void CResoniOverView::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_Timer.timerId())
        OnPlayTimer();
    else
        CDocView::timerEvent(event);
}

void CResoniOverView::OnPlayTimer()
{
    CResoniDoc& doc = GetDocument();
    const std::optional<std::size_t> cursor = doc.PlayCursor();
    if (!cursor) {
        // The buffer no longer plays (a run without loop reached its end).
        m_Timer.stop();
        g_bPlaying = false;
        return;
    }
    doc.ShowPlayWindow(static_cast<std::int64_t>(*cursor)); // the spectra follow the play position
    const OL::CaretMove move = OL::playCaret(*cursor, doc.m_nPlayDataBytes, m_nTotalWidth, scrollX(), clientWidth());
    if (move.scrollX != scrollX())
        m_pScroll->setValue(move.scrollX);
    m_nCaretX = move.x;
    update();
}
