// The module window of the note image: the view and its control bar (display mode, spacing,
// number of overtones, the reference pitch of the note names and the button that plays them).
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
    QSpinBox* kammerton() const { return m_pKammerton; } // reference a' in Hz
    QPushButton* playButton() const { return m_pPlay; }

    // Every control from the view's parameters.
    void SyncControls();

private:
    void BuildDialogBar();

    QRadioButton* m_pMode[3] = {};
    QRadioButton *m_pLinear = nullptr, *m_pLog = nullptr;
    QSpinBox* m_pCount = nullptr;
    QSpinBox* m_pKammerton = nullptr;
    QPushButton* m_pPlay = nullptr;
};
