#include "WaveletView.h"

#include "WaveletComputation.h"

#include "core/wavelet/WaveletSettings.h"
#include "gui/app/ResoniApp.h"
#include "gui/document/ResoniDoc.h"
#include "gui/presentation/PlotPainter.h"

#include <QPainter>

void PaintWaveletView(QPainter& painter, const WaveletPicture& picture, int width, int height)
{
    painter.fillRect(QRect(0, 0, width, height), Qt::white);
    const WaveletDecor decor = WaveletPlot(picture, width, height);
    PlotPainter::drawRects(painter, decor.cells);
    PlotPainter::drawLines(painter, decor.lines);
    PlotPainter::drawTexts(painter, decor.texts);
}

CWaveletView::CWaveletView(CResoniDoc& doc, QWidget* parent) : CDocView(doc, Qt::white, parent)
{
    setObjectName(QStringLiteral("CWaveletView"));
    connect(doc.m_pWaveletComputation.get(), &CWaveletComputation::pictureChanged, this,
            qOverload<>(&QWidget::update));
}

CWaveletView::~CWaveletView()
{
    if (GetDocument().m_pWaveletComputation)
        GetDocument().m_pWaveletComputation->Cancel();
    StoreSettings();
}

void CWaveletView::StoreSettings() const
{
    storeCwtRequest(GetDocument().m_pCwt->request(), GetDocument().app().m_Settings);
}

const WaveletPicture* CWaveletView::shownPicture() const
{
    const CResoniDoc& doc = GetDocument();
    const CWaveletComputation& computation = *doc.m_pWaveletComputation;
    return doc.m_arWavelet.size() >= 6 || computation.running() ? &computation.picture() : nullptr;
}

void CWaveletView::OnDraw(QPainter& painter, const QRect& /*area*/)
{
    const WaveletPicture* picture = shownPicture();
    PaintWaveletView(painter, picture ? *picture : WaveletPicture{}, width(), height());
}

std::optional<ViewPictureInfo> CWaveletView::PictureInfo() const
{
    return ViewPictureInfo{QString::fromUtf8("Speichert Waveletanalyse..."), QString::fromUtf8("Wavelet Abbild"), QString::fromUtf8("Wavelet Abbild")};
}
