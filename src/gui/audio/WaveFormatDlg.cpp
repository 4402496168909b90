#include "WaveFormatDlg.h"

#include "gui/app/DialogButtons.h"
#include "gui/app/UiDialogs.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

const char* const CWaveFormatDlg::kTitle = "Waveformat";
const char* const CWaveFormatDlg::kPrompt = "Samplingrate und Auflösung:";

CWaveFormatDlg::CWaveFormatDlg(const CandidateSupport& supported, QWidget* parent)
    : QDialog(parent), m_pList(new QListWidget(this))
{
    setWindowTitle(QString::fromUtf8(kTitle));
    m_pList->setObjectName(QStringLiteral("formatList"));
    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int i = 0; i < kCandidateFormatCount; ++i) {
        if (!supported[static_cast<std::size_t>(i)])
            continue;
        WaveFormat f;
        MakeCandidateFormat(i, f);
        auto* item = new QListWidgetItem(
            QString::fromStdString(CandidateFormatText(f.nSamplesPerSec, f.wBitsPerSample, f.nChannels)), m_pList);
        item->setData(Qt::UserRole, i);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QString::fromUtf8(kPrompt), this));
    layout->addWidget(m_pList);
    QDialogButtonBox* buttons = makeOkCancelButtons(*this);
    layout->addWidget(buttons);
    for (QAbstractButton* b : buttons->buttons())
        if (buttons->buttonRole(b) == QDialogButtonBox::AcceptRole)
            m_pOk = qobject_cast<QPushButton*>(b);
    connect(m_pList, &QListWidget::itemSelectionChanged, this, &CWaveFormatDlg::UpdateOk);
    m_pList->setCurrentRow(-1);
    m_pList->clearSelection();
    UpdateOk();
}

int CWaveFormatDlg::selectedFormat() const
{
    const QList<QListWidgetItem*> items = m_pList->selectedItems();
    return items.isEmpty() ? -1 : items.front()->data(Qt::UserRole).toInt();
}

void CWaveFormatDlg::accept()
{
    if (selectedFormat() >= 0)
        QDialog::accept();
}

void CWaveFormatDlg::UpdateOk()
{
    if (m_pOk)
        m_pOk->setEnabled(!m_pList->selectedItems().isEmpty());
}

std::optional<int> CWaveFormatDlg::Choose(IUiDialogs& dialogs, const CandidateSupport& supported, QWidget* parent)
{
    CWaveFormatDlg dialog(supported, parent);
    if (dialogs.execDialog(dialog) != QDialog::Accepted || dialog.selectedFormat() < 0)
        return std::nullopt;
    return dialog.selectedFormat();
}
