// The status bar: its thirteen panes and the texts of the document's notifications.
#include "support/AppFixture.h"

#include "gui/app/StatusTexts.h"
#include "gui/document/GlobalFlags.h"

#include <QLabel>
#include <QStatusBar>
#include <QtTest>

class TestStatusBar : public QObject
{
    Q_OBJECT
private slots:
    void rateText_data()
    {
        QTest::addColumn<int>("hertz");
        QTest::addColumn<QString>("text");
        QTest::newRow("44100") << 44100 << "44 kHz";
        QTest::newRow("11025") << 11025 << "11 kHz";
        QTest::newRow("8000") << 8000 << "8 kHz";
        QTest::newRow("999") << 999 << "0 kHz";
        QTest::newRow("96000") << 96000 << "96 kHz";
        QTest::newRow("0 leaves the pane empty") << 0 << "";
    }
    void rateText()
    {
        QFETCH(int, hertz);
        QFETCH(QString, text);
        QCOMPARE(StatusTexts::rate(hertz), text);
    }

    void otherTexts()
    {
        QCOMPARE(StatusTexts::fftSize(1024), QStringLiteral("FFT Punkte: 1024"));
        QCOMPARE(StatusTexts::fftSize(0), QString());
        QCOMPARE(StatusTexts::bits(16), QStringLiteral("Mono: 16-Bit"));
        QCOMPARE(StatusTexts::bits(8), QStringLiteral("Mono: 8-Bit"));
        QCOMPARE(StatusTexts::bits(0), QString());
        QCOMPARE(StatusTexts::listening(true), QStringLiteral("Abhören läuft..."));
        QCOMPARE(StatusTexts::listening(false), QString());
        QCOMPARE(StatusTexts::recording(true), QStringLiteral("Aufnahme läuft..."));
        QCOMPARE(StatusTexts::recording(false), QString());
    }

    void fileText_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("text");
        QTest::newRow("unix path") << "/home/anna/Musik/geige.wav" << "File: geige.wav";
        QTest::newRow("windows path") << "C:\\Daten\\klavier.wav" << "File: klavier.wav";
        QTest::newRow("mixed, last separator wins") << "a\\b/c.wav" << "File: c.wav";
        QTest::newRow("no separator: whole string") << "Kein File ausgewählt." << "File: Kein File ausgewählt.";
        QTest::newRow("trailing separator") << "/tmp/" << "File: ";
        QTest::newRow("empty") << "" << "File: ";
    }
    void fileText()
    {
        QFETCH(QString, path);
        QFETCH(QString, text);
        QCOMPARE(StatusTexts::file(path), text);
    }

    void panesHaveTheirWidthsAndInitialTexts()
    {
        CResoniApp app; // main window only: no document yet
        auto dialogs = std::make_unique<CScriptedDialogs>();
        app.setDialogs(std::move(dialogs));
        CMainFrame frame(app);
        struct Pane { int index; int width; const char* text; bool border; };
        const Pane panes[] = {
            {1, 200, "Wavefile:", true}, {2, 60, "Bit", true}, {3, 50, "kHz", true}, {4, 10, " ", false},
            {5, 100, "FFT Punkte:", true}, {6, 10, " ", false}, {7, 80, "Abhören läuft ...", true},
            {8, 85, "Aufnahme läuft...", true}, {9, 10, " ", false}, {10, 30, "UF", true},
            {11, 30, "NUM", true}, {12, 30, "RF", true},
        };
        QCOMPARE(frame.paneText(0), QStringLiteral("Bereit"));
        for (const Pane& p : panes) {
            QLabel* l = frame.pane(p.index);
            QCOMPARE(l->text(), QString::fromUtf8(p.text));
            QVERIFY(l->minimumWidth() == p.width && l->width() >= p.width);
            QCOMPARE(l->frameShape() != QFrame::NoFrame, p.border);
        }
    }

    void documentFillsThePanes()
    {
        AppFixture f;
        CResoniDoc& d = f.doc();
        // A new document: its notifications replace the initial texts.
        QCOMPARE(f.frame().paneText(5), QStringLiteral("FFT Punkte: %1").arg(f.app().m_nDefaultFFTSize));
        QCOMPARE(f.frame().paneText(1), QStringLiteral("File: Kein File ausgewählt."));
        QCOMPARE(f.frame().paneText(2), QString());
        QCOMPARE(f.frame().paneText(3), QString());
        QCOMPARE(f.frame().paneText(7), QString());
        QCOMPARE(f.frame().paneText(8), QString());

        d.m_nFFTSize = 4096;
        d.m_strWaveFile = "/musik/flöte.wav";
        d.m_nStatusBits = 8;
        d.m_nSampleRate = 22050;
        g_bListening = true;
        g_bRecording = true;
        d.UpdateStatusBar();
        QCOMPARE(f.frame().paneText(5), QStringLiteral("FFT Punkte: 4096"));
        QCOMPARE(f.frame().paneText(1), QStringLiteral("File: flöte.wav"));
        QCOMPARE(f.frame().paneText(2), QStringLiteral("Mono: 8-Bit"));
        QCOMPARE(f.frame().paneText(3), QStringLiteral("22 kHz"));
        QCOMPARE(f.frame().paneText(7), QStringLiteral("Abhören läuft..."));
        QCOMPARE(f.frame().paneText(8), QStringLiteral("Aufnahme läuft..."));
        g_bListening = false;
        g_bRecording = false;
        d.m_nSampleRate = 0;
        d.UpdateStatusBar();
        QCOMPARE(f.frame().paneText(3), QString());
        QCOMPARE(f.frame().paneText(7), QString());
    }

    void promptShowsWhileACommandIsHighlighted()
    {
        AppFixture f;
        QAction* a = f.frame().action(CommandId::ViewFFT);
        a->showStatusText(&f.frame()); // what highlighting a menu item does
        QCOMPARE(f.frame().paneText(0), QStringLiteral("Blendet ein Fenster der entsprechenden FFT ein."));
        f.frame().statusBar()->clearMessage();
        QCOMPARE(f.frame().paneText(0), QStringLiteral("Bereit"));
    }
};

QTEST_MAIN(TestStatusBar)
#include "tst_statusbar.moc"
