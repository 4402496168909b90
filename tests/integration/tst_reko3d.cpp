// The reconstruction window on a real X display (Xvfb, Mesa): the delay trajectory of a sine is
// drawn where the camera projects it, in the rainbow from dark red to near white, on the
// background; "Bkg-Farbe" recolours background and axes; "Punktzahl" follows its rule.
#include "support/AppFixture.h"
#include "support/TestWaves.h"

#include "gui/document/GlobalFlags.h"
#include "gui/nonlinear/D3DRekoFrame.h"
#include "gui/nonlinear/RekoView.h"
#include "gui/render3d/Render3DWidget.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

#include <cmath>
#include <functional>
#include <numbers>

namespace {

// Three quarters of a turn: x(t) = A·sin(2πt/400 + π/4), t = 0 … 500, τ = 100 (a quarter period):
// P = 500 − 200 = 300 points (r·sin φ, r·cos φ, −r·sin φ), r = 2A/32767, φ from π/4 to π/4 + 1.495π.
constexpr double kA = 30000.0;
constexpr double kR = 2.0 * kA / 32767.0;

Vec3 Point(double phi)
{
    return {kR * std::sin(phi), kR * std::cos(phi), -kR * std::sin(phi)};
}

// Where the render window's camera puts p, in pixels.
QPoint Project(CRender3DWidget& w, const Vec3& p)
{
    const Camera3D& c = w.camera();
    const Vec3 ndc = (Camera3D::projection(double(w.width()) / w.height()) * c.view() * c.world()).transformPoint(p);
    return {int(std::lround((ndc.x + 1) / 2 * w.width())), int(std::lround((1 - ndc.y) / 2 * w.height()))};
}

// Some pixel within two of at that passes the test.
bool Near(const QImage& pic, QPoint at, const std::function<bool(QRgb)>& test)
{
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            if (test(pic.pixel(at.x() + dx, at.y() + dy)))
                return true;
    return false;
}

// The picture of the next frame rendered.
QImage NextPicture(CRender3DWidget& w)
{
    const long long before = w.frameCount();
    if (!QTest::qWaitFor([&] { return w.frameCount() > before; }, 5000))
        return {};
    return w.picture();
}

} // namespace

class TestReko3D : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void trajectoryColoursBackgroundAndPunktzahl()
    {
        ResetGlobalFlags();
        FixtureOptions options;
        options.prepare = [](ProfileSettings& p) {
            p.IniRekoTau = 100;
            p.IniRekoNumRekoPoints = 10000;
            p.IniRekobIsPunkte = 0;
            p.IniRekobIsBunt = 1;
            p.IniRekoclrBackBuffer = 0;
        };
        AppFixture f(options);
        std::vector<std::int16_t> sine(501);
        for (std::size_t t = 0; t < sine.size(); ++t)
            sine[t] = std::int16_t(std::lround(kA * std::sin(2 * std::numbers::pi * double(t) / 400 + std::numbers::pi / 4)));
        f.doc().OpenWaveFile(
            testwaves::writeWave(m_dir.filePath(QStringLiteral("s.wav")), 1, 44100, 16, testwaves::bytes16(sine)));
        f.doc().OnSelectionChanged(0, 501);
        f.run(CommandId::ViewReko);
        auto* frame = qobject_cast<CD3DRekoFrame*>(f.doc().moduleFrame(Module::Reko));
        QVERIFY(frame);
        frame->resize(760, 600);
        CRekoView* view = frame->rekoView();
        QCOMPARE(view->windowTitle(), QStringLiteral("Rekonstruktion"));
        QTRY_VERIFY(view->renderWindow() && view->renderWindow()->frameCount() > 0);
        CRender3DWidget& w = *view->renderWindow();
        QVERIFY2(w.ready(), qPrintable(w.failure()));
        w.toggleHelp(); // the key help would cover the upper left
        QImage pic = NextPicture(w);
        QCOMPARE(pic.size(), w.size() * w.devicePixelRatio());

        const auto darkRed = [](QRgb p) { return qRed(p) >= 120 && qRed(p) <= 140 && qGreen(p) < 20 && qBlue(p) < 20; };
        const auto nearWhite = [](QRgb p) { return qRed(p) > 240 && qGreen(p) > 230 && qBlue(p) > 240; };
        const auto black = [](QRgb p) { return (p & 0xffffffu) == 0; };
        const double first = std::numbers::pi / 4, last = first + 2 * std::numbers::pi * 299 / 400;
        QVERIFY(Near(pic, Project(w, Point(first)), darkRed));
        QVERIFY(!Near(pic, Project(w, Point(first)), nearWhite));
        QVERIFY(Near(pic, Project(w, Point(last)), nearWhite));
        QVERIFY(!Near(pic, Project(w, Point(last)), darkRed));
        const auto coloured = [](QRgb p) { return qGreen(p) > 100 && qBlue(p) < 60 && qRed(p) < 200; }; // green part
        QVERIFY(Near(pic, Project(w, Point(first + 2 * std::numbers::pi * 120 / 400)), coloured));
        // Nothing lies on the open quarter of the turn nor in the corner.
        QVERIFY(black(pic.pixel(pic.width() - 4, pic.height() - 4)));
        QVERIFY(!Near(pic, Project(w, Point(first - std::numbers::pi / 4 + 0.3)), [&](QRgb p) { return !black(p); }));
        QCOMPARE(frame->autokMin()->text(), QString::number(f.doc().m_nFirstMinLag));

        // "Bkg-Farbe": clear colour and the axes in its complement.
        f.dialogs().colours.push_back(QColor(0, 0, 96));
        frame->bkgFarbe()->click();
        pic = NextPicture(w);
        QCOMPARE(pic.pixel(pic.width() - 4, pic.height() - 4) & 0xffffffu, 0x000060u);
        QVERIFY(Near(pic, Project(w, {1.5, 0, 0}), [](QRgb p) { return (p & 0xffffffu) == 0xffff9fu; }));
        QVERIFY(Near(pic, Project(w, {0, 0, -1.7}), [](QRgb p) { return (p & 0xffffffu) == 0xffff9fu; }));

        // "Punktzahl" 10 with τ 5 becomes 15: every 34th value, trunc(500/34 − 10) = 4 points.
        frame->tau()->setValue(5);
        frame->punktzahl()->setFocus();
        frame->punktzahl()->selectAll();
        QTest::keyClicks(frame->punktzahl(), QStringLiteral("10"));
        QTest::keyClick(frame->punktzahl(), Qt::Key_Return);
        QCOMPARE(frame->punktzahl()->text(), QStringLiteral("15"));
        QCOMPARE(view->settings().nNumRekoPoints, 15);
        NextPicture(w);
        QCOMPARE(view->CurrentScene().batches.size(), std::size_t{2});
        QCOMPARE(view->CurrentScene().batches[1].vertices.size(), std::size_t{4});
        const QPointer<CD3DRekoFrame> closing(frame);
        f.run(CommandId::ViewReko); // closing stores the parameters
        QTRY_VERIFY(!closing);
        QCOMPARE(f.app().m_Settings.IniRekoNumRekoPoints, 15);
        QCOMPARE(f.app().m_Settings.IniRekoTau, 5);
        QCOMPARE(f.app().m_Settings.IniRekoclrBackBuffer, 96 << 16);
    }
};

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fprintf(stderr, "tst_reko3d needs an X display (run it under xvfb-run)\n");
        return 1;
    }
    QApplication app(argc, argv);
    TestReko3D test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_reko3d.moc"
