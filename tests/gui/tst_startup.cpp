// Start-up and shut-down of the program: main window and waveform window, module windows from
// the profile, the command-line profile, the stored placement.
#include "support/AppFixture.h"

#include "gui/waveform/ResoniOverView.h"
#include "gui/waveform/ResoniView.h"
#include "gui/waveform/SplitterFrame.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSplitter>
#include <QtTest>

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void mainWindowWithTheWaveformWindow()
    {
        AppFixture f;
        QVERIFY(f.started());
        QVERIFY(f.frame().isVisible());
        CSplitterFrame* wave = f.doc().m_pWaveFrame;
        QVERIFY(wave);
        QCOMPARE(wave->splitter()->orientation(), Qt::Vertical);
        QCOMPARE(wave->splitter()->widget(0), static_cast<QWidget*>(wave->overView()));
        QCOMPARE(wave->splitter()->widget(1), static_cast<QWidget*>(wave->waveView()));
        // The waveform window refuses to close.
        wave->close();
        QCoreApplication::processEvents();
        QVERIFY(f.doc().m_pWaveFrame && wave->isVisible());
    }

    void profileWindowsReopenInStartupOrder()
    {
        FixtureOptions o;
        o.prepare = [](ProfileSettings& s) {
            s.IniFensterWavelet = s.IniFensterFFT = s.IniFensterReko = s.IniFensterZeitreihe = 1;
        };
        AppFixture f(o);
        QStringList order;
        for (QMdiSubWindow* w : f.frame().mdiArea()->subWindowList(QMdiArea::CreationOrder)) {
            order << w->windowTitle();
            QVERIFY(w->windowFlags() & Qt::WindowMinMaxButtonsHint); // resizable, min and max boxes
        }
        QCOMPARE(order, (QStringList{"Uebersicht1", "3D Rekonstruktion (Help: Strg+F1)", "Zeitreihe", "FFT", "Wavelet"}));
        QCOMPARE(f.app().m_nProfileKind, 6);
    }

    void commandLineNamesAUserProfile()
    {
        FixtureOptions o;
        o.args = QStringList{QStringLiteral("resoni"), QStringLiteral("Klasse7b")};
        o.beforeStart = [](AppFixture& fx) {
            AppFixture::writeProfile(fx.userDir() + QStringLiteral("/ResoniUserProfil-Klasse7b.ini"),
                                     AppFixture::baseSettings());
        };
        AppFixture f(o);
        QVERIFY(f.started());
        QVERIFY(f.dialogs().dialogTitles.isEmpty()); // no welcome dialog
        QCOMPARE(f.app().m_strProfileFile, QStringLiteral("ResoniUserProfil-Klasse7b.ini"));
    }

    void closingStoresTheMainPlacement()
    {
        AppFixture f;
        f.frame().showNormal();
        f.frame().setGeometry(50, 60, 700, 500);
        QTRY_COMPARE(f.frame().geometry().size(), QSize(700, 500));
        f.frame().action(CommandId::ViewFFT)->trigger();
        f.doc().m_nFFTSize = 512;
        f.frame().action(CommandId::AppExit)->trigger();
        const WindowPlacement& wp = f.app().m_Placements[0];
        QCOMPARE(wp.showCmd, WindowPlacement::kShowNormal);
        QCOMPARE(QSize(wp.right - wp.left, wp.bottom - wp.top), QSize(700, 500));
        QVERIFY(f.app().doc() == nullptr);          // closing ended the document
        QCOMPARE(f.app().m_nDefaultFFTSize, 512);   // which handed its FFT size back
        QVERIFY(f.app().m_Placements[2].right > f.app().m_Placements[2].left); // the FFT window's slot
    }

};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
