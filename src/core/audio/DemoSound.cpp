#include "DemoSound.h"

#include "core/audio/RiffWaveFile.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace DemoSound {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// A tone of `partials` partials, amplitude 1/k for partial k, at the phase of its fundamental.
double partialSum(double phase, int partials)
{
    double v = 0.0;
    for (int k = 1; k <= partials; ++k)
        v += std::sin(k * phase) / k;
    return v;
}

// Rises over `attack` seconds and falls to zero over the last `release` seconds of `length`,
// both as half cosines, so neither end clicks.
double envelope(double t, double length, double attack, double release)
{
    if (t < 0.0 || t > length)
        return 0.0;
    double g = 1.0;
    if (t < attack)
        g *= 0.5 - 0.5 * std::cos(std::numbers::pi * t / attack);
    if (t > length - release)
        g *= 0.5 - 0.5 * std::cos(std::numbers::pi * (length - t) / release);
    return g;
}

} // namespace

std::vector<std::int16_t> Make(std::uint32_t sampleRate)
{
    const double fs = sampleRate;
    const auto total = static_cast<std::size_t>(std::lround((kChordSeconds + kGlideSeconds) * fs));
    std::vector<double> mix(total, 0.0);

    const auto chordEnd = static_cast<std::size_t>(std::lround(kChordSeconds * fs));
    for (std::size_t i = 0; i < chordEnd; ++i) {
        const double t = i / fs;
        // A struck chord: quick attack, slow exponential decay, a short release at the end.
        const double g = envelope(t, kChordSeconds, 0.02, 0.15) * std::exp(-0.6 * t);
        double v = 0.0;
        for (double f : kChordHz)
            v += partialSum(kTwoPi * f * t, 5);
        mix[i] = g * v;
    }

    // f(t) = f0 · r^(t/T) with r = f1/f0; its phase is 2π·f0·T·(r^(t/T) − 1)/ln r.
    const double ratio = kGlideToHz / kGlideFromHz;
    for (std::size_t i = chordEnd; i < total; ++i) {
        const double t = (i - chordEnd) / fs;
        const double phase = kTwoPi * kGlideFromHz * kGlideSeconds *
                             (std::pow(ratio, t / kGlideSeconds) - 1.0) / std::log(ratio);
        mix[i] = 1.5 * envelope(t, kGlideSeconds, 0.05, 0.2) * partialSum(phase, 3);
    }

    double peak = 0.0;
    for (double v : mix)
        peak = std::max(peak, std::abs(v));
    const double scale = peak > 0.0 ? 0.8 * 32767.0 / peak : 0.0;
    std::vector<std::int16_t> out(total);
    std::transform(mix.begin(), mix.end(), out.begin(),
                   [scale](double v) { return static_cast<std::int16_t>(std::lround(v * scale)); });
    return out;
}

bool Write(const std::string& path, std::uint32_t sampleRate)
{
    const std::vector<std::int16_t> samples = Make(sampleRate);
    std::vector<std::uint8_t> bytes;
    bytes.reserve(samples.size() * 2);
    for (std::int16_t s : samples) { // little-endian, as WAV stores them
        const auto u = static_cast<std::uint16_t>(s);
        bytes.push_back(static_cast<std::uint8_t>(u & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(u >> 8));
    }
    const WaveFormat format = MakePcmFormat(1, sampleRate, 16);
    CRiffWaveFile file;
    if (FAILED(file.Open(path, &format, WAVEFILE_WRITE)))
        return false;
    std::size_t written = 0;
    const bool ok = SUCCEEDED(file.Write(bytes.size(), bytes.data(), &written)) && written == bytes.size();
    return SUCCEEDED(file.Close()) && ok;
}

} // namespace DemoSound
