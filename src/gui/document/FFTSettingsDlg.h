// "FFT Einstellungen": choice of the number of FFT points, 256 to 32768.
#pragma once

#include <QDialog>

class QComboBox;

class CFFTSettingsDlg : public QDialog
{
    Q_OBJECT
public:
    // Opens with the entry of fftSize selected; "1024" for a size not in the list.
    explicit CFFTSettingsDlg(int fftSize, QWidget* parent = nullptr);

    QComboBox* sizeList() const { return m_pSizeList; }
    // 256 * 2^index of the chosen entry.
    int chosenSize() const;

private:
    QComboBox* m_pSizeList; // owned by the dialog
};
