// The program as a desktop program: a file on the command line, dropped on the window or taken
// from the recent list in "&Datei"; the demo sound of the first start; the icon of every window.
#include "support/AppFixture.h"
#include "support/TestWaves.h"

#include "core/audio/DemoSound.h"
#include "gui/app/ToolbarIcons.h"
#include "gui/waveform/ResoniView.h"
#include "gui/waveform/SplitterFrame.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QtTest>

using testwaves::writeTone;

namespace {

QStringList fileMenu(AppFixture& f)
{
    QStringList texts;
    for (QAction* a : f.frame().menuBar()->actions().first()->menu()->actions())
        if (a->isVisible())
            texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return texts.mid(texts.indexOf(QStringLiteral("Drucker&einrichtung...")) + 1);
}

QImage iconImage(const QIcon& icon)
{
    return icon.pixmap(32, 32).toImage();
}

} // namespace

class TestDesktop : public QObject
{
    Q_OBJECT
private slots:
    void commandLineFileBesideTheProfileInEitherOrder()
    {
        QTemporaryDir dir;
        const QString wav = writeTone(dir.filePath(QStringLiteral("klang.wav")), 440);
        for (const QStringList& args :
             {QStringList{"resoni", wav, "fixture"}, QStringList{"resoni", "fixture", wav}}) {
            FixtureOptions o;
            o.args = args;
            AppFixture f(o);
            QVERIFY(f.started() && f.dialogs().dialogTitles.isEmpty());
            QCOMPARE(f.app().m_strProfileFile, QStringLiteral("ResoniUserProfil-fixture.ini"));
            QCOMPARE(f.doc().waveFileName(), wav);
            QCOMPARE(fileMenu(f), (QStringList{"-", "&1 klang.wav", "-", "&Beenden"}));
        }
    }

    void dropOpensTheFirstFile()
    {
        AppFixture f;
        QTemporaryDir dir;
        auto* mime = new QMimeData; // owned by the drop
        mime->setUrls({QUrl::fromLocalFile(writeTone(dir.filePath(QStringLiteral("a.wav")), 440)),
                       QUrl::fromLocalFile(writeTone(dir.filePath(QStringLiteral("b.wav")), 880))});
        const QPoint at = f.frame().mdiArea()->geometry().center();
        QDragEnterEvent enter(at, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&f.frame(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(at, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&f.frame(), &drop);
        QVERIFY(drop.isAccepted());
        QCOMPARE(f.doc().waveFileName(), dir.filePath(QStringLiteral("a.wav")));
        delete mime;
    }

    void recentListKeepsSixNewestFirstAndDropsMissingFiles()
    {
        AppFixture f;
        QTemporaryDir dir;
        for (int i = 1; i <= 7; ++i) // the dialog's files count as well as the others
            f.run(CommandId::FileOpenWave,
                  writeTone(dir.filePath(QStringLiteral("t%1.wav").arg(i)), 200 * i));
        QCOMPARE(fileMenu(f), (QStringList{"-", "&1 t7.wav", "&2 t6.wav", "&3 t5.wav", "&4 t4.wav",
                                           "&5 t3.wav", "&6 t2.wav", "-", "&Beenden"}));
        f.frame().recentFileActions().at(3)->trigger(); // t4 comes to the front
        QCOMPARE(f.doc().waveFileName(), dir.filePath(QStringLiteral("t4.wav")));
        QCOMPARE(fileMenu(f).mid(1, 3), (QStringList{"&1 t4.wav", "&2 t7.wav", "&3 t6.wav"}));

        const QString gone = dir.filePath(QStringLiteral("t6.wav"));
        QFile::remove(gone);
        f.frame().recentFileActions().at(2)->trigger();
        QCOMPARE(f.dialogs().messageTexts(),
                 QStringList{QStringLiteral("Die Datei\n") + gone +
                             QStringLiteral("\nist nicht mehr vorhanden. Sie wird aus der Liste der zuletzt "
                                            "geöffneten Dateien entfernt.")});
        QCOMPARE(fileMenu(f).mid(1, 6),
                 (QStringList{"&1 t4.wav", "&2 t7.wav", "&3 t5.wav", "&4 t3.wav", "&5 t2.wav", "-"}));
        QFile stored(f.userDir() + QStringLiteral("/ResoniZuletztGeoeffnet.txt")); // for the next start
        QVERIFY(stored.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(stored.readAll()).split('\n').at(1),
                 dir.filePath(QStringLiteral("t7.wav")));
    }

    void firstStartOpensTheStandardProfileWithTheDemoSelected()
    {
        FixtureOptions o;
        o.args = QStringList{QStringLiteral("resoni")}; // and no last-used profile yet
        o.beforeStart = [](AppFixture& fx) {
            ProfileSettings s = AppFixture::baseSettings();
            s.IniFensterFFT = 1;
            AppFixture::writeProfile(fx.shippedDir() + QStringLiteral("/ResoniStandardProfil.ini"), s);
            QVERIFY(
                DemoSound::Write((fx.shippedDir() + QStringLiteral("/ResoniDemoKlang.wav")).toStdString()));
        };
        AppFixture f(o);
        QVERIFY(f.started() && f.dialogs().dialogTitles.isEmpty()); // no welcome dialog
        QVERIFY(f.doc().moduleFrame(Module::FFT));
        QCOMPARE(f.doc().waveFileName(), f.shippedDir() + QStringLiteral("/ResoniDemoKlang.wav"));
        // The whole sound is the analysis block, so the FFT window has a spectrum at once.
        QCOMPARE(f.doc().m_arSignal.size(), size_t(3 * 44100));
        QVERIFY(*std::max_element(f.doc().m_arSpectrum.begin(), f.doc().m_arSpectrum.end()) > 100.0);
        QCOMPARE(f.doc().m_pWaveFrame->waveView()->sampleRange().length(), 3 * 44100); // shown whole
    }

    void everyWindowCarriesTheProgramIcon()
    {
        FixtureOptions o;
        o.prepare = [](ProfileSettings& s) { s.IniFensterFFT = s.IniFensterSono = s.IniFensterWavelet = 1; };
        AppFixture f(o);
        const QImage program = iconImage(ToolbarIcons::programIcon());
        QCOMPARE(iconImage(QApplication::windowIcon()), program);
        for (QMdiSubWindow* w : f.frame().mdiArea()->subWindowList())
            QVERIFY2(w->testAttribute(Qt::WA_SetWindowIcon) && iconImage(w->windowIcon()) == program,
                     qPrintable(w->windowTitle()));
    }
};

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
