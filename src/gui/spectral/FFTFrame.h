// The module window of the FFT spectrum of the analysis block with its peaks.
#pragma once

#include "gui/app/ModuleChildFrame.h"

class CFFTFrame : public CModuleChildFrame
{
    Q_OBJECT
public:
    explicit CFFTFrame(CResoniDoc& doc);
    bool CanClearCaptures() const override { return true; }
};
