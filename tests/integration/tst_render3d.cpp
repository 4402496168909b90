// The shared 3D frame on a real X display (Xvfb, Mesa): a scene is drawn where it lies, the
// camera turns it by the bar's one-frame buttons, the statistics line describes the frame, F2
// rebuilds the render window only on "OK"; and, run once more without OpenGL on the display
// (QT_XCB_GL_INTEGRATION=none), both 3D windows report it and close.
#include "support/AppFixture.h"

#include "gui/app/ModuleChildFrame.h"
#include "gui/render3d/DeviceSettingsDlg.h"
#include "gui/render3d/Render3DTexts.h"
#include "gui/render3d/Render3DWidget.h"
#include "gui/render3d/ThreeDView.h"

#include "support/TestWaves.h"

#include <QComboBox>
#include <QProcess>

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

    void deviceDialogRebuildsOnlyOnOk()
    {
        if (qEnvironmentVariable("QT_XCB_GL_INTEGRATION") == QLatin1String("none"))
            QSKIP("the display offers no OpenGL in this run");
        AppFixture f;
        f.doc().ToggleModuleWindow(Module::Reko);
        auto* view = qobject_cast<C3DView*>(f.doc().moduleFrame(Module::Reko)->view());
        QVERIFY(view);
        QTRY_VERIFY(view->renderWindow() && view->renderWindow()->frameCount() > 0);
        QPointer<CRender3DWidget> first = view->renderWindow();
        f.dialogs().dialogActions.push_back([](QDialog&) { return int(QDialog::Rejected); });
        QTest::keyClick(first, Qt::Key_F2);
        QCOMPARE(f.dialogs().dialogTitles, QStringList{QStringLiteral("Einstellungen der Grafikkarte")});
        QCOMPARE(view->renderWindow(), first.data()); // "Abbrechen" keeps the device
        QStringList choices;
        f.dialogs().dialogActions.push_back([&choices](QDialog& d) {
            QComboBox* list = static_cast<CDeviceSettingsDlg&>(d).multisampleList();
            for (int i = 0; i < list->count(); ++i)
                choices << list->itemText(i);
            list->setCurrentIndex(list->count() - 1);
            return int(QDialog::Accepted);
        });
        view->ShowDeviceDialog();
        QCOMPARE(choices.value(0), QStringLiteral("none"));
        QVERIFY(first.isNull());
        QTRY_VERIFY(view->renderWindow() && view->renderWindow()->frameCount() > 0);
        const int chosen = choices.size() > 1 ? choices.last().section(QLatin1Char(' '), 0, 0).toInt() : 0;
        QVERIFY2(chosen > 1, qPrintable(choices.join(QStringLiteral(", "))));
        QCOMPARE(view->renderWindow()->deviceInfo().samples, chosen);
        QVERIFY(view->renderWindow()->deviceDescription().endsWith(QStringLiteral(" (%1x Multisample)").arg(chosen)));
        QCOMPARE(view->samples(), chosen);
        QVERIFY(f.dialogs().messages.empty());
    }

    // resoni-render draws both 3D views through the windows' scenes: something where the data
    // lies, the background in the corners; a selection giving one row is refused in one line.
    void renderToolDrawsBothViews()
    {
        if (qEnvironmentVariable("QT_XCB_GL_INTEGRATION") == QLatin1String("none"))
            QSKIP("the display offers no OpenGL in this run");
        QTemporaryDir dir;
        const QString wav = testwaves::writeTone(dir.filePath(QStringLiteral("t.wav")), 1000, 16, 44100);
        const auto render = [&](const QStringList& args, QString* err = nullptr) {
            QProcess p;
            p.start(QStringLiteral(RESONI_RENDER_PATH), args);
            p.waitForFinished(60000);
            if (err)
                *err = QString::fromUtf8(p.readAllStandardError());
            return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        };
        for (const QString& view : {QStringLiteral("waterfall"), QStringLiteral("reconstruction")}) {
            const QString png = dir.filePath(view + QStringLiteral(".png"));
            QCOMPARE(render({view, wav, QStringLiteral("--from"), QStringLiteral("0"), QStringLiteral("--to"),
                             QStringLiteral("24000"), QStringLiteral("--out"), png, QStringLiteral("--width"),
                             QStringLiteral("400"), QStringLiteral("--height"), QStringLiteral("300")}),
                     0);
            const QImage pic(png);
            QCOMPARE(pic.size(), QSize(400, 300));
            int lit = 0; // neither the black background nor the white axes
            for (int y = 0; y < pic.height(); ++y)
                for (int x = 0; x < pic.width(); ++x)
                    lit += (pic.pixel(x, y) & 0xffffffu) != 0 && (pic.pixel(x, y) & 0xffffffu) != 0xffffffu;
            QVERIFY2(lit > (view == QLatin1String("waterfall") ? 5000 : 200),
                     qPrintable(view + QStringLiteral(": %1 pixels drawn").arg(lit)));
            QCOMPARE(pic.pixel(2, 2) & 0xffffffu, 0u);
        }
        QString err;
        QCOMPARE(render({QStringLiteral("waterfall"), wav, QStringLiteral("--to"), QStringLiteral("16500"),
                         QStringLiteral("--out"), dir.filePath(QStringLiteral("x.png"))},
                        &err),
                 1);
        QVERIFY2(err.contains(QStringLiteral("gives one row only")) && err.count(QLatin1Char('\n')) == 1,
                 qPrintable(err));
    }

    void withoutOpenGLBothWindowsCloseWithTheMessage()
    {
        if (qEnvironmentVariable("QT_XCB_GL_INTEGRATION") != QLatin1String("none"))
            QSKIP("runs as integration_tst_render3d_nogl, on a display without OpenGL");
        AppFixture f;
        f.doc().ToggleModuleWindow(Module::FFT3D);
        f.doc().ToggleModuleWindow(Module::Reko);
        // The windows go when the program next becomes idle (a test's waiting never blocks).
        const auto closed = [&f] {
            f.app().OnIdle();
            return !f.doc().moduleFrame(Module::FFT3D) && !f.doc().moduleFrame(Module::Reko);
        };
        QTRY_VERIFY(closed());
        QCOMPARE(f.dialogs().messageTexts(), (QStringList{QString::fromUtf8(Render3DText::kNoOpenGL),
                                                          QString::fromUtf8(Render3DText::kDisable3D)}));
        QCOMPARE(f.app().moduleOpenFlag(Module::FFT3D), 0);
        QCOMPARE(f.app().moduleOpenFlag(Module::Reko), 0);
        // Asked again, the window tries again and says the same.
        f.doc().ToggleModuleWindow(Module::Reko);
        QTRY_VERIFY(closed());
        QCOMPARE(f.dialogs().messages.size(), std::size_t{4});
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
