#include "NotenbildView.h"

#include "NotenbildPitchPane.h"

#include "gui/app/ResoniApp.h"
#include "gui/document/ResoniDoc.h"
#include "gui/presentation/PlotPainter.h"

#include <QPainter>

void PaintNotenbildView(QPainter& painter, int width, int height, const NotenbildSettings& settings,
                        const std::vector<std::pair<double, double>>& peaks)
{
    painter.fillRect(QRect(0, 0, width, height), Qt::white);
    const NotenbildDrawing drawing = NotenbildLayout(width, height, settings, peaks);
    PlotPainter::drawLines(painter, drawing.lines);
    PlotPainter::drawEllipses(painter, drawing.ellipses);
    PlotPainter::drawTexts(painter, drawing.texts);
}

CNotenbildView::CNotenbildView(CResoniDoc& doc, QWidget* parent)
    : CDocView(doc, Qt::white, parent), m_Settings(NotenbildSettingsFromProfile(doc.app().m_Settings)),
      m_pPitch(std::make_unique<CNotenbildPitchPane>(doc, *this))
{
    setObjectName(QStringLiteral("CNotenbildView"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_pPitch->setA4(m_Settings.nKammerton);
    m_pPitch->setActive(m_Settings.nWhatIs == 2);
}

CNotenbildView::~CNotenbildView()
{
    StoreSettings();
}

void CNotenbildView::OnUpdate(int hint)
{
    m_pPitch->OnUpdate(hint);
    CDocView::OnUpdate(hint);
}

void CNotenbildView::setSettings(const NotenbildSettings& settings)
{
    m_Settings = ClampedNotenbildSettings(settings);
    m_pPitch->setA4(m_Settings.nKammerton);
    m_pPitch->setActive(m_Settings.nWhatIs == 2);
    update();
}

void CNotenbildView::StoreSettings() const
{
    StoreNotenbildSettings(m_Settings, GetDocument().app().m_Settings);
}

void CNotenbildView::PlayPartials() const
{
    CResoniDoc& doc = GetDocument();
    for (int hz : NotenbildPartialsToPlay(doc.m_arMaxima, m_Settings.nObertonanzahl))
        doc.app().PlayTone(hz, kNotenbildBeepMilliseconds);
}

void CNotenbildView::OnDraw(QPainter& painter, const QRect& /*area*/)
{
    m_arMaxima = GetDocument().m_arMaxima;
    if (m_Settings.nWhatIs == 2)
        PaintNotenbildPitch(painter, width(), height(), m_pPitch->trace());
    else
        PaintNotenbildView(painter, width(), height(), m_Settings, m_arMaxima);
}

std::optional<ViewPictureInfo> CNotenbildView::PictureInfo() const
{
    return ViewPictureInfo{QString::fromUtf8("Speichert Notenbild..."), QString::fromUtf8("Notenbild"), QString::fromUtf8("Notenbild")};
}
