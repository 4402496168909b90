// The dialog "Waveformat": the list in candidate order, "OK" only with a selection, and the
// candidate it hands back.
// Choosing a capture format through "Audioeingang abhören" is checked with the real devices.
#include "gui/audio/WaveFormatDlg.h"

#include <QListWidget>
#include <QPushButton>
#include <QtTest>

class TestAudioDialogs : public QObject
{
    Q_OBJECT
private slots:
    void waveFormatListsTheAcceptedCandidates()
    {
        CandidateSupport some{};
        for (int i : {1, 9, 12, 19})
            some[static_cast<std::size_t>(i)] = true;
        CWaveFormatDlg dialog(some);
        QStringList rows;
        for (int i = 0; i < dialog.formatList()->count(); ++i)
            rows << dialog.formatList()->item(i)->text();
        QCOMPARE(rows, (QStringList{"8000 Hz, 16-bit Mono", "44100 Hz, 16-bit Mono", "64000 Hz, 8-bit Mono",
                                    "192000 Hz, 16-bit Mono"}));
        QVERIFY(!dialog.okButton()->isEnabled());
        dialog.accept(); // "OK" cannot close the dialog without a selection
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        dialog.formatList()->item(2)->setSelected(true);
        QVERIFY(dialog.okButton()->isEnabled());
        QCOMPARE(dialog.selectedFormat(), 12); // the entry carries its candidate number
        dialog.formatList()->clearSelection();
        QVERIFY(!dialog.okButton()->isEnabled());
        QCOMPARE(dialog.selectedFormat(), -1);
    }

};

QTEST_MAIN(TestAudioDialogs)
#include "tst_audio_dialogs.moc"
