// The view of the note image: the spectrum's peaks as partials of a fundamental.
#pragma once

#include "gui/document/DocView.h"

class CNotenbildView : public CDocView
{
    Q_OBJECT
public:
    explicit CNotenbildView(CResoniDoc& doc, QWidget* parent = nullptr);
};
