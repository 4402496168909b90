// The program's own texts around loading WAV files and importing series, byte for byte, so the
// GUI shows exactly these and the tests compare against one place.
#pragma once

namespace WaveText {

inline constexpr const char* kNoFileSelected = "Kein File ausgewählt.";
inline constexpr const char* kReadFailed = "Read in AbbildArray failed. IN: DOC.";
inline constexpr const char* kEmptyWave = "Wavefile ist leer.";
inline constexpr const char* kBadBits = "Bitrate falsch angegebenCResoniDoc.OnLoadWaveFile";

// "&Wavefile öffnen...": title and filter of the open-file dialog (in the "A|*.a|B|*.b|" form;
// SplitFileFilter turns it into entries). The first entry is preselected.
inline constexpr const char* kOpenWaveTitle = "Bitte Musikstück auswählen";
inline constexpr const char* kOpenWaveFilter =
    "WAV - Standardwavefiles|*.wav|Alle Audiodateien|*.wav *.flac *.ogg *.oga *.aif *.aiff *.aifc *.w64|"
    "Alle Dateien|*.*|";

// A file that neither our RIFF reader nor libsndfile can read: %s is the file name; the reason
// (libsndfile's, in English) follows on a second line.
inline constexpr const char* kNotReadable = "Die Datei \"%s\" kann nicht als Audiodatei gelesen werden.";
// A converted file above 48000 Hz at a rate without a playback copy: %s is the rate ("176,4 kHz").
inline constexpr const char* kRateNotPlayable =
    "Die Samplingrate %s kann nicht wiedergegeben werden.\n"
    "Über 48 kHz werden nur 64, 88,2, 96 und 192 kHz geladen.";

// "&Zeitreihe öffnen...": the third entry (".dat", index 2) is preselected.
inline constexpr const char* kOpenSeriesTitle = "1-spaltiges Zeitreihenfile auswählen";
inline constexpr const char* kOpenSeriesFilter =
    "TXT - Textfiles mit 1 Spalte|*.txt|PRN - Mathcadexportfiles mit 1 Spalte|*.prn|"
    "DAT - Datenfiles mit 1 Spalte|*.dat|Alle Dateien|*.*|";
inline constexpr int kOpenSeriesFilterIndex = 2;

// A series whose values are all 0 has no scale; it is loaded as a line of 0 samples (its own
// values, so nothing is lost) after this notice.
inline constexpr const char* kSeriesAllZero =
    "Die Zeitreihe enthält nur Nullen.\nSie wird als Nulllinie (alle Werte 0) geladen.";

// Working copies in the temporary directory, overwritten on every load.
inline constexpr const char* kMonoCopyName = "~TempWaveMono.wav";
inline constexpr const char* kPlayCopyName = "~TempWave.wav";
inline constexpr const char* kConvertedCopyName = "~TempWaveKonvertiert.wav"; // 16-bit copy of a decoded file
// A working copy that cannot be written (temporary directory missing or not writable, disk full):
// the load fails with this text, %s being the copy's path, and no older file at that path is read.
inline constexpr const char* kCopyNotWritten = "Die Arbeitskopie \"%s\" konnte nicht geschrieben werden.";

// Values of the document's m_strChannels and m_strFormat.
inline constexpr const char* kMono = "Mono";
inline constexpr const char* kStereo = "Stereo";
inline constexpr const char* kUnknown = "?";
inline constexpr const char* kPcm = "PCM";

} // namespace WaveText
