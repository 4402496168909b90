// The analysis window: the bar's corrections, "Berechnen" on short and long series, a run on
// the worker thread giving resoni-analyze's numbers, the kept results across mode switches and
// "Abbruch" within one checkpoint.
#include "support/AppFixture.h"

#include "../core/NonlinearTestSeries.h"

#include "core/nonlinear/NonlinearReport.h"
#include "gui/document/GlobalFlags.h"
#include "gui/nonlinear/AnalyseFrame.h"
#include "gui/nonlinear/AnalyseView.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QtTest>

#include <sstream>

namespace {

FixtureOptions AnalyseProfile()
{
    FixtureOptions o;
    o.prepare = [](ProfileSettings& s) {
        s.IniAnalyseWhatIs = 1;
        s.IniAnalyseNumPointsLyaMax = 100000;
        s.IniAnalyseIterLyaMax = 20;
        s.IniAnalyseNumberOfLyaMax = 2;
        s.IniAnalyseTauLyaMax = 1;
        s.IniAnalyseRadiusMinLyaMax = 0.001;
        s.IniAnalyseRadiusMaxLyaMax = 0.01;
        s.IniAnalyseMinDimDoneMaxLya = 2;
        s.IniAnalyseMaxDimDoneMaxLya = 3;
        s.IniAnalyseDimKorr = 2;
        s.IniAnalyseNumPointsKorr = 100000;
        s.IniAnalyseNumberOfKorr = 50;
        s.IniAnalyseTauKorr = 1;
        s.IniAnalyseRadiusMinKorr = 0.001;
        s.IniAnalyseRadiusMaxKorr = 1.0;
        s.IniAnalyseMaxDimKorr = 4;
        s.IniAnalyseIterKorr = 500;
        s.IniAnalyseDimLya = 2;
        s.IniAnalyseTauLya = 1;
        s.IniAnalyseNumberOfLya = 30;
        s.IniAnalyseIterLya = 100000;
        s.IniAnalyseNumPointsLya = 100000;
        s.IniAnalyseMaxDimLya = 2;
        s.IniAnalyseRadiusMinLya = 0.001;
    };
    return o;
}

CAnalyseFrame* analyseFrame(AppFixture& f)
{
    f.doc().ToggleModuleWindow(Module::Analyse);
    auto* frame = qobject_cast<CAnalyseFrame*>(f.doc().moduleFrame(Module::Analyse));
    frame->resize(900, 600);
    return frame;
}

void type(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

std::string titleOf(const std::optional<AnalysePicture>& picture)
{
    return picture && !picture->labels.empty() ? picture->labels.front().text : std::string();
}

} // namespace

class TestAnalyse : public QObject
{
    Q_OBJECT

private slots:
    void init() { ResetGlobalFlags(); }

    void shortSeriesAndCorrections()
    {
        AppFixture f(AnalyseProfile());
        CAnalyseFrame* frame = analyseFrame(f);
        CAnalyseView* view = frame->analyseView();
        f.doc().m_arSignal = henonSeries(49);
        frame->calculate()->click();
        QVERIFY(view->showsTooShortText());
        QCOMPARE(view->runsStarted(), 0);

        f.doc().m_arSignal = henonSeries(50);
        QSignalSpy finished(view, &CAnalyseView::runFinished);
        frame->calculate()->click();
        QVERIFY(!view->showsTooShortText());
        QCOMPARE(view->runsStarted(), 1);
        QVERIFY(finished.wait(30000));

        frame->SetSelectionLength(1000);
        QCOMPARE(frame->pointsEdit()->text(), QStringLiteral("1000"));
        QCOMPARE(frame->pointsSlider()->maximum(), 1000);
        type(frame->minDimEdit(), QStringLiteral("1"));
        QCOMPARE(frame->minDimEdit()->text(), QStringLiteral("2"));
        // Corrected once the number is typed: the "9" of "900" alone would lower them to 9.
        type(frame->iterationsEdit(), QStringLiteral("500"));
        type(frame->pointsEdit(), QStringLiteral("900"));
        QCOMPARE(frame->iterationsEdit()->text(), QStringLiteral("500"));
        frame->mode(2)->click();
        QCOMPARE(frame->iterationsLabel()->text(), QStringLiteral("Anzahl Paare"));
        QVERIFY(frame->minDimEdit()->isHidden());
        type(frame->radiiEdit(), QStringLiteral("400"));
        QCOMPARE(frame->radiiEdit()->text(), QStringLiteral("300"));
        QCOMPARE(frame->radiiSlider()->maximum(), 300);
    }

