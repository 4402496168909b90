#include "WelcomeDlg.h"

#include "ProfilePictures.h"

#include <QComboBox>
#include "gui/app/DialogButtons.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

const QString CWelcomeDlg::kTypingHint = QStringLiteral(
    "Bitte wählen Sie ein bereits gespeichertes Profil aus der Dropdownliste aus.\nWenn Sie eine neues Profil "
    "erstellen wollen, rufen Sie ein vordefiniertes Profil auf, ändern sie die Fenster und Einstellungen und "
    "speichern Sie dann das Profil unter dem Menüpunkt Einstellungen> Profil speichern.");

CWelcomeDlg::CWelcomeDlg(std::function<QStringList()> listProfiles, std::function<void(const QString&)> onTyping,
                         QWidget* parent)
    : QDialog(parent), m_listProfiles(std::move(listProfiles)), m_onTyping(std::move(onTyping))
{
    setObjectName(QStringLiteral("CWelcomeDlg"));
    setWindowTitle(QStringLiteral("Willkommen bei Resoni ..."));
    auto* picture = new QLabel(this);
    picture->setPixmap(ProfilePictures::welcome(96));
    auto* question = new QLabel(QStringLiteral("Mit welcher Oberfläche wollen Sie beginnen ?"), this);
    m_pLastUsed = new QRadioButton(QStringLiteral("zuletzt verwendete Einstellungen"), this);
    m_pPredefined = new QRadioButton(QStringLiteral("ein vordefiniertes Profil verwenden"), this);
    m_pOwn = new QRadioButton(QStringLiteral("ein eigenes Profil verwenden"), this);
    m_pLastUsed->setChecked(true);
    m_pList = new QComboBox(this);
    m_pList->setEditable(true);
    m_pList->setInsertPolicy(QComboBox::NoInsert);
    m_pList->setVisible(false);
    QDialogButtonBox* buttons = makeOkCancelButtons(*this);
    connect(m_pOwn, &QRadioButton::toggled, this, &CWelcomeDlg::OnOwnSelected);
    connect(m_pList->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
        if (m_onTyping)
            m_onTyping(kTypingHint);
        Q_UNUSED(text);
        FillList();
        m_pList->showPopup();
    });

    auto* choices = new QVBoxLayout;
    choices->addWidget(question);
    choices->addWidget(m_pLastUsed);
    choices->addWidget(m_pPredefined);
    choices->addWidget(m_pOwn);
    choices->addWidget(m_pList);
    auto* row = new QHBoxLayout;
    row->addWidget(picture, 0, Qt::AlignTop);
    row->addLayout(choices, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}

QRadioButton* CWelcomeDlg::button(Choice c) const
{
    switch (c) {
    case Choice::LastUsed: return m_pLastUsed;
    case Choice::Predefined: return m_pPredefined;
    case Choice::Own: break;
    }
    return m_pOwn;
}

void CWelcomeDlg::FillList()
{
    m_pList->clear();
    if (m_listProfiles)
        m_pList->addItems(m_listProfiles());
    m_pList->setCurrentIndex(-1);
    m_pList->setEditText(QString());
}

void CWelcomeDlg::OnOwnSelected(bool checked)
{
    m_pList->setVisible(checked);
    if (checked) {
        FillList();
        if (isVisible())
            m_pList->showPopup();
    }
}

CWelcomeDlg::Choice CWelcomeDlg::choice() const
{
    if (m_pOwn->isChecked())
        return Choice::Own;
    return m_pPredefined->isChecked() ? Choice::Predefined : Choice::LastUsed;
}

QString CWelcomeDlg::profileName() const
{
    return m_pList->currentText().trimmed();
}

void CWelcomeDlg::accept()
{
    if (choice() == Choice::Own && profileName().isEmpty())
        return; // an own profile needs a name from the list
    QDialog::accept();
}
