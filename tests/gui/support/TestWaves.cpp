#include "TestWaves.h"

#include "core/audio/RiffWaveFile.h"
#include "core/audio/WaveFormat.h"

#include <QFile>

#include <cmath>
#include <numbers>

namespace testwaves {

QString writeWave(const QString& path, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits,
                  const std::vector<std::uint8_t>& data)
{
    const WaveFormat format = MakePcmFormat(channels, rate, bits);
    CRiffWaveFile file;
    if (FAILED(file.Open(QFile::encodeName(path).toStdString(), &format, WAVEFILE_WRITE)))
        return {};
    std::size_t wrote = 0;
    if (!data.empty() && FAILED(file.Write(data.size(), data.data(), &wrote)))
        return {};
    return SUCCEEDED(file.Close()) ? path : QString();
}

QString writeTone(const QString& path, double hz, int bits, int rate, double seconds)
{
    std::vector<std::uint8_t> bytes;
    const auto n = static_cast<std::size_t>(seconds * rate);
    for (std::size_t i = 0; i < n; ++i) {
        const double s = std::sin(2 * std::numbers::pi * hz * double(i) / rate);
        if (bits == 8) {
            bytes.push_back(static_cast<std::uint8_t>(std::lround(128 + 100 * s)));
        } else {
            const auto v = static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(16000 * s)));
            bytes.push_back(static_cast<std::uint8_t>(v & 0xff));
            bytes.push_back(static_cast<std::uint8_t>(v >> 8));
        }
    }
    return writeWave(path, 1, static_cast<std::uint32_t>(rate), static_cast<std::uint16_t>(bits), bytes);
}

std::vector<std::uint8_t> bytes16(const std::vector<std::int16_t>& values)
{
    std::vector<std::uint8_t> out;
    for (std::int16_t v : values) {
        const auto u = static_cast<std::uint16_t>(v);
        out.push_back(static_cast<std::uint8_t>(u & 0xff));
        out.push_back(static_cast<std::uint8_t>(u >> 8));
    }
    return out;
}

} // namespace testwaves
