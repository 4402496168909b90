#include "ResoniView.h"

CResoniView::CResoniView(CResoniDoc& doc, QWidget* parent) : CDocView(doc, Qt::white, parent)
{
    setObjectName(QStringLiteral("CResoniView"));
}
