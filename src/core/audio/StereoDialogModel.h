// What the dialog "Waveparameter kontrollieren ..." shows for a file before loading: its read-only
// fields, the hint line, which controls are enabled and what is checked. A widget fills itself
// from this and returns whether "Links" is checked when the user presses "OK".
#pragma once

#include <cstdint>
#include <string>

struct CStereoDialogModel
{
    static constexpr const char* kTitle = "Waveparameter kontrollieren ...";
    static constexpr const char* kGroupFile = "Datei";
    static constexpr const char* kGroupFormat = "Waveformat";
    static constexpr const char* kGroupChannel = "Kanal";
    static constexpr const char* kLabelChannels = "Kanäle:";
    static constexpr const char* kLabelRate = "Samplingrate:";
    static constexpr const char* kUnitRate = "kHz"; // beside the rate, which is shown in Hz
    static constexpr const char* kLabelBits = "Auflösung:";
    static constexpr const char* kUnitBits = "Bit";
    static constexpr const char* kLabelFormat = "Format:";
    static constexpr const char* kLeft = "Links";
    static constexpr const char* kRight = "Rechts";
    static constexpr const char* kOk = "OK";
    static constexpr const char* kCancel = "Cancel";

    static constexpr const char* kHintStereo =
        "Hinweis: Dies ist ein Stereo-File. Da dieses Programm nur einkanalige Waves verarbeiten kann, "
        "wählen Sie bitte den linken oder rechten Kanal zur weiteren Verwendung aus.";
    static constexpr const char* kHintMono = "Hinweis: Alles prima.";
    static constexpr const char* kHintTooManyBits =
        "Problem: Die Auflösung dieser Wavedatei ist mehr als 16-Bit. Sie kann daher leider nicht "
        "geladen werden !";

    // From the document's members: m_strWaveFile, m_strChannels, m_nSampleRate,
    // m_nBitsPerSample, m_strFormat.
    static CStereoDialogModel Make(const std::string& strWaveFile, const std::string& strChannels,
                                   std::uint32_t nSampleRate, int nBitsPerSample,
                                   const std::string& strFormat);

    std::string strFile;
    std::string strChannels;
    std::string strSampleRate; // decimal Hz, e.g. "44100"
    std::string strBits;       // decimal, e.g. "16"
    std::string strFormat;
    std::string strHint;
    bool bChannelEnabled = false; // both radio buttons
    bool bLeftChecked = true;
    bool bOkEnabled = true;
};
