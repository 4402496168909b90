// The module window of the nonlinear analysis: the view and its dialog bar (buttons, the three
// modes, Tau, points, embedding dimensions, iterations, radii and the maximal exponent's steps).
#pragma once

#include "gui/app/ModuleChildFrame.h"

#include <array>
#include <cstddef>

class CAnalyseView;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;

class CAnalyseFrame : public CModuleChildFrame
{
    Q_OBJECT
public:
    explicit CAnalyseFrame(CResoniDoc& doc);
    void StoreSettings() override;
    CAnalyseView* analyseView() const;

    // A new selection of `length` values: the range and position of "Punkte" and the first
    // "Iterationen", their maximum labels and edit fields.
    void SetSelectionLength(int length);
    // The document's hook: frame is its analysis window (or null).
    static void TakeSelectionLength(CModuleChildFrame* frame, std::size_t length);

    // The controls, by their captions (tests drive them as a user does).
    QPushButton* calculate() const { return m_pCalc; }
    QPushButton* abort() const { return m_pAbort; }
    QPushButton* resetView() const { return m_pReset; }
    QRadioButton* mode(int n) const { return m_pMode[static_cast<std::size_t>(n)]; }
    QLineEdit* tauEdit() const { return m_pTauEdit; }
    QLineEdit* pointsEdit() const { return m_pPointsEdit; }
    QLineEdit* minDimEdit() const { return m_pMinDimEdit; }
    QLineEdit* maxDimEdit() const { return m_pMaxDimEdit; }
    QLineEdit* iterationsEdit() const { return m_pIterEdit; }
    QLineEdit* radiusMinEdit() const { return m_pRMin; }
    QLineEdit* radiusMaxEdit() const { return m_pRMax; }
    QLineEdit* radiiEdit() const { return m_pRadiiEdit; }
    QLineEdit* stepsEdit() const { return m_pStepsEdit; }
    QSlider* pointsSlider() const { return m_pPoints; }
    QSlider* iterationsSlider() const { return m_pIter; }
    QSlider* radiiSlider() const { return m_pRadii; }
    QLabel* radiiLabel() const { return m_pRadiiLabel; }
    QLabel* iterationsLabel() const { return m_pIterLabel; }

    // Every control from the view's current parameter set, with the mode's visibility and labels.
    void SyncControls();

private:
    void BuildDialogBar();
    void OnModeClicked(int mode);
    // An edit changed by the user: the view's parameters take the value, corrected.
    void OnIntEdited(QLineEdit* edit);

    std::array<QRadioButton*, 3> m_pMode{};
    QPushButton *m_pReset = nullptr, *m_pSave = nullptr, *m_pBkg = nullptr, *m_pCalc = nullptr, *m_pAbort = nullptr;
    QSlider *m_pTau = nullptr, *m_pPoints = nullptr, *m_pMinDim = nullptr, *m_pIter = nullptr, *m_pRadii = nullptr,
            *m_pSteps = nullptr;
    QLineEdit *m_pTauEdit = nullptr, *m_pPointsEdit = nullptr, *m_pMinDimEdit = nullptr, *m_pMaxDimEdit = nullptr,
              *m_pIterEdit = nullptr, *m_pRMin = nullptr, *m_pRMax = nullptr, *m_pRadiiEdit = nullptr,
              *m_pStepsEdit = nullptr;
    QLabel *m_pDimLabel = nullptr, *m_pMinDimLow = nullptr, *m_pIterLabel = nullptr, *m_pRadiiLabel = nullptr,
           *m_pRadiiMaxLabel = nullptr, *m_pPointsMaxLabel = nullptr, *m_pIterMaxLabel = nullptr,
           *m_pMinLabel = nullptr, *m_pMaxLabel = nullptr;
    QGroupBox* m_pStepsGroup = nullptr;
};
