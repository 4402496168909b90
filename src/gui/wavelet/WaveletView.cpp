#include "WaveletView.h"

CWaveletView::CWaveletView(CResoniDoc& doc, QWidget* parent) : CDocView(doc, Qt::white, parent)
{
    setObjectName(QStringLiteral("CWaveletView"));
}
