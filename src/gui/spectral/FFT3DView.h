// The view of the 3D FFT waterfall.
#pragma once

#include "gui/document/DocView.h"

class CFFT3DView : public CDocView
{
    Q_OBJECT
public:
    explicit CFFT3DView(CResoniDoc& doc, QWidget* parent = nullptr);
};
