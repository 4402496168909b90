// The command vocabulary: menu bars, prompts and tooltips, the toolbar and the keys.
#include "support/AppFixture.h"

#include "gui/document/GlobalFlags.h"

#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QtTest>

namespace {

// Menu titles and item texts as shown; "-" stands for a separator.
QStringList menuLayout(const QMenuBar* bar)
{
    QStringList out;
    for (QAction* top : bar->actions()) {
        out << QStringLiteral("[") + top->text() + QStringLiteral("]");
        for (QAction* a : top->menu()->actions())
            out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    }
    return out;
}

QStringList toolbarLayoutShown(const QToolBar* bar)
{
    QStringList out;
    for (QAction* a : bar->actions())
        out << (a->isSeparator() ? QStringLiteral("|") : a->toolTip());
    return out;
}

} // namespace

class TestCommands : public QObject
{
    Q_OBJECT
private slots:
    void menuBarWithoutDocument()
    {
        CResoniApp app;
        app.setDialogs(std::make_unique<CScriptedDialogs>());
        CMainFrame frame(app);
        const QStringList expected = {
            "[&Datei]", "Drucker&einrichtung...", "-", "&Beenden",
            "[&Ansicht]", "&Symbolleiste", "S&tatusleiste",
            "[&?]", "Resoni Hilfe\tF1", "Resoni Hilfeindex", "-", "Inf&o über Resoni...",
        };
        QCOMPARE(menuLayout(frame.menuBar()), expected);
        QCOMPARE(frame.windowTitle(), QStringLiteral("Soundanalyse"));
    }

    void menuBarWithDocument()
    {
        AppFixture f;
        const QStringList expected = {
            "[&Datei]", "&Wavefile öffnen...\tStrg+O", "&Zeitreihe öffnen...\tStrg+Z", "Fenster speichern...\tStrg+S",
            "-", "&Drucken...\tStrg+P", "Sei&tenansicht", "Drucker&einrichtung...", "-", "&Beenden",
            "[&Bearbeiten]", "&Kopieren\tStrg+C", "-", "Alle Captures löschen",
            "[&Ansicht]", "&Symbolleiste", "S&tatusleiste", "-", "&Zeitreihe", "&FFT", "3D FFT", "&Notenbild",
            "Sono&gramm", "&3D Rekonstruktion", "&Zeitreihenanalyse", "&Wavelet",
            "[Da&ten]", "Audioeingang abhören",
            "[&Einstellungen]", "&Profil auswählen", "Profil speichern", "-", "&Soundkarte", "&Waveformat", "&FFT",
            "[&Fenster]", "Über&lappend", "&Nebeneinander", "&Symbole anordnen",
            "[&?]", "Resoni Hilfe\tF1", "Resoni Hilfeindex", "-", "Inf&o über Resoni...",
        };
        QCOMPARE(menuLayout(f.frame().menuBar()), expected);
    }

