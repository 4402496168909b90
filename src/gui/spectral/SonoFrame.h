// The module window of the sonogram: the view and its control bar (frequency range, amplitude
// and frequency scales, palette, line width, smoothing, zoom, and the read-outs "Freq:" and "FFT:").
#pragma once

#include "gui/app/ModuleChildFrame.h"

class CSonoView;
class QCheckBox;
class QLineEdit;
class QRadioButton;
class QSlider;
class QSpinBox;
struct SonoSettings;

class CSonoFrame : public CModuleChildFrame
{
    Q_OBJECT
public:
    explicit CSonoFrame(CResoniDoc& doc);
    bool CanClearCaptures() const override { return true; }
    void StoreSettings() override;

    CSonoView* sonoView() const;

    // The controls, by their captions (tests drive them as a user does).
    QSpinBox* bottomCutHz() const { return m_pBottomHz; }
    QSpinBox* topCutkHz() const { return m_pTopkHz; }
    QRadioButton* ampLinear() const { return m_pAmpLin; }
    QRadioButton* ampLog() const { return m_pAmpLog; }
    QRadioButton* freqLinear() const { return m_pFreqLin; }
    QRadioButton* freqLog() const { return m_pFreqLog; }
    QRadioButton* farbig1() const { return m_pFarbig1; }
    QRadioButton* farbig2() const { return m_pFarbig2; }
    QSpinBox* lineWidth() const { return m_pLineWidth; }
    QCheckBox* smoothing() const { return m_pSmooth; }
    QSlider* zoom() const { return m_pZoom; }
    QLineEdit* frequency() const { return m_pFreq; }
    QLineEdit* fftSize() const { return m_pFFT; }

    // Every control from the view's parameters.
    void SyncControls();
    // The upper frequency field set from outside (an imported series shows up to half its rate).
    void SetTopCutkHz(int nkHz);

private:
    void BuildDialogBar();
    // Runs a change of the parameters in the view, then shows the result.
    template <typename F> void Change(F&& change);

    QSpinBox *m_pBottomHz = nullptr, *m_pTopkHz = nullptr, *m_pLineWidth = nullptr;
    QRadioButton *m_pAmpLin = nullptr, *m_pAmpLog = nullptr, *m_pFreqLin = nullptr, *m_pFreqLog = nullptr;
    QRadioButton *m_pFarbig1 = nullptr, *m_pFarbig2 = nullptr;
    QCheckBox* m_pSmooth = nullptr;
    QSlider* m_pZoom = nullptr;
    QLineEdit *m_pFreq = nullptr, *m_pFFT = nullptr;
};
