#include "StandardProfileDlg.h"

#include "ProfilePictures.h"

#include <QButtonGroup>
#include "gui/app/DialogButtons.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

CStandardProfileDlg::CStandardProfileDlg(int currentKind, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CStandardProfileDlg"));
    setWindowTitle(QStringLiteral("Auswahl eines Standardprofils"));
    auto* picture = new QLabel(this);
    picture->setPixmap(ProfilePictures::welcome(64));
    auto* text = new QLabel(QStringLiteral("Welches der vordefinierten Standardprofile\nsoll geöffnet werden ?"), this);

    // Buttons in their order, each with its kind and the label above it ("Schule" above
    // "Grundschule"; "Oberschule" is hidden and shares that column).
    struct Entry { const char* name; int kind; const char* label; int column; };
    const Entry entries[] = {
        {"Standard", 0, "Standard", 0},   {"Musiker", 1, "Musiker", 2},  {"Analytiker", 2, "Analytiker", 3},
        {"Komplett", 3, "Komplett", 1},   {"Oberschule", 5, nullptr, 4}, {"Grundschule", 4, "Schule", 4},
    };
    m_pGroup = new QButtonGroup(this);
    m_pGroup->setExclusive(true);
    auto* grid = new QGridLayout;
    for (const Entry& e : entries) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromUtf8(e.name));
        b->setToolTip(QString::fromUtf8(e.name));
        b->setCheckable(true);
        b->setAutoRaise(false);
        b->setIcon(QIcon(ProfilePictures::profile(e.kind, 64)));
        b->setIconSize(QSize(64, 64));
        m_pGroup->addButton(b, e.kind);
        if (e.label) {
            grid->addWidget(new QLabel(QString::fromUtf8(e.label), this), 0, e.column, Qt::AlignHCenter);
            grid->addWidget(b, 1, e.column, Qt::AlignHCenter);
        } else {
            b->setVisible(false);
        }
        if (e.kind == currentKind)
            b->setChecked(true);
    }
    QDialogButtonBox* buttons = makeOkCancelButtons(*this);
    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addWidget(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(grid);
    layout->addWidget(buttons);
}

int CStandardProfileDlg::chosenKind() const
{
    return m_pGroup->checkedId();
}

QAbstractButton* CStandardProfileDlg::button(int kind) const
{
    return m_pGroup->button(kind);
}
