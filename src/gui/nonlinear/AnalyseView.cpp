#include "AnalyseView.h"

#include "gui/app/ResoniApp.h"
#include "gui/app/UiDialogs.h"
#include "gui/document/GlobalFlags.h"
#include "gui/document/ResoniDoc.h"
#include "gui/presentation/CancellableJob.h"
#include "gui/presentation/PictureFile.h"
#include "gui/presentation/PlotPainter.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QFont>
#include <QMouseEvent>
#include <QPainter>

#include "gui/app/MainFrame.h"

namespace {

QFont LabelFont(const AnalyseLabel& label)
{
    QFont font(QString::fromLatin1(label.font));
    font.setPixelSize(label.nPixelHeight);
    return font;
}

void PaintLabel(QPainter& painter, const AnalyseLabel& label)
{
    const QString text = QString::fromStdString(label.text);
    painter.setFont(LabelFont(label));
    painter.setPen(Qt::black);
    if (label.nWrapWidth > 0) {
        painter.drawText(QRect(label.at.x, label.at.y, label.nWrapWidth, 100000), Qt::TextWordWrap, text);
        return;
    }
    const QFontMetrics metrics(painter.font());
    QRect box = metrics.boundingRect(QRect(0, 0, 100000, 100000), 0, text);
    int x = 0;
    if (label.anchor == TextAnchor::Centre)
        x = -box.width() / 2;
    else if (label.anchor == TextAnchor::Right)
        x = -box.width();
    painter.save();
    painter.translate(label.at.x, label.at.y);
    if (label.bVertical)
        painter.rotate(-90.0);
    painter.drawText(QRect(x, 0, box.width(), box.height()), Qt::AlignLeft | Qt::AlignTop, text);
    painter.restore();
}

} // namespace

void PaintAnalysePicture(QPainter& painter, const AnalysePicture& picture)
{
    PlotPainter::drawRects(painter, picture.fills);
    for (const AnalyseStroke& s : picture.strokes) {
        QPen pen(PlotPainter::toQColor(s.colour), s.width);
        if (s.dotted)
            pen.setStyle(Qt::DotLine);
        painter.setPen(pen);
        painter.drawLine(s.from.x, s.from.y, s.to.x, s.to.y);
    }
    for (const AnalyseLabel& label : picture.labels)
        PaintLabel(painter, label);
}

AnalysePicture AnalyseResultPicture(const AnalyseRunResult& r, int width, int height)
{
    switch (r.mode) {
    case kAnalyseSpectrum:
        return SpectrumPlot(r.spectrum, SpectrumRowsToDraw(r.spectrum), r.spectrum.iterations, width, height, true);
    case kAnalyseMaxExponent:
        return MaxExponentPlot(r.maxExponent, r.maxExponent.radiusCount, width, height);
    default: return CorrelationPlot(r.correlation, 0, 0, width, height);
    }
}

CAnalyseView::CAnalyseView(CResoniDoc& doc, QWidget* parent)
    : CDocView(doc, Qt::white, parent), m_Settings(AnalyseSettingsFromProfile(doc.app().m_Settings))
{
    setObjectName(QStringLiteral("CAnalyseView"));
    // Esc ("Abbruch" of the main window) stops a run of this view too: the program clears the
    // process-wide flag whenever it becomes idle, so the run gets its own request.
    if (CMainFrame* main = doc.app().mainFrame())
        if (QAction* abort = main->action(CommandId::Abort))
            connect(abort, &QAction::triggered, this, &CAnalyseView::OnAbort);
}

CAnalyseView::~CAnalyseView()
{
    m_pJob.reset(); // raises its token and waits for the thread
    StoreSettings();
}

void CAnalyseView::StoreSettings() const
{
    StoreAnalyseSettings(m_Settings, GetDocument().app().m_Settings);
}

void CAnalyseView::SetMode(int mode)
{
    m_Settings.mode = std::clamp(mode, 0, 2);
    m_bBlank = false;
    m_bTooShort = false;
    update();
}

void CAnalyseView::OnResetView()
{
    m_bBlank = true;
    m_bTooShort = false;
    m_bAskMaxExponent = true;
    update();
}

void CAnalyseView::OnSaveView()
{
    SavePicture();
}

void CAnalyseView::DrawPicture(QPainter& painter, bool /*bClipboard*/)
{
    if (const std::optional<AnalysePicture> picture = currentPicture())
        PaintAnalysePicture(painter, *picture);
}

bool CAnalyseView::CopyData() const
{
    const auto mode = static_cast<std::size_t>(m_Settings.mode);
    if (!m_bValid[mode] || m_pJob)
        return false;
    QGuiApplication::clipboard()->setText(QString::fromStdString(AnalyseResultCsv(m_Results[mode])));
    return true;
}

