#include "AboutDlg.h"

#include "ToolbarIcons.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#ifndef RESONI_VERSION
#define RESONI_VERSION "0"
#endif

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CAboutDlg"));
    setWindowTitle(QStringLiteral("Info über Resoni"));
    auto* icon = new QLabel(this);
    icon->setPixmap(ToolbarIcons::programIcon().pixmap(32, 32));
    auto* text = new QLabel(QStringLiteral("Resoni Version %1\n\nCopyright (C) 2026 Resoni")
                                .arg(QStringLiteral(RESONI_VERSION)),
                            this);
    text->setObjectName(QStringLiteral("AboutText"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* row = new QHBoxLayout;
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addWidget(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}
