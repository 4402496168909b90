// Helpers for the audio integration tests: sine files, a Goertzel tone detector, running the
// PulseAudio tools and Python's wave module as independent players, recorders and readers,
// and leaving the test process without Qt Multimedia's PulseAudio teardown.
#pragma once

#include "core/audio/RiffWaveFile.h"

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <vector>

namespace audiotest {

// Power of x[from, from + n) at f Hz (sampling rate fs), mean removed: the Goertzel recurrence.
inline double Goertzel(const std::vector<double>& x, std::size_t from, std::size_t n, double f, double fs)
{
    double mean = 0;
    for (std::size_t i = from; i < from + n; ++i)
        mean += x[i];
    mean /= static_cast<double>(n);
    const double c = 2.0 * std::cos(2.0 * std::numbers::pi * f / fs);
    double s1 = 0, s2 = 0;
    for (std::size_t i = from; i < from + n; ++i) {
        const double s0 = (x[i] - mean) + c * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    return s1 * s1 + s2 * s2 - c * s1 * s2;
}

// How much the tone at f stands out of the last n samples of x against f · 0.7 and f · 1.4
// (the smaller of the two ratios); 0 when x is too short.
inline double ToneContrast(const std::vector<double>& x, std::size_t n, double f, double fs)
{
    if (x.size() < n)
        return 0;
    const std::size_t from = x.size() - n;
    const double at = Goertzel(x, from, n, f, fs);
    const double lo = Goertzel(x, from, n, f * 0.7, fs), hi = Goertzel(x, from, n, f * 1.4, fs);
    return at / std::max({lo, hi, 1e-9});
}

// A mono 16-bit PCM file of a sine (amplitude 12000) written with the program's own writer.
inline bool WriteSineWave(const QString& path, double f, double seconds, std::uint32_t rate = 44100)
{
    std::vector<std::uint8_t> bytes;
    const auto n = static_cast<std::size_t>(seconds * rate);
    for (std::size_t i = 0; i < n; ++i) {
        const auto v = static_cast<std::int16_t>(std::lround(12000 * std::sin(2 * std::numbers::pi * f * i / rate)));
        bytes.push_back(static_cast<std::uint8_t>(v & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
    }
    CRiffWaveFile file;
    const WaveFormat format = MakePcmFormat(1, rate, 16);
    std::size_t wrote = 0;
    return SUCCEEDED(file.Open(path.toStdString(), &format, WAVEFILE_WRITE)) &&
           SUCCEEDED(file.Write(bytes.size(), bytes.data(), &wrote)) && SUCCEEDED(file.Close());
}

struct ProgramResult
{
    int exitCode = -1;
    QByteArray out, err;
};

inline ProgramResult RunProgram(const QString& program, const QStringList& args, int timeoutMs = 30000)
{
    QProcess p;
    p.start(program, args);
    ProgramResult r;
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
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
    return r.exitCode == 0 ? QString::fromUtf8(r.out).trimmed() : QStringLiteral("error: ") + QString::fromUtf8(r.err);
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
