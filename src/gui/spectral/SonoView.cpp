#include "SonoView.h"

CSonoView::CSonoView(CResoniDoc& doc, QWidget* parent) : CDocView(doc, Qt::black, parent)
{
    setObjectName(QStringLiteral("CSonoView"));
}
