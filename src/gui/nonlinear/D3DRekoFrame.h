// The module window of the 3D phase-space reconstruction.
#pragma once

#include "gui/app/ModuleChildFrame.h"

class CD3DRekoFrame : public CModuleChildFrame
{
    Q_OBJECT
public:
    explicit CD3DRekoFrame(CResoniDoc& doc);
    bool CanClearCaptures() const override { return true; }
};
