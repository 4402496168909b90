#include "RekoView.h"

CRekoView::CRekoView(CResoniDoc& doc, QWidget* parent) : CDocView(doc, Qt::black, parent)
{
    setObjectName(QStringLiteral("CRekoView"));
}
