// The waveform view's part of the envelope editor: opening it on the marked stretch and
// carrying out what its dialog reports.
#include "EnvelopeDialog.h"
#include "EnvelopePaint.h"
#include "ResoniView.h"

#include "gui/app/ResoniApp.h"
#include "gui/document/ResoniDoc.h"
#include "gui/presentation/ViewPictures.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace {

ViewPictureInfo EnvelopePictureInfo()
{
    const QString title = QString::fromUtf8("Hüllkurve");
    return {QString::fromUtf8("Speichert diese Hüllkurvenansicht..."), title, title};
}

} // namespace

bool CResoniView::OpenEnvelope()
{
    const WaveViewLayout::SampleRange range = sampleRange();
    if (range.length() == 0 || !m_Markers.bothSet())
        return false;
    if (!m_Envelope.Open(GetDocument().samples(), range.start, range.length(), m_Markers.x1, m_Markers.x2, width(),
                         height(), m_nAZoom))
        return false;
    update();
    ShowEnvelope();
    return true;
}

void CResoniView::ShowEnvelope()
{
    m_pEnvelopeDialog->ShowPicture(m_Envelope.shown());
    if (!m_pEnvelopeDialog->isVisible()) {
        // First shown below the waveform, so that it covers neither the curve nor the bar's
        // button that opens it again.
        QPoint at = mapToGlobal(QPoint(0, height() + 8));
        if (const QScreen* screen = this->screen()) { // but on the screen
            const QRect room = screen->availableGeometry();
            const QSize size = m_pEnvelopeDialog->sizeHint();
            at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() - size.width())));
            at.setY(std::clamp(at.y(), room.top(), std::max(room.top(), room.bottom() - size.height())));
        }
        m_pEnvelopeDialog->move(at);
    }
    m_pEnvelopeDialog->show();
    m_pEnvelopeDialog->raise();
}

void CResoniView::ConnectEnvelopeDialog()
{
    CEnvelopeDialog* d = m_pEnvelopeDialog;
    connect(d, &CEnvelopeDialog::clearAndClose, this, [this] {
        m_Envelope.ClearCollected();
        m_pEnvelopeDialog->hide();
    });
    connect(d, &CEnvelopeDialog::optimise, this, [this] {
        m_Envelope.Optimise();
        ShowEnvelope();
    });
    connect(d, &CEnvelopeDialog::drawCurve, this, [this] {
        m_Envelope.DrawCurve();
        ShowEnvelope();
    });
    connect(d, &CEnvelopeDialog::leftClick, this, [this](PlotPoint p) {
        m_Envelope.LeftClick(p);
        ShowEnvelope();
    });
    connect(d, &CEnvelopeDialog::rightClick, this, [this](PlotPoint p) {
        m_Envelope.RightClick(p);
        ShowEnvelope();
    });
    // Saved and copied pictures show the contour's green crosses, whatever the field shows.
    const auto contourPainter = [this] {
        return [picture = m_Envelope.ContourPicture()](QPainter& p) { EnvelopePaint::paint(p, picture); };
    };
    const auto pictureSize = [this] { return QSize(m_Envelope.width(), m_Envelope.height()); };
    connect(d, &CEnvelopeDialog::savePicture, this, [this, contourPainter, pictureSize] {
        SaveViewPicture(GetDocument().app().dialogs(), EnvelopePictureInfo(), pictureSize(), contourPainter());
    });
    connect(d, &CEnvelopeDialog::copyPicture, this, [contourPainter, pictureSize] {
        CopyViewPicture(EnvelopePictureInfo(), pictureSize(), contourPainter());
    });
    connect(d, &CEnvelopeDialog::copyData, this, [this] {
        QGuiApplication::clipboard()->setText(QString::fromStdString(m_Envelope.SupportCsv()));
    });
}
