#include "FFT3DView.h"

CFFT3DView::CFFT3DView(CResoniDoc& doc, QWidget* parent) : CDocView(doc, Qt::black, parent)
{
    setObjectName(QStringLiteral("CFFT3DView"));
}
