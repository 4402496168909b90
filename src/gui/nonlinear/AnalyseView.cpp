#include "AnalyseView.h"

CAnalyseView::CAnalyseView(CResoniDoc& doc, QWidget* parent) : CDocView(doc, Qt::white, parent)
{
    setObjectName(QStringLiteral("CAnalyseView"));
}
