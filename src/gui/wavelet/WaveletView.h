// The view of the continuous wavelet transform of the selection.
#pragma once

#include "gui/document/DocView.h"

class CWaveletView : public CDocView
{
    Q_OBJECT
public:
    explicit CWaveletView(CResoniDoc& doc, QWidget* parent = nullptr);
};
