#include "NotenbildView.h"

CNotenbildView::CNotenbildView(CResoniDoc& doc, QWidget* parent) : CDocView(doc, Qt::white, parent)
{
    setObjectName(QStringLiteral("CNotenbildView"));
}
