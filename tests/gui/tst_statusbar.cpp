// The status bar: the texts of the document's notifications in the cases the commands do not
// reach, and the prompt of a highlighted command. What the panes show after loading, removing,
// listening and recording is checked where those commands run.
#include "support/AppFixture.h"

#include "gui/app/StatusTexts.h"

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
        QTest::newRow("rate 999 truncates") << StatusTexts::rate(999) << "0 kHz";
        QTest::newRow("no FFT size") << StatusTexts::fftSize(0) << "";
        QTest::newRow("windows path") << StatusTexts::file("C:\\Daten\\klavier.wav") << "File: klavier.wav";
        QTest::newRow("last separator wins") << StatusTexts::file("a\\b/c.wav") << "File: c.wav";
        QTest::newRow("trailing separator") << StatusTexts::file("/tmp/") << "File: ";
    }
    void texts()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(text, expected);
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
