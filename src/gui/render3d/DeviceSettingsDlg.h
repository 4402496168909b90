// "Einstellungen der Grafikkarte": the OpenGL renderer as the adapter, the screen's mode, and the
// multisample choices up to what the renderer offers.
#pragma once

#include <QDialog>

class QComboBox;

class CDeviceSettingsDlg : public QDialog
{
    Q_OBJECT
public:
    // adapter: renderer and version; maxSamples: the largest sample count the renderer takes;
    // samples: the current choice (0 = none).
    CDeviceSettingsDlg(const QString& adapter, int maxSamples, int samples, QWidget* parent = nullptr);

    // The chosen sample count (0 = none).
    int samples() const;
    QComboBox* adapterList() const { return m_pAdapter; }
    QComboBox* modeList() const { return m_pMode; }
    QComboBox* multisampleList() const { return m_pMultisample; }

private:
    QComboBox *m_pAdapter, *m_pMode, *m_pMultisample;
};
