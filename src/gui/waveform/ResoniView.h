// The waveform view below the overview: the overview's selection stretched to the full width,
// a drag selection whose samples become the document's analysis block, and two markers set by
// double click that bound the envelope editor. Drawing arithmetic lives in WaveViewLayout.
#pragma once

#include "gui/document/DocView.h"

#include "core/waveform/EnvelopeEditor.h"
#include "core/waveform/WaveViewLayout.h"

class CEnvelopeDialog;

class CResoniView : public CDocView
{
    Q_OBJECT
public:
    std::optional<ViewPictureInfo> PictureInfo() const override;
    QString HelpTopic() const override { return QStringLiteral("html/Hauptfenster.html"); }
    explicit CResoniView(CResoniDoc& doc, QWidget* parent = nullptr);

    void OnUpdate(int hint) override;

    // The overview's selection (logical x1 ≤ x2 of an overview totalWidth pixels wide); clears
    // the drag selection and redraws.
    void SetRange(int x1, int x2, int overviewTotalWidth);
    // Nothing shown (horizontal zoom, resized overview).
    void ClearRange();
    // Selects everything the view shows, as a drag across the whole view would, and hands it
    // to the document.
    void SelectAll();
    // The hidden controls of the dialog bar: each sets the reset flag and redraws.
    void SetAmplitudeZoom(int zoom);
    void SetPrecision(int precision);
    void SetDisplayMode(int mode); // 1 samples, 0 envelope

    WaveViewLayout::SampleRange sampleRange() const;
    const WaveViewLayout::Markers& markers() const { return m_Markers; }
    int amplitudeZoom() const { return m_nAZoom; }
    int precision() const { return m_nPrecision; }
    int displayMode() const { return m_nDisplayMode; }
    bool hasDrag() const { return m_nDragCursorX != 0; }

    // The envelope editor on the stretch between the markers: false (nothing opened) without a
    // shown range or without both markers.
    bool OpenEnvelope();
    const EnvelopeEditor& envelope() const { return m_Envelope; }
    CEnvelopeDialog* envelopeDialog() const { return m_pEnvelopeDialog; }

signals:
    // The live "Samples" count of the drag selection.
    void sampleCountChanged(long long count);

protected:
    void OnDraw(QPainter& painter, const QRect& area) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ClearDrag();
    void ConnectEnvelopeDialog();
    void ShowEnvelope();

    int m_nRangeX1 = 0, m_nRangeX2 = 0; // the overview selection as handed over
    int m_nOverviewTotalWidth = 0;
    int m_nPrevX1 = 0, m_nPrevX2 = 0;   // the range at the last drawing
    int m_nDragX1 = 0, m_nDragX2 = 0, m_nDragCursorX = 0;
    bool m_bDragging = false;
    int m_nAZoom = 1;
    bool m_bReset = false;
    int m_nPrecision = 100;
    int m_nDisplayMode = 1;
    WaveViewLayout::Markers m_Markers;
    EnvelopeEditor m_Envelope;
    CEnvelopeDialog* m_pEnvelopeDialog; // owned by this view, a hidden top-level window until opened
};
