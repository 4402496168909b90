// The dialogs "Waveformat" and "Soundkarteneinstellungen": the lists in candidate order, "OK"
// only with a selection, the first device entries selected, and the values they hand back.
// Choosing a capture format through "Audioeingang abhören" is checked with the real devices.
#include "gui/audio/SoundCardDlg.h"
#include "gui/audio/WaveFormatDlg.h"

#include <QComboBox>
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

    void soundCardSelectsTheFirstEntriesAndHandsBackTheChoice()
    {
        const std::vector<SoundDeviceInfo> captures = {
            {"", "Primärer Soundaufnahmetreiber"}, {"in1", "Mikrofon"}, {"in2", "Line-In"}};
        const std::vector<SoundDeviceInfo> outputs = {{"", "Primärer Soundtreiber"}, {"out1", "Kopfhörer"}};
        CSoundCardDlg dialog(captures, outputs);
        QCOMPARE(dialog.captureList()->count(), 3);
        QCOMPARE(dialog.captureList()->itemText(1), QStringLiteral("Mikrofon"));
        QCOMPARE(dialog.selectedCapture(), captures[0]);
        QCOMPARE(dialog.selectedOutput(), outputs[0]);
        dialog.captureList()->setCurrentIndex(2);
        dialog.outputList()->setCurrentIndex(1);
        QCOMPARE(dialog.selectedCapture(), captures[2]);
        QCOMPARE(dialog.selectedOutput(), outputs[1]);
        CSoundCardDlg empty({}, {});
        QCOMPARE(empty.selectedCapture(), SoundDeviceInfo{});
        QCOMPARE(empty.selectedOutput(), SoundDeviceInfo{});
    }
};

QTEST_MAIN(TestAudioDialogs)
#include "tst_audio_dialogs.moc"
