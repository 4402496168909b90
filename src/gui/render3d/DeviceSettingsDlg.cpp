#include "DeviceSettingsDlg.h"

#include "Render3DTexts.h"

#include "gui/app/DialogButtons.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

CDeviceSettingsDlg::CDeviceSettingsDlg(const QString& adapter, int maxSamples, int samples, QWidget* parent)
    : QDialog(parent), m_pAdapter(new QComboBox(this)), m_pMode(new QComboBox(this)),
      m_pMultisample(new QComboBox(this))
{
    setWindowTitle(QString::fromUtf8(Render3DText::kDeviceTitle));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_pAdapter->addItem(adapter);
    form->addRow(QString::fromUtf8(Render3DText::kAdapter), m_pAdapter);
    // The picture is rendered in a window of the desktop: its mode is the screen's.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize s = screen->size();
        m_pMode->addItem(QString::asprintf(Render3DText::kModeText, static_cast<long>(s.width()),
                                           static_cast<long>(s.height()), static_cast<long>(screen->depth())));
    }
    form->addRow(QString::fromUtf8(Render3DText::kMode), m_pMode);
    layout->addLayout(form);

    auto* group = new QGroupBox(QString::fromUtf8(Render3DText::kMultisampleGroup), this);
    auto* groupForm = new QFormLayout(group);
    m_pMultisample->addItem(QString::fromUtf8(Render3DText::kNoMultisample), 0);
    for (int n = 2; n <= maxSamples && n <= 16; n *= 2)
        m_pMultisample->addItem(QString::asprintf(Render3DText::kSamples, n), n);
    const int current = m_pMultisample->findData(samples);
    m_pMultisample->setCurrentIndex(current >= 0 ? current : 0);
    groupForm->addRow(QString::fromUtf8(Render3DText::kMultisample), m_pMultisample);
    layout->addWidget(group);
    layout->addWidget(makeOkCancelButtons(*this));
}

int CDeviceSettingsDlg::samples() const
{
    return m_pMultisample->currentData().toInt();
}