    void henonRunMatchesTheCommandLineAndModesKeepTheirPlots()
    {
        AppFixture f(AnalyseProfile());
        CAnalyseFrame* frame = analyseFrame(f);
        CAnalyseView* view = frame->analyseView();
        const std::vector<double> series = henonSeries(1500);
        f.doc().m_arSignal = series;
        QSignalSpy finished(view, &CAnalyseView::runFinished);
        frame->calculate()->click();
        QVERIFY(finished.wait(60000));
        QVERIFY(view->isValid(kAnalyseMaxExponent));

        LyapMaxOptions o;
        o.steps = 20;
        o.minDimension = 2;
        o.maxDimension = 3;
        o.radii = 2;
        o.references = 20; // the window takes the steps as its reference count
        AbortToken abort;
        std::ostringstream cli, window;
        QVERIFY(reportMaxExponent(series, o, ReportFormat::Csv, cli, abort, {}) == ReportStatus::Completed);
        writeMaxExponent(view->result(kAnalyseMaxExponent).maxExponent, ReportFormat::Csv, window);
        QCOMPARE(window.str(), cli.str());
        QVERIFY(cli.str().size() > 100);
        QVERIFY(view->CopyData()); // "Daten kopieren"
        QCOMPARE(QGuiApplication::clipboard()->text().toStdString(), cli.str());

        frame->mode(2)->click();
        frame->calculate()->click();
        QVERIFY(finished.wait(60000));
        QCOMPARE(titleOf(view->currentPicture()), std::string("Korrelationsdimension"));
        frame->mode(1)->click();
        QCOMPARE(titleOf(view->currentPicture()), std::string("Maximaler Lyapunovexponent"));
        frame->mode(2)->click();
        QCOMPARE(titleOf(view->currentPicture()), std::string("Korrelationsdimension"));
        QCOMPARE(view->runsStarted(), 2);
    }

    void abortEndsWithinOneCheckpoint()
    {
        AppFixture f(AnalyseProfile());
        CAnalyseFrame* frame = analyseFrame(f);
        CAnalyseView* view = frame->analyseView();
        f.doc().m_arSignal = henonSeries(60000);
        frame->mode(0)->click();
        frame->SetSelectionLength(60000);
        f.dialogs().answers.push_back(IUiDialogs::Answer::No); // keep all iterations
        QSignalSpy finished(view, &CAnalyseView::runFinished);
        frame->calculate()->click();
        QVERIFY(f.dialogs().messageTexts().value(0).startsWith(
            QString::fromUtf8("Bei der gewählten Anzahl von 60000 Iterationen")));
        QTest::qWait(300);
        QVERIFY(view->isComputing());
        f.run(CommandId::Abort); // Esc
        QVERIFY(finished.wait(30000));
        QCOMPARE(view->checkpointsAfterAbort(), 1);
        const SpectrumResult& r = view->result(kAnalyseSpectrum).spectrum;
        QVERIFY(!r.completed);
        QVERIFY(r.rowCount < 59000);
        QVERIFY(!view->isValid(kAnalyseSpectrum)); // it was not valid before the run
        QVERIFY(!g_bAbort.isRaised());
    }
};

QTEST_MAIN(TestAnalyse)
#include "tst_analyse.moc"
