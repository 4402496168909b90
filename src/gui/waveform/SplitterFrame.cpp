#include "SplitterFrame.h"

#include "ResoniOverView.h"
#include "ResoniView.h"

#include "gui/app/PlacementUtil.h"
#include "gui/app/ResoniApp.h"
#include "gui/document/ResoniDoc.h"

#include <QCloseEvent>
#include <QSplitter>

CSplitterFrame::CSplitterFrame(CResoniDoc& doc) : m_doc(doc)
{
    setObjectName(QStringLiteral("CSplitterFrame"));
    // The document's title: its name "Uebersicht" with the number 1.
    setWindowTitle(QStringLiteral("Uebersicht1"));
    setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint);
    m_pSplitter = new QSplitter(Qt::Vertical, this);
    m_pOverView = new CResoniOverView(doc, m_pSplitter);
    m_pView = new CResoniView(doc, m_pSplitter);
    m_pSplitter->addWidget(m_pOverView);
    m_pSplitter->addWidget(m_pView);
    m_pSplitter->setSizes({80, 240});
    setWidget(m_pSplitter);

    resize(640, 360);
    RestorePlacement();
}

CSplitterFrame::~CSplitterFrame()
{
    StorePlacement();
}

void CSplitterFrame::RestorePlacement()
{
    restoreChildPlacement(*this, m_doc.app().m_Placements[kLayoutSlot], m_doc.app().layoutArea());
}

void CSplitterFrame::StorePlacement()
{
    storeChildPlacement(*this, m_doc.app().m_Placements[kLayoutSlot], m_doc.app().layoutArea());
}

void CSplitterFrame::closeEvent(QCloseEvent* event)
{
    if (m_bAllowClose)
        QMdiSubWindow::closeEvent(event);
    else
        event->ignore();
}
