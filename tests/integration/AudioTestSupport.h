// Helpers for the audio integration tests: sine files, a Goertzel tone detector, running the
// PulseAudio tools and Python's wave module as independent players, recorders and readers,
// and leaving the test process without Qt Multimedia's PulseAudio teardown.
#pragma once

#include "support/TestWaves.h"

#include "core/audio/RiffWaveFile.h"

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <numeric>
#include <utility>
#include <vector>

namespace audiotest {

// How much the tone at f stands out of the last n samples of x (sampling rate fs) against
// f · 0.7 and f · 1.4: the smaller of the two power ratios, each power taken by the Goertzel
// recurrence with the mean removed; 0 when x is too short.
inline double ToneContrast(const std::vector<double>& x, std::size_t n, double f, double fs)
{
    if (x.size() < n)
        return 0;
    const auto from = x.end() - static_cast<std::ptrdiff_t>(n);
    const double mean = std::accumulate(from, x.end(), 0.0) / static_cast<double>(n);
    const auto power = [&](double g) {
        const double c = 2.0 * std::cos(2.0 * std::numbers::pi * g / fs);
        double s1 = 0, s2 = 0;
        for (auto i = from; i != x.end(); ++i)
            s2 = std::exchange(s1, (*i - mean) + c * s1 - s2);
        return s1 * s1 + s2 * s2 - c * s1 * s2;
    };
    return power(f) / std::max({power(f * 0.7), power(f * 1.4), 1e-9});
}

// The frequency of the strongest bin of a spectrum of bins 0 … N/2 at the rate fs (bin 0 left
// out); 0 for a spectrum too short to have one.
inline double PeakFrequency(const std::vector<double>& spectrum, double fs)
{
    if (spectrum.size() < 3)
        return 0;
    const auto peak = std::max_element(spectrum.begin() + 1, spectrum.end()) - spectrum.begin();
    return double(peak) * fs / double(2 * (spectrum.size() - 1));
}

// A mono 16-bit sine file at 44100 Hz (amplitude 16000), written with the program's own writer.
inline bool WriteSineWave(const QString& path, double f, double seconds)
{
    return !testwaves::writeTone(path, f, 16, 44100, seconds).isEmpty();
}

struct ProgramResult
{
    int exitCode = -1;
    QByteArray out, err;
};

// Runs a program to its end (at most 30 s); exit code -1 when it crashed or did not end.
inline ProgramResult RunProgram(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    const bool ended = p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit;
    return {ended ? p.exitCode() : -1, p.readAllStandardOutput(), p.readAllStandardError()};
}

// Python's wave module on a file: "channels sampwidth rate frames" on one line.
inline QString PythonWaveInfo(const QString& path)
{
    const ProgramResult r = RunProgram(
        QStringLiteral("/usr/bin/python3"),
        {QStringLiteral("-c"),
         QStringLiteral("import sys, wave\nw = wave.open(sys.argv[1], 'rb')\n"
                        "print(w.getnchannels(), w.getsampwidth(), w.getframerate(), w.getnframes())"),
         path});
    return r.exitCode == 0 ? QString::fromUtf8(r.out).trimmed()
                           : QStringLiteral("error: ") + QString::fromUtf8(r.err);
}

// Ends the test program with rc after flushing its output. Qt 6.4's PulseAudio engine tears
// its connection down in a static destructor that races with libpulse's own thread and now
// and then aborts the process at exit; the tests are over by then, so that teardown is skipped.
[[noreturn]] inline void ExitWithoutAudioTeardown(int rc)
{
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(rc);
}

} // namespace audiotest
