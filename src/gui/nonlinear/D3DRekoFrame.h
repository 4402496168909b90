// The module window of the 3D phase-space reconstruction: the view and its bar ("ResetView",
// "SaveView", "Tau", colour mode and colours, rotation buttons, points or lines, "Punktzahl",
// the autocorrelation hint "Autok.\nMin/Ns." and the background colour).
#pragma once

#include "gui/app/ModuleChildFrame.h"

#include <array>

class CRekoView;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
struct RekoSettings;

class CD3DRekoFrame : public CModuleChildFrame
{
    Q_OBJECT
public:
    explicit CD3DRekoFrame(CResoniDoc& doc);
    bool CanClearCaptures() const override { return true; }
    void StoreSettings() override;

    CRekoView* rekoView() const;

    // The controls, by their captions (tests drive them as a user does).
    QPushButton* resetView() const { return m_pReset; }
    QPushButton* saveView() const { return m_pSave; }
    QSpinBox* tau() const { return m_pTau; }
    QRadioButton* bunt() const { return m_pBunt; }
    QRadioButton* fest() const { return m_pFest; }
    QPushButton* farbwahl() const { return m_pFarbwahl; }
    // "<" and ">" of "x-Achse", "y-Achse", "z-Achse": index 2·axis + (0 for "<", 1 for ">").
    QPushButton* rotation(int index) const { return m_pRotate[static_cast<std::size_t>(index)]; }
    QRadioButton* linien() const { return m_pLinien; }
    QRadioButton* punkte() const { return m_pPunkte; }
    QSpinBox* punktgroesse() const { return m_pSize; }
    QLineEdit* punktzahl() const { return m_pPunktzahl; }
    QLineEdit* autokMin() const { return m_pAutok; }
    QPushButton* bkgFarbe() const { return m_pBkg; }

    // Every control from the view's parameters.
    void SyncControls();

private:
    void BuildDialogBar();
    void ConnectControls();
    // Runs a change of the parameters in the view, then shows the result.
    template <typename F> void Change(F&& change);
    void OnPunktzahlEdited();
    void OnFarbwahl();
    void OnBkgFarbe();

    QPushButton *m_pReset = nullptr, *m_pSave = nullptr, *m_pFarbwahl = nullptr, *m_pBkg = nullptr;
    std::array<QPushButton*, 6> m_pRotate{};
    QSpinBox *m_pTau = nullptr, *m_pSize = nullptr;
    QRadioButton *m_pBunt = nullptr, *m_pFest = nullptr, *m_pLinien = nullptr, *m_pPunkte = nullptr;
    QLineEdit *m_pPunktzahl = nullptr, *m_pAutok = nullptr;
    bool m_bFarbwahlShown = false; // the colour button shows the chosen fixed colour
};
