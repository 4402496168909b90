// The program's own texts around the sound devices, listening, recording and playback, byte
// for byte, so the GUI shows exactly these and the tests compare against one place. The
// dialogs "Soundkarteneinstellungen" and "Waveformat" keep their texts in their own classes.
#pragma once

namespace AudioText {

// Opening the devices: the failed step and the routine are named.
inline constexpr const char* kFailPlaybackDevice = "FAIL: Wiedergabegerät des Audioservers in InitSoundDevices";
inline constexpr const char* kFailCaptureDevice = "FAIL: Aufnahmegerät des Audioservers in InitSoundDevices";
inline constexpr const char* kFailCooperativeLevel = "FAIL: Freigabe des Wiedergabegeräts in InitSoundDevices";
inline constexpr const char* kFailPrimaryFormat = "FAIL: Wiedergabeformat in InitSoundDevices";
// After "OK" in the device dialog, when the devices cannot be opened again.
inline constexpr const char* kInterfaceCreationFailed = "Öffnen der Audiogeräte mißlungen";
// At start-up, after the failed step's message; the program goes on without sound.
inline constexpr const char* kStartupDevicesFailed =
    "Die Audiogeräte konnten nicht geöffnet werden. Abhören, Aufnahme und Wiedergabe sind abgeschaltet.";
// At start-up, alone, when no audio server answers at all; the program goes on without sound.
inline constexpr const char* kNoAudioServer =
    "Kein Audioserver (PulseAudio oder PipeWire) erreichbar. Abhören, Aufnahme und Wiedergabe sind abgeschaltet.";

// Names of the system default devices (they have no identifier).
inline constexpr const char* kDefaultPlaybackDevice = "Primärer Soundtreiber";
inline constexpr const char* kDefaultCaptureDevice = "Primärer Soundaufnahmetreiber";

// Setting up the capture on its thread.
inline constexpr const char* kCaptureBufferFailed = "Aufnahmestream nicht geöffnet IN: CaptureThread";
inline constexpr const char* kCaptureInterfaceFailed = "Aufnahmedaten nicht lesbar, IN: CaptureThread.";
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
