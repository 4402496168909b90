// The module window of the 3D FFT waterfall: the view and its control bar (frequency range and
// scale, amplitude scale, width, precision, solid or wire, colours, camera buttons, save).
#pragma once

#include "gui/app/ModuleChildFrame.h"

class CFFT3DView;
class QPushButton;
class QRadioButton;
class QSlider;
class QSpinBox;
struct WaterfallSettings;

class CFFT3DFrame : public CModuleChildFrame
{
    Q_OBJECT
public:
    explicit CFFT3DFrame(CResoniDoc& doc);
    bool CanClearCaptures() const override { return true; }
    void StoreSettings() override;

    CFFT3DView* fft3DView() const;

    // The controls, by their captions (tests drive them as a user does).
    QSpinBox* bottomCutHz() const { return m_pBottomHz; }
    QSpinBox* topCutkHz() const { return m_pTopkHz; }
    QRadioButton* freqLinear() const { return m_pFreqLin; }
    QRadioButton* freqLog() const { return m_pFreqLog; }
    QRadioButton* ampLinear() const { return m_pAmpLin; }
    QRadioButton* ampLog() const { return m_pAmpLog; }
    QSlider* breite() const { return m_pBreite; }
    QSpinBox* praezision() const { return m_pPraezision; }
    QRadioButton* flaechen() const { return m_pSolid; }
    QRadioButton* gitter() const { return m_pWire; }
    QRadioButton* bunt() const { return m_pBunt; }
    QRadioButton* fest() const { return m_pFest; }
    QPushButton* dataColour() const { return m_pDataColour; }
    QPushButton* backgroundColour() const { return m_pBackColour; }
    QPushButton* resetButton() const { return m_pReset; }
    QPushButton* saveButton() const { return m_pSave; }

    // Every control from the view's parameters.
    void SyncControls();

private:
    void BuildDialogBar();
    QWidget* BuildPositionGroup(QWidget* bar);
    // Runs a change of the parameters in the view, then shows the result.
    template <typename F> void Change(F&& change);
    // A colour button: asks for a colour starting from the current one.
    void PickColour(bool bBackground);

    QSpinBox *m_pBottomHz = nullptr, *m_pTopkHz = nullptr, *m_pPraezision = nullptr;
    QRadioButton *m_pFreqLin = nullptr, *m_pFreqLog = nullptr, *m_pAmpLin = nullptr, *m_pAmpLog = nullptr;
    QRadioButton *m_pSolid = nullptr, *m_pWire = nullptr, *m_pBunt = nullptr, *m_pFest = nullptr;
    QSlider* m_pBreite = nullptr;
    QPushButton *m_pDataColour = nullptr, *m_pBackColour = nullptr, *m_pReset = nullptr, *m_pSave = nullptr;
};
