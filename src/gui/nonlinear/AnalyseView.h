// The view of the nonlinear analysis: Lyapunov exponents and correlation dimensions.
#pragma once

#include "gui/document/DocView.h"

class CAnalyseView : public CDocView
{
    Q_OBJECT
public:
    explicit CAnalyseView(CResoniDoc& doc, QWidget* parent = nullptr);
};
