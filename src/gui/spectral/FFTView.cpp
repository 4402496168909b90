#include "FFTView.h"

#include "core/spectral/FFTPlotDecor.h"
#include "gui/app/ModuleChildFrame.h"
#include "gui/app/ResoniApp.h"
#include "gui/document/GlobalFlags.h"
#include "gui/document/ResoniDoc.h"
#include "gui/document/UpdateHints.h"
#include "gui/presentation/PlotPainter.h"

#include <QMouseEvent>
#include <QPainter>

CFFTView::CFFTView(CResoniDoc& doc, QWidget* parent)
    : CDocView(doc, Qt::black, parent), m_Model(FFTViewSettingsFromProfile(doc.app().m_Settings))
{
    setObjectName(QStringLiteral("CFFTView"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

CFFTView::~CFFTView()
{
    StoreSettings();
}

void CFFTView::StoreSettings() const
{
    StoreFFTViewSettings(m_Model.settings(), GetDocument().app().m_Settings);
}

void CFFTView::OnUpdate(int hint)
{
    const CResoniDoc& doc = GetDocument();
    const FFTViewUpdate u =
        FFTViewOnUpdate(hint, g_bListening, g_bPlaying, g_bSelectionFFT, doc.m_nFFTSize, doc.m_nSelectionFFTSize);
    if (u.shownFFTSize)
        emit fftSizeShown(*u.shownFFTSize);
    if (u.bRepaint)
        update();
}

FFTFrameInput CFFTView::frameInput() const
{
    const CResoniDoc& doc = GetDocument();
    FFTFrameInput in;
    in.spectrum = doc.m_arSpectrum;
    // The loaded file's rate; while listening without a file, the capture format's.
    int rate = static_cast<int>(doc.m_nSampleRate);
    if (rate <= 0 && doc.m_pWaveFormat && doc.m_pWaveFormat->samplesPerSec > 0)
        rate = static_cast<int>(doc.m_pWaveFormat->samplesPerSec);
    in.nSampleRate = rate > 0 ? rate : 44100;
    in.nBitsPerSample = doc.m_nBitsPerSample > 0 ? doc.m_nBitsPerSample : 16;
    in.nWidth = width();
    in.nHeight = height();
    in.bNoteImageOpen = doc.moduleFrame(Module::Notenbild) != nullptr;
    // The note image's reference a', kept with the application's settings.
    in.dA4Hz = doc.app().m_Settings.IniNotenbildKammerton;
    return in;
}

void PaintFFTView(QPainter& painter, FFTPlotModel& model, const FFTFrameInput& in, const FFTViewColours& colours)
{
    painter.fillRect(QRect(0, 0, in.nWidth, in.nHeight), PlotPainter::toQColor(colours.background));
    model.repaint(in);
    const FFTPlotMapping& mapping = model.mapping();
    for (const FFTDecor& decor : {FFTPianoStrip(mapping, colours), FFTAxes(mapping, model.settings(), colours)}) {
        PlotPainter::drawRects(painter, decor.rects);
        PlotPainter::drawLines(painter, decor.lines);
        PlotPainter::drawTexts(painter, decor.texts);
    }
    if (model.settings().style == FFTDrawingStyle::Bars)
        PlotPainter::drawLines(painter, model.spectrumBars());
    else
        PlotPainter::drawPolyline(painter, model.spectrumPolyline(), colours.foreground);
    if (model.curveOn())
        PlotPainter::drawPolyline(painter, model.curve(), colours.curve);
    if (model.settings().bPeaks) {
        PlotPainter::drawLines(painter, model.peakMarkers(colours.peak));
        PlotPainter::drawTexts(painter, model.peakLabels(colours.peak));
    }
    if (const std::optional<PlotPoint> click = model.crossPoint()) {
        const FFTDecor cross = FFTCrossHair(mapping, *click, colours, in.dA4Hz);
        PlotPainter::drawLines(painter, cross.lines);
        PlotPainter::drawTexts(painter, cross.texts);
    }
}

void CFFTView::OnDraw(QPainter& painter, const QRect& /*area*/)
{
    const FFTFrameInput in = frameInput();
    PaintFFTView(painter, m_Model, in, FFTScreenColours());
    CResoniDoc& doc = GetDocument();
    if (in.bNoteImageOpen && doc.m_arMaxima != m_Model.noteImagePeaks()) {
        doc.m_arMaxima = m_Model.noteImagePeaks();
        // The note image may have drawn before this repaint: it draws the new list once more.
        if (CModuleChildFrame* notes = doc.moduleFrame(Module::Notenbild))
            notes->view()->update();
    }
}

void CFFTView::Probe(const QPoint& at)
{
    if (const std::optional<double> hz = FFTProbeFrequency(m_Model.mapping(), {at.x(), at.y()}))
        GetDocument().app().PlayTone(*hz, kProbeMilliseconds);
}

void CFFTView::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        if (at.y() < 20) {
            Probe(at);
            return;
        }
        m_Model.leftClick({at.x(), at.y()});
        update();
    } else if (event->button() == Qt::RightButton) {
        if (m_Model.settings().bPeaks || m_Model.curveOn()) {
            m_Model.rightButtonDown({at.x(), at.y()});
            update();
        }
    }
}

void CFFTView::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() == Qt::LeftButton && event->position().y() < 20)
        Probe(event->position().toPoint());
}

void CFFTView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::RightButton)
        return;
    m_Model.rightButtonUp();
    CResoniDoc& doc = GetDocument();
    if (doc.moduleFrame(Module::Notenbild))
        doc.UpdateAllViews(UpdateHint::kRefresh);
    update();
}

std::optional<ViewPictureInfo> CFFTView::PictureInfo() const
{
    return ViewPictureInfo{QString::fromUtf8("Speichert diese FFT Ansicht..."), QString::fromUtf8("FFT Abbild"), QString::fromUtf8("FFT Abbild")};
}

void CFFTView::DrawPicture(QPainter& painter, bool bClipboard)
{
    PaintFFTView(painter, m_Model, frameInput(), FFTPictureColours());
    if (!bClipboard)
        return;
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(16);
    font.setStretch(QFont::Condensed);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QPoint(width() / 2 - 10, height() + 5 + 16), QStringLiteral("Frequenz"));
    painter.save();
    painter.translate(-25, height() / 2 + 45);
    painter.rotate(-90);
    painter.drawText(QPoint(0, 0), QStringLiteral("Amplitude"));
    painter.restore();
}
