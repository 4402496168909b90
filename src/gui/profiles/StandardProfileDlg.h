// "Auswahl eines Standardprofils": one picture button per predefined profile, used as radio buttons.
#pragma once

#include <QDialog>

class QAbstractButton;
class QButtonGroup;

class CStandardProfileDlg : public QDialog
{
    Q_OBJECT
public:
    // Opens with the button of currentKind selected (none for kinds 6 and 7).
    explicit CStandardProfileDlg(int currentKind, QWidget* parent = nullptr);

    // The kind of the selected button, or -1 when none is selected.
    int chosenKind() const;
    // The button of a kind 0..5.
    QAbstractButton* button(int kind) const;

private:
    QButtonGroup* m_pGroup; // ids are the profile kinds
};
