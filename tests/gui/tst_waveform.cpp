// The waveform window with a loaded file: both panes draw the signal, an overview selection
// becomes the view's range, a drag in the view hands its samples to the document, markers are
// set by double click, and the dialog bar's controls act on the panes.
#include "support/AppFixture.h"
#include "support/HintRecorder.h"
#include "support/TestWaves.h"

#include "core/waveform/OverviewLayout.h"
#include "gui/document/GlobalFlags.h"
#include "gui/document/UpdateHints.h"
#include "gui/waveform/ResoniOverView.h"
#include "gui/waveform/ResoniView.h"
#include "gui/waveform/SplitterFrame.h"
#include "gui/waveform/WaveformPaint.h"

#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QSplitter>
#include <QtTest>

#include <bit>
#include <cmath>

namespace {

void mouse(QWidget* w, QEvent::Type type, int x, int y, Qt::MouseButtons buttons)
{
    const QPointF local(x, y);
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, local, w->mapToGlobal(local), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// Press at x0, move in steps to x1, release there.
void drag(QWidget* w, int x0, int x1, int y = 40)
{
    mouse(w, QEvent::MouseButtonPress, x0, y, Qt::LeftButton);
    const int step = x1 > x0 ? 10 : -10;
    for (int x = x0 + step; (step > 0 ? x < x1 : x > x1); x += step)
        mouse(w, QEvent::MouseMove, x, y, Qt::LeftButton);
    mouse(w, QEvent::MouseMove, x1, y, Qt::LeftButton);
    mouse(w, QEvent::MouseButtonRelease, x1, y, Qt::NoButton);
}

// A double click in the view: sets a marker there, or removes one within 4 pixels.
void mark(QWidget* view, int x)
{
    QTest::mouseDClick(view, Qt::LeftButton, {}, QPoint(x, 50));
}

int redPixels(QWidget* w)
{
    const QImage img = w->grab().toImage();
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixelColor(x, y) == QColor(255, 0, 0))
                ++n;
    return n;
}

} // namespace

class TestWaveform : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    struct Window
    {
        AppFixture fixture;
        CSplitterFrame* frame = nullptr;
        CResoniOverView* over = nullptr;
        CResoniView* view = nullptr;
    };

    // A started program with the sine loaded and the waveform window at a known size.
    std::unique_ptr<Window> open()
    {
        auto w = std::make_unique<Window>();
        const QString path = testwaves::writeTone(m_dir.path() + QStringLiteral("/sinus.wav"), 50, 16, 8000);
        w->fixture.doc().OpenWaveFile(path);
        w->frame = w->fixture.doc().m_pWaveFrame;
        w->frame->showNormal();
        w->frame->resize(900, 600);
        w->over = w->frame->overView();
        w->view = w->frame->waveView();
        QCoreApplication::processEvents();
        w->over->repaint(); // the first drawing measures the content width
        return w;
    }

