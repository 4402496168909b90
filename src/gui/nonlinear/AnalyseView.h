// The view of the nonlinear analysis: runs one of the three computations of MaxLyapunov
// (Lyapunov spectrum, maximal exponent, correlation dimensions) on a worker thread and draws
// its result; keeps each mode's parameters and last result, the slope tool of the maximal
// exponent and the range markers of the correlation dimensions.
#pragma once

#include "gui/document/DocView.h"

#include "core/nonlinear/AnalysePlot.h"
#include "core/nonlinear/AnalyseSettings.h"

#include <array>
#include <atomic>
#include <memory>
#include <optional>

class CCancellableJob;

// Paints a picture of the plot model (fills, strokes, labels in that order).
void PaintAnalysePicture(QPainter& painter, const AnalysePicture& picture);
// The plot of a finished run as the window draws it: mode 0 with its Kaplan-Yorke text,
// mode 1 with all radii, mode 2 without markers.
AnalysePicture AnalyseResultPicture(const AnalyseRunResult& result, int width, int height);

class CAnalyseView : public CDocView
{
    Q_OBJECT
public:
    std::optional<ViewPictureInfo> PictureInfo() const override;
    // Pictures hold the plot of the current mode only, and only once it has a result.
    void DrawPicture(QPainter& painter, bool bClipboard) override;
    QString HelpTopic() const override { return QStringLiteral("html/Zeitreihenanalysefenster.html"); }
    explicit CAnalyseView(CResoniDoc& doc, QWidget* parent = nullptr);
    ~CAnalyseView() override;

    const AnalyseSettings& settings() const { return m_Settings; }
    AnalyseParameters& parameters() { return m_Settings.current(); }
    void SetMode(int mode);
    // The parameters back into the application's profile values.
    void StoreSettings() const;

    // "Berechnen", "Abbruch" and "ResetView".
    void OnCalculate();
    void OnAbort();
    void OnResetView();
    // "SaveView": the current plot as a picture file.
    void OnSaveView();
    // The numbers of the current mode's valid result onto the clipboard as CSV (false: none).
    bool CopyData() const;

    bool isComputing() const { return m_pJob != nullptr; }
    bool isValid(int mode) const { return m_bValid[static_cast<std::size_t>(mode)]; }
    const AnalyseRunResult& result(int mode) const { return m_Results[static_cast<std::size_t>(mode)]; }
    bool showsTooShortText() const { return m_bTooShort; }
    int runsStarted() const { return m_nRunsStarted; }
    // Checkpoints the last run passed after "Abbruch" was pressed (0 or 1 when it ended in time).
    int checkpointsAfterAbort() const { return m_nCheckpointsAfterAbort.load(); }
    const QString& slopeText() const { return m_strSlope; }
    int marker1() const { return m_nMarker1; }
    int marker2() const { return m_nMarker2; }
    // What the view shows now, as a picture model (for pictures and tests).
    std::optional<AnalysePicture> currentPicture() const;

signals:
    void runFinished();
    // The run changed a parameter (the questions' answers): the bar shows them again.
    void parametersChanged();

protected:
    void OnDraw(QPainter& painter, const QRect& area) override;
    // "Daten kopieren": the current mode's numbers onto the clipboard as CSV.
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void StartRun();
    void OnRunFinished(int run, std::shared_ptr<AnalyseRunResult> result, bool bAborted);
    void ShowProgress(int run, std::shared_ptr<AnalysePicture> picture);

    AnalyseSettings m_Settings;
    std::array<AnalyseRunResult, 3> m_Results;
    std::array<bool, 3> m_bValid{};
    bool m_bAskSpectrum = true; // the questions' last answers: Yes
    bool m_bAskMaxExponent = true;
    bool m_bTooShort = false;
    bool m_bBlank = false; // "ResetView": white until the next run or mode switch

    std::unique_ptr<CCancellableJob> m_pJob;
    std::shared_ptr<std::atomic<bool>> m_pCancel; // "Abbruch" for the running job
    std::atomic<int> m_nCheckpointsAfterAbort{0};
    int m_nRun = 0;
    int m_nRunMode = 0;
    int m_nRunsStarted = 0;
    std::optional<AnalysePicture> m_Progress;

    // Slope tool (mode 1).
    bool m_bDragging = false;
    bool m_bSlopeSet = false;
    QPoint m_SlopeStart, m_SlopeEnd;
    QString m_strSlope;
    // Range markers (mode 2), 0 = unset.
    int m_nMarker1 = 0, m_nMarker2 = 0;
    std::optional<int> m_nPressX;
};
