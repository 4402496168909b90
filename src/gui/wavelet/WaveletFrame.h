// The module window of the continuous wavelet transform of the selection.
#pragma once

#include "gui/app/ModuleChildFrame.h"

class CWaveletFrame : public CModuleChildFrame
{
    Q_OBJECT
public:
    explicit CWaveletFrame(CResoniDoc& doc);
};
