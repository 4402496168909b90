// "Willkommen bei Resoni ...": start with the last-used settings, a predefined profile or an
// own profile chosen from the list.
#pragma once

#include <QDialog>
#include <QStringList>

#include <functional>

class QComboBox;
class QRadioButton;

class CWelcomeDlg : public QDialog
{
    Q_OBJECT
public:
    enum class Choice { LastUsed, Predefined, Own };

    // listProfiles gives the own profiles' names (asked each time the list is filled);
    // onTyping shows the hint when the user types into the list's field.
    CWelcomeDlg(std::function<QStringList()> listProfiles, std::function<void(const QString&)> onTyping,
                QWidget* parent = nullptr);

    Choice choice() const;
    QString profileName() const;

    QRadioButton* button(Choice c) const;
    QComboBox* profileList() const { return m_pList; }

    static const QString kTypingHint;

public slots:
    void accept() override;

private:
    void OnOwnSelected(bool checked);
    void FillList();

    std::function<QStringList()> m_listProfiles;
    std::function<void(const QString&)> m_onTyping;
    QRadioButton* m_pLastUsed;
    QRadioButton* m_pPredefined;
    QRadioButton* m_pOwn;
    QComboBox* m_pList;
};
