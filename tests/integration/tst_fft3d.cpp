// The 3D FFT window on a real X display (Xvfb, Mesa): a selected tone's waterfall is built on
// the worker thread and drawn where it lies; "Gitter" and the data colour change the picture;
// "Save" writes the format of the chosen filter whatever extension was typed.
#include "support/AppFixture.h"
#include "support/TestWaves.h"

#include "gui/document/GlobalFlags.h"
#include "gui/spectral/FFT3DFrame.h"
#include "gui/spectral/FFT3DView.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

// How many pixels of the lower two thirds differ between two pictures (the overlay text is on top).
int Differing(const QImage& a, const QImage& b)
{
    int n = 0;
    for (int y = a.height() / 3; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
    return n;
}

QByteArray Head(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(4) : QByteArray();
}

} // namespace

class TestFFT3D : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void selectedToneIsDrawnAndSaved()
    {
        ResetGlobalFlags();
        AppFixture f;
        f.frame().show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.frame()));
        f.doc().OpenWaveFile(testwaves::writeTone(m_dir.path() + QStringLiteral("/tone.wav"), 2000.0));
        f.doc().ToggleModuleWindow(Module::FFT3D);
        auto* frame = qobject_cast<CFFT3DFrame*>(f.doc().moduleFrame(Module::FFT3D));
        QVERIFY(frame);
        frame->resize(640, 480);
        CFFT3DView* view = frame->fft3DView();
        QTRY_VERIFY(view->renderWindow() && view->renderWindow()->frameCount() > 0);
        QVERIFY2(view->renderWindow()->ready(), qPrintable(view->renderWindow()->failure()));

        f.doc().OnSelectionChanged(0, 44100);
        QTRY_VERIFY_WITH_TIMEOUT(!view->isBuilding(), 20000);
        // One second with N = 1024: the rows fill the mesh, less at most the last one.
        QVERIFY(view->mesh().filledRows() >= view->mesh().rowCapacity() - 1);

        CRender3DWidget* render = view->renderWindow();
        if (render->helpShown())
            render->toggleHelp(); // Strg+F1: the key list off the surface
        const QImage solid = render->picture();
        const QRgb background = solid.pixel(solid.width() - 3, solid.height() - 3);
        QCOMPARE(background & 0xffffffu, 0u); // black, nothing lies in the corner
        const QPoint middle(solid.width() / 2, solid.height() / 2);
        QVERIFY(solid.pixel(middle) != background); // the surface

       
        frame->gitter()->click();
        const QImage wire = render->picture();
        QVERIFY(Differing(solid, wire) > 1000);

        f.dialogs().colours.push_back(QColor(0, 255, 0));
        frame->fest()->click();
        frame->flaechen()->click();
        frame->dataColour()->click();
        const QImage green = render->picture();
        QVERIFY(qGreen(green.pixel(middle)) > 2 * std::max(qRed(green.pixel(middle)), qBlue(green.pixel(middle))));

        const QString bmp = m_dir.path() + QStringLiteral("/a.bmp"), dds = m_dir.path() + QStringLiteral("/b.dds");
        f.dialogs().files = {bmp, dds};
        f.dialogs().filterChoices = {1, 0};
        frame->saveButton()->click();
        frame->saveButton()->click();
        QCOMPARE(f.dialogs().fileDialogs.at(0).title, QStringLiteral("Speichert diese FFT3D Ansicht..."));
        QCOMPARE(Head(bmp), QByteArray("DDS "));
        QCOMPARE(Head(dds).left(2), QByteArray("BM"));

        // Hint 50 resets the camera; while listening every update adds the newest spectrum in front.
        QList<QPushButton*> more; // the ">" buttons: rotation x, y, z, translation x, y, z
        for (QPushButton* b : frame->findChildren<QPushButton*>())
            if (b->text() == QStringLiteral(">"))
                more.push_back(b);
        more.at(2)->click();
        QTRY_COMPARE(render->camera().angleZ(), 3.0);
        g_bListening = true;
        f.doc().m_arSpectrum.assign(513, 0.0);
        f.doc().m_arSpectrum[20] = 30000.0; // 861 Hz
        f.doc().UpdateAllViews(50);
        QCOMPARE(render->camera().angleZ(), 0.0);
        const auto row = view->mesh().row(0);
        QCOMPARE(std::max_element(row.begin(), row.end(), [](auto& a, auto& b) { return a.h < b.h; })->h,
                 float(4 * std::log(30001.0) / std::log(65536.0)));
        g_bListening = false;
    }
};

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fprintf(stderr, "tst_fft3d needs an X display (run it under xvfb-run)\n");
        return 1;
    }
    QApplication app(argc, argv);
    TestFFT3D test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_fft3d.moc"
