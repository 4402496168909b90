// The reconstruction window under Xvfb: a sine's trajectory where the camera puts it, dark red to
// near white; "Bkg-Farbe" recolours background and axes; "Punktzahl" 10 with τ 5 becomes 15.
#include "support/AppFixture.h"
#include "support/TestWaves.h"

#include "gui/nonlinear/D3DRekoFrame.h"
#include "gui/nonlinear/RekoView.h"
#include "gui/render3d/Render3DWidget.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

#include <cmath>
#include <numbers>

namespace {

// x(t) = A·sin(2πt/400 + π/4), t = 0 … 500, τ = 100: 300 points (r·sin φ, r·cos φ, −r·sin φ), r = 2A/32767.
constexpr double kA = 30000.0, kPi = std::numbers::pi;

// Whether a pixel within two of where the camera projects p passes test.
template <typename T> bool NearPoint(CRender3DWidget& w, const QImage& pic, Vec3 p, T test)
{
    const Camera3D& c = w.camera();
    const double W = w.width(), H = w.height();
    const Vec3 q = (Camera3D::projection(W / H) * c.view() * c.world()).transformPoint(p);
    const int x = int(std::lround((q.x + 1) / 2 * W)), y = int(std::lround((1 - q.y) / 2 * H));
    for (int d = 0; d < 25; ++d)
        if (test(pic.pixel(x + d % 5 - 2, y + d / 5 - 2)))
            return true;
    return false;
}
Vec3 OnTurn(double phi, double r = 2 * kA / 32767)
{
    return {r * std::sin(phi), r * std::cos(phi), -r * std::sin(phi)};
}
QImage NextPicture(CRender3DWidget& w)
{
    const long long before = w.frameCount();
    return QTest::qWaitFor([&] { return w.frameCount() > before; }, 5000) ? w.picture() : QImage();
}

} // namespace

class TestReko3D : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void trajectoryColoursBackgroundAndPunktzahl()
    {
        FixtureOptions options;
        options.prepare = [](ProfileSettings& p) {
            p.IniRekoTau = 100, p.IniRekoNumRekoPoints = 10000, p.IniRekobIsPunkte = 0, p.IniRekobIsBunt = 1;
        };
        AppFixture f(options);
        std::vector<std::int16_t> sine(501);
        for (std::size_t t = 0; t < sine.size(); ++t)
            sine[t] = std::int16_t(std::lround(kA * std::sin(2 * kPi * double(t) / 400 + kPi / 4)));
        const QString wav =
            testwaves::writeWave(m_dir.filePath("s.wav"), 1, 44100, 16, testwaves::bytes16(sine));
        f.doc().OpenWaveFile(wav);
        f.doc().OnSelectionChanged(0, 501);
        f.run(CommandId::ViewReko);
        auto* frame = qobject_cast<CD3DRekoFrame*>(f.doc().moduleFrame(Module::Reko));
        QTRY_VERIFY(frame->rekoView()->renderWindow() && frame->rekoView()->renderWindow()->frameCount() > 0);
        CRender3DWidget& w = *frame->rekoView()->renderWindow();
        w.toggleHelp(); // the key help would cover the upper left
        QImage pic = NextPicture(w);

        const auto darkRed = [](QRgb p) {
            return qRed(p) > 120 && qRed(p) < 140 && qGreen(p) + qBlue(p) < 30;
        };
        const auto nearWhite = [](QRgb p) { return qRed(p) > 240 && qGreen(p) > 230 && qBlue(p) > 240; };
        const double first = kPi / 4, last = first + 2 * kPi * 299 / 400;
        QVERIFY(NearPoint(w, pic, OnTurn(first), darkRed) && !NearPoint(w, pic, OnTurn(first), nearWhite));
        QVERIFY(NearPoint(w, pic, OnTurn(last), nearWhite) && !NearPoint(w, pic, OnTurn(last), darkRed));
        QVERIFY(!NearPoint(w, pic, OnTurn(0.3), [](QRgb p) { return (p & 0xffffffu) != 0; })); // open quarter

        f.dialogs().colours.push_back(QColor(0, 0, 96));
        frame->bkgFarbe()->click();
        pic = NextPicture(w);
        QCOMPARE(pic.pixel(pic.width() - 4, pic.height() - 4) & 0xffffffu, 0x000060u);
        const auto complement = [](QRgb p) { return (p & 0xffffffu) == 0xffff9fu; };
        QVERIFY(NearPoint(w, pic, {1.5, 0, 0}, complement) && NearPoint(w, pic, {0, 0, -1.7}, complement));

        frame->tau()->setValue(5);
        frame->punktzahl()->selectAll();
        QTest::keyClicks(frame->punktzahl(), QStringLiteral("10"));
        QTest::keyClick(frame->punktzahl(), Qt::Key_Return);
        QCOMPARE(frame->punktzahl()->text(), QStringLiteral("15"));
        QCOMPARE(frame->rekoView()->CurrentScene().batches.at(1).vertices.size(), 4u);
    }
};

// Needs an X display: run it under xvfb-run.
QTEST_MAIN(TestReko3D)

#include "tst_reko3d.moc"
