#include "core/nonlinear/SpectrumAlgebra.h"

#include <cmath>
#include <utility>

bool gaussSolve(std::vector<double>& a, std::vector<double>& rhs, int m, std::vector<double>& x)
{
    auto at = [&](int r, int c) -> double& { return a[static_cast<std::size_t>(r) * m + c]; };
    for (int i = 0; i < m - 1; ++i) {
        int pivotRow = i;
        double largest = std::fabs(at(i, i));
        for (int r = i + 1; r < m; ++r) {
            if (std::fabs(at(r, i)) > largest) {
                largest = std::fabs(at(r, i));
                pivotRow = r;
            }
        }
        if (pivotRow != i) {
            for (int c = 0; c < m; ++c)
                std::swap(at(i, c), at(pivotRow, c));
            std::swap(rhs[i], rhs[pivotRow]);
        }
        if (at(i, i) == 0.0)
            return false;
        for (int r = i + 1; r < m; ++r) {
            const double factor = at(r, i) / at(i, i);
            if (factor == 0.0)
                continue;
            for (int c = i; c < m; ++c)
                at(r, c) -= factor * at(i, c);
            rhs[r] -= factor * rhs[i];
        }
    }
    if (at(m - 1, m - 1) == 0.0)
        at(m - 1, m - 1) = 1e-12;
    x.assign(static_cast<std::size_t>(m), 0.0);
    for (int r = m - 1; r >= 0; --r) {
        double s = rhs[r];
        for (int c = r + 1; c < m; ++c)
            s -= at(r, c) * x[c];
        x[r] = s / at(r, r);
    }
    return true;
}

void gramSchmidt(std::vector<std::vector<double>>& vectors, std::vector<double>& factors)
{
    const std::size_t n = vectors.size();
    factors.assign(n, 0.0);
    for (std::size_t k = 0; k < n; ++k) {
        std::vector<double>& v = vectors[k];
        // Projections use the original δ_k (classical Gram-Schmidt), all taken before subtracting.
        std::vector<double> dots(k);
        for (std::size_t j = 0; j < k; ++j) {
            double dot = 0.0;
            for (std::size_t i = 0; i < v.size(); ++i)
                dot += v[i] * vectors[j][i];
            dots[j] = dot;
        }
        for (std::size_t j = 0; j < k; ++j)
            for (std::size_t i = 0; i < v.size(); ++i)
                v[i] -= dots[j] * vectors[j][i];
        double norm2 = 0.0;
        for (double c : v)
            norm2 += c * c;
        factors[k] = std::sqrt(norm2 + 1e-18);
        for (double& c : v)
            c /= factors[k];
    }
}

double kaplanYorkeDimension(std::span<const double> exponents)
{
    double sum = 0.0;
    for (std::size_t j = 0; j < exponents.size(); ++j) {
        sum += exponents[j];
        if (sum < 0.0)
            return static_cast<double>(j) + (sum - exponents[j]) / std::fabs(exponents[j]);
    }
    return static_cast<double>(exponents.size());
}