    void promptsAndTooltips_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("statusTip");
        QTest::addColumn<QString>("toolTip");
        auto row = [](const char* name, CommandId id, const char* status, const char* tip) {
            QTest::newRow(name) << int(id) << QString::fromUtf8(status) << QString::fromUtf8(tip);
        };
        row("open wave", CommandId::FileOpenWave, "Liest eine Wavedatei ein.", "Wave öffnen");
        row("open series", CommandId::FileOpenSeries, "Liest ein zweispaltiges Zeitreihenfile ein.",
            "Zeitreihe öffnen");
        row("save window", CommandId::FileSaveWindow, "Speichert das aktive Fenster in ein Metafile",
            "Speichern als Grafik");
        row("print", CommandId::FilePrint, "Druckt das aktive Dokument.", "Drucken");
        row("preview", CommandId::FilePrintPreview, "Zeigt ganze Seiten an.", "Seitenansicht");
        row("print setup", CommandId::FilePrintSetup, "Ändert den Drucker und die Druckoptionen.",
            "Druckereinrichtung");
        row("exit", CommandId::AppExit, "Verläßt die Anwendung; fragt, ob Dokumente gespeichert werden sollen.",
            "Beenden");
        row("copy", CommandId::EditCopy, "Kopiert die Markierung und überträgt sie in die Zwischenablage.",
            "Kopieren");
        row("clear", CommandId::EditClearCaptures,
            "Alle eingelesenen Informationen löschen. Betrifft: Zeitreihen und Waves", "Arrays löschen");
        row("toolbar", CommandId::ViewToolbar, "Blendet die Symbolleiste ein oder aus.",
            "Symbolleiste ein-/ausschalten");
        row("statusbar", CommandId::ViewStatusBar, "Blendet die Statusleiste ein oder aus.",
            "Statusleiste ein-/ausschalten");
        row("zeitreihe", CommandId::ViewZeitreihe, "Blendet ein Fenster für die Zeitreihendarstellung ein.",
            "Zeitreihe/Autokorrelation");
        row("fft", CommandId::ViewFFT, "Blendet ein Fenster der entsprechenden FFT ein.", "FFT");
        row("3d fft", CommandId::View3DFFT, "Blendet ein Fenster mit einer 3D FFT Darstellung ein.", "3D FFT");
        row("notenbild", CommandId::ViewNotenbild, "Blendet ein Fenster für die Obertonanalyse ein.",
            "Obertöne/Notenbild");
        row("sono", CommandId::ViewSono, "Blendet ein Fenster mit Sonogrammdarstellung ein.", "Sonogramm");
        row("reko", CommandId::ViewReko, "Blendet ein DirectX 3D Rekonstruktionsfenster ein.", "Rekonstruktion");
        row("analyse", CommandId::ViewAnalyse, "Blendet ein Zeitreihenanalysefenster ein.", "Zeitreihenanalyse");
        row("wavelet", CommandId::ViewWavelet, "Blendet ein Fenster mit Waveletdarstellung ein.", "Waveletanalyse");
        row("profile select", CommandId::ProfileSelect, "Vordefiniertes oder benutzerdefiniertes Programmprofil laden",
            "Profil auswählen");
        row("profile save", CommandId::ProfileSave, "Jetzige Konfiguration als benutzerdefiniertes Profil speichern.",
            "Profil speichern");
        row("soundcard", CommandId::SoundCard, "Soundkarteninterfaces auswählen. (WDM-Treiber)", "Soundkarte wählen");
        row("waveformat", CommandId::WaveFormat, "Waveformat für Capturing einstellen.", "Waveformat");
        row("fft settings", CommandId::FFTSettings, "Einstellungen des FFT Fensters vornehmen", "FFT Größe");
        row("cascade", CommandId::WindowCascade, "Ordnet die Fenster überlappend an.", "Überlappende Fenster");
        row("tile", CommandId::WindowTile, "Ordnet die Fenster nebeneinander an.", "Fenster nebeneinander");
        row("arrange", CommandId::WindowArrange, "Ordnet die Symbole im unteren Bereich des Fensters an.",
            "Symbole anordnen");
        row("help", CommandId::HelpFinder, "Zeigt die HTML Hilfe von Resoni an.", "Hilfe");
        row("help index", CommandId::HelpIndex, "Zeigt den Hilfeindex von Resoni an.", "Hilfeindex");
        row("about", CommandId::AppAbout, "Zeigt Programm-Informationen, Versionsnummer und Copyright an.", "Info");
        row("record", CommandId::Record, "Aufnahme in Wavefile starten", "Aufnahme");
        row("record stop", CommandId::RecordStop, "Aufnahme in Wavefile beenden", "Aufnahme Stop");
        row("play", CommandId::PlayWave, "Eingelesenes Wavefile abspielen", "Play Wave");
        row("loop", CommandId::LoopPlay, "Spielt das Wavefile immer wieder von vorne", "Loop Playing");
        row("stop", CommandId::StopPlay, "Abspielen des eingelesenen Wavefiles stoppen", "Stop Playing");
        row("remove", CommandId::RemoveWave, "Entfernt das eingelesene Wavefile aus dem Programm.", "Wave entfernen");
        row("listen (toolbar)", CommandId::ToolListen, "Audioeingang abhören", "Audioeingang");
        row("listen (menu, no prompt)", CommandId::DataListen, "", "Audioeingang abhören");
        row("mixer", CommandId::Mixer, "Blendet den Standard Windows Soundmixer ein.", "Mixer");
    }
    void promptsAndTooltips()
    {
        QFETCH(int, id);
        QFETCH(QString, statusTip);
        QFETCH(QString, toolTip);
        AppFixture f;
        QAction* a = f.frame().action(static_cast<CommandId>(id));
        QVERIFY(a);
        QCOMPARE(a->statusTip(), statusTip);
        QCOMPARE(a->toolTip(), toolTip);
    }

    void toolbarOrder()
    {
        AppFixture f;
        const QStringList expected = {
            "Wave öffnen", "Zeitreihe öffnen", "Speichern als Grafik", "|", "Kopieren", "|", "Drucken", "|",
            "Aufnahme", "Aufnahme Stop", "|", "Play Wave", "Loop Playing", "Stop Playing", "Wave entfernen", "|",
            "FFT Größe", "Waveformat", "Audioeingang", "|", "Mixer", "|", "Zeitreihe/Autokorrelation", "FFT",
            "3D FFT", "Obertöne/Notenbild", "Sonogramm", "Waveletanalyse", "Rekonstruktion", "Zeitreihenanalyse",
            "|", "Hilfe",
        };
        QCOMPARE(toolbarLayoutShown(f.frame().toolBar()), expected);
        QCOMPARE(f.frame().toolBar()->iconSize(), QSize(16, 16));
        for (QAction* a : f.frame().toolBar()->actions())
            QVERIFY2(a->isSeparator() || !a->icon().isNull(), qPrintable(a->toolTip()));
    }

    void accelerators_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("keys");
        QTest::newRow("copy") << int(CommandId::EditCopy) << "Ctrl+C, Ctrl+Ins";
        QTest::newRow("open wave") << int(CommandId::FileOpenWave) << "Ctrl+O";
        QTest::newRow("print") << int(CommandId::FilePrint) << "Ctrl+P";
        QTest::newRow("save") << int(CommandId::FileSaveWindow) << "Ctrl+S";
        QTest::newRow("paste") << int(CommandId::EditPaste) << "Ctrl+V, Shift+Ins";
        QTest::newRow("cut") << int(CommandId::EditCut) << "Ctrl+X, Shift+Del";
        QTest::newRow("undo") << int(CommandId::EditUndo) << "Ctrl+Z, Alt+Backspace";
        QTest::newRow("abort") << int(CommandId::Abort) << "Esc";
        QTest::newRow("help") << int(CommandId::HelpFinder) << "F1";
        QTest::newRow("3d key help") << int(CommandId::KeyHelp3D) << "Ctrl+F1";
        QTest::newRow("3d device") << int(CommandId::Device3D) << "F2";
        QTest::newRow("sono picture") << int(CommandId::SaveSonoPicture) << "F3";
        QTest::newRow("fft picture") << int(CommandId::SaveFFTPicture) << "F4";
        QTest::newRow("reko picture") << int(CommandId::SaveRekoPicture) << "F5";
        QTest::newRow("next pane") << int(CommandId::NextPane) << "F6";
        QTest::newRow("previous pane") << int(CommandId::PrevPane) << "Shift+F6";
        QTest::newRow("sound card") << int(CommandId::SoundCard) << "F10";
        QTest::newRow("wave format") << int(CommandId::WaveFormat) << "F11";
        QTest::newRow("series import has none") << int(CommandId::FileOpenSeries) << "";
    }
    void accelerators()
    {
        QFETCH(int, id);
        QFETCH(QString, keys);
        AppFixture f;
        QStringList shown;
        for (const QKeySequence& k : f.frame().action(static_cast<CommandId>(id))->shortcuts())
            shown << k.toString(QKeySequence::PortableText);
        QCOMPARE(shown.join(QStringLiteral(", ")), keys);
    }

    void escRaisesAbortAndIdleClearsIt()
    {
        AppFixture f;
        f.frame().activateWindow();
        QVERIFY(!g_bAbort.isRaised());
        f.frame().action(CommandId::Abort)->trigger();
        QVERIFY(g_bAbort.isRaised());
        f.app().OnIdle();
        QVERIFY(!g_bAbort.isRaised());
    }

    void ctrlZDoesNotOpenTheSeriesImport()
    {
        AppFixture f;
        QSignalSpy series(f.frame().action(CommandId::FileOpenSeries), &QAction::triggered);
        f.frame().show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.frame()));
        QTest::keyClick(&f.frame(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(series.count(), 0);
        QVERIFY(f.dialogs().fileDialogs.empty());
    }

    void enablingFollowsTheTransportState()
    {
        AppFixture f;
        auto enabled = [&](CommandId id) { return f.frame().action(id)->isEnabled(); };
        f.frame().UpdateCommandUI();
        QVERIFY(!enabled(CommandId::RemoveWave)); // nothing loaded
        g_bWaveLoaded = true;
        f.frame().UpdateCommandUI();
        QVERIFY(enabled(CommandId::RemoveWave));
        QVERIFY(enabled(CommandId::FFTSettings));
        QVERIFY(enabled(CommandId::Mixer));
        f.frame().action(CommandId::RemoveWave)->trigger();
        QVERIFY(!g_bWaveLoaded);
        QVERIFY(!enabled(CommandId::RemoveWave));
    }

    void toolbarAndStatusBarToggle()
    {
        AppFixture f;
        f.frame().show();
        QAction* tb = f.frame().action(CommandId::ViewToolbar);
        QAction* sb = f.frame().action(CommandId::ViewStatusBar);
        f.frame().UpdateCommandUI();
        QVERIFY(tb->isChecked() && sb->isChecked());
        tb->trigger();
        sb->trigger();
        QVERIFY(!f.frame().toolBar()->isVisible());
        QVERIFY(!f.frame().statusBar()->isVisible());
        QVERIFY(!tb->isChecked() && !sb->isChecked());
        tb->trigger();
        QVERIFY(f.frame().toolBar()->isVisible());
    }

    void menuTogglesOpenAndCheckTheModuleWindows()
    {
        AppFixture f;
        QAction* fft = f.frame().action(CommandId::ViewFFT);
        fft->trigger();
        QVERIFY(f.doc().moduleFrame(Module::FFT));
        QVERIFY(fft->isChecked());
        fft->trigger();
        QVERIFY(!f.doc().moduleFrame(Module::FFT));
        QVERIFY(!fft->isChecked());
    }
};

QTEST_MAIN(TestCommands)
#include "tst_commands.moc"