void CAnalyseView::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    QAction* copy = menu.addAction(QStringLiteral("Daten kopieren"));
    copy->setEnabled(m_bValid[static_cast<std::size_t>(m_Settings.mode)] && !m_pJob);
    connect(copy, &QAction::triggered, this, [this] { CopyData(); });
    menu.exec(event->globalPos());
}

void CAnalyseView::OnAbort()
{
    g_bAbort.raise();
    if (m_pCancel)
        m_pCancel->store(true);
}

void CAnalyseView::OnCalculate()
{
    if (m_pJob)
        return; // one run at a time
    OnResetView();
    m_bBlank = false;
    const CResoniDoc& doc = GetDocument();
    if (doc.m_arSignal.size() < 50) {
        m_bTooShort = true;
        update();
        return;
    }
    IUiDialogs& dialogs = doc.app().dialogs();
    AnalyseParameters& p = m_Settings.current();
    // A long run is offered a smaller count first; after Yes the question comes again next time,
    // after No never.
    const auto offerReduction = [&dialogs](int& value, int limit, bool& bAsk, const char* format) {
        if (value <= limit || !bAsk)
            return;
        bAsk = dialogs.messageBox(QString::fromUtf8(format).arg(value), QString(), IUiDialogs::Icon::Question,
                                  IUiDialogs::Buttons::YesNo) == IUiDialogs::Answer::Yes;
        if (bAsk)
            value = limit;
    };
    switch (m_Settings.mode) {
    case kAnalyseSpectrum:
        offerReduction(p.iterations, 1000, m_bAskSpectrum,
                       "Bei der gewählten Anzahl von %1 Iterationen wird die Berechnung je nach Rechnerleistung "
                       "sehr lange dauern, soll die Anzahl auf 1000 reduziert werden ?");
        break;
    case kAnalyseMaxExponent:
        offerReduction(p.steps, 50, m_bAskMaxExponent,
                       "Bei der gewählten Anzahl von %1 Iterationen wird die Berechnung je nach Rechnerleistung "
                       "sehr lange dauern (>10 min.) soll die Anzahl auf 50 reduziert werden ?");
        break;
    case kAnalyseCorrelation: break;
    default: dialogs.messageBox(QStringLiteral("Fehler: im Case Analyse View")); return;
    }
    emit parametersChanged();
    StartRun();
}

void CAnalyseView::StartRun()
{
    const int mode = m_Settings.mode;
    const int run = ++m_nRun;
    ++m_nRunsStarted;
    m_nRunMode = mode;
    m_Progress.reset();
    m_Results[static_cast<std::size_t>(mode)] = AnalyseRunResult{}; // the old result is released first
    m_Results[static_cast<std::size_t>(mode)].mode = mode;
    if (mode == kAnalyseCorrelation)
        m_nMarker1 = m_nMarker2 = m_nPressX.value_or(0);
    if (mode == kAnalyseMaxExponent)
        m_bSlopeSet = false;
    m_pCancel = std::make_shared<std::atomic<bool>>(false);
    m_nCheckpointsAfterAbort = 0;
    auto series = std::make_shared<const std::vector<double>>(GetDocument().m_arSignal);
    const AnalyseParameters parameters = m_Settings.current();
    const QSize size = this->size();
    auto pending = std::make_shared<std::atomic<bool>>(false); // a progress picture is on its way

    // Runs on the worker thread; everything it tells the view goes through queued calls.
    auto post = [this, run, pending](std::shared_ptr<AnalysePicture> picture) {
        if (pending->exchange(true))
            return; // the view has not drawn the previous one yet
        QMetaObject::invokeMethod(
            this,
            [this, run, picture, pending] {
                pending->store(false);
                ShowProgress(run, picture);
            },
            Qt::QueuedConnection);
    };
    NonlinearCallbacks callbacks;
    callbacks.onMessage = [this](const std::string& text) {
        QMetaObject::invokeMethod(
            this, [this, text] { GetDocument().app().dialogs().messageBox(QString::fromStdString(text)); },
            Qt::QueuedConnection);
    };
    callbacks.onMaxExponentProgress = [post, size](const MaxExponentResult& r, unsigned done) {
        post(std::make_shared<AnalysePicture>(MaxExponentPlot(r, done, size.width(), size.height())));
    };
    callbacks.onSpectrumProgress = [post, size](const SpectrumResult& r) {
        post(std::make_shared<AnalysePicture>(
            SpectrumPlot(r, r.rowCount, r.iterations, size.width(), size.height(), false)));
    };
    callbacks.onCorrelationProgress = [post, size](const CorrelationResult& r) {
        post(std::make_shared<AnalysePicture>(CorrelationPlot(r, 0, 0, size.width(), size.height())));
    };
    m_pJob = std::make_unique<CCancellableJob>([this, run, mode, parameters, series, callbacks,
                                                cancel = m_pCancel](AbortToken& token) mutable {
        callbacks.onCheckpoint = [this, &token, cancel](long long) {
            if (cancel->load()) {
                ++m_nCheckpointsAfterAbort;
                token.raise();
            }
        };
        auto result = std::make_shared<AnalyseRunResult>(RunAnalyse(mode, parameters, *series, token, callbacks));
        const bool aborted = token.isRaised();
        QMetaObject::invokeMethod(
            this, [this, run, result, aborted] { OnRunFinished(run, result, aborted); }, Qt::QueuedConnection);
    });
    setCursor(Qt::WaitCursor);
}

