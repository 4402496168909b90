// The shared 3D frame on a real X display (Xvfb, Mesa): a scene is drawn where it lies, the
// camera turns it by the bar's one-frame buttons, the statistics line describes the frame.
#include "gui/render3d/Render3DWidget.h"

#include <QApplication>
#include <QRegularExpression>
#include <QtTest>

namespace {

constexpr Rgb kBackground{0, 0, 80};

// A red triangle, base at y = −1 (x −1 … 1), apex at (0, 1), in the plane z = 0.
Scene3D TriangleScene()
{
    Batch3D triangle;
    for (const auto& [x, y] : {std::pair{-1.0f, -1.0f}, {1.0f, -1.0f}, {0.0f, 1.0f}}) {
        Vertex3D v;
        v.x = x;
        v.y = y;
        v.argb = 0xffff0000u;
        triangle.vertices.push_back(v);
    }
    return Scene3D{{triangle}, kBackground};
}

bool IsRed(QRgb p)
{
    return qRed(p) > 200 && qGreen(p) < 50 && qBlue(p) < 50;
}

} // namespace

class TestRender3D : public QObject
{
    Q_OBJECT
private slots:
    void sceneIsDrawnWhereItLiesAndTurnsByButtons()
    {
        CRender3DWidget w(0, Camera3D({0, 0, -5}, {0, 0, 0}));
        w.resize(240, 180);
        w.setScene(TriangleScene());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTRY_VERIFY(w.frameCount() > 0);
        QVERIFY2(w.ready(), qPrintable(w.failure()));
        QImage pic = w.picture();
        QCOMPARE(pic.size(), QSize(240, 180));
        QVERIFY(IsRed(pic.pixel(120, 90)));
        QVERIFY(IsRed(pic.pixel(95, 115))); // left, near the base
        QCOMPARE(pic.pixel(230, 175) & 0xffffffu, 0x000050u);
        QVERIFY(QRegularExpression(QStringLiteral("^\\d+\\.\\d\\d fps \\(240x180x\\d+\\)$"))
                    .match(w.statisticsLine()).hasMatch());
        QVERIFY(w.deviceDescription().startsWith(QStringLiteral("Software: ")) ||
                w.deviceDescription().startsWith(QStringLiteral("Hardware: ")));

        // Sixty clicks of the z button (3° each) turn the triangle upside down.
        for (int i = 0; i < 60; ++i) {
            const long long before = w.frameCount();
            w.pressOneFrame(Key3D::N);
            QTRY_VERIFY(w.frameCount() > before);
        }
        QCOMPARE(w.camera().angleZ(), 180.0);
        pic = w.picture();
        QVERIFY(IsRed(pic.pixel(120, 90)));
        QVERIFY(!IsRed(pic.pixel(95, 115))); // now next to the apex
        QVERIFY(IsRed(pic.pixel(95, 65)));   // the base is on top
        w.resetView();
        QCOMPARE(w.camera().angleZ(), 0.0);
    }
};

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fprintf(stderr, "tst_render3d needs an X display (run it under xvfb-run)\n");
        return 1;
    }
    QApplication app(argc, argv);
    TestRender3D test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_render3d.moc"
