#include "SonoView.h"

#include "SonoWorker.h"

#include "core/spectral/SonoAxis.h"
#include "core/spectral/SonoPalette.h"
#include "core/spectral/SonoWhole.h"
#include "gui/app/ResoniApp.h"
#include "gui/document/GlobalFlags.h"
#include "gui/document/ResoniDoc.h"
#include "gui/document/UpdateHints.h"
#include "gui/presentation/PlotPainter.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>

namespace {

// The store is as large as the screen; without one (no display at all) a common size.
QSize ScreenSize()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize size = screen ? screen->size() : QSize();
    return size.isValid() && !size.isEmpty() ? size : QSize(1280, 1024);
}

bool Live()
{
    return g_bListening || g_bPlaying;
}

} // namespace

QImage SonoImage(const SonoPicture& picture)
{
    return QImage(reinterpret_cast<const uchar*>(picture.pixels().data()), picture.width(), picture.height(),
                  picture.bytesPerLine(), QImage::Format_RGB32);
}

void PaintSonoView(QPainter& painter, const QImage& picture, const SonoPaintInput& in)
{
    const SonoColours colours = SonoPaletteColours(in.settings.bIsFarbig1);
    painter.fillRect(QRect(0, 0, in.nWidth, in.nHeight), PlotPainter::toQColor(colours.background));
    const int shownWidth = in.nWidth - kSonoPictureLeft - kSonoPictureRightGap;
    if (shownWidth > 0 && in.nHeight > 0)
        painter.drawImage(QRect(kSonoPictureLeft, 0, shownWidth, in.nHeight), picture);
    if (in.bAxes) {
        const SonoAxisDecor axis = SonoFrequencyAxis(in.settings, in.nWidth, in.nHeight, colours.text);
        PlotPainter::drawLines(painter, axis.lines);
        PlotPainter::drawTexts(painter, axis.texts);
    }
    if (in.band) {
        painter.save();
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        const int top = std::min(in.band->first, in.band->second);
        const int bottom = std::max(in.band->first, in.band->second);
        painter.fillRect(QRect(0, top, kSonoPictureLeft, bottom - top + 1), Qt::white);
        painter.restore();
    }
}

void RenderSonoView(QPainter& painter, int width, int height, std::span<const double> frame, int sampleRate,
                    int bitsPerSample, int fftSize, const SonoSettings& settings)
{
    SonoPicture picture(width, height, settings.nLiniendicke);
    ComputeWholeSonogram(picture, frame, {{}, sampleRate, bitsPerSample, fftSize}, settings);
    PaintSonoView(painter, SonoImage(picture), {settings, width, height, true, std::nullopt});
}