void CAnalyseView::ShowProgress(int run, std::shared_ptr<AnalysePicture> picture)
{
    if (run != m_nRun || !m_pJob)
        return;
    m_Progress = std::move(*picture);
    update();
}

void CAnalyseView::OnRunFinished(int run, std::shared_ptr<AnalyseRunResult> result, bool bAborted)
{
    if (run != m_nRun)
        return;
    m_pJob.reset();
    m_pCancel.reset();
    m_Progress.reset();
    const auto mode = static_cast<std::size_t>(result->mode);
    m_Results[mode] = std::move(*result);
    // An aborted or failed run leaves the valid flag as it was; its partial result stays.
    if (bAborted)
        g_bAbort.clear();
    else
        m_bValid[mode] = true;
    unsetCursor();
    update();
    emit runFinished();
}

std::optional<AnalysePicture> CAnalyseView::currentPicture() const
{
    const int w = width(), h = height();
    if (m_bTooShort)
        return AnalyseTooShortPicture(w, h);
    if (m_pJob && m_Progress && m_nRunMode == m_Settings.mode)
        return m_Progress;
    const auto mode = static_cast<std::size_t>(m_Settings.mode);
    if (m_bBlank || m_pJob || !m_bValid[mode])
        return std::nullopt;
    const AnalyseRunResult& r = m_Results[mode];
    if (r.mode == kAnalyseCorrelation) {
        AnalysePicture p = CorrelationPlot(r.correlation, m_nMarker1, m_nMarker2, w, h);
        for (int x : {m_nMarker1, m_nMarker2})
            if (x > 0)
                p.strokes.push_back({{x, 0}, {x, h / 2 - 30}, kAnalyseBlue});
        return p;
    }
    AnalysePicture p = AnalyseResultPicture(r, w, h);
    if (r.mode == kAnalyseMaxExponent && m_bSlopeSet)
        AddSlopeLine(p, {m_SlopeStart.x(), m_SlopeStart.y()}, {m_SlopeEnd.x(), m_SlopeEnd.y()},
                     m_strSlope.toStdString(), w);
    return p;
}

void CAnalyseView::OnDraw(QPainter& painter, const QRect& area)
{
    painter.fillRect(area, Qt::white);
    if (const std::optional<AnalysePicture> picture = currentPicture())
        PaintAnalysePicture(painter, *picture);
    if (m_bDragging && m_Settings.mode == kAnalyseMaxExponent) {
        // The rubber line, drawn by inverting the pixels under it.
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.setPen(QPen(Qt::white, 1));
        painter.drawLine(m_SlopeStart, m_SlopeEnd);
    }
}

void CAnalyseView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    m_nPressX = at.x();
    if (m_Settings.mode == kAnalyseMaxExponent && m_bValid[kAnalyseMaxExponent] && !m_pJob) {
        m_bDragging = true;
        m_bSlopeSet = false;
        m_SlopeStart = m_SlopeEnd = at;
    }
}

void CAnalyseView::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_bDragging)
        return;
    m_SlopeEnd = event->position().toPoint();
    const MaxExponentResult& r = m_Results[kAnalyseMaxExponent].maxExponent;
    const MaxExponentScale scale = MaxExponentPlotScale(r, r.radiusCount, width(), height());
    m_strSlope = QString::fromStdString(
        MaxExponentSlope(scale, {m_SlopeStart.x(), m_SlopeStart.y()}, {m_SlopeEnd.x(), m_SlopeEnd.y()}).text);
    update();
}

void CAnalyseView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (m_bDragging) {
        mouseMoveEvent(event);
        m_bDragging = false;
        m_bSlopeSet = m_SlopeEnd.x() != m_SlopeStart.x();
        update();
        return;
    }
    if (m_Settings.mode == kAnalyseCorrelation && m_bValid[kAnalyseCorrelation] && !m_pJob) {
        MoveRangeMarkers(m_nMarker1, m_nMarker2, m_nPressX.value_or(0), event->position().toPoint().x());
        update();
    }
}

std::optional<ViewPictureInfo> CAnalyseView::PictureInfo() const
{
    return ViewPictureInfo{QString::fromUtf8("Speichert Analyse..."), QString::fromUtf8("Analyse Abbild"), QString::fromUtf8("Analyse Abbild")};
}
