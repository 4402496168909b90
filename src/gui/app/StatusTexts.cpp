#include "StatusTexts.h"

#include <algorithm>

namespace StatusTexts {

QString fftSize(int points)
{
    return points == 0 ? QString() : QStringLiteral("FFT Punkte: ") + QString::number(points);
}

QString file(const QString& path)
{
    const int cut = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return QStringLiteral("File: ") + path.mid(cut + 1);
}

QString bits(int bits)
{
    return bits == 0 ? QString() : QStringLiteral("Mono: %1-Bit").arg(bits);
}

QString rate(int hertz)
{
    return hertz == 0 ? QString() : QString::number(hertz / 1000) + QStringLiteral(" kHz");
}

QString listening(bool on)
{
    return on ? QStringLiteral("Abhören läuft...") : QString();
}

QString recording(bool on)
{
    return on ? QStringLiteral("Aufnahme läuft...") : QString();
}

} // namespace StatusTexts
