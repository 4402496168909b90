#include "ModuleChildFrame.h"

#include "PlacementUtil.h"
#include "ResoniApp.h"
#include "ToolbarIcons.h"

#include "gui/document/DocView.h"
#include "gui/document/ResoniDoc.h"

#include <QHBoxLayout>
#include <QMdiArea>

CModuleChildFrame::CModuleChildFrame(CResoniDoc& doc, const ModuleInfo& info, CDocView* view)
    : m_doc(doc), m_info(info), m_pView(view)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromUtf8(info.title));
    setObjectName(QString::fromUtf8(info.frameClass));
    setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setWindowIcon(ToolbarIcons::programIcon()); // not the toolkit's default in the title bar

    auto* body = new QWidget(this);
    auto* layout = new QHBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    view->setParent(body);
    layout->addWidget(view, 1);
    m_pDialogBar = new QWidget(body);
    m_pDialogBar->setObjectName(QStringLiteral("DialogBar"));
    layout->addWidget(m_pDialogBar, 0);
    setWidget(body);
    resize(480, 320);
    RestorePlacement();
}

CModuleChildFrame::~CModuleChildFrame()
{
    StorePlacement();
}

void CModuleChildFrame::RestorePlacement()
{
    CResoniApp& app = m_doc.app();
    restoreChildPlacement(*this, app.m_Placements[static_cast<size_t>(m_info.layoutSlot)], app.layoutArea());
}

void CModuleChildFrame::StorePlacement()
{
    CResoniApp& app = m_doc.app();
    storeChildPlacement(*this, app.m_Placements[static_cast<size_t>(m_info.layoutSlot)], app.layoutArea());
}
