// The module window of the note image: the view and its control bar (display mode, spacing,
// number of overtones and the button that plays them).
#pragma once

#include "gui/app/ModuleChildFrame.h"

class CNotenbildView;
class QPushButton;
class QRadioButton;
class QSpinBox;

class CNotenbildFrame : public CModuleChildFrame
{
    Q_OBJECT
public:
    explicit CNotenbildFrame(CResoniDoc& doc);
    void StoreSettings() override;

    CNotenbildView* notenbildView() const;

    // The controls, by their captions (tests drive them as a user does).
    QRadioButton* modeButton(int mode) const { return m_pMode[mode]; } // 0 … 2
    QRadioButton* linear() const { return m_pLinear; }
    QRadioButton* logarithmic() const { return m_pLog; }
    QSpinBox* overtoneCount() const { return m_pCount; }
    QPushButton* playButton() const { return m_pPlay; }

    // Every control from the view's parameters.
    void SyncControls();

private:
    void BuildDialogBar();

    QRadioButton* m_pMode[3] = {};
    QRadioButton *m_pLinear = nullptr, *m_pLog = nullptr;
    QSpinBox* m_pCount = nullptr;
    QPushButton* m_pPlay = nullptr;
};