private slots:
    void init() { ResetGlobalFlags(); }

    void overviewSelectionBecomesTheViewsRange()
    {
        auto w = open();
        QVERIFY(g_bWaveLoaded);
        QVERIFY(redPixels(w->over) > 100);      // the whole file is drawn
        QCOMPARE(redPixels(w->view), 0);         // the view shows nothing until a selection
        const int total = w->over->totalWidth();
        QCOMPARE(total, w->over->clientWidth()); // at zoom 1 the file fits the pane

        drag(w->over, 310, 110); // right to left
        const auto range = w->view->sampleRange();
        QCOMPARE(range, WaveViewLayout::rangeForSelection(100, 300, 8000, total));
        QVERIFY(range.start % 2 == 0 && range.end % 2 == 0);
        QVERIFY(redPixels(w->view) > 100);

        drag(w->over, 110, 310); // left to right gives the same range
        QCOMPARE(w->view->sampleRange(), range);
    }

    void viewDragHandsItsSamplesToTheDocument()
    {
        auto w = open();
        drag(w->over, 110, 610);
        const auto range = w->view->sampleRange();
        QVERIFY(range.length() > 0);
        CResoniDoc& d = w->fixture.doc();
        HintRecorder rec(d);

        drag(w->view, 400, 150);
        const auto want = WaveViewLayout::selectionFor(150, 400, range, w->view->width(), false);
        QCOMPARE(rec.hints, (std::vector<int>{UpdateHint::kSelection, UpdateHint::kSelection}));
        QVERIFY(g_bSelectionFFT);
        QCOMPARE(static_cast<long long>(d.m_arSignal.size()), want.end - want.first);
        QVERIFY(want.first % 2 == 0);
        const auto* raw = reinterpret_cast<const std::int16_t*>(d.m_pWaveData.get());
        QCOMPARE(d.m_arSignal.front(), double(raw[want.first]));
        QCOMPARE(d.m_arSignal.back(), double(raw[want.end - 1]));
        QCOMPARE(d.m_nSelectionFFTSize, static_cast<int>(std::bit_floor(d.m_arSignal.size())));
        QCOMPARE(w->frame->samplesField()->text(),
                 QString::number(WaveViewLayout::dragSampleCount(400, 150, range, w->view->width())));

        const std::vector<double> first = d.m_arSignal;
        drag(w->view, 150, 400); // the other direction: the same samples
        QCOMPARE(d.m_arSignal, first);
    }

    void selectionRunsTheWaveletTransformWhenItsWindowIsOpen()
    {
        auto w = open();
        CResoniDoc& d = w->fixture.doc();
        drag(w->over, 110, 610);
        drag(w->view, 100, 500);
        QCOMPARE(d.m_arWavelet.size(), std::size_t{1}); // window closed: nothing computed
        d.ToggleModuleWindow(Module::Wavelet);
        drag(w->view, 100, 500);
        // The default request: 100 rows, 20 columns, then n · m values (from a worker thread).
        QTRY_COMPARE(d.m_arWavelet.size(), std::size_t{2 + 100 * 20});
        QCOMPARE(d.m_arWavelet[0], 100.0f);
        QCOMPARE(d.m_arWavelet[1], 20.0f);
    }

    void markersAndTheEnvelopeButton()
    {
        auto w = open();
        drag(w->over, 110, 610);
        w->frame->envelopeButton()->click();
        const QStringList hint{QString::fromUtf8(CSplitterFrame::kEnvelopeHint)};
        QCOMPARE(w->fixture.dialogs().messageTexts(), hint);

        w->view->repaint();
        mark(w->view, 300);
        mark(w->view, 200);
        QCOMPARE(w->view->markers(), (WaveViewLayout::Markers{200, 300}));
        QCOMPARE(w->view->grab().toImage().pixelColor(200, w->view->height() / 3), QColor(0, 0, 255));
        w->frame->envelopeButton()->click();
        QCOMPARE(w->fixture.dialogs().messageTexts(), hint); // no second message

        mark(w->view, 203);
        QCOMPARE(w->view->markers(), (WaveViewLayout::Markers{0, 300}));

        // A new range clears markers and drag.
        drag(w->over, 200, 500);
        w->view->repaint();
        QCOMPARE(w->view->markers(), (WaveViewLayout::Markers{}));
    }

    void zoomResizeAndEmptySelectionClearMarkersAndDrag_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("horizontal zoom") << 0;
        QTest::newRow("window resized") << 1;
        QTest::newRow("empty selection") << 2;
    }
    void zoomResizeAndEmptySelectionClearMarkersAndDrag()
    {
        QFETCH(int, how);
        auto w = open();
        drag(w->over, 110, 610);
        w->view->repaint();
        mark(w->view, 200);
        mark(w->view, 300);
        drag(w->view, 150, 450);
        QVERIFY(w->view->hasDrag() && w->view->markers() == (WaveViewLayout::Markers{200, 300}));
        if (how == 0)
            w->frame->horizontalSlider()->setValue(3);
        else if (how == 1)
            w->frame->resize(700, 500);
        else
            drag(w->over, 300, 300);
        QCoreApplication::processEvents();
        QVERIFY(!w->view->hasDrag());
        QCOMPARE(w->view->markers(), (WaveViewLayout::Markers{}));
        const QImage img = w->view->grab().toImage();
        for (int x = 0; x < img.width(); ++x)
            QVERIFY2(img.pixelColor(x, img.height() / 3) != QColor(0, 0, 255), "a blue marker line is left");
    }

    void zoomSlidersActOnThePanes()
    {
        auto w = open();
        drag(w->over, 110, 610);
        QVERIFY(w->view->sampleRange().length() > 0);
        w->frame->amplitudeSlider()->setValue(0);
        QCOMPARE(w->over->amplitudeZoom(), 81);
        w->frame->amplitudeSlider()->setValue(19);
        QCOMPARE(w->over->amplitudeZoom(), 5);

        const int before = w->over->totalWidth();
        w->frame->horizontalSlider()->setValue(3); // zoom 7
        QCOMPARE(w->over->horizontalZoom(), 7);
        QCOMPARE(w->view->sampleRange().length(), 0LL); // the view's range is gone
        w->over->repaint();
        QVERIFY(w->over->totalWidth() > 5 * before);
        QVERIFY(w->over->scrollBar()->isVisible());
        QCOMPARE(w->over->totalWidth(), w->over->contentWidth() + 20);
    }

    void signalLinePixels()
    {
        QImage image(100, 100, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter p(&image);
            // A column span, a shallow and a steep segment, and spans far outside the image.
            WaveformPaint::drawSignal(p, {{10, 10}, {10, 50}, {60, 60}, {62, 90}, {63, -2'000'000}, {64, 2'000'000}});
        }
        const QColor red(255, 0, 0);
        for (int y = 10; y <= 50; ++y)
            QCOMPARE(image.pixelColor(10, y), red);
        QCOMPARE(image.pixelColor(10, 9), QColor(Qt::white));
        QCOMPARE(image.pixelColor(35, 55), red); // halfway along (10,50) – (60,60)
        QCOMPARE(image.pixelColor(61, 75), red); // halfway along (60,60) – (62,90)
        // The spans far outside are clipped to the image, not dropped: rows 0 and 99 are crossed
        // in the columns 62 … 65.
        for (int y : {0, 99}) {
            bool crossed = false;
            for (int x = 62; x <= 65; ++x)
                crossed = crossed || image.pixelColor(x, y) == red;
            QVERIFY2(crossed, qPrintable(QString::number(y)));
        }
        QCOMPARE(image.pixelColor(80, 80), QColor(Qt::white));
    }

};

QTEST_MAIN(TestWaveform)
#include "tst_waveform.moc"
