// The texts the status-bar panes show for the document's notifications.
#pragma once

#include <QString>

namespace StatusTexts {
QString fftSize(int points);   // "FFT Punkte: " + N; empty for 0
QString file(const QString& path); // "File: " + the name after the last "/" or "\" (the whole string if none)
QString bits(int bits);        // "Mono: " + b + "-Bit"; empty for 0
QString rate(int hertz);       // (r / 1000, integer division) + " kHz"; empty for 0
QString listening(bool on);    // "Abhören läuft..." or empty
QString recording(bool on);    // "Aufnahme läuft..." or empty
} // namespace StatusTexts
