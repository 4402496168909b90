// The FFT view: the document's magnitude spectrum against frequency with axes, piano strip,
// held maxima, detected peaks, a smoothing curve through them and the cross-hair read-out. What
// to draw comes from FFTPlotModel; this widget paints it and forwards the mouse. Its detected
// peaks become the document's peak list while the note image is open.
#pragma once

#include "gui/document/DocView.h"

#include "core/spectral/FFTPlotModel.h"

#include <optional>

// One repaint of the spectrum into the area (0, 0, in.nWidth, in.nHeight): the model computes
// its lists from the frame, then strip, axes, spectrum, curve, peak marks with their labels and
// read-out are drawn in that order. The view, pictures of it and the benchmark paint through this.
void PaintFFTView(QPainter& painter, FFTPlotModel& model, const FFTFrameInput& in, const FFTViewColours& colours);

class CFFTView : public CDocView
{
    Q_OBJECT
public:
    std::optional<ViewPictureInfo> PictureInfo() const override;
    // Pictures in their own colours (white ground, black axes, green curve); the clipboard's
    // copy also carries the captions "Frequenz" and "Amplitude" beside the plot.
    void DrawPicture(QPainter& painter, bool bClipboard) override;
    QString HelpTopic() const override { return QStringLiteral("html/FFTDarstellung.html"); }
    explicit CFFTView(CResoniDoc& doc, QWidget* parent = nullptr);
    ~CFFTView() override;

    void OnUpdate(int hint) override;

    FFTPlotModel& model() { return m_Model; }
    const FFTPlotModel& model() const { return m_Model; }
    // The parameters back into the application's settings (closing, saving a profile).
    void StoreSettings() const;
    // What a repaint draws from, as the document holds it now.
    FFTFrameInput frameInput() const;
    std::optional<PlotPoint> crossHair() const { return m_Model.crossPoint(); }

signals:
    // "Aktuelle FFT" shows this size.
    void fftSizeShown(int points);

protected:
    void OnDraw(QPainter& painter, const QRect& area) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Probe(const QPoint& at);

    FFTPlotModel m_Model;
};
