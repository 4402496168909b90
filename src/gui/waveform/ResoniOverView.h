// The overview above the waveform view: the whole file at a glance with the play cursor.
#pragma once

#include "gui/document/DocView.h"

class CResoniOverView : public CDocView
{
    Q_OBJECT
public:
    explicit CResoniOverView(CResoniDoc& doc, QWidget* parent = nullptr);
};
