#include "ResoniOverView.h"

CResoniOverView::CResoniOverView(CResoniDoc& doc, QWidget* parent) : CDocView(doc, Qt::white, parent)
{
    setObjectName(QStringLiteral("CResoniOverView"));
}
