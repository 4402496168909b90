// The waveform view: the analysed stretch of the signal with the selection and the two markers.
#pragma once

#include "gui/document/DocView.h"

class CResoniView : public CDocView
{
    Q_OBJECT
public:
    explicit CResoniView(CResoniDoc& doc, QWidget* parent = nullptr);
};
