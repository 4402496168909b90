// The view of the 3D phase-space reconstruction.
#pragma once

#include "gui/document/DocView.h"

class CRekoView : public CDocView
{
    Q_OBJECT
public:
    explicit CRekoView(CResoniDoc& doc, QWidget* parent = nullptr);
};
