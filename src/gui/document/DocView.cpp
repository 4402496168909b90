#include "DocView.h"

#include "ResoniDoc.h"

#include "gui/app/ResoniApp.h"

#include <QGuiApplication>
#include <QPainter>

CDocView::CDocView(CResoniDoc& doc, const QColor& background, QWidget* parent) : QWidget(parent), m_doc(doc)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Window, background);
    setPalette(pal);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    m_doc.AddObserver(this);
}

CDocView::~CDocView()
{
    m_doc.RemoveObserver(this);
}

void CDocView::OnUpdate(int /*hint*/)
{
    update();
}

void CDocView::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    OnDraw(painter, rect());
}

void CDocView::OnDraw(QPainter& /*painter*/, const QRect& /*area*/)
{
}

void CDocView::DrawPicture(QPainter& painter, bool /*bClipboard*/)
{
    OnDraw(painter, rect());
}

void CDocView::SavePicture()
{
    const std::optional<ViewPictureInfo> info = PictureInfo();
    if (!info)
        return;
    SaveViewPicture(m_doc.app().dialogs(), *info, size(), [this](QPainter& p) { DrawPicture(p, false); });
}

void CDocView::CopyPicture()
{
    const std::optional<ViewPictureInfo> info = PictureInfo();
    if (!info)
        return;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    CopyViewPicture(*info, size(), [this](QPainter& p) { DrawPicture(p, true); });
    QGuiApplication::restoreOverrideCursor();
}
