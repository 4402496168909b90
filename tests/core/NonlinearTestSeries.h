// Series with published invariants for the nonlinear-analysis tests, generated at run time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
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
