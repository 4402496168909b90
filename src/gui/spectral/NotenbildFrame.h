// The module window of the note image: the spectrum's peaks as partials of a fundamental.
#pragma once

#include "gui/app/ModuleChildFrame.h"

class CNotenbildFrame : public CModuleChildFrame
{
    Q_OBJECT
public:
    explicit CNotenbildFrame(CResoniDoc& doc);
};
