// The wavelet window on a loaded tone: its dialog bar edits the transform request and keeps it
// across closing; a selection's transform (on a worker thread) puts the tone in its row; an
// invalid entry brings the engine's text in a message box and the program and picture go on.
#include "support/AppFixture.h"
#include "support/TestWaves.h"

#include "gui/document/GlobalFlags.h"
#include "gui/wavelet/WaveletComputation.h"
#include "gui/wavelet/WaveletFrame.h"
#include "gui/wavelet/WaveletView.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSpinBox>
#include <QtTest>

#include <cmath>

namespace {

CWaveletFrame* waveletFrame(AppFixture& f)
{
    if (!f.doc().moduleFrame(Module::Wavelet))
        f.doc().ToggleModuleWindow(Module::Wavelet);
    return qobject_cast<CWaveletFrame*>(f.doc().moduleFrame(Module::Wavelet));
}

void typeInto(QLineEdit* field, const QString& text)
{
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
}

// The frequency of the row holding the largest value of column c of the shown picture.
double peakHz(const WaveletPicture& p, long c)
{
    const long n = static_cast<long>(p.values[0]), m = static_cast<long>(p.values[1]);
    long best = 0;
    for (long q = 1; q < n; ++q)
        if (p.values[static_cast<size_t>(2 + q * m + c)] > p.values[static_cast<size_t>(2 + best * m + c)])
            best = q;
    return p.rowFrequencies[static_cast<size_t>(best)];
}

} // namespace

class TestWavelet : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void init() { ResetGlobalFlags(); }

    void dialogBarEditsTheRequestAndReopeningKeepsIt()
    {
        AppFixture f;
        CWaveletFrame* frame = waveletFrame(f);
        const CwtRequest& request = f.doc().m_pCwt->request();
        QCOMPARE(request.wavelet, std::string("haar")); // no stored settings: the defaults
        QVERIFY(frame->parameter()->isHidden());
        frame->waveletList()->setCurrentIndex(6);
        QCOMPARE(frame->waveletList()->currentText(), QStringLiteral("Morlet (complex)"));
        QVERIFY(!frame->parameter()->isHidden() && !frame->parameterLabel()->isHidden());
        QCOMPARE(frame->parameter()->text(), QStringLiteral("2"));
        QCOMPARE(request.wavelet, std::string("morlet,2"));
        QCOMPARE(frame->helpText()->text(), QString::fromUtf8("Morlet-Wavelet mit unabhängig wählbarer Skale\n1 Parameter=Basisskale "));
        frame->waveletList()->setCurrentIndex(0);
        QVERIFY(frame->parameter()->isHidden());
        QCOMPARE(request.wavelet, std::string("haar"));

        frame->waveletList()->setCurrentIndex(7);
        typeInto(frame->parameter(), QStringLiteral("4,6"));
        QCOMPARE(request.wavelet, std::string("bspline,4,6"));
        typeInto(frame->maxFrequency(), QStringLiteral("20.000"));
        QCOMPARE(request.scaleHigh, 1.0f / 20000.0f);
        typeInto(frame->minFrequency(), QStringLiteral("1.500"));
        frame->division()->setCurrentIndex(0);
        frame->rows()->setValue(64);

        f.doc().ToggleModuleWindow(Module::Wavelet); // closed: the settings go to the application
        QCOMPARE(f.app().m_Settings.IniWaveletWavelet, std::string("bspline,4,6"));
        frame = waveletFrame(f);
        QCOMPARE(frame->waveletList()->currentIndex(), 7);
        QCOMPARE(frame->parameter()->text(), QStringLiteral("4,6"));
        QCOMPARE(frame->maxFrequency()->text(), QStringLiteral("20000"));
        QCOMPARE(frame->minFrequency()->text(), QStringLiteral("1500"));
        QCOMPARE(std::tuple(frame->division()->currentIndex(), frame->rows()->value()), std::tuple(0, 64));
    }

    void selectionIsTransformedAndInvalidEntriesAreRefused()
    {
        AppFixture f;
        CWaveletFrame* frame = waveletFrame(f);
        frame->waveletList()->setCurrentIndex(6); // morlet,2
        f.doc().OpenWaveFile(testwaves::writeTone(m_dir.path() + QStringLiteral("/a.wav"), 1000.0));
        QSignalSpy done(f.doc().m_pWaveletComputation.get(), &CWaveletComputation::pictureChanged);
        f.doc().OnSelectionChanged(0, 44100);
        QVERIFY(done.wait(5000));
        const std::vector<float> first = f.doc().m_arWavelet;
        QCOMPARE(first.size(), std::size_t{2 + 100 * 20});
        const WaveletPicture* shown = frame->waveletView()->shownPicture();
        QVERIFY(shown && shown->values == first);
        const double hz = peakHz(*shown, 10);
        QVERIFY2(std::fabs(std::log(hz / 1000.0)) < 0.07, qPrintable(QString::number(hz))); // one grid step

        typeInto(frame->parameter(), QStringLiteral("x"));
        QCOMPARE(f.dialogs().messageTexts().value(0),
                 QStringLiteral("Morlet wavelet accepts only one float argument for frequency, but not <x>"));
        f.doc().OnSelectionChanged(100, 30000); // refused before the engine runs: the picture stays
        QCOMPARE(f.dialogs().messages.size(), std::size_t{2});
        QVERIFY(!f.doc().m_pWaveletComputation->running());
        QCOMPARE(f.doc().m_arWavelet, first);
        typeInto(frame->minFrequency(), QStringLiteral("0"));
        typeInto(frame->parameter(), QStringLiteral("2"));
        QCOMPARE(f.dialogs().messageTexts().value(3), QString::fromUtf8("Die Frequenzen müssen größer als 0 Hz sein."));
        typeInto(frame->minFrequency(), QStringLiteral("30000"));
        QCOMPARE(f.dialogs().messageTexts().value(4),
                 QString::fromUtf8("Die minimale Frequenz darf nicht über der maximalen liegen."));
        QCOMPARE(f.doc().m_arWavelet, first);
        typeInto(frame->minFrequency(), QStringLiteral("100"));
        QVERIFY(done.wait(5000));
        QVERIFY(f.doc().m_arWavelet != first);
        QCOMPARE(f.dialogs().messages.size(), std::size_t{5});
    }

    void lowFrequenciesAtTheBottomAndThePaletteEnds()
    {
        // A real wavelet's order: row 0 is the higher frequency. 255 paints white, 0 black.
        WaveletPicture p{{2, 2, 255, 0, 0, 255}, {1000.0f, 100.0f}, 1.0};
        QImage image(400, 300, QImage::Format_RGB32);
        QPainter painter(&image);
        PaintWaveletView(painter, p, 400, 300);
        painter.end();
        const int left = kWaveletLeft + 40, right = 400 - kWaveletRight - 40;
        const int top = kWaveletTop + 40, bottom = 300 - kWaveletBottom - 40;
        QCOMPARE(image.pixel(left, bottom), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(right, bottom), qRgb(255, 255, 255));
        QCOMPARE(image.pixel(left, top), qRgb(255, 255, 255));
        QCOMPARE(image.pixel(right, top), qRgb(0, 0, 0));
    }
};

QTEST_MAIN(TestWavelet)
#include "tst_wavelet.moc"
