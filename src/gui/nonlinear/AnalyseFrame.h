// The module window of the nonlinear analysis: Lyapunov exponents and correlation dimensions.
#pragma once

#include "gui/app/ModuleChildFrame.h"

class CAnalyseFrame : public CModuleChildFrame
{
    Q_OBJECT
public:
    explicit CAnalyseFrame(CResoniDoc& doc);
};
