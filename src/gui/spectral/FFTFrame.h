// The module window of the FFT spectrum: the view and its control bar (cuts, scales, drawing
// style, maxima, delay, grid, peaks, spline curve and the current FFT size).
#pragma once

#include "gui/app/ModuleChildFrame.h"

class CFFTView;
class QAbstractButton;
class QCheckBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

class CFFTFrame : public CModuleChildFrame
{
    Q_OBJECT
public:
    explicit CFFTFrame(CResoniDoc& doc);
    bool CanClearCaptures() const override { return true; }
    void StoreSettings() override;

    CFFTView* fftView() const;

    // The controls, by their captions (tests drive them as a user does).
    QSpinBox* bottomCutHz() const { return m_pBottomHz; }
    QSpinBox* topCutkHz() const { return m_pTopkHz; }
    QSpinBox* topCutAmp() const { return m_pTopAmp; }
    QSpinBox* bottomCutAmp() const { return m_pBottomAmp; }
    QRadioButton* ampLinear() const { return m_pAmpLin; }
    QRadioButton* ampLog() const { return m_pAmpLog; }
    QRadioButton* freqLinear() const { return m_pFreqLin; }
    QRadioButton* freqLog() const { return m_pFreqLog; }
    QRadioButton* styleButton(int style) const { return m_pStyle[style]; }
    QCheckBox* holdMaxima() const { return m_pHold; }
    QCheckBox* delayOn() const { return m_pDelayOn; }
    QSpinBox* delay() const { return m_pDelay; }
    QCheckBox* grid() const { return m_pGrid; }
    QCheckBox* peaks() const { return m_pPeaks; }
    QSpinBox* minPeakDistance() const { return m_pMinMax; }
    QSpinBox* dropDistance() const { return m_pDrop; }
    QCheckBox* curveCheck(int type) const { return m_pCurve[type - 1]; } // 1 Bézier, 2 Cubic, 3 Beta
    QLineEdit* currentFFT() const { return m_pCurrentFFT; }

    // Every control from the view's parameters (after a change that moved others too).
    void SyncControls();

private:
    void BuildDialogBar();
    // Runs a change of the parameters, then shows the result and repaints.
    template <typename F> void Change(F&& change);

    QSpinBox *m_pBottomHz = nullptr, *m_pTopkHz = nullptr, *m_pTopAmp = nullptr, *m_pBottomAmp = nullptr;
    QRadioButton *m_pAmpLin = nullptr, *m_pAmpLog = nullptr, *m_pFreqLin = nullptr, *m_pFreqLog = nullptr;
    QRadioButton* m_pStyle[3] = {};
    QCheckBox *m_pHold = nullptr, *m_pDelayOn = nullptr, *m_pGrid = nullptr, *m_pPeaks = nullptr;
    QSpinBox *m_pDelay = nullptr, *m_pMinMax = nullptr, *m_pDrop = nullptr;
    QCheckBox* m_pCurve[3] = {};
    QLineEdit* m_pCurrentFFT = nullptr;
};
