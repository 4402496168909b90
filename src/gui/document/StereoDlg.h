// The dialog "Waveparameter kontrollieren ...": shows a stereo file's format before loading and
// lets the user pick the channel to analyse. It fills itself from a CStereoDialogModel.
#pragma once

#include <QDialog>

struct CStereoDialogModel;
class QPushButton;
class QRadioButton;

class CStereoDlg : public QDialog
{
    Q_OBJECT
public:
    CStereoDlg(const CStereoDialogModel& model, QWidget* parent = nullptr);

    // Whether "Links" is checked (the answer of "OK").
    bool leftChecked() const;

    QRadioButton* leftButton() const { return m_pLeft; }
    QRadioButton* rightButton() const { return m_pRight; }
    QPushButton* okButton() const { return m_pOk; }

private:
    QRadioButton* m_pLeft = nullptr;
    QRadioButton* m_pRight = nullptr;
    QPushButton* m_pOk = nullptr;
};
