// The module window of the time series of the analysis block and its autocorrelation, mutual
// information and entropy: the view and its dialog bar (three modes, "Num Box", "Max Tau" and the
// zoom field "Pixel pro Messpunkt").
#pragma once

#include "gui/app/ModuleChildFrame.h"

class CZeitreiheView;
class QRadioButton;
class QSpinBox;

class CZeitreiheFrame : public CModuleChildFrame
{
    Q_OBJECT
public:
    explicit CZeitreiheFrame(CResoniDoc& doc);
    bool CanClearCaptures() const override { return true; }

    CZeitreiheView* zeitreiheView() const;
    // The controls, by their captions (tests drive them as a user does).
    QRadioButton* modeButton(int mode) const { return m_pMode[mode]; }
    QSpinBox* boxCount() const { return m_pBoxes; }
    QSpinBox* maxDelay() const { return m_pMaxTau; }
    QSpinBox* zoom() const { return m_pZoom; }

private:
    void BuildDialogBar();

    QRadioButton* m_pMode[3] = {};
    QSpinBox *m_pBoxes = nullptr, *m_pMaxTau = nullptr, *m_pZoom = nullptr;
};
