// The dialog "Soundkarteneinstellungen": one drop-down list of capture devices and one of
// output devices, each selecting its first entry on opening. It takes the lists as plain
// values and returns the chosen entries; opening the devices is up to its caller.
#pragma once

#include "core/audio/DeviceIdTable.h"

#include <QDialog>

#include <vector>

class QComboBox;

class CSoundCardDlg : public QDialog
{
public:
    // The dialog's texts, byte for byte.
    static const char* const kTitle;         // "Soundkarteneinstellungen"
    static const char* const kCapturePrompt; // "Bitte Aufnahmegerät auswählen:"
    static const char* const kOutputPrompt;  // "Bitte Ausgabegerät auswählen:"

    CSoundCardDlg(std::vector<SoundDeviceInfo> captures, std::vector<SoundDeviceInfo> outputs,
                  QWidget* parent = nullptr);

    // The selected entries; an empty entry (system default) when a list is empty.
    SoundDeviceInfo selectedCapture() const;
    SoundDeviceInfo selectedOutput() const;

    QComboBox* captureList() const { return m_pCaptureList; }
    QComboBox* outputList() const { return m_pOutputList; }

private:
    std::vector<SoundDeviceInfo> m_captures, m_outputs;
    QComboBox* m_pCaptureList;
    QComboBox* m_pOutputList;
};
