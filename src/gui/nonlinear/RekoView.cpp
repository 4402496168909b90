#include "RekoView.h"

#include "RekoScene.h"

#include "gui/app/ResoniApp.h"
#include "gui/document/ResoniDoc.h"
#include "gui/render3d/Render3DWidget.h"

CRekoView::CRekoView(CResoniDoc& doc, QWidget* parent)
    : C3DView(doc, QStringLiteral("Rekonstruktion"), RekoCamera(), parent),
      m_Settings(RekoSettingsFromProfile(doc.app().m_Settings))
{
    setObjectName(QStringLiteral("CRekoView"));
    setWindowTitle(QStringLiteral("Rekonstruktion"));
}

CRekoView::~CRekoView()
{
    StoreSettings();
}

void CRekoView::StoreSettings() const
{
    StoreRekoSettings(m_Settings, GetDocument().app().m_Settings);
}

void CRekoView::OnUpdate(int /*hint*/)
{
    MarkDirty();
}

void CRekoView::setSettings(const RekoSettings& settings)
{
    m_Settings = ClampedRekoSettings(settings);
    MarkDirty();
}

void CRekoView::MarkDirty()
{
    m_bDirty = true;
    RenderFrame();
}

Scene3D CRekoView::CurrentScene() const
{
    const CResoniDoc& doc = GetDocument();
    // Without a loaded file the full scale is still 0: read the series as 16-bit samples.
    const bool bKnown = doc.m_dFullScale > 0.0;
    return RekoScene(doc.m_arSignal, bKnown ? doc.m_dFullScale : 32767.0, bKnown ? doc.m_bSigned : true,
                     m_Settings);
}

void CRekoView::OnRenderWindowReady()
{
    CRender3DWidget* window = renderWindow();
    if (!window)
        return;
    window->setBeforeFrame([this] {
        if (m_bDirty && renderWindow()) {
            m_bDirty = false;
            renderWindow()->setScene(CurrentScene());
        }
    });
    connect(window, &CRender3DWidget::frameRendered, this,
            [this] { emit firstMinLagShown(GetDocument().m_nFirstMinLag); });
    MarkDirty();
}
