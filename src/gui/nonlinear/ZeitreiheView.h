// The view of the time series of the analysis block and its autocorrelation, mutual information and entropy.
#pragma once

#include "gui/document/DocView.h"

class CZeitreiheView : public CDocView
{
    Q_OBJECT
public:
    explicit CZeitreiheView(CResoniDoc& doc, QWidget* parent = nullptr);
};
