#include "ZeitreiheView.h"

#include "gui/app/ResoniApp.h"
#include "gui/document/GlobalFlags.h"
#include "gui/document/ResoniDoc.h"
#include "gui/document/UpdateHints.h"
#include "gui/presentation/CancellableJob.h"
#include "gui/presentation/PlotPainter.h"

#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace {

// Mutual information costs about T·(n + B²) steps; below this it takes a few milliseconds and is
// computed right away, above it on a worker thread.
constexpr double kSynchronousMiSteps = 3.0e6;

} // namespace

void PaintZeitreiheView(QPainter& painter, const Zeitreihe::Plot& plot, int width, int height, int scrollX)
{
    painter.fillRect(QRect(0, 0, width, height), PlotPainter::toQColor(Zeitreihe::kBackground));
    painter.save();
    painter.setClipRect(QRect(0, 0, width, height));
    painter.translate(-scrollX, 0);
    PlotPainter::drawLines(painter, plot.lines);
    painter.restore();
    PlotPainter::drawTexts(painter, plot.labels);
}

CZeitreiheView::CZeitreiheView(CResoniDoc& doc, QWidget* parent)
    : CDocView(doc, Qt::black, parent), m_pScroll(new QScrollBar(Qt::Horizontal, this))
{
    setObjectName(QStringLiteral("CZeitreiheView"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_pScroll->hide();
    connect(m_pScroll, &QScrollBar::valueChanged, this, [this] { update(); });
}

CZeitreiheView::~CZeitreiheView() = default;

bool CZeitreiheView::isComputing() const
{
    return m_pJob && m_pJob->running();
}

void CZeitreiheView::OnUpdate(int hint)
{
    if (hint == UpdateHint::kRefresh || g_bListening || g_bPlaying || g_bSelectionFFT)
        Refresh();
}

void CZeitreiheView::SetMode(int mode)
{
    m_nMode = std::clamp(mode, 0, 2);
    Refresh();
}

void CZeitreiheView::SetZoomField(int value)
{
    m_dPixelsPerPoint = Zeitreihe::pixelsPerPointOfField(value);
    Refresh();
}

void CZeitreiheView::SetBoxCount(int boxes)
{
    m_nBoxCount = boxes;
    Refresh();
}

void CZeitreiheView::SetMaxDelay(int delay)
{
    m_nMaxDelay = delay;
    Refresh();
}

void CZeitreiheView::Refresh()
{
    if (m_nMode == 2)
        UpdateMutualInformation();
    else
        CheckPerformance();
    SetScrollWidth(currentPlot().nScrollWidth);
    update();
}

void CZeitreiheView::CheckPerformance()
{
    const CResoniDoc& doc = GetDocument();
    const std::size_t n = m_nMode == 0 ? doc.m_arSignal.size() : doc.m_arAutoCorr.size();
    if (!m_bAnswerYes || !Zeitreihe::exceedsDrawingLimit(n, m_dPixelsPerPoint))
        return;
    if (m_nMode == 1 || g_bSelectionFFT) {
        const QString question = QString::fromStdString(Zeitreihe::performanceQuestion(n, m_dPixelsPerPoint));
        m_bAnswerYes = doc.app().dialogs().messageBox(question, QString(), IUiDialogs::Icon::Question,
                                                      IUiDialogs::Buttons::YesNo) == IUiDialogs::Answer::Yes;
    }
    if (m_bAnswerYes) {
        m_dPixelsPerPoint = Zeitreihe::simplifiedPixelsPerPoint(n);
        emit zoomFieldShown(Zeitreihe::fieldOfPixelsPerPoint(m_dPixelsPerPoint));
    }
}

void CZeitreiheView::UpdateMutualInformation()
{
    const CResoniDoc& doc = GetDocument();
    if (m_MiKey && m_MiKey->series == doc.m_arSignal && m_MiKey->boxes == m_nBoxCount &&
        m_MiKey->maxDelay == m_nMaxDelay)
        return; // shown or being computed already
    m_pJob.reset(); // a run of an earlier series is stopped and waited for
    const int run = ++m_nRun;
    m_MiKey = MiKey{doc.m_arSignal, m_nBoxCount, m_nMaxDelay};
    m_Mi = MutualInformationResult{};
    const double boxes = std::max(m_nBoxCount, 1);
    const double steps = std::max(m_nMaxDelay, 1) * (static_cast<double>(doc.m_arSignal.size()) + boxes * boxes);
    if (steps < kSynchronousMiSteps) {
        AbortToken abort;
        IUiDialogs& dialogs = doc.app().dialogs();
        OnMutualInformation(run, computeMutualInformation(m_MiKey->series, m_nBoxCount, m_nMaxDelay, abort,
                                                          [&dialogs](const std::string& text) {
                                                              dialogs.messageBox(QString::fromStdString(text));
                                                          }));
        return;
    }
    setCursor(Qt::BusyCursor);
    m_pJob = std::make_unique<CCancellableJob>(
        [this, run, series = m_MiKey->series, boxes = m_nBoxCount, delay = m_nMaxDelay](AbortToken& abort) {
            auto message = [this](const std::string& text) {
                QMetaObject::invokeMethod(
                    this, [this, text] { GetDocument().app().dialogs().messageBox(QString::fromStdString(text)); },
                    Qt::QueuedConnection);
            };
            MutualInformationResult result = computeMutualInformation(series, boxes, delay, abort, message);
            if (abort.isRaised())
                return; // stopped for a newer series, or the view is closing
            QMetaObject::invokeMethod(
                this, [this, run, result = std::move(result)]() mutable { OnMutualInformation(run, std::move(result)); },
                Qt::QueuedConnection);
        });
}

void CZeitreiheView::OnMutualInformation(int run, MutualInformationResult result)
{
    if (run != m_nRun)
        return; // a report of a run that was replaced meanwhile
    unsetCursor();
    m_Mi = std::move(result);
    if (m_Mi.computed && m_Mi.maxDelay != m_nMaxDelay) {
        // T ≥ n: the view keeps the reduced maximal delay (its field keeps the typed text).
        m_nMaxDelay = m_Mi.maxDelay;
        m_MiKey->maxDelay = m_nMaxDelay;
    }
    SetScrollWidth(currentPlot().nScrollWidth);
    update();
}

Zeitreihe::Plot CZeitreiheView::currentPlot() const
{
    const CResoniDoc& doc = GetDocument();
    const int h = clientHeight();
    switch (m_nMode) {
    case 1:
        return Zeitreihe::autoCorrPlot(doc.m_arAutoCorr, doc.m_nFirstMinLag, m_dPixelsPerPoint, width(), h);
    case 2:
        return Zeitreihe::mutualInformationPlot(m_Mi, width(), h);
    default: {
        // Without a loaded file (live input) the samples are 16-bit ones.
        const double fullScale = doc.m_dFullScale > 0.0 ? doc.m_dFullScale : 32767.0;
        const bool bSigned = doc.m_dFullScale > 0.0 ? doc.m_bSigned : true;
        return Zeitreihe::seriesPlot(doc.m_arSignal, fullScale, bSigned, m_dPixelsPerPoint, h);
    }
    }
}

void CZeitreiheView::SetScrollWidth(int width)
{
    m_nScrollWidth = std::max(width, 0);
    const bool needed = m_nScrollWidth > this->width();
    m_pScroll->setRange(0, needed ? m_nScrollWidth - this->width() : 0);
    m_pScroll->setPageStep(std::max(1, this->width()));
    m_pScroll->setSingleStep(std::max(1, this->width() / 20));
    if (needed != m_pScroll->isVisible()) {
        m_pScroll->setGeometry(0, height() - m_pScroll->sizeHint().height(), this->width(),
                               m_pScroll->sizeHint().height());
        m_pScroll->setVisible(needed);
    }
}

int CZeitreiheView::clientHeight() const
{
    return height() - (m_pScroll->isVisible() ? m_pScroll->height() : 0);
}

void CZeitreiheView::resizeEvent(QResizeEvent* event)
{
    CDocView::resizeEvent(event);
    m_pScroll->setGeometry(0, height() - m_pScroll->sizeHint().height(), width(), m_pScroll->sizeHint().height());
    SetScrollWidth(m_nScrollWidth);
}

void CZeitreiheView::OnDraw(QPainter& painter, const QRect& /*area*/)
{
    const Zeitreihe::Plot plot = currentPlot();
    if (plot.nScrollWidth > 0 && plot.nScrollWidth != m_nScrollWidth)
        SetScrollWidth(plot.nScrollWidth); // the window's size changed since the last refresh
    const int scrollX = m_pScroll->isVisible() ? m_pScroll->value() : 0;
    PaintZeitreiheView(painter, plot, width(), clientHeight(), scrollX);
}

std::optional<ViewPictureInfo> CZeitreiheView::PictureInfo() const
{
    return ViewPictureInfo{QString::fromUtf8("Speichert Zeitreihe..."), QString::fromUtf8("Zeitreihe Abbild"), QString::fromUtf8("Zeitreihe Abbild")};
}
