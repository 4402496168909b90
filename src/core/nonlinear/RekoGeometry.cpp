#include "core/nonlinear/RekoGeometry.h"

#include "core/nonlinear/RekoSettings.h"
#include "core/spectral/ColourRamp.h"

#include <algorithm>

namespace {

std::uint32_t Argb(const Rgb& c)
{
    return 0xff000000u | (std::uint32_t{c.red} << 16) | (std::uint32_t{c.green} << 8) | c.blue;
}

} // namespace

RekoDecimation RekoDecimate(std::size_t n, int tau, int largest)
{
    RekoDecimation d;
    const std::size_t twoTau = 2 * static_cast<std::size_t>(std::max(tau, 0));
    if (n < 1 || twoTau >= n - 1)
        return d;
    const std::size_t span = n - 1;
    const auto most = static_cast<std::size_t>(std::max(largest, 1));
    d.step = span <= most ? 1 : (span + most - 1) / most;
    d.m = static_cast<double>(span) / static_cast<double>(d.step);
    d.values = static_cast<std::size_t>(d.m);
    // For m > 2τ, trunc(m − 2τ) = trunc(m) − 2τ since 2τ is whole; below, none (see the header).
    d.points = d.values > twoTau ? d.values - twoTau : 0;
    return d;
}

std::vector<float> RekoScaledValues(std::span<const double> series, double fullScale, bool bSigned,
                                    const RekoDecimation& d)
{
    std::vector<float> v(d.values);
    const double k = 2.0 / fullScale;
    const double offset = bSigned ? 0.0 : -1.0;
    for (std::size_t i = 0; i < d.values; ++i)
        v[i] = static_cast<float>(series[i * d.step] * k + offset);
    return v;
}

std::vector<RekoVertex> RekoPoints(std::span<const double> series, double fullScale, bool bSigned,
                                   const RekoSettings& settings)
{
    const RekoDecimation d = RekoDecimate(series.size(), settings.nTau, settings.nNumRekoPoints);
    const std::vector<float> v = RekoScaledValues(series, fullScale, bSigned, d);
    const auto tau = static_cast<std::size_t>(std::max(settings.nTau, 0));
    const std::uint32_t fixed = Argb(settings.clrFixed);
    std::vector<RekoVertex> points(d.points);
    for (std::size_t j = 0; j < d.points; ++j) {
        std::uint32_t argb = fixed;
        if (settings.bIsBunt)
            argb = Argb(Ramp3DColour(
                static_cast<int>(1663.0 * static_cast<double>(j) / static_cast<double>(d.points))));
        points[j] = {v[j], v[j + tau], v[j + 2 * tau], argb};
    }
    return points;
}

std::array<RekoVertex, 6> RekoAxes(const Rgb& background)
{
    const std::uint32_t c = Argb(RekoAxisColour(background));
    return {{{-2, 0, 0, c}, {2, 0, 0, c}, {0, -2, 0, c}, {0, 2, 0, c}, {0, 0, -2, c}, {0, 0, 2, c}}};
}
