// The FFT window on a loaded file: a selection's spectrum reaches the view and its peaks the
// document's peak list; the control bar's couplings; "Aktuelle FFT"; the frequency probe.
#include "support/AppFixture.h"
#include "support/HintRecorder.h"
#include "support/TestWaves.h"

#include "gui/document/GlobalFlags.h"
#include "gui/document/UpdateHints.h"
#include "gui/spectral/FFTFrame.h"
#include "gui/spectral/FFTView.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QtTest>

#include <cmath>

namespace {

using testwaves::writeTone;

class ToneRecorder : public ITonePlayer
{
public:
    explicit ToneRecorder(std::vector<std::pair<double, int>>& out) : m_out(out) {}
    void Play(double hz, int ms) override { m_out.emplace_back(hz, ms); }

private:
    std::vector<std::pair<double, int>>& m_out;
};

CFFTFrame* fftFrame(AppFixture& f)
{
    if (!f.doc().moduleFrame(Module::FFT))
        f.doc().ToggleModuleWindow(Module::FFT);
    auto* frame = qobject_cast<CFFTFrame*>(f.doc().moduleFrame(Module::FFT));
    frame->resize(900, 600);
    return frame;
}

} // namespace

class TestFFTView : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void init() { ResetGlobalFlags(); }

    void selectedToneReachesThePeakList()
    {
        AppFixture f;
        CFFTFrame* frame = fftFrame(f);
        // Detected peaks carry the frequency and level refined from their bins, not their pixels'.
        frame->resize(1800, 600);
        f.doc().ToggleModuleWindow(Module::Notenbild);
        f.doc().OpenWaveFile(writeTone(m_dir.path() + QStringLiteral("/a440.wav"), 440.0));
        QVERIFY(g_bWaveLoaded);
        f.doc().OnSelectionChanged(1000, 1000 + 10000); // 10000 samples → N = 8192
        QCOMPARE(f.doc().m_nSelectionFFTSize, 8192);
        QCOMPARE(f.doc().m_arSpectrum.size(), std::size_t{8192 / 2 + 1});
        QCOMPARE(frame->currentFFT()->text(), QStringLiteral("8192"));

        frame->fftView()->grab(); // one repaint
        const auto& peaks = f.doc().m_arMaxima;
        QVERIFY(!peaks.empty());
        const auto strongest = std::max_element(peaks.begin(), peaks.end(),
                                                [](auto& a, auto& b) { return a.second < b.second; });
        QVERIFY2(std::abs(strongest->first - 440.0) < 0.1, qPrintable(QString::number(strongest->first)));
        // A sine of amplitude 16000 lies at 20·log10(8000 / 65536) = −18.27 dBr, between bins too.
        QVERIFY2(std::abs(strongest->second + 18.27) < 0.1, qPrintable(QString::number(strongest->second)));
    }

    void spectrumIsComputedOnlyForTheWindowsThatShowIt()
    {
        AppFixture f;
        f.doc().OpenWaveFile(writeTone(m_dir.path() + QStringLiteral("/b.wav"), 1000.0));
        f.doc().OnSelectionChanged(0, 5000);
        QCOMPARE(f.doc().m_nSelectionFFTSize, 4096);
        QCOMPARE(f.doc().m_arSpectrum.size(), std::size_t{1}); // no FFT, sonogram, note or series window
        fftFrame(f);
        f.doc().OnSelectionChanged(0, 5000);
        QCOMPARE(f.doc().m_arSpectrum.size(), std::size_t{2049});
    }

    void controlBarCouplings()
    {
        AppFixture f;
        CFFTFrame* frame = fftFrame(f);
        const FFTPlotModel& model = frame->fftView()->model();

        frame->bottomCutAmp()->setValue(-40);
        frame->topCutAmp()->setValue(-50); // below the bottom cut: the bottom follows to top − 5
        QCOMPARE(frame->bottomCutAmp()->value(), -55);
        QCOMPARE(model.settings().nBottomCutAmp, -55);

        frame->ampLinear()->click(); // "Lin" puts the top cut at −15 dBr
        QCOMPARE(frame->topCutAmp()->value(), -15);

        frame->delayOn()->setChecked(false);
        frame->delayOn()->click(); // on
        QVERIFY(frame->delay()->isEnabled());
        frame->peaks()->click(); // "ermitteln" switches "Delay" off
        QVERIFY(frame->peaks()->isChecked() && !frame->delayOn()->isChecked() && !frame->delay()->isEnabled());
        frame->delayOn()->click();
        QVERIFY(!frame->peaks()->isChecked());

        frame->curveCheck(1)->click();
        frame->curveCheck(3)->click(); // one choice: Beta replaces Bézier
        QVERIFY(!frame->curveCheck(1)->isChecked() && frame->curveCheck(3)->isChecked());
        QCOMPARE(model.settings().curve, FFTCurveType::Beta);
        frame->curveCheck(3)->click();
        QCOMPARE(model.settings().curve, FFTCurveType::None);
        QVERIFY(!model.settings().bIsSpline);
    }

    void probeAndReadOut()
    {
        std::vector<std::pair<double, int>> tones;
        AppFixture f;
        f.app().setTonePlayer(std::make_unique<ToneRecorder>(tones));
        CFFTFrame* frame = fftFrame(f);
        CFFTView* view = frame->fftView();
        view->grab();
        QTest::mousePress(view, Qt::LeftButton, {}, QPoint(view->width() / 2, 10));
        QCOMPARE(tones.size(), std::size_t{1});
        QCOMPARE(tones[0].second, 50);
        const double expected = view->model().mapping().xToFrequency(view->width() / 2);
        QVERIFY(std::abs(tones[0].first - expected) < 1e-6 * expected);
        QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(view->width() / 2, 10));

        QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(300, 200)); // below the strip: read-out
        QCOMPARE(tones.size(), std::size_t{1});
        QVERIFY(view->crossHair().has_value());
        QVERIFY(view->model().settings().bIsCrossVisible);
    }
};

QTEST_MAIN(TestFFTView)
#include "tst_fftview.moc"
