// Series with published invariants for the nonlinear-analysis tests, generated at run time, and
// the engines run on them.
#pragma once

#include "core/nonlinear/MaxLyapunov.h"

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

// x of the Hénon map x_{n+1} = 1 − 1.4·x_n² + y_n, y_{n+1} = 0.3·x_n from (0.1, 0.1), after
// 1000 discarded steps. Lyapunov exponents 0.419 and −1.62 per step (sum ln 0.3),
// Kaplan-Yorke dimension 1.26, correlation dimension 1.21–1.25.
inline std::vector<double> henonSeries(std::size_t n)
{
    std::vector<double> out(n + 1000);
    double x = 0.1, y = 0.1;
    for (double& v : out)
        v = x = 1.0 - 1.4 * x * x + std::exchange(y, 0.3 * x);
    return {out.begin() + 1000, out.end()};
}

// The logistic map x_{n+1} = 4·x_n·(1 − x_n) after 100 discarded steps: Lyapunov exponent ln 2.
inline std::vector<double> logisticSeries(std::size_t n)
{
    std::vector<double> out(n + 100);
    double x = 0.3141592653;
    for (double& v : out)
        v = x = 4.0 * x * (1.0 - x);
    return {out.begin() + 100, out.end()};
}

// Independent uniform values in [0, 1) from a fixed seed (mt19937 is the same everywhere).
inline std::vector<double> uniformNoise(std::size_t n, std::uint32_t seed = 12345)
{
    std::mt19937 gen(seed);
    std::vector<double> out(n);
    for (double& v : out)
        v = static_cast<double>(gen()) / 4294967296.0;
    return out;
}

// Engine runs with their messages collected; the series is copied (the engine rescales it).
struct Engine
{
    AbortToken abort;
    std::vector<std::string> messages;
    NonlinearCallbacks callbacks{[this](const std::string& t) { messages.push_back(t); }, {}, {}, {}, {}};

    CorrelationResult d2(std::vector<double> x, long long pairs, int maxDim, int delay, int radii, double epsMin,
                         double epsMax, int exclusion = 0)
    {
        MaxLyapunov e(abort, callbacks);
        e.setCorrelationParameters(pairs, maxDim, delay, radii, epsMin, epsMax);
        e.correlationParameters().exclusion = exclusion;
        return e.computeCorrelationDimensions(x);
    }
    MaxExponentResult lmax(std::vector<double> x, unsigned steps, unsigned maxDim, unsigned minDim, unsigned delay,
                           unsigned radii, double epsMin, double epsMax, std::size_t refs, bool absolute = false)
    {
        MaxLyapunov e(abort, callbacks);
        e.setMaxExponentParameters(steps, maxDim, minDim, delay, radii, epsMin, epsMax, refs);
        e.maxExponentParameters().epsMinAbsolute = e.maxExponentParameters().epsMaxAbsolute = absolute;
        return e.computeMaxExponent(x);
    }
    SpectrumResult spectrum(std::vector<double> x, int dim, int delay, int neighbours, long long iterations)
    {
        MaxLyapunov e(abort, callbacks);
        e.setSpectrumParameters(dim, delay, neighbours, 0.001);
        return e.computeSpectrum(x, iterations);
    }
};
