#include "SoundCardDlg.h"

#include "gui/app/DialogButtons.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

const char* const CSoundCardDlg::kTitle = "Soundkarteneinstellungen";
const char* const CSoundCardDlg::kCapturePrompt = "Bitte Aufnahmegerät auswählen:";
const char* const CSoundCardDlg::kOutputPrompt = "Bitte Ausgabegerät auswählen:";

namespace {

QComboBox* MakeList(const std::vector<SoundDeviceInfo>& devices, QWidget* parent)
{
    auto* list = new QComboBox(parent);
    for (const SoundDeviceInfo& d : devices)
        list->addItem(QString::fromStdString(d.description));
    list->setCurrentIndex(devices.empty() ? -1 : 0);
    return list;
}

SoundDeviceInfo Selected(const std::vector<SoundDeviceInfo>& devices, const QComboBox* list)
{
    const int i = list->currentIndex();
    if (i < 0 || static_cast<std::size_t>(i) >= devices.size())
        return {};
    return devices[static_cast<std::size_t>(i)];
}

} // namespace

CSoundCardDlg::CSoundCardDlg(std::vector<SoundDeviceInfo> captures, std::vector<SoundDeviceInfo> outputs,
                             QWidget* parent)
    : QDialog(parent), m_captures(std::move(captures)), m_outputs(std::move(outputs)),
      m_pCaptureList(MakeList(m_captures, this)), m_pOutputList(MakeList(m_outputs, this))
{
    setWindowTitle(QString::fromUtf8(kTitle));
    m_pCaptureList->setObjectName(QStringLiteral("captureList"));
    m_pOutputList->setObjectName(QStringLiteral("outputList"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QString::fromUtf8(kCapturePrompt), this));
    layout->addWidget(m_pCaptureList);
    layout->addWidget(new QLabel(QString::fromUtf8(kOutputPrompt), this));
    layout->addWidget(m_pOutputList);
    layout->addWidget(makeOkCancelButtons(*this));
}

SoundDeviceInfo CSoundCardDlg::selectedCapture() const
{
    return Selected(m_captures, m_pCaptureList);
}

SoundDeviceInfo CSoundCardDlg::selectedOutput() const
{
    return Selected(m_outputs, m_pOutputList);
}
