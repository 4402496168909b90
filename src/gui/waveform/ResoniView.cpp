#include "ResoniView.h"

#include "EnvelopeDialog.h"
#include "WaveformPaint.h"

#include "gui/document/GlobalFlags.h"
#include "gui/document/ResoniDoc.h"
#include "gui/document/UpdateHints.h"

#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>

namespace WL = WaveViewLayout;

CResoniView::CResoniView(CResoniDoc& doc, QWidget* parent) : CDocView(doc, Qt::white, parent)
{
    setObjectName(QStringLiteral("CResoniView"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_pEnvelopeDialog = new CEnvelopeDialog(this);
    ConnectEnvelopeDialog();
}

void CResoniView::OnUpdate(int hint)
{
    if (hint == UpdateHint::kRefresh || hint == 2)
        update();
}

WL::SampleRange CResoniView::sampleRange() const
{
    return WL::rangeForSelection(m_nRangeX1, m_nRangeX2, GetDocument().samples().count(), m_nOverviewTotalWidth);
}

void CResoniView::SetRange(int x1, int x2, int overviewTotalWidth)
{
    m_nRangeX1 = x1;
    m_nRangeX2 = x2;
    m_nOverviewTotalWidth = overviewTotalWidth;
    ClearDrag();
    // A range new at both ends, or an empty one, clears the markers; decided here rather than
    // at the next drawing, so input that arrives before the repaint is kept.
    if (sampleRange().length() == 0 || (x1 != m_nPrevX1 && x2 != m_nPrevX2)) {
        m_Markers.clear();
        m_nPrevX1 = x1;
        m_nPrevX2 = x2;
    }
    update();
}

void CResoniView::ClearRange()
{
    m_nRangeX1 = m_nRangeX2 = 0;
    m_nPrevX1 = m_nPrevX2 = 0;
    ClearDrag();
    m_Markers.clear(); // marker pixels mean nothing without a range
    update();
}

void CResoniView::resizeEvent(QResizeEvent* event)
{
    CDocView::resizeEvent(event);
    // Drag band and markers are pixels of the old width.
    if (event->oldSize().width() != event->size().width()) {
        ClearDrag();
        m_Markers.clear();
    }
}

void CResoniView::ClearDrag()
{
    m_nDragX1 = m_nDragX2 = m_nDragCursorX = 0;
    m_bDragging = false;
}

void CResoniView::SetAmplitudeZoom(int zoom)
{
    m_nAZoom = std::max(1, zoom);
    m_bReset = true;
    update();
}

void CResoniView::SetPrecision(int precision)
{
    m_nPrecision = std::max(1, precision);
    m_bReset = true;
    update();
}

void CResoniView::SetDisplayMode(int mode)
{
    m_nDisplayMode = mode;
    m_bReset = true;
    update();
}

void CResoniView::OnDraw(QPainter& painter, const QRect& /*area*/)
{
    const WaveSamples wave = GetDocument().samples();
    WaveformPaint::WaveViewState st;
    st.width = width();
    st.height = height();
    if (wave.bytes >= 2 && m_bReset) {
        ClearDrag();
        m_Markers.clear();
    }
    st.range = sampleRange();
    if (wave.bytes >= 2 && st.range.length() != 0)
        m_bReset = false;
    st.aZoom = m_nAZoom;
    st.precision = m_nPrecision;
    if (m_nDragCursorX != 0) {
        st.bandX0 = m_nDragX1;
        st.bandX1 = m_bDragging ? m_nDragCursorX : m_nDragX2;
    }
    st.markers = m_Markers;
    WaveformPaint::paintWaveView(painter, wave, st);
}

void CResoniView::SelectAll()
{
    const WL::SampleRange range = sampleRange();
    if (range.length() == 0)
        return;
    m_bDragging = false;
    m_nDragX1 = WL::clampX(0, width());
    m_nDragX2 = m_nDragCursorX = WL::clampX(width(), width());
    emit sampleCountChanged(WL::dragSampleCount(m_nDragX1, m_nDragX2, range, width()));
    const WL::Handover h = WL::selectionFor(m_nDragX1, m_nDragX2, range, width(), GetDocument().samples().eightBit());
    GetDocument().OnSelectionChanged(h.first, h.end);
    update();
}

void CResoniView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int x = WL::clampX(event->position().toPoint().x(), width());
    m_nDragX1 = m_nDragCursorX = x;
    m_nDragX2 = x;
    m_bDragging = true;
    update();
}

void CResoniView::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() != Qt::LeftButton || !m_bDragging)
        return;
    const int x = WL::clampX(event->position().toPoint().x(), width());
    m_nDragCursorX = x;
    emit sampleCountChanged(WL::dragSampleCount(m_nDragX1, x, sampleRange(), width()));
    update();
}

void CResoniView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_bDragging)
        return;
    m_bDragging = false;
    m_nDragX2 = WL::clampX(event->position().toPoint().x(), width());
    if (m_nDragX1 > m_nDragX2)
        std::swap(m_nDragX1, m_nDragX2);
    const WL::SampleRange range = sampleRange();
    if (range.length() != 0) {
        const WL::Handover h =
            WL::selectionFor(m_nDragX1, m_nDragX2, range, width(), GetDocument().samples().eightBit());
        GetDocument().OnSelectionChanged(h.first, h.end);
    }
    update();
}

void CResoniView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_Markers.doubleClick(event->position().toPoint().x());
    update();
}

std::optional<ViewPictureInfo> CResoniView::PictureInfo() const
{
    return ViewPictureInfo{QString::fromUtf8("Speichert diese Waveansicht..."), QString::fromUtf8("Wave Abbild"), QString::fromUtf8("View Abbild")};
}
