// The module window of the 3D FFT waterfall.
#pragma once

#include "gui/app/ModuleChildFrame.h"

class CFFT3DFrame : public CModuleChildFrame
{
    Q_OBJECT
public:
    explicit CFFT3DFrame(CResoniDoc& doc);
    bool CanClearCaptures() const override { return true; }
};
