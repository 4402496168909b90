// The note image beside the FFT window on a harmonic tone: it draws the FFT view's current peaks
// as notes on the staff, names them against its reference pitch and plays them as queued beeps.
#include "support/AppFixture.h"
#include "support/TestWaves.h"

#include "gui/spectral/FFTFrame.h"
#include "gui/spectral/FFTView.h"
#include "gui/spectral/NotenbildFrame.h"
#include "gui/spectral/NotenbildView.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QtTest>

#include <cmath>
#include <numbers>

using Tones = std::vector<std::pair<double, int>>;

struct ToneRecorder : ITonePlayer
{
    explicit ToneRecorder(Tones& out) : tones(out) {}
    void Play(double hz, int ms) override { tones.emplace_back(hz, ms); }
    Tones& tones;
};

class TestNotenbild : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void showsAndPlaysThePeaksOfTheFFTView()
    {
        Tones tones;
        AppFixture f; // its profile asks for 0 overtones: 3
        f.app().setTonePlayer(std::make_unique<ToneRecorder>(tones));
        f.doc().ToggleModuleWindow(Module::FFT);
        auto* fft = qobject_cast<CFFTFrame*>(f.doc().moduleFrame(Module::FFT));
        fft->resize(1800, 600); // pixel columns fine enough to keep the peaks apart
        fft->peaks()->click();
        f.doc().ToggleModuleWindow(Module::Notenbild);
        auto* frame = qobject_cast<CNotenbildFrame*>(f.doc().moduleFrame(Module::Notenbild));
        CNotenbildView* view = frame->notenbildView();
        frame->modeButton(1)->click(); // the staff
        // 220, 440, 660 and 880 Hz on exact bins of an 8192-point FFT at 40960 samples per second.
        std::vector<std::int16_t> samples(40960);
        for (std::size_t n = 0; n < samples.size(); ++n)
            for (int k = 1; k <= 4; ++k)
                samples[n] += std::int16_t(
                    std::lround(8000.0 / k * std::sin(2 * std::numbers::pi * 220.0 * k * n / 40960)));
        f.doc().OpenWaveFile(
            testwaves::writeWave(m_dir.path() + "/h.wav", 1, 40960, 16, testwaves::bytes16(samples)));
        f.doc().OnSelectionChanged(1000, 1000 + 10000);
        QTRY_COMPARE(view->peaks().size(), std::size_t{4}); // copied when it drew: 3 overtones show

        // A3 on the top line of the bass staff, A4 and E5 in spaces of the treble staff, A5 on the
        // first ledger line above it: dark heads there, white in the other column.
        const QImage image = view->grab().toImage();
        for (const auto& [x, above] : {std::pair{130, 120}, {150, 155}, {150, 175}, {130, 190}}) {
            const int y = view->height() - above + 2;
            QVERIFY2(qGray(image.pixel(x, y)) < 128 && image.pixel(280 - x, y) == qRgb(255, 255, 255),
                     qPrintable(QString::number(above)));
        }

        // The reference pitch set in the bar names the FFT view's peaks too, through the settings.
        for (const auto& [hz, label] : {std::pair{440, "440 Hz a' ±0 ct"}, {415, "440 Hz b' +1 ct"}}) {
            frame->kammerton()->setValue(hz);
            fft->fftView()->grab();
            const std::vector<PlotText> labels = fft->fftView()->model().peakLabels({});
            QVERIFY(f.app().m_Settings.IniNotenbildKammerton == hz && labels.size() == 4 &&
                    std::any_of(labels.begin(), labels.end(), [&](const PlotText& t) { return t.text == label; }));
        }

        // Peaks that change with the FFT view alone, without a document update, reach it too.
        fft->bottomCutHz()->setValue(500);
        QTRY_COMPARE(view->peaks().size(), std::size_t{2});
        QCOMPARE(view->peaks(), f.doc().m_arMaxima);

        frame->playButton()->click();
        fft->bottomCutHz()->setValue(20);
        QTRY_COMPARE(view->peaks().size(), std::size_t{4});
        frame->playButton()->click(); // fewer than 3 peaks played nothing
        QCOMPARE(tones.size(), std::size_t{3});
        for (std::size_t k = 0; k < tones.size(); ++k)
            QVERIFY(tones[k] == std::pair(std::trunc(f.doc().m_arMaxima[k].first), 300) &&
                    std::abs(tones[k].first / (220.0 * double(k + 1)) - 1) < 0.02);
    }
};

QTEST_MAIN(TestNotenbild)
#include "tst_notenbild.moc"
