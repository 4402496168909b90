// The envelope editor on a decaying tone: "Bearbeite Einhüllende" with two markers opens
// "Hüllkurve" with points, a second opening merges, a click inserts a point, "Optimiere
// Punktmenge" thins, "Ansicht speichern" writes an enhanced metafile, "Daten kopieren" gives the
// support points, and "Punkte löschen und Fenster schließen" clears and hides.
#include "support/AppFixture.h"
#include "support/TestWaves.h"

#include "gui/document/GlobalFlags.h"
#include "gui/waveform/EnvelopeDialog.h"
#include "gui/waveform/ResoniOverView.h"
#include "gui/waveform/ResoniView.h"
#include "gui/waveform/SplitterFrame.h"

#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <cmath>

namespace {

void drag(QWidget* w, int x0, int x1)
{
    QTest::mousePress(w, Qt::LeftButton, {}, QPoint(x0, 40));
    QMouseEvent move(QEvent::MouseMove, QPointF(x1, 40), w->mapToGlobal(QPointF(x1, 40)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
    QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(x1, 40));
}

void mark(QWidget* view, int x) { QTest::mouseDClick(view, Qt::LeftButton, {}, QPoint(x, 50)); }

bool ascending(const std::vector<PlotPoint>& points)
{
    for (std::size_t i = 1; i < points.size(); ++i)
        if (points[i].x <= points[i - 1].x)
            return false;
    return true;
}

} // namespace

class TestEnvelope : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void init() { ResetGlobalFlags(); }

    void openMergeEditOptimiseSaveAndClose()
    {
        // Two seconds of 4410 Hz at 44100 Hz, decaying with a time constant of one second.
        std::vector<std::int16_t> tone(88200);
        for (std::size_t n = 0; n < tone.size(); ++n)
            tone[n] = static_cast<std::int16_t>(std::lround(30000 * std::exp(-double(n) / 44100) * std::sin(0.2 * M_PI * (double(n) + 1))));
        AppFixture f;
        f.doc().OpenWaveFile(testwaves::writeWave(m_dir.filePath(QStringLiteral("decay.wav")), 1, 44100, 16,
                                                  testwaves::bytes16(tone)));
        CSplitterFrame* frame = f.doc().m_pWaveFrame;
        frame->showNormal();
        frame->resize(900, 600);
        QCoreApplication::processEvents();
        frame->overView()->repaint();
        CResoniView* view = frame->waveView();
        drag(frame->overView(), 110, 610);
        view->repaint();
        mark(view, 100);
        mark(view, 400);
        const EnvelopeEditor& env = view->envelope();
        CEnvelopeDialog* dialog = view->envelopeDialog();
        QVERIFY(!dialog->isVisible());
        frame->envelopeButton()->click();
        QVERIFY(f.dialogs().messages.empty());
        QVERIFY(dialog->isVisible());
        const std::size_t first = env.collected().upper.size();
        QVERIFY2(first > 50, qPrintable(QString::number(first)));
        QCOMPARE(env.contour().size(), first + env.collected().lower.size());
        // Upper points above the middle line, the first ones higher than the last (the decay).
        QVERIFY(env.contour().front().y < view->height() / 2 && env.contour().front().y < env.collected().upper.back().y);

        // A neighbouring, shorter stretch: the contour holds both, in ascending x without duplicates.
        mark(view, 100);
        mark(view, 650);
        QCOMPARE(view->markers(), (WaveViewLayout::Markers{400, 650}));
        frame->envelopeButton()->click();
        QVERIFY(env.collected().upper.size() > first);
        QVERIFY(ascending(env.collected().upper) && ascending(env.collected().lower));

        // A click far from every point inserts one, drawn with the curve; "Zeichne Hüllkurve"
        // forgets the edit afterwards.
        const QPoint at(245, 380);
        QTest::mouseClick(dialog->field(), Qt::LeftButton, {}, at);
        QCOMPARE(env.edits().size(), std::size_t{1});
        QCOMPARE(env.shown().mode, 1);
        const auto& kept = env.kept();
        QVERIFY(std::find(kept.begin(), kept.end(), dialog->ViewPoint(at)) != kept.end());
        QVERIFY(!env.shown().curve.empty());
        dialog->button(QString::fromUtf8("Zeichne Hüllkurve"))->click();
        QVERIFY(env.edits().empty());

        const std::size_t before = env.contour().size();
        dialog->button(QStringLiteral("Optimiere Punktmenge"))->click();
        QVERIFY2(env.contour().size() < before, qPrintable(QString::number(env.contour().size())));
        QCOMPARE(env.shown().mode, 0);

        const QString path = m_dir.filePath(QStringLiteral("huelle.wmf"));
        f.dialogs().files.push_back(path);
        dialog->button(QStringLiteral("Ansicht speichern"))->click();
        QCOMPARE(f.dialogs().fileDialogs.back().title, QString::fromUtf8("Speichert diese Hüllkurvenansicht..."));
        QCOMPARE(f.dialogs().fileDialogs.back().filters.value(0).text, QStringLiteral("WMF - Enhanced Metafile"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray emf = file.readAll();
        QVERIFY(emf.size() > 88 && emf.mid(40, 4) == QByteArray(" EMF"));
        const QString title = QString::fromUtf8("Hüllkurve");
        QVERIFY(emf.contains(QByteArray(reinterpret_cast<const char*>(title.utf16()), title.size() * 2)));

        dialog->button(QStringLiteral("Daten kopieren"))->click();
        const QStringList rows = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(rows.value(0), QStringLiteral("edge,sample,value"));
        QCOMPARE(rows.size(), qsizetype(1 + env.supports().upper.size() + env.supports().lower.size()));
        QVERIFY(rows.value(1).startsWith(QStringLiteral("upper,")) && rows.last().startsWith(QStringLiteral("lower,")));

        dialog->button(QString::fromUtf8("Punkte löschen und Fenster schließen"))->click();
        QVERIFY(!dialog->isVisible());
        QVERIFY(env.collected().upper.empty() && env.collected().lower.empty());
    }
};

QTEST_MAIN(TestEnvelope)
#include "tst_envelope.moc"