CSonoView::CSonoView(CResoniDoc& doc, QWidget* parent)
    : CDocView(doc, Qt::black, parent), m_Settings(SonoSettingsFromProfile(doc.app().m_Settings)),
      m_Picture(ScreenSize().width(), ScreenSize().height(), m_Settings.nLiniendicke)
{
    setObjectName(QStringLiteral("CSonoView"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true); // "Freq:" follows the mouse
    m_Picture.fill(SonoPixel(SonoPaletteColours(m_Settings.bIsFarbig1).background));
    if (g_bSelectionFFT && !Live())
        Recompute(); // opened beside a selection
}

CSonoView::~CSonoView()
{
    CancelRun();
    StoreSettings();
}

void CSonoView::StoreSettings() const
{
    StoreSonoSettings(m_Settings, GetDocument().app().m_Settings);
}

QImage CSonoView::pictureCopy() const
{
    const std::lock_guard<std::mutex> lock(m_PictureLock);
    return SonoImage(m_Picture).copy();
}

int CSonoView::SampleRate() const
{
    // The loaded file's rate; while listening without a file, the capture format's.
    const CResoniDoc& doc = GetDocument();
    int rate = static_cast<int>(doc.m_nSampleRate);
    if (rate <= 0 && doc.m_pWaveFormat && doc.m_pWaveFormat->samplesPerSec > 0)
        rate = static_cast<int>(doc.m_pWaveFormat->samplesPerSec);
    return rate > 0 ? rate : 44100;
}

int CSonoView::BitsPerSample() const
{
    const int bits = GetDocument().m_nBitsPerSample;
    return bits > 0 ? bits : 16;
}

void CSonoView::OnUpdate(int hint)
{
    const CResoniDoc& doc = GetDocument();
    if (hint == UpdateHint::kRefresh)
        emit fftSizeShown(doc.m_nFFTSize);
    if (Live()) {
        if (hint == UpdateHint::kNewBlock)
            AddLiveColumn();
    } else if (g_bSelectionFFT) {
        Recompute();
    }
    update();
}

void CSonoView::setSettings(const SonoSettings& settings)
{
    const SonoSettings next = ClampedSonoSettings(settings);
    SonoSettings smoothingOnly = m_Settings;
    smoothingOnly.bIsSmooth = next.bIsSmooth;
    m_Settings = next;
    if (next != smoothingOnly) {
        if (g_bSelectionFFT && !Live()) {
            Recompute();
        } else {
            CancelRun();
            const std::lock_guard<std::mutex> lock(m_PictureLock);
            m_Picture.restart(m_Settings.nLiniendicke); // the next column starts a new picture
        }
    }
    update();
}

void CSonoView::Recompute()
{
    const CResoniDoc& doc = GetDocument();
    Source source{nullptr, SampleRate(), BitsPerSample(), doc.m_nFFTSize, m_Settings};
    if (m_Source && *m_Source->frame == doc.m_arSignal && m_Source->nSampleRate == source.nSampleRate &&
        m_Source->nBitsPerSample == source.nBitsPerSample && m_Source->nFFTSize == source.nFFTSize &&
        m_Source->settings == source.settings)
        return; // the picture shows (or is computing) this frame already
    CancelRun();
    source.frame = std::make_shared<const std::vector<double>>(doc.m_arSignal);
    m_Source = source;
    const SonoSpectrum format{{}, source.nSampleRate, source.nBitsPerSample, source.nFFTSize};
    if (source.frame->size() <
        std::max<std::size_t>(2, static_cast<std::size_t>(std::max(0, source.nFFTSize)))) {
        // No column to compute: the store only goes back to the background.
        const std::lock_guard<std::mutex> lock(m_PictureLock);
        ComputeWholeSonogram(m_Picture, *source.frame, format, m_Settings);
        return;
    }
    const int run = ++m_nRun;
    auto progress = [this, run](int) {
        QMetaObject::invokeMethod(
            this,
            [this, run] {
                if (run == m_nRun)
                    update();
            },
            Qt::QueuedConnection);
    };
    auto finished = [this, run](bool) {
        QMetaObject::invokeMethod(
            this, [this, run] { OnRunFinished(run); }, Qt::QueuedConnection);
    };
    m_pWorker = std::make_unique<CSonoWorker>(
        m_Picture, m_PictureLock, CSonoWorker::Job{source.frame, format, m_Settings}, progress, finished);
    setCursor(Qt::WaitCursor);
}

void CSonoView::OnRunFinished(int run)
{
    if (run != m_nRun || !m_pWorker)
        return;        // a report of a computation that was replaced meanwhile
    m_pWorker.reset(); // its thread has ended or is about to
    unsetCursor();
    update();
    emit sonogramFinished();
}

void CSonoView::CancelRun()
{
    ++m_nRun; // reports still on their way are ignored
    if (!m_pWorker)
        return;
    if (m_pWorker->running()) {
        ++m_nCancelledRuns;
        m_Source.reset(); // the picture is incomplete
    }
    m_pWorker.reset(); // stops the computation and waits for its thread
    unsetCursor();
}

void CSonoView::AddLiveColumn()
{
    // Live input takes the picture over from a whole sonogram and starts anew at the left edge.
    const bool bStartAnew = m_Source.has_value() || isComputing();
    CancelRun();
    m_Source.reset();
    const CResoniDoc& doc = GetDocument();
    const std::lock_guard<std::mutex> lock(m_PictureLock);
    if (bStartAnew)
        m_Picture.restart(m_Settings.nLiniendicke);
    const std::vector<double>& spectrum = doc.m_arSpectrum;
    if (spectrum.size() < 2)
        return;
    const int n = static_cast<int>(spectrum.size() - 1) * 2;
    AddSonoColumn(m_Picture, m_Settings, {spectrum, SampleRate(), BitsPerSample(), n}, m_Entries);
}

void CSonoView::OnDraw(QPainter& painter, const QRect& /*area*/)
{
    const SonoPaintInput in{m_Settings, width(), height(), !Live(), m_Band};
    const std::lock_guard<std::mutex> lock(m_PictureLock);
    PaintSonoView(painter, SonoImage(m_Picture), in);
}

double CSonoView::FrequencyAt(int y) const
{
    return SonoFrequencyAtRow(m_Settings, y, height());
}

void CSonoView::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (event->button() != Qt::LeftButton || at.x() >= kSonoBeepZone)
        return;
    GetDocument().app().PlayTone(FrequencyAt(at.y()), kSonoClickBeepMs);
    m_nBandStart = at.y();
    m_Band.reset();
    update();
}

void CSonoView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    const double hz = FrequencyAt(at.y());
    emit frequencyShown(QString::fromStdString(SonoFrequencyText(hz)));
    if ((event->buttons() & Qt::LeftButton) && at.x() < kSonoBeepZone)
        GetDocument().app().PlayTone(hz, kSonoDragBeepMs);
}

void CSonoView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_nBandStart)
        return;
    // The probed band stays marked at the left edge until the next click there.
    m_Band = std::make_pair(*m_nBandStart, std::clamp(event->position().toPoint().y(), 0, height() - 1));
    m_nBandStart.reset();
    update();
}

std::optional<ViewPictureInfo> CSonoView::PictureInfo() const
{
    return ViewPictureInfo{QString::fromUtf8("Speichert Sonogramm..."), QString::fromUtf8("Sonogramm Abbild"), QString::fromUtf8("Sonogramm Abbild")};
}

void CSonoView::DrawPicture(QPainter& painter, bool /*bClipboard*/)
{
    painter.drawImage(QPoint(0, 0), grab().toImage());
}
