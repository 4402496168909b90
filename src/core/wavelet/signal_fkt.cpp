#include "core/wavelet/signal_fkt.h"

#include "core/wavelet/CwtAliasFree.h"
#include "core/wavelet/CwtBuffers.h"
#include "core/wavelet/CwtError.h"
#include "core/wavelet/CwtPlan.h"
#include "core/wavelet/CwtPostProcess.h"
#include "core/wavelet/CwtText.h"
#include "core/wavelet/DataSetWindow.h"
#include "core/wavelet/ScaleGrid.h"

#include <climits>
#include <cmath>

void signal_fkt::parse(const char* rest)
{
    if (*rest != '\0')
        throw CwtError(cwtFormat("The %s wavelet doesn't expect any arguments.\n", m_strName.c_str()));
}

void signal_fkt::discretize(float r, long a, long b, float* out) const
{
    for (long k = a; k < b; ++k)
        out[k - a] = evaluate(static_cast<float>(k) / r);
}

void signal_fkt::diagnose(const std::string& text) const
{
    if (m_diagnostics)
        m_diagnostics(text);
}

void signal_fkt::transform(const CwtPlan& plan, float* out)
{
    transformParts(plan, out, nullptr);
    const size_t count = static_cast<size_t>(plan.rows) * static_cast<size_t>(plan.columns);
    cwtAbsoluteValues(out, count);
    cwtByteScale(out, count);
}

void signal_fkt::transformComplex(const CwtPlan& plan, float* out, bool byteScaled)
{
    std::vector<float> re = allocateCwtArray(plan.rows, plan.columns);
    std::vector<float> im = allocateCwtArray(plan.rows, plan.columns);
    transformParts(plan, re.data(), im.data());
    cwtComplexMagnitudes(re.data(), im.data(), plan.rows, plan.columns, out);
    if (byteScaled)
        cwtByteScale(out, static_cast<size_t>(plan.rows) * static_cast<size_t>(plan.columns));
}

void signal_fkt::transformParts(const CwtPlan& plan, float* re, float* im)
{
    const int part = m_nPart;
    if (plan.fixedResolution) {
        setPart(0);
        transformPart(plan, re);
        if (im) {
            setPart(1);
            transformPart(plan, im);
        }
        setPart(part);
        return;
    }
    CwtWaveletTable table;
    table.pointsPerUnit = cwtTablePointsPerUnit(plan, m_lsupp, m_rsupp);
    table.lsupp = m_lsupp;
    table.rsupp = m_rsupp;
    table.rootC = std::sqrt(m_c);
    const double first = std::floor(static_cast<double>(m_lsupp) * table.pointsPerUnit);
    const double last = std::ceil(static_cast<double>(m_rsupp) * table.pointsPerUnit) + 1.0;
    const double span = last - first + 1.0;
    if (!(span <= static_cast<double>(kCwtMaxArrayFloats)))
        throwCwtAllocationError(1, span < 4e18 ? static_cast<long>(span) : LONG_MAX);
    table.first = static_cast<long>(first);
    const long count = static_cast<long>(last - first) + 1;
    table.re = allocateCwtArray(1, count);
    setPart(0);
    discretize(table.pointsPerUnit, table.first, table.first + count, table.re.data());
    if (im) {
        table.im = allocateCwtArray(1, count);
        setPart(1);
        discretize(table.pointsPerUnit, table.first, table.first + count, table.im.data());
    }
    setPart(part);
    cwtAliasFreeTransform(table, plan, re, im);
}

void signal_fkt::transformPart(const CwtPlan& plan, float* coeff) const
{
    const long n = plan.rows;
    const long m = plan.columns;
    const long N = plan.resolution;
    if (n <= 0 || m <= 0 || N <= 0)
        return;
    const CDataSetWindow& x = *plan.window;
    const CScaleGrid& grid = *plan.grid;

    // The wavelet, sampled once for all scales.
    const float r = static_cast<float>(N) / (m_rsupp - m_lsupp);
    // A support too narrow for single precision (a width of 1e-40) leaves no usable step.
    if (!std::isfinite(r) || !(std::fabs(r * m_lsupp) < 1.0e12f))
        throw CwtError(cwtFormat("Invalid wavelet transform request: the %s wavelet's support is too narrow.\n",
                                 m_strName.c_str()));
    const long o = static_cast<long>(std::trunc(r * m_lsupp));
    std::vector<float> w = allocateCwtArray(1, N);
    discretize(r, o, o + N, w.data());
    const float rootC = std::sqrt(m_c);
    for (float& value : w)
        value /= rootC;
    // Offsets of the sampled points in wavelet time units: lsupp + j / r.
    std::vector<float> u = allocateCwtArray(1, N);
    for (long j = 0; j < N; ++j)
        u[static_cast<size_t>(j)] = m_lsupp + static_cast<float>(j) / r;

    const float step = (plan.endTime - plan.startTime) * plan.rate / static_cast<float>(m);
    const float origin = plan.startTime * plan.rate;
    for (long i = n; i >= 1; --i) {
        const float g = grid.scale(i) * plan.centre;
        const float s = g * plan.rate;
        const float f = std::sqrt(std::fabs(g) * r);
        float* row = coeff + static_cast<size_t>(n - i) * static_cast<size_t>(m);
        for (long k = 0; k < m; ++k) {
            const float p = origin + static_cast<float>(k) * step;
            float sum = 0.0f;
            for (long j = 0; j < N; ++j)
                sum += x.atPosition(p + s * u[static_cast<size_t>(j)]) * w[static_cast<size_t>(j)];
            row[k] = f * sum;
        }
    }
}
