// The command vocabulary at work: tooltips split from the prompts, keys that reach (or must not
// reach) their commands, the enabling that follows the transport state, and the bar toggles.
#include "support/AppFixture.h"

#include "gui/document/GlobalFlags.h"

#include <QStatusBar>
#include <QToolBar>
#include <QtTest>

class TestCommands : public QObject
{
    Q_OBJECT
private slots:
    void init() { ResetGlobalFlags(); }

    void tooltipsComeFromThePromptOrTheMenuText()
    {
        AppFixture f;
        QAction* open = f.frame().action(CommandId::FileOpenWave);
        QCOMPARE(open->statusTip(), QStringLiteral("Liest eine Wavedatei ein."));
        QCOMPARE(open->toolTip(), QStringLiteral("Wave öffnen"));
        // No prompt: no status text, the menu text without "&" and key label as tooltip.
        QAction* listen = f.frame().action(CommandId::DataListen);
        QCOMPARE(listen->statusTip(), QString());
        QCOMPARE(listen->toolTip(), QStringLiteral("Audioeingang abhören"));
        for (QAction* a : f.frame().toolBar()->actions())
            QVERIFY2(a->isSeparator() || !a->icon().isNull(), qPrintable(a->toolTip()));
    }

    void escRaisesAbortAndIdleClearsIt()
    {
        AppFixture f;
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
        QCOMPARE(f.frame().action(CommandId::FileOpenSeries)->shortcuts().size(), 0);
    }

    void enablingFollowsTheTransportState_data()
    {
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<bool>("playing");
        QTest::addColumn<bool>("listening");
        QTest::addColumn<bool>("recording");
        QTest::addColumn<QString>("enabled"); // P Play/Stop/Remove, L Loop, R Aufnahme, S Aufnahme Stop
        QTest::newRow("nothing") << false << false << false << false << "";
        QTest::newRow("loaded") << true << false << false << false << "PL";
        QTest::newRow("playing: no loop change") << true << true << false << false << "P";
        QTest::newRow("listening") << false << false << true << false << "R";
        QTest::newRow("recording") << false << false << true << true << "S";
    }
    void enablingFollowsTheTransportState()
    {
        QFETCH(bool, loaded);
        QFETCH(bool, playing);
        QFETCH(bool, listening);
        QFETCH(bool, recording);
        QFETCH(QString, enabled);
        AppFixture f;
        g_bWaveLoaded = loaded;
        g_bPlaying = playing;
        g_bListening = listening;
        g_bRecording = recording;
        f.frame().UpdateCommandUI();
        QString shown;
        const std::pair<CommandId, char> commands[] = {
            {CommandId::PlayWave, 'P'}, {CommandId::LoopPlay, 'L'}, {CommandId::Record, 'R'}, {CommandId::RecordStop, 'S'}};
        for (auto [id, letter] : commands)
            if (f.frame().action(id)->isEnabled())
                shown += QLatin1Char(letter);
        QCOMPARE(shown, enabled);
        QCOMPARE(f.frame().action(CommandId::StopPlay)->isEnabled(), loaded);
        QCOMPARE(f.frame().action(CommandId::RemoveWave)->isEnabled(), loaded);
        QCOMPARE(f.frame().action(CommandId::ToolListen)->isChecked(), listening);
        ResetGlobalFlags();
    }

    void toolbarAndStatusBarToggles()
    {
        AppFixture f;
        f.frame().show();
        QAction* tb = f.frame().action(CommandId::ViewToolbar);
        QAction* sb = f.frame().action(CommandId::ViewStatusBar);
        tb->trigger();
        sb->trigger();
        QVERIFY(!f.frame().toolBar()->isVisible() && !f.frame().statusBar()->isVisible());
        QVERIFY(!tb->isChecked() && !sb->isChecked());
        tb->trigger();
        QVERIFY(f.frame().toolBar()->isVisible() && tb->isChecked());
    }
};

QTEST_MAIN(TestCommands)
#include "tst_commands.moc"
