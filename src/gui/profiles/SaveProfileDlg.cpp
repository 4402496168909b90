#include "SaveProfileDlg.h"

#include "gui/app/DialogButtons.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

QString fileNameFor(const QString& name)
{
    return QStringLiteral("ResoniUserProfil-") + name + QStringLiteral(".ini");
}

} // namespace

CSaveProfileDlg::CSaveProfileDlg(const QString& name, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CSaveProfileDlg"));
    setWindowTitle(QStringLiteral("Einstellungen speichern ..."));
    auto* text = new QLabel(QStringLiteral("Bitte geben Sie einen Namen für das zu speichernde Profil an "), this);
    m_pName = new QLineEdit(name, this);
    m_pFile = new QLabel(fileNameFor(name), this);
    auto* note = new QLabel(
        QStringLiteral("Gespeichert werden:\n- Art und Position der geöffneten Fenster\n- Parameter der Module"), this);
    connect(m_pName, &QLineEdit::textChanged, this, [this](const QString& t) { m_pFile->setText(fileNameFor(t)); });
    QDialogButtonBox* buttons = makeOkCancelButtons(*this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(m_pName);
    layout->addWidget(m_pFile);
    layout->addWidget(note);
    layout->addWidget(buttons);
}

QString CSaveProfileDlg::name() const
{
    return m_pName->text();
}
