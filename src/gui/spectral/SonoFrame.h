// The module window of the sonogram.
#pragma once

#include "gui/app/ModuleChildFrame.h"

class CSonoFrame : public CModuleChildFrame
{
    Q_OBJECT
public:
    explicit CSonoFrame(CResoniDoc& doc);
    bool CanClearCaptures() const override { return true; }
};
