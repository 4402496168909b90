// The status bar: the texts of the document's notifications and the prompt of a highlighted command.
#include "support/AppFixture.h"

#include "gui/app/StatusTexts.h"
#include "gui/document/GlobalFlags.h"

#include <QStatusBar>
#include <QtTest>

class TestStatusBar : public QObject
{
    Q_OBJECT
private slots:
    void texts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("rate 44100") << StatusTexts::rate(44100) << "44 kHz";
        QTest::newRow("rate 999 truncates") << StatusTexts::rate(999) << "0 kHz";
        QTest::newRow("rate 0 is empty") << StatusTexts::rate(0) << "";
        QTest::newRow("no FFT size") << StatusTexts::fftSize(0) << "";
        QTest::newRow("no bits") << StatusTexts::bits(0) << "";
        QTest::newRow("unix path") << StatusTexts::file("/home/anna/Musik/geige.wav") << "File: geige.wav";
        QTest::newRow("windows path") << StatusTexts::file("C:\\Daten\\klavier.wav") << "File: klavier.wav";
        QTest::newRow("last separator wins") << StatusTexts::file("a\\b/c.wav") << "File: c.wav";
        QTest::newRow("no separator") << StatusTexts::file("Kein File ausgewählt.") << "File: Kein File ausgewählt.";
        QTest::newRow("trailing separator") << StatusTexts::file("/tmp/") << "File: ";
    }
    void texts()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(text, expected);
    }

    void documentFillsThePanes()
    {
        AppFixture f;
        CResoniDoc& d = f.doc();
        QCOMPARE(f.frame().paneText(1), QStringLiteral("File: Kein File ausgewählt."));
        QCOMPARE(f.frame().paneText(2), QString());
        d.m_nFFTSize = 4096;
        d.m_strWaveFile = "/musik/flöte.wav";
        d.m_nStatusBits = 8;
        d.m_nSampleRate = 22050;
        g_bListening = g_bRecording = true;
        d.UpdateStatusBar();
        const std::pair<int, const char*> on[] = {{1, "File: flöte.wav"}, {2, "Mono: 8-Bit"}, {3, "22 kHz"},
                                                  {5, "FFT Punkte: 4096"}, {7, "Abhören läuft..."},
                                                  {8, "Aufnahme läuft..."}};
        for (auto [pane, text] : on)
            QCOMPARE(f.frame().paneText(pane), QString::fromUtf8(text));
        g_bListening = g_bRecording = false;
        d.UpdateStatusBar();
        QCOMPARE(f.frame().paneText(7), QString());
        QCOMPARE(f.frame().paneText(8), QString());
    }

    void promptShowsWhileACommandIsHighlighted()
    {
        AppFixture f;
        f.frame().action(CommandId::ViewFFT)->showStatusText(&f.frame()); // what highlighting does
        QCOMPARE(f.frame().paneText(0), QStringLiteral("Blendet ein Fenster der entsprechenden FFT ein."));
        f.frame().statusBar()->clearMessage();
        QCOMPARE(f.frame().paneText(0), QStringLiteral("Bereit"));
    }
};

QTEST_MAIN(TestStatusBar)
#include "tst_statusbar.moc"
