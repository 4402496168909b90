#include "FFTView.h"

CFFTView::CFFTView(CResoniDoc& doc, QWidget* parent) : CDocView(doc, Qt::black, parent)
{
    setObjectName(QStringLiteral("CFFTView"));
}
