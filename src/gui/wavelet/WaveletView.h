// The view of the continuous wavelet transform of the selection: one coloured cell per analysed
// frequency and output time, the lowest frequency at the bottom, with a frequency axis, a time axis
// and a colour bar. It shows the last finished transform while a newer one is computed.
#pragma once

#include "gui/document/DocView.h"

#include "core/wavelet/WaveletPlot.h"

class QPainter;

// White background, the cells, the axes and the colour bar of picture in (0, 0, width, height).
// The window, pictures of it and the headless renderer paint through this.
void PaintWaveletView(QPainter& painter, const WaveletPicture& picture, int width, int height);

class CWaveletView : public CDocView
{
    Q_OBJECT
public:
    std::optional<ViewPictureInfo> PictureInfo() const override;
    QString HelpTopic() const override { return QStringLiteral("html/Waveletanalyse.html"); }
    explicit CWaveletView(CResoniDoc& doc, QWidget* parent = nullptr);
    // Closing: the request goes back into the application's wavelet settings, and the document
    // computes no more transforms for the window.
    ~CWaveletView() override;

    // The request into the application's wavelet settings (closing, saving a profile).
    void StoreSettings() const;
    // What the view paints now: the last finished transform, or nothing after the document's
    // arrays were emptied (none while no transform runs).
    const WaveletPicture* shownPicture() const;

protected:
    void OnDraw(QPainter& painter, const QRect& area) override;
};
