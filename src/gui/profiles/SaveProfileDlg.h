// "Einstellungen speichern ...": the name of an own profile and the file it becomes.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

class CSaveProfileDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CSaveProfileDlg(const QString& name, QWidget* parent = nullptr);

    QString name() const;
    QLineEdit* nameEdit() const { return m_pName; }
    QLabel* fileLine() const { return m_pFile; }

private:
    QLineEdit* m_pName;
    QLabel* m_pFile; // "ResoniUserProfil-" + name + ".ini", follows every change
};
