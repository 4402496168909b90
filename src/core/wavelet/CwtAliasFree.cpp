#include "core/wavelet/CwtAliasFree.h"

#include "core/common/AbortToken.h"
#include "core/wavelet/CwtBuffers.h"
#include "core/wavelet/CwtPlan.h"
#include "core/wavelet/DataSetWindow.h"
#include "core/wavelet/ScaleGrid.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Four floats at a time, two vectors per step (SSE on x86-64, NEON on ARM).
typedef float Lanes __attribute__((vector_size(16)));
constexpr long kLanes = 4;

Lanes load(const float* p)
{
    Lanes v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

float sum(Lanes v)
{
    return (v[0] + v[1]) + (v[2] + v[3]);
}

// Σ x[j]·a[j] into sa and, when b is given, Σ x[j]·b[j] into sb, for j = 0 … count − 1.
void dot(const float* x, const float* a, const float* b, long count, float& sa, float& sb)
{
    Lanes a0 = {}, a1 = {}, b0 = {}, b1 = {};
    long j = 0;
    if (b) {
        for (; j + 2 * kLanes <= count; j += 2 * kLanes) {
            const Lanes x0 = load(x + j), x1 = load(x + j + kLanes);
            a0 += x0 * load(a + j);
            a1 += x1 * load(a + j + kLanes);
            b0 += x0 * load(b + j);
            b1 += x1 * load(b + j + kLanes);
        }
    } else {
        for (; j + 2 * kLanes <= count; j += 2 * kLanes) {
            a0 += load(x + j) * load(a + j);
            a1 += load(x + j + kLanes) * load(a + j + kLanes);
        }
    }
    sa = sum(a0 + a1);
    sb = sum(b0 + b1);
    for (; j < count; ++j) {
        sa += x[j] * a[j];
        if (b)
            sb += x[j] * b[j];
    }
}

// ψ at u (wavelet time units) from the table, linearly interpolated; 0 outside it.
float tableValue(const std::vector<float>& values, const CwtWaveletTable& table, double u)
{
    const double pos = u * static_cast<double>(table.pointsPerUnit) - static_cast<double>(table.first);
    if (!(pos >= 0.0) || pos > static_cast<double>(values.size() - 1))
        return 0.0f;
    const auto k = static_cast<size_t>(pos);
    if (k + 1 >= values.size())
        return values[k];
    const auto frac = static_cast<float>(pos - static_cast<double>(k));
    return values[k] + frac * (values[k + 1] - values[k]);
}

} // namespace

float cwtTablePointsPerUnit(const CwtPlan& plan, float lsupp, float rsupp)
{
    const CScaleGrid& grid = *plan.grid;
    const float largest = std::max(std::fabs(grid.scale(1)), std::fabs(grid.scale(grid.count())));
    const float samples = largest * std::fabs(plan.centre) * plan.rate;
    return std::max(samples, static_cast<float>(plan.resolution) / (rsupp - lsupp));
}

void cwtAliasFreeTransform(const CwtWaveletTable& table, const CwtPlan& plan, float* re, float* im)
{
    const long n = plan.rows;
    const long m = plan.columns;
    const long N = plan.resolution;
    if (n <= 0 || m <= 0 || N <= 0)
        return;
    const CDataSetWindow& x = *plan.window;
    const float width = table.rsupp - table.lsupp;
    const float step = (plan.endTime - plan.startTime) * plan.rate / static_cast<float>(m);
    const float origin = plan.startTime * plan.rate;
    const bool complex = im != nullptr && !table.im.empty();
    std::vector<float> wre, wim;

    for (long i = n; i >= 1; --i) {
        if (plan.abort && plan.abort->isRaised())
            return;
        const double s = static_cast<double>(plan.grid->scale(i) * plan.centre * plan.rate);
        const size_t row = static_cast<size_t>(n - i) * static_cast<size_t>(m);
        // The samples whose interval [o − ½, o + ½] meets the support, each read once; its weight
        // is ψ averaged over the interval at K points, K·|s|·(rsupp − lsupp) ≥ N points in all.
        const double a = s * table.lsupp, b = s * table.rsupp;
        const long lo = static_cast<long>(std::ceil(std::min(a, b) - 0.5));
        const long count = static_cast<long>(std::floor(std::max(a, b) + 0.5)) - lo + 1;
        const double spanned = std::fabs(s) * width;
        const long K = spanned >= static_cast<double>(N) ? 1 : static_cast<long>(std::ceil(N / spanned));
        if (cwtArrayTooLarge(3, count) || cwtArrayTooLarge(count, K))
            throwCwtAllocationError(count, K);
        const auto size = static_cast<size_t>(count);
        wre.assign(size, 0.0f);
        wim.assign(complex ? size : 0, 0.0f);
        const double norm = 1.0 / (std::fabs(s) * static_cast<double>(K) * static_cast<double>(table.rootC));
        for (size_t j = 0; j < size; ++j) {
            double sumRe = 0.0, sumIm = 0.0;
            for (long q = 0; q < K; ++q) {
                const double t = static_cast<double>(lo + static_cast<long>(j)) - 0.5 + (q + 0.5) / K;
                sumRe += tableValue(table.re, table, t / s);
                if (complex)
                    sumIm += tableValue(table.im, table, t / s);
            }
            wre[j] = static_cast<float>(sumRe * norm);
            if (complex)
                wim[j] = static_cast<float>(sumIm * norm);
        }

        for (long k = 0; k < m; ++k) {
            const float p = origin + static_cast<float>(k) * step;
            const long first = static_cast<long>(p) + lo;
            float sumRe = 0.0f, sumIm = 0.0f;
            if (first >= x.begin() && first + count <= x.end()) {
                dot(x.data() + (first - x.begin()), wre.data(), complex ? wim.data() : nullptr, count, sumRe, sumIm);
            } else {
                for (long j = 0; j < count; ++j) {
                    const float v = x.at(first + j);
                    sumRe += v * wre[static_cast<size_t>(j)];
                    if (complex)
                        sumIm += v * wim[static_cast<size_t>(j)];
                }
            }
            re[row + static_cast<size_t>(k)] = sumRe;
            if (complex)
                im[row + static_cast<size_t>(k)] = sumIm;
        }
    }
}
