// The geometry of the 3D phase-space reconstruction: the series decimated to at most "Punktzahl"
// values, scaled into the cube of the axes, and the delay points (v_j, v_{j+τ}, v_{j+2τ}) with
// their colours; the three axes. No window, no device: the view hands the vertices on.
#pragma once

#include "core/common/Rgb.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

struct RekoSettings;

// One vertex as the renderer takes it: position and an opaque 0xAARRGGBB colour (16 bytes).
struct RekoVertex
{
    float x = 0, y = 0, z = 0;
    std::uint32_t argb = 0xff000000u;
    friend bool operator==(const RekoVertex&, const RekoVertex&) = default;
};

// How a series of n values is taken apart. With 2τ < n − 1: every step-th value,
// step = 1 if n − 1 ≤ largest, else ceil((n − 1) / largest); m = (n − 1) / step (real);
// trunc(m) scaled values; P = trunc(|m − 2τ|) points, but never more than the scaled values
// hold (j + 2τ < trunc(m)): when m < 2τ, which decimation can bring about though 2τ < n − 1,
// there are none. With 2τ ≥ n − 1 nothing is taken (values = points = 0).
struct RekoDecimation
{
    std::size_t step = 1;
    double m = 0.0;
    std::size_t values = 0;
    std::size_t points = 0;
};
RekoDecimation RekoDecimate(std::size_t n, int tau, int largest);

// v_i = x(i·step) × 2/A for signed samples (−2 … 2), x(i·step) × 2/A − 1 for 8-bit samples
// (0 … 255 → −1 … 1), i = 0 … values − 1; A = fullScale.
std::vector<float> RekoScaledValues(std::span<const double> series, double fullScale, bool bSigned,
                                    const RekoDecimation& decimation);

// Point j = 0 … P − 1 at (v_j, v_{j+τ}, v_{j+2τ}), coloured with the fixed colour or, in rainbow
// mode, with Ramp3DColour(trunc(1663·j / P)): dark red first, near white last. τ, the number
// of points and the colours are taken from settings.
std::vector<RekoVertex> RekoPoints(std::span<const double> series, double fullScale, bool bSigned,
                                   const RekoSettings& settings);

// The three axes as a list of lines: (−2,0,0)–(2,0,0), (0,−2,0)–(0,2,0), (0,0,−2)–(0,0,2), in
// the complement of the background.
std::array<RekoVertex, 6> RekoAxes(const Rgb& background);
