// The dialogs "Waveformat" and "Soundkarteneinstellungen": every text, the list contents in
// candidate order, "OK" enabled only with a selection, the first device entries selected, and
// the values they hand back, also when run through the program's dialogs interface.
#include "support/ScriptedDialogs.h"

#include "gui/audio/SoundCardDlg.h"
#include "gui/audio/WaveFormatDlg.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

namespace {

QStringList Labels(const QDialog& dialog)
{
    QStringList texts;
    for (const QLabel* l : dialog.findChildren<QLabel*>())
        texts << l->text();
    return texts;
}

QStringList Buttons(const QDialog& dialog)
{
    QStringList texts;
    for (const QPushButton* b : dialog.findChildren<QPushButton*>())
        texts << b->text();
    return texts;
}

QStringList Rows(const QListWidget& list)
{
    QStringList rows;
    for (int i = 0; i < list.count(); ++i)
        rows << list.item(i)->text();
    return rows;
}

CandidateSupport Only(std::initializer_list<int> accepted)
{
    CandidateSupport s{};
    for (int i : accepted)
        s[static_cast<std::size_t>(i)] = true;
    return s;
}

} // namespace

class TestAudioDialogs : public QObject
{
    Q_OBJECT
private slots:
    void waveFormatTexts()
    {
        CandidateSupport all;
        all.fill(true);
        CWaveFormatDlg dialog(all);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Waveformat"));
        QCOMPARE(Labels(dialog), QStringList{QStringLiteral("Samplingrate und Auflösung:")});
        QCOMPARE(Buttons(dialog), (QStringList{QStringLiteral("OK"), QStringLiteral("Abbrechen")}));
        const QStringList rows = Rows(*dialog.formatList());
        QCOMPARE(rows.size(), 20);
        QCOMPARE(rows.front(), QStringLiteral("8000 Hz, 8-bit Mono"));
        QCOMPARE(rows.back(), QStringLiteral("192000 Hz, 16-bit Mono"));
        QCOMPARE(rows[8], QStringLiteral("44100 Hz, 8-bit Mono"));
        QCOMPARE(rows[9], QStringLiteral("44100 Hz, 16-bit Mono"));
        QCOMPARE(rows[2], QStringLiteral("11025 Hz, 8-bit Mono"));
    }

    void waveFormatOkFollowsTheSelection()
    {
        CWaveFormatDlg dialog(Only({1, 9, 12, 19}));
        QCOMPARE(Rows(*dialog.formatList()),
                 (QStringList{"8000 Hz, 16-bit Mono", "44100 Hz, 16-bit Mono", "64000 Hz, 8-bit Mono",
                              "192000 Hz, 16-bit Mono"}));
        QVERIFY(!dialog.okButton()->isEnabled());
        QCOMPARE(dialog.selectedFormat(), -1);
        dialog.accept(); // "OK" cannot close the dialog without a selection
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        dialog.formatList()->item(1)->setSelected(true);
        QVERIFY(dialog.okButton()->isEnabled());
        QCOMPARE(dialog.selectedFormat(), 9); // the entry carries its candidate number
        dialog.formatList()->item(2)->setSelected(true);
        QCOMPARE(dialog.selectedFormat(), 12);
        dialog.formatList()->clearSelection();
        QVERIFY(!dialog.okButton()->isEnabled());
        QCOMPARE(dialog.selectedFormat(), -1);
    }

    void waveFormatWithNothingAccepted()
    {
        CWaveFormatDlg dialog(CandidateSupport{});
        QCOMPARE(dialog.formatList()->count(), 0);
        QVERIFY(!dialog.okButton()->isEnabled());
        CScriptedDialogs dialogs;
        dialogs.dialogActions.push_back([](QDialog& d) {
            d.accept(); // the user can only cancel; "OK" does nothing
            return d.result();
        });
        QCOMPARE(CWaveFormatDlg::Choose(dialogs, CandidateSupport{}), std::nullopt);
    }

    void waveFormatChooseThroughTheDialogsInterface()
    {
        CScriptedDialogs dialogs;
        dialogs.dialogActions.push_back([](QDialog& d) {
            auto* dlg = dynamic_cast<CWaveFormatDlg*>(&d);
            if (!dlg)
                return int(QDialog::Rejected);
            dlg->formatList()->setCurrentRow(dlg->formatList()->count() - 1);
            return int(QDialog::Accepted);
        });
        dialogs.dialogActions.push_back([](QDialog&) { return int(QDialog::Rejected); });
        CandidateSupport all;
        all.fill(true);
        QCOMPARE(CWaveFormatDlg::Choose(dialogs, all), std::optional<int>(19));
        QCOMPARE(CWaveFormatDlg::Choose(dialogs, all), std::nullopt); // "Abbrechen"
        QCOMPARE(dialogs.dialogTitles, (QStringList{"Waveformat", "Waveformat"}));
    }

    void soundCardTextsAndFirstEntries()
    {
        const std::vector<SoundDeviceInfo> captures = {
            {"", "Primärer Soundaufnahmetreiber"}, {"in1", "Mikrofon"}, {"in2", "Line-In"}};
        const std::vector<SoundDeviceInfo> outputs = {{"", "Primärer Soundtreiber"}, {"out1", "Kopfhörer"}};
        CSoundCardDlg dialog(captures, outputs);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Soundkarteneinstellungen"));
        QCOMPARE(Labels(dialog),
                 (QStringList{QStringLiteral("Bitte Aufnahmegerät auswählen:"),
                              QStringLiteral("Bitte Ausgabegerät auswählen:")}));
        QCOMPARE(Buttons(dialog), (QStringList{QStringLiteral("OK"), QStringLiteral("Abbrechen")}));
        QCOMPARE(dialog.captureList()->count(), 3);
        QCOMPARE(dialog.captureList()->itemText(1), QStringLiteral("Mikrofon"));
        QCOMPARE(dialog.outputList()->count(), 2);
        QCOMPARE(dialog.captureList()->currentIndex(), 0);
        QCOMPARE(dialog.outputList()->currentIndex(), 0);
        QCOMPARE(dialog.selectedCapture(), captures[0]);
        QCOMPARE(dialog.selectedOutput(), outputs[0]);
        dialog.captureList()->setCurrentIndex(2);
        dialog.outputList()->setCurrentIndex(1);
        QCOMPARE(dialog.selectedCapture(), captures[2]);
        QCOMPARE(dialog.selectedOutput(), outputs[1]);
    }

    void soundCardWithEmptyLists()
    {
        CSoundCardDlg dialog({}, {});
        QCOMPARE(dialog.captureList()->count(), 0);
        QCOMPARE(dialog.selectedCapture(), SoundDeviceInfo{});
        QCOMPARE(dialog.selectedOutput(), SoundDeviceInfo{});
    }
};

QTEST_MAIN(TestAudioDialogs)
#include "tst_audio_dialogs.moc"
