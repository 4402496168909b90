// The module window of the time series of the analysis block and its autocorrelation, mutual information and entropy.
#pragma once

#include "gui/app/ModuleChildFrame.h"

class CZeitreiheFrame : public CModuleChildFrame
{
    Q_OBJECT
public:
    explicit CZeitreiheFrame(CResoniDoc& doc);
    bool CanClearCaptures() const override { return true; }
};
