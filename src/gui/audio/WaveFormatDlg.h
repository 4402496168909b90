// The dialog "Waveformat": the candidate formats the capture device accepts, in candidate
// order, as "%u Hz, %u-bit %s"; "OK" is enabled only while an entry is selected. It takes the
// scan result as a plain value and returns the chosen candidate number.
#pragma once

#include "core/audio/CaptureFormats.h"

#include <QDialog>

#include <optional>

class IUiDialogs;
class QListWidget;
class QPushButton;

class CWaveFormatDlg : public QDialog
{
public:
    // The dialog's texts, byte for byte.
    static const char* const kTitle;  // "Waveformat"
    static const char* const kPrompt; // "Samplingrate und Auflösung:"

    explicit CWaveFormatDlg(const CandidateSupport& supported, QWidget* parent = nullptr);

    // The selected entry's candidate number, or -1.
    int selectedFormat() const;
    // Closes with "OK" only while an entry is selected.
    void accept() override;

    QListWidget* formatList() const { return m_pList; }
    QPushButton* okButton() const { return m_pOk; }

    // Runs the dialog through dialogs: the candidate number on "OK", nothing on "Abbrechen".
    static std::optional<int> Choose(IUiDialogs& dialogs, const CandidateSupport& supported,
                                     QWidget* parent = nullptr);

private:
    void UpdateOk();

    QListWidget* m_pList;
    QPushButton* m_pOk = nullptr;
};
