// The overview above the waveform view: the whole file, stretchable by the horizontal zoom and
// scrollable, with the time axis in seconds, the caret that follows playback, and a rubber-band
// selection that becomes the range of the waveform view. Drawing arithmetic lives in
// OverviewLayout; this widget paints and forwards the mouse.
#pragma once

#include "gui/document/DocView.h"

#include <QBasicTimer>

class QScrollBar;

class CResoniOverView : public CDocView
{
    Q_OBJECT
public:
    QString HelpTopic() const override { return QStringLiteral("html/Hauptfenster.html"); }
    static constexpr int kTimerId = 45;       // the playback timer of the original window
    static constexpr int kTimerPeriodMs = 60;
    // Below this the time axis and the scroll bar would leave no room for the signal.
    static constexpr int kMinimumHeight = 72;

    explicit CResoniOverView(CResoniDoc& doc, QWidget* parent = nullptr);

    void OnUpdate(int hint) override;

    // "Zoom" (vertical slider): amplitude multiplier 1 … 81.
    void SetAmplitudeZoom(int zoom);
    // "Zoom" (horizontal slider): stretch 1 … 41; clears the selection (the frame also clears
    // the waveform view's range).
    void SetHorizontalZoom(int zoom);
    void ClearSelection();
    // Selects the whole file, as a drag from the first to the last sample would.
    void SelectAll();

    int horizontalZoom() const { return m_nHZoom; }
    int amplitudeZoom() const { return m_nAZoom; }
    int totalWidth() const { return m_nTotalWidth; }
    int contentWidth() const { return m_nContentWidth; }
    int scrollX() const;
    int clientWidth() const;
    int clientHeight() const;
    QScrollBar* scrollBar() const { return m_pScroll; }
    int caretX() const { return m_nCaretX; }
    bool playTimerActive() const { return m_Timer.isActive(); }

signals:
    // A selection was made: logical x1 ≤ x2 (border excluded) of an overview that is
    // totalWidth pixels wide.
    void selectionMade(int x1, int x2, int totalWidth);
    // The "Samples" field starts again at 0.
    void selectionStarted();
    // The horizontal zoom or a resize invalidated the waveform view's range.
    void rangeCleared();

protected:
    void OnDraw(QPainter& painter, const QRect& area) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void SetTotalWidth(int width);
    void RecomputeScrollExtent();
    void OnPlayTimer();
    int clampedX(int x) const;

    QScrollBar* m_pScroll; // owned by this widget
    int m_nHZoom = 1;
    int m_nAZoom = 1;
    bool m_bRedraw = false;
    int m_nTotalWidth = 0;
    int m_nContentWidth = -21; // unknown until the first drawing
    int m_nBandStart = 0, m_nBandEnd = 0, m_nBandCursor = 0; // logical x
    int m_nSelX1 = 0, m_nSelY1 = 0, m_nSelX2 = 0, m_nSelY2 = 0;
    int m_nCaretX = 10;                                      // client x
    QBasicTimer m_Timer;
};
