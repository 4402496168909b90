#include "FFTSettingsDlg.h"

#include <QComboBox>
#include "gui/app/DialogButtons.h"

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
    QDialogButtonBox* buttons = makeOkCancelButtons(*this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_pSizeList);
    layout->addWidget(buttons);
}

int CFFTSettingsDlg::chosenSize() const
{
    return 256 << m_pSizeList->currentIndex();
}
