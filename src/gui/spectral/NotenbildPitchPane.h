// The note image's third mode in the window: what it draws and where that comes from. A
// selection's pitch track is computed on a worker thread (a newer selection cancels it); while
// listening or playing, each new analysis block is tracked hop by hop and the trace runs along with
// the input. The view owns the pane and paints through it; the layout is NotenbildPitch's.
#pragma once

#include "core/spectral/NotenbildPitch.h"
#include "core/spectral/PitchLive.h"

#include <QObject>

#include <memory>
#include <vector>

class CNotenbildPitchWorker;
class CResoniDoc;
class QPainter;
class QWidget;

// Mode 2 of this trace on white in (0, 0, width, height); the window, pictures of it and the
// headless renderer paint through this.
void PaintNotenbildPitch(QPainter& painter, int width, int height, const NotenbildPitchTrace& trace);

class CNotenbildPitchPane : public QObject
{
    Q_OBJECT
public:
    // view: repainted (and given the wait cursor) as the selection's track is computed.
    CNotenbildPitchPane(CResoniDoc& doc, QWidget& view);
    ~CNotenbildPitchPane() override;

    // Whether mode 2 is shown. Becoming active takes the current selection over; only an active
    // pane follows the document.
    void setActive(bool bActive);
    // A document update with its hint (UpdateHints.h).
    void OnUpdate(int hint);
    // The reference a' for the note label, in Hz.
    void setA4(double dA4Hz) { m_dA4Hz = dA4Hz; }

    // What mode 2 draws now: the live hops, the selection's track, or nothing.
    NotenbildPitchTrace trace() const;
    bool isComputing() const { return m_pWorker != nullptr; }
    // Selection tracks stopped before their end by a newer selection, live input or closing.
    int cancelledRuns() const { return m_nCancelledRuns; }

signals:
    void trackFinished(); // a selection's track is complete

private:
    void Recompute();
    void CancelRun();
    void OnRunFinished(int run);
    void AddLiveBlock();

    CResoniDoc& m_doc;
    QWidget& m_view;
    bool m_bActive = false;
    double m_dA4Hz = kDefaultA4Hz;
    // The selection the track is of (or is being computed from), and its rate.
    std::shared_ptr<const std::vector<double>> m_pSource;
    double m_dSourceRate = 0.0;
    PitchTrack m_Track;
    std::unique_ptr<CNotenbildPitchWorker> m_pWorker;
    int m_nRun = 0; // numbers the computations; reports of older ones are ignored
    int m_nCancelledRuns = 0;
    std::unique_ptr<PitchLive> m_pLive; // set while the trace shows live input
    bool m_bLiveListening = false;       // its source: the capture (or else playback)
};
