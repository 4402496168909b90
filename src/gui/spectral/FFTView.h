// The view of the FFT spectrum of the analysis block with its peaks.
#pragma once

#include "gui/document/DocView.h"

class CFFTView : public CDocView
{
    Q_OBJECT
public:
    explicit CFFTView(CResoniDoc& doc, QWidget* parent = nullptr);
};
