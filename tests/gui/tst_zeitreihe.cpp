// The time-series window on a loaded file: the performance question and its kept answer, and the
// rescaling message of the mutual information of a constant series.
#include "support/AppFixture.h"
#include "support/TestWaves.h"

#include "gui/document/GlobalFlags.h"
#include "gui/nonlinear/ZeitreiheFrame.h"
#include "gui/nonlinear/ZeitreiheView.h"

#include <QRadioButton>
#include <QSpinBox>
#include <QtTest>

namespace {

CZeitreiheFrame* openWindow(AppFixture& f)
{
    f.doc().ToggleModuleWindow(Module::Zeitreihe);
    return qobject_cast<CZeitreiheFrame*>(f.doc().moduleFrame(Module::Zeitreihe));
}

const QString kQuestion = QString::fromUtf8(
    "Die Anzahl von 30000 Datenpunkten beeinträchtigt bei der gewählten Einstellung von 1 Pixel pro Messpunkten "
    "die Leistung, wollen Sie die Darstellung vereinfachen ?");

} // namespace

class TestZeitreihe : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void init() { ResetGlobalFlags(); }

    void performanceQuestion()
    {
        const QString tone = testwaves::writeTone(m_dir.filePath(QStringLiteral("a.wav")), 440.0);
        for (const IUiDialogs::Answer answer : {IUiDialogs::Answer::Yes, IUiDialogs::Answer::No}) {
            AppFixture f;
            f.doc().OpenWaveFile(tone);
            CZeitreiheFrame* frame = openWindow(f);
            CZeitreiheView* view = frame->zeitreiheView();
            f.dialogs().answers.push_back(answer);
            f.doc().OnSelectionChanged(0, 30000);
            QCOMPARE(f.dialogs().messageTexts(), QStringList{kQuestion});
            QCOMPARE(f.dialogs().messages[0].buttons, IUiDialogs::Buttons::YesNo);
            if (answer == IUiDialogs::Answer::Yes) {
                QCOMPARE(view->pixelsPerPoint(), 5000.0 / 30000.0);
                QCOMPARE(frame->zoom()->value(), -6);
                QCOMPARE(view->scrollExtent(), 5000);
                continue;
            }
            // No: the zoom stays; a new selection, the autocorrelation and a new zoom never ask again.
            QCOMPARE(view->pixelsPerPoint(), 1.0);
            f.doc().OnSelectionChanged(0, 40000);
            frame->modeButton(1)->click();
            frame->zoom()->setValue(3);
            frame->modeButton(0)->click();
            QCOMPARE(view->pixelsPerPoint(), 3.0);
            QCOMPARE(view->scrollExtent(), 120000);
            QCOMPARE(f.dialogs().messages.size(), std::size_t{1});
        }
    }

    void constantSeriesInMutualInformation()
    {
        AppFixture f;
        const std::vector<std::int16_t> constant(1000, 1234);
        f.doc().OpenWaveFile(testwaves::writeWave(m_dir.filePath(QStringLiteral("c.wav")), 1, 44100, 16,
                                                  testwaves::bytes16(constant)));
        CZeitreiheFrame* frame = openWindow(f);
        frame->modeButton(2)->click();
        f.doc().OnSelectionChanged(0, 1000);
        QCOMPARE(f.dialogs().messageTexts(),
                 QStringList{QStringLiteral("rescale_data: data ranges = Null. It makes\n\t\tno sense to continue. \n\n")});
        QVERIFY(frame->zeitreiheView()->currentPlot().labels.empty());
    }
};

QTEST_MAIN(TestZeitreihe)
#include "tst_zeitreihe.moc"
