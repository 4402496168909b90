// Test signals shared by the benchmarks.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <numbers>
#include <vector>

// A tone gliding from 200 Hz to 8 kHz over count samples at 44 100 Hz with a little
// deterministic noise, in the 16-bit range.
inline std::vector<double> GlideWithNoise(std::size_t count)
{
    std::vector<double> samples(count);
    std::uint32_t state = 12345u;
    const double seconds = static_cast<double>(count) / 44100.0;
    for (std::size_t k = 0; k < count; ++k) {
        state = state * 1664525u + 1013904223u;
        const double t = static_cast<double>(k) / 44100.0;
        const double phase = 2.0 * std::numbers::pi * (200.0 * t + 7800.0 * t * t / (2.0 * seconds));
        samples[k] = std::trunc(12000.0 * std::sin(phase) + static_cast<double>(state >> 20) - 2048.0);
    }
    return samples;
}
