#include "ZeitreiheView.h"

CZeitreiheView::CZeitreiheView(CResoniDoc& doc, QWidget* parent) : CDocView(doc, Qt::black, parent)
{
    setObjectName(QStringLiteral("CZeitreiheView"));
}
