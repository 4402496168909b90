#include "FFTSettingsDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CFFTSettingsDlg::CFFTSettingsDlg(int fftSize, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CFFTSettingsDlg"));
    setWindowTitle(QStringLiteral("FFT Einstellungen"));
    auto* label = new QLabel(QStringLiteral("Anzahl der Punkte für Transformation"), this);
    m_pSizeList = new QComboBox(this);
    int selected = 2; // "1024"
    for (int i = 0; i < 8; ++i) {
        const int size = 256 << i;
        m_pSizeList->addItem(QString::number(size));
        if (size == fftSize)
            selected = i;
    }
    m_pSizeList->setCurrentIndex(selected);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_pSizeList);
    layout->addWidget(buttons);
}

int CFFTSettingsDlg::chosenSize() const
{
    return 256 << m_pSizeList->currentIndex();
}
