// The view of the time series of the analysis block and its autocorrelation, mutual information
// and entropy: a horizontally scrolling plot whose geometry comes from ZeitreihePlot. Before a
// repaint it asks the performance question when the zoom would draw too many points; the mutual
// information of a long series is computed on a worker thread.
#pragma once

#include "gui/document/DocView.h"

#include "core/nonlinear/ZeitreihePlot.h"

#include <memory>
#include <optional>
#include <vector>

class CCancellableJob;
class QScrollBar;

// One repaint of a mode's plot into (0, 0, width, height), the curve shifted left by scrollX. The
// window and resoni-render paint through this.
void PaintZeitreiheView(QPainter& painter, const Zeitreihe::Plot& plot, int width, int height, int scrollX);

class CZeitreiheView : public CDocView
{
    Q_OBJECT
public:
    std::optional<ViewPictureInfo> PictureInfo() const override;
    QString HelpTopic() const override { return QStringLiteral("html/Zeitreihendarstellung.html"); }
    explicit CZeitreiheView(CResoniDoc& doc, QWidget* parent = nullptr);
    ~CZeitreiheView() override;

    void OnUpdate(int hint) override;

    // The dialog bar's controls: 0 series, 1 autocorrelation, 2 mutual information; the field
    // "Pixel pro Messpunkt" as typed; box count and maximal delay as typed.
    void SetMode(int mode);
    void SetZoomField(int value);
    void SetBoxCount(int boxes);
    void SetMaxDelay(int delay);

    int mode() const { return m_nMode; }
    double pixelsPerPoint() const { return m_dPixelsPerPoint; }
    int maxDelay() const { return m_nMaxDelay; }
    bool performanceAnswerYes() const { return m_bAnswerYes; }
    // The plot the next repaint draws (tests read its labels and extent).
    Zeitreihe::Plot currentPlot() const;
    int scrollExtent() const { return m_nScrollWidth; }
    // A mutual information run is going on.
    bool isComputing() const;

signals:
    // The zoom was reduced: the field "Pixel pro Messpunkt" shows this value.
    void zoomFieldShown(int value);

protected:
    void OnDraw(QPainter& painter, const QRect& area) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Before a repaint: the performance question (modes 0 and 1) or the mutual information of the
    // current series (mode 2); then the repaint.
    void Refresh();
    void CheckPerformance();
    void UpdateMutualInformation();
    void OnMutualInformation(int run, MutualInformationResult result);
    void SetScrollWidth(int width);
    int clientHeight() const;

    int m_nMode = 0;
    double m_dPixelsPerPoint = 1.0;
    int m_nBoxCount = 16;
    int m_nMaxDelay = 90;
    bool m_bAnswerYes = true; // the last answer to the performance question
    int m_nScrollWidth = 0;
    QScrollBar* m_pScroll; // owned by this widget

    // The mutual information shown, and what it was computed from.
    struct MiKey
    {
        std::vector<double> series;
        int boxes = 0;
        int maxDelay = 0;
    };
    std::optional<MiKey> m_MiKey;
    MutualInformationResult m_Mi;
    std::unique_ptr<CCancellableJob> m_pJob;
    int m_nRun = 0;
};
