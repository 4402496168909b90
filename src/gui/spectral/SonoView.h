// The view of the sonogram.
#pragma once

#include "gui/document/DocView.h"

class CSonoView : public CDocView
{
    Q_OBJECT
public:
    explicit CSonoView(CResoniDoc& doc, QWidget* parent = nullptr);
};
