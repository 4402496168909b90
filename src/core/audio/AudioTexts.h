// The program's own texts around the sound devices, listening, recording and playback, byte
// for byte, so the GUI shows exactly these and the tests compare against one place. The
// dialogs "Soundkarteneinstellungen" and "Waveformat" keep their texts in their own classes.
#pragma once

namespace AudioText {

// Opening the devices: the failed step and routine are named.
inline constexpr const char* kFailPlaybackDevice = "FAIL: DirectSoundCreate8 in InitDirectSoundInterfaces";
inline constexpr const char* kFailCaptureDevice = "FAIL: DirectSoundCaptureCreate8 in InitDirectSoundInterfaces";
inline constexpr const char* kFailCooperativeLevel = "FAIL: SetCooperativeLevel in InitDirectSoundInterfaces";
inline constexpr const char* kFailPrimaryFormat = "FAIL: SetPrimaryBufferFormat in InitDirectSoundInterfaces";
// After "OK" in the device dialog, when the devices cannot be opened again.
inline constexpr const char* kInterfaceCreationFailed = "DirectSound Interfaceerzeugung mißlungen";
// At start-up, after the failed step's message; the program then ends.
inline constexpr const char* kStartupDevicesFailed =
    "Konnte die DirectSound Schnittstelle nicht initialisieren, das Programm muss beendet werden.\n"
    "Entweder Sie haben keine Soundkarte installiert, oder sie ist nicht DirextX 8.1 kompatibel.";

// Names of the system default devices (they have no identifier).
inline constexpr const char* kDefaultPlaybackDevice = "Primärer Soundtreiber";
inline constexpr const char* kDefaultCaptureDevice = "Primärer Soundaufnahmetreiber";

// Setting up the capture on its thread.
inline constexpr const char* kCaptureBufferFailed = "CreateCaptureBuffer IN: CaptureThread";
inline constexpr const char* kCaptureInterfaceFailed = "QueryInterface, IN: CaptureThread.";
// The capture device went away while listening (pulled out, server ended): listening ends.
inline constexpr const char* kCaptureDeviceLost =
    "Das Aufnahmegerät ist nicht mehr verfügbar. Das Abhören wurde beendet.";

// Recording: the save dialog and the failure to create the file.
inline constexpr const char* kRecordFileTitle = "Wavefile auswählen oder neu benennen.";
inline constexpr const char* kRecordFileFilter = "WAV - Windows Waves|*.wav|";
inline constexpr const char* kRecordFileSuffix = "wav";
inline constexpr const char* kCannotCreateWaveFile = "Cannot create wave file.";
// The record file reached the most data a WAV file can hold; recording was turned off.
inline constexpr const char* kRecordLimitReached =
    "Die Aufnahme wurde beendet: eine WAV-Datei kann höchstens 4 GiB Daten aufnehmen.";

} // namespace AudioText
