// The Lyapunov spectrum of MaxLyapunov: local affine models fitted to the nearest neighbours
// along the trajectory move a set of tangent vectors; Gram-Schmidt gives the stretching factors.
#include "core/nonlinear/DigitText.h"
#include "core/nonlinear/LyapunovRandom.h"
#include "core/nonlinear/MaxLyapunov.h"
#include "core/nonlinear/SpectrumAlgebra.h"
#include "core/nonlinear/SpectrumNeighbours.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::uint32_t kRandomSeed = 623426;
constexpr int kRandomWarmUp = 10000; // draws discarded before the tangent vectors are filled

// The affine one-step model x(n + d) ≈ a_c + Σ_k a_k·x(n − k·d), fitted by least squares.
struct LocalModel
{
    double constant = 0.0;
    std::vector<double> coefficients;
};

} // namespace

SpectrumResult MaxLyapunov::computeSpectrum(std::span<double> x, long long iterations)
{
    const SpectrumParameters& p = m_spectrum;
    SpectrumResult result;
    const long long L = static_cast<long long>(x.size());
    // Counts below their smallest meaningful value are raised to it.
    const int E = std::max(p.embeddingDimension, 1);
    const int d = std::max(p.delay, 1);
    const long long nMin = std::max(p.minNeighbours, 1);
    const double growth = (p.growth > 1.0 && std::isfinite(p.growth)) ? p.growth : 1.2;
    const int N = E; // one component
    result.exponentCount = N;
    result.delay = d;
    result.iterations = iterations;

    // 1. Length.
    const long double reach = static_cast<long double>(E - 1) * d;
    if (static_cast<long double>(L) - reach - 1 < static_cast<long double>(nMin)) {
        fail(kSeriesTooShortMessage);
        return result;
    }
    const long long first = static_cast<long long>(reach);

    // 2. Rescale; the standard deviation of the rescaled series must not be 0.
    double minimum = 0.0;
    double range = 0.0;
    rescale_data(x, minimum, range);
    const double largestRange = range;
    double mean = 0.0;
    double meanSquares = 0.0;
    for (double v : x) {
        mean += v;
        meanSquares += v * v;
    }
    mean /= static_cast<double>(L);
    meanSquares /= static_cast<double>(L);
    if (std::sqrt(std::fabs(meanSquares - mean * mean)) == 0.0)
        fail(kZeroVarianceMessage);

    // 3. Reverse in time on request.
    if (p.reverse)
        std::reverse(x.begin(), x.end());

    // 4. Starting radius (relative to the data range).
    double meanRadius = 0.001;
    if (p.radiusGiven && largestRange > 0.0)
        meanRadius = p.startRadius / largestRange;

    // 5. Work areas.
    const long long last = std::min(iterations, L - d);
    result.last = last;
    result.firstReference = first;
    const long long rowsMax = std::max(0LL, last - first);
    SpectrumNeighbours search(x, E, d, static_cast<std::size_t>(first), static_cast<std::size_t>(L - d));
    std::vector<std::uint32_t> used;
    std::vector<std::vector<double>> tangents;
    std::vector<double> factors, lambda, matrix, inverse, rhs, solution, b, errors;
    bool ok = search.allocate(*this) && check_alloc(tangents, static_cast<std::size_t>(N))
              && check_alloc(lambda, static_cast<std::size_t>(N), 0.0)
              && check_alloc(matrix, static_cast<std::size_t>(N + 1) * (N + 1), 0.0)
              && check_alloc(inverse, static_cast<std::size_t>(N + 1) * (N + 1), 0.0)
              && check_alloc(errors, 1, 0.0) && check_alloc(result.rows, static_cast<std::size_t>(rowsMax));
    for (std::size_t k = 0; ok && k < tangents.size(); ++k)
        ok = check_alloc(tangents[k], static_cast<std::size_t>(N), 0.0);
    for (std::size_t r = 0; ok && r < result.rows.size(); ++r)
        ok = check_alloc(result.rows[r], static_cast<std::size_t>(N), 0.0);
    if (!ok) {
        result.rows.clear();
        return result;
    }

    // 6. Random tangent vectors, orthonormalised once.
    LyapunovRandom random(kRandomSeed);
    for (int i = 0; i < kRandomWarmUp; ++i)
        random.next();
    for (auto& t : tangents)
        for (double& v : t)
            v = static_cast<double>(random.next()) * 0x1p-32;
    gramSchmidt(tangents, factors);

    // 7./8. Along the trajectory.
    long long c = 0;
    double radiusSum = 0.0;
    double neighbourSum = 0.0;
    LocalModel model;
    model.coefficients.assign(static_cast<std::size_t>(N), 0.0);
    const int m = N + 1; // size of the normal equations
    std::vector<double> v(static_cast<std::size_t>(m));
    bool stopped = m_abort.isRaised(); // an earlier error ends the run before the first point
    for (long long n = first; n < last && !stopped; ++n) {
        // a. Local model at n.
        c += 1;
        const double eps = search.search(static_cast<std::size_t>(n), meanRadius, growth, 0.001,
                                         static_cast<std::size_t>(nMin), used);
        neighbourSum += static_cast<double>(used.size());
        radiusSum += eps;
        meanRadius = radiusSum / static_cast<double>(c);
        if (static_cast<long long>(used.size()) < nMin)
            fail(kNotEnoughNeighboursMessage);

        // Normal equations: A = mean of v(j)·v(j)ᵀ, b = mean of x(j + d)·v(j),
        // v(j) = (1, x[j], x[j − d], …, x[j − (N − 1)·d]).
        std::fill(matrix.begin(), matrix.end(), 0.0);
        b.assign(static_cast<std::size_t>(m), 0.0);
        for (std::uint32_t j : used) {
            v[0] = 1.0;
            for (int k = 0; k < N; ++k)
                v[static_cast<std::size_t>(k) + 1] = x[j - static_cast<std::size_t>(k) * d];
            const double next = x[j + static_cast<std::size_t>(d)];
            for (int r = 0; r < m; ++r) {
                for (int col = 0; col < m; ++col)
                    matrix[static_cast<std::size_t>(r) * m + col] += v[r] * v[col];
                b[r] += next * v[r];
            }
        }
        const double count = static_cast<double>(used.size());
        for (double& a : matrix)
            a /= count;
        for (double& a : b)
            a /= count;

        // A⁻¹ column by column: A·x = e_i.
        for (int i = 0; i < m && !m_abort.isRaised(); ++i) {
            std::vector<double> a = matrix;
            rhs.assign(static_cast<std::size_t>(m), 0.0);
            rhs[i] = 1.0;
            if (!gaussSolve(a, rhs, m, solution)) {
                fail(kSingularMessage);
                break;
            }
            for (int r = 0; r < m; ++r)
                inverse[static_cast<std::size_t>(r) * m + i] = solution[r];
        }
        if (!m_abort.isRaised()) {
            model.constant = 0.0;
            for (int i = 0; i < m; ++i)
                model.constant += inverse[static_cast<std::size_t>(i)] * b[i];
            for (int k = 0; k < N; ++k) {
                double a = 0.0;
                for (int i = 0; i < m; ++i)
                    a += b[i] * inverse[static_cast<std::size_t>(k + 1) * m + i];
                model.coefficients[k] = a;
            }
            double predicted = model.constant;
            for (int k = 0; k < N; ++k)
                predicted += model.coefficients[k] * x[static_cast<std::size_t>(n) - static_cast<std::size_t>(k) * d];
            const double error = predicted - x[static_cast<std::size_t>(n + d)];
            errors[0] += error * error;
        }
        if (m_abort.isRaised())
            break;

        // b. Tangent vectors one step on: the new first entry is the model applied to the
        // vector, the others shift one delay back.
        for (auto& t : tangents) {
            double first0 = 0.0;
            for (int k = 0; k < N; ++k)
                first0 += model.coefficients[k] * t[k];
            for (int k = N - 1; k >= 1; --k)
                t[k] = t[k - 1];
            t[0] = first0;
        }
        if (m_abort.isRaised())
            break;

        // c. Orthonormalise; d. accumulate the logarithms (per sample: the model step is d).
        gramSchmidt(tangents, factors);
        if (m_abort.isRaised())
            break;
        std::vector<double>& row = result.rows[static_cast<std::size_t>(c - 1)];
        for (int k = 0; k < N; ++k) {
            lambda[k] += std::log(factors[k]) / d;
            row[k] = lambda[k] / static_cast<double>(c);
        }
        result.rowCount = c;

        // e. Checkpoint; f. progress.
        if (n % 50 == 0 && checkpoint(n))
            break;
        if (c > 10 && m_callbacks.onSpectrumProgress)
            m_callbacks.onSpectrumProgress(result);
    }

    if (c > 0) {
        result.meanNeighbours = neighbourSum / static_cast<double>(c);
        result.meanRadius = largestRange * radiusSum / static_cast<double>(c);
    }
    result.predictionErrors = errors;
    if (result.rowCount > 0)
        result.exponents = result.rows[static_cast<std::size_t>(result.rowCount - 1)];

    // 9. Kaplan-Yorke dimension, only after a run that was not stopped.
    if (!m_abort.isRaised()) {
        result.completed = true;
        result.kaplanYorke = kaplanYorkeDimension(lambda);
        // The label announces the number of nearest neighbours; it gets the mean number of
        // neighbours per reference point (the mean radius is in meanRadius).
        result.kaplanYorkeText = "Kaplan-Yorke-Dimension:" + formatSignificant(result.kaplanYorke, 4)
                                 + "\nAnzahl nächster Nachbarn: ~" + formatSignificant(result.meanNeighbours, 4);
    }
    return result;
}
