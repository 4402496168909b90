#include "core/wavelet/wavelet_bspline.h"

#include "core/wavelet/CwtBuffers.h"
#include "core/wavelet/CwtError.h"
#include "core/wavelet/CwtText.h"
#include "core/wavelet/WaveletArguments.h"

#include <cmath>

void wavelet_bspline::init()
{
    m_c = 1.0f;
    m_lsupp = -1.0f;
    m_rsupp = 1.0f;
    m_strName = "B-Spline";
    m_arWidths.clear();
}

void wavelet_bspline::parse(const char* rest)
{
    const WaveletArguments args = parseWaveletArguments(rest);
    if (args.none)
        throw CwtError("At least one window width argument is required for the B-spline wavelet.\n");
    const std::string refusal = cwtFormat(
        "B-Spline wavelet accepts a comma separated list of positive floats, but not <%s>\n", args.text.c_str());
    if (!args.wellFormed)
        throw CwtError(refusal);
    std::vector<float> widths;
    float sum = 0.0f;
    for (double value : args.values) {
        const float width = static_cast<float>(value);
        if (!(width > 0.0f) || !std::isfinite(width))
            throw CwtError(refusal);
        widths.push_back(width);
        sum += width;
    }
    const float rsupp = sum / 2.0f;
    if (!std::isfinite(rsupp) || !(rsupp > 0.0f))
        throw CwtError(refusal);
    m_arWidths = std::move(widths);
    m_rsupp = rsupp;
    m_lsupp = -rsupp;
    diagnose(cwtFormat("B-Spline: lsupp %g, rsupp %g\n", static_cast<double>(m_lsupp), static_cast<double>(m_rsupp)));
}

float wavelet_bspline::evaluate(float /*t*/) const
{
    throw CwtError("wavelet_bspline::evaluate is not implemented - use wavelet_bspline::discretize instead\n");
}

std::vector<float> wavelet_bspline::kernel(float h) const
{
    std::vector<float> current{1.0f};
    const float step = std::fabs(h);
    for (float width : m_arWidths) {
        const float points = std::ceil(width / step);
        const long length = static_cast<long>(current.size());
        // A step too fine for the width (or not a number) asks for more than any array holds.
        if (!(points >= 1.0f && points <= static_cast<float>(kCwtMaxArrayFloats)))
            throwCwtAllocationError(1, length + kCwtMaxArrayFloats);
        const long L = static_cast<long>(points);
        std::vector<float> next = allocateCwtArray(1, length + L - 1);
        // Running sum over the old entries j − L + 1 … j; in double so that adding and
        // removing entries leaves no drift along a long kernel.
        double sum = 0.0;
        for (long j = 0; j < length + L - 1; ++j) {
            if (j < length)
                sum += current[static_cast<size_t>(j)];
            if (j >= L)
                sum -= current[static_cast<size_t>(j - L)];
            next[static_cast<size_t>(j)] = static_cast<float>(sum / static_cast<double>(L));
        }
        current = std::move(next);
    }
    return current;
}

void wavelet_bspline::discretize(float r, long a, long b, float* out) const
{
    const float h = 1.0f / r;
    const std::vector<float> envelope = kernel(h);
    const long c0 = static_cast<long>(envelope.size()) / 2;
    for (long k = a; k < b; ++k) {
        float value = 0.0f;
        if (-c0 < k && k < c0) {
            const float phase = kCwtTwoPi * static_cast<float>(k) * h;
            const float carrier = m_nPart == 0 ? std::cos(phase) : std::sin(phase);
            value = envelope[static_cast<size_t>(k + c0 - 1)] * carrier;
        }
        out[k - a] = value;
    }
}
