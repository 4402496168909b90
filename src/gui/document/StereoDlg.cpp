#include "StereoDlg.h"

#include "core/audio/StereoDialogModel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QLineEdit* readOnlyField(const std::string& value, QWidget* parent)
{
    auto* field = new QLineEdit(QString::fromStdString(value), parent);
    field->setReadOnly(true);
    return field;
}

} // namespace

CStereoDlg::CStereoDlg(const CStereoDialogModel& model, QWidget* parent) : QDialog(parent)
{
    using M = CStereoDialogModel;
    setWindowTitle(text(M::kTitle));
    auto* layout = new QVBoxLayout(this);

    auto* fileGroup = new QGroupBox(text(M::kGroupFile), this);
    auto* fileLayout = new QVBoxLayout(fileGroup);
    fileLayout->addWidget(readOnlyField(model.strFile, fileGroup));
    layout->addWidget(fileGroup);

    auto* hint = new QLabel(QString::fromStdString(model.strHint), this);
    hint->setWordWrap(true);
    hint->setObjectName(QStringLiteral("hint"));
    layout->addWidget(hint);

    auto* formatGroup = new QGroupBox(text(M::kGroupFormat), this);
    auto* grid = new QGridLayout(formatGroup);
    struct Row
    {
        const char* label;
        const std::string& value;
        const char* unit;
    };
    const Row rows[] = {{M::kLabelChannels, model.strChannels, nullptr},
                        {M::kLabelRate, model.strSampleRate, M::kUnitRate},
                        {M::kLabelBits, model.strBits, M::kUnitBits},
                        {M::kLabelFormat, model.strFormat, nullptr}};
    int r = 0;
    for (const Row& row : rows) {
        grid->addWidget(new QLabel(text(row.label), formatGroup), r, 0);
        grid->addWidget(readOnlyField(row.value, formatGroup), r, 1);
        if (row.unit)
            grid->addWidget(new QLabel(text(row.unit), formatGroup), r, 2);
        ++r;
    }
    layout->addWidget(formatGroup);

    auto* channelGroup = new QGroupBox(text(M::kGroupChannel), this);
    auto* channelLayout = new QHBoxLayout(channelGroup);
    m_pLeft = new QRadioButton(text(M::kLeft), channelGroup);
    m_pRight = new QRadioButton(text(M::kRight), channelGroup);
    m_pLeft->setChecked(model.bLeftChecked);
    m_pRight->setChecked(!model.bLeftChecked);
    m_pLeft->setEnabled(model.bChannelEnabled);
    m_pRight->setEnabled(model.bChannelEnabled);
    channelLayout->addWidget(m_pLeft);
    channelLayout->addWidget(m_pRight);
    layout->addWidget(channelGroup);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    m_pOk = new QPushButton(text(M::kOk), this);
    m_pOk->setDefault(true);
    m_pOk->setEnabled(model.bOkEnabled);
    auto* cancel = new QPushButton(text(M::kCancel), this);
    buttons->addWidget(m_pOk);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(m_pOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool CStereoDlg::leftChecked() const
{
    return m_pLeft->isChecked();
}
