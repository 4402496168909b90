#include "core/wavelet/Cwt.h"

#include "core/wavelet/CwtBuffers.h"
#include "core/wavelet/CwtError.h"
#include "core/wavelet/CwtPlan.h"
#include "core/wavelet/CwtText.h"
#include "core/wavelet/DataSetWindow.h"
#include "core/wavelet/ScaleGrid.h"
#include "core/wavelet/WaveletCentre.h"
#include "core/wavelet/WaveletFactory.h"

#include <cmath>
#include <cstdio>

namespace {

// Sample indices beyond ±2^40 can never lie in an array the engine allocates; keeping every
// index within it leaves room for the differences and sums of the window arithmetic.
constexpr double kIndexLimit = 1099511627776.0; // 2^40

void throwInvalid(const char* what)
{
    throw CwtError(cwtFormat("Invalid wavelet transform request: %s.\n", what));
}

// floor or ceil of a float as an index; values outside ±2^40 are reported by the caller.
bool toIndex(double value, long* index)
{
    if (!(value > -kIndexLimit && value < kIndexLimit))
        return false;
    *index = static_cast<long>(value);
    return true;
}

} // namespace

CCwt::CCwt()
    : m_diagnostics([](const std::string& text) { std::fputs(text.c_str(), stderr); })
{
}

void CCwt::diagnose(const std::string& text) const
{
    if (m_diagnostics)
        m_diagnostics(text);
}

bool CCwt::Transform(const double* series, size_t count, std::vector<float>& out)
{
    const CwtRequest& req = m_request;
    if (req.method != 0)
        return false;
    if (!std::isfinite(req.rate) || !std::isfinite(req.startTime) || !std::isfinite(req.endTime))
        throwInvalid("times and sampling rate must be finite numbers");
    if (!std::isfinite(req.scaleLow) || !std::isfinite(req.scaleHigh) || req.scaleLow == 0.0f ||
        req.scaleHigh == 0.0f)
        throwInvalid("scales must be finite and not 0");
    if (req.resolution < 1)
        throwInvalid("the wavelet resolution must be at least 1");

    // 1. Sample range and column count.
    long first = 0;
    long end = 0;
    if (!toIndex(std::floor(req.startTime * req.rate), &first) || !toIndex(std::ceil(req.endTime * req.rate), &end))
        throwCwtAllocationError(1, static_cast<long>(kIndexLimit));
    const long n = req.rows;
    const long m = req.keepColumns == 0 ? end - first : req.columns;
    if (cwtArrayTooLarge(n, m))
        throwCwtAllocationError(n, m);

    // 2. The wavelet and its arguments.
    size_t nameLength = 0;
    std::unique_ptr<signal_fkt> wavelet = createWavelet(req.wavelet, &nameLength);
    if (!wavelet)
        return false;
    wavelet->init();
    wavelet->setDiagnostics(m_diagnostics);
    wavelet->parse(req.wavelet.c_str() + nameLength);
    const float lsupp = wavelet->lsupp();
    const float rsupp = wavelet->rsupp();
    if (!std::isfinite(lsupp) || !std::isfinite(rsupp) || !(rsupp > lsupp))
        throwInvalid("the wavelet support is empty or not finite");
    if (m_strCentreOf != req.wavelet) {
        m_fCentre = waveletCentreFrequency(*wavelet);
        m_strCentreOf = req.wavelet;
    }
    const float centre = m_fCentre;

    // 3. The data-set window, reaching as far beyond [first, end) as the largest scale needs
    // (f_c ≤ 1, so the wavelet's scales f_c·g never exceed the grid's).
    const float S = std::fmax(req.scaleLow, req.scaleHigh) * req.rate;
    const float lower = S >= 0.0f ? S * lsupp : S * rsupp;
    const float upper = S >= 0.0f ? S * rsupp : S * lsupp;
    long bmin = 0;
    long bmax = 0;
    if (!toIndex(std::floor(lower), &bmin) || !toIndex(std::ceil(upper), &bmax))
        throwCwtAllocationError(1, static_cast<long>(kIndexLimit));
    const long windowBegin = first + bmin;
    const long windowEnd = end + bmax;
    const long size = windowEnd > windowBegin ? windowEnd - windowBegin : 0;
    if (cwtArrayTooLarge(1, size))
        throwCwtAllocationError(1, size);
    const CDataSetWindow window(series, count, windowBegin, windowEnd);
    diagnose(cwtFormat("size %ld\n", window.size()));
    diagnose(cwtFormat("leadingzeros %ld, skipdata %ld\n", window.leadingZeros(), window.skipData()));
    diagnose(cwtFormat("bmin %ld, bmax %ld, sparebegin %ld, spareend %ld\n", bmin, bmax, first - windowBegin,
                       windowEnd - end));

    // 4. Scale grid, transform and post-processing, then n and m in front.
    const CScaleGrid grid(req.scaleLow, req.scaleHigh, n, req.division);
    if (!grid.allFinite())
        throwInvalid("the scale grid is not finite (scales of opposite signs?)");
    std::vector<float> values = allocateCwtArray(n, m);
    CwtPlan plan;
    plan.window = &window;
    plan.grid = &grid;
    plan.rows = n;
    plan.columns = m;
    plan.resolution = req.resolution;
    plan.fixedResolution = req.fixedResolution;
    plan.centre = centre;
    plan.abort = m_pAbort;
    plan.startTime = req.startTime;
    plan.endTime = req.endTime;
    plan.rate = req.rate;
    wavelet->transform(plan, values.data());

    std::vector<float> result;
    result.reserve(values.size() + 2);
    result.push_back(static_cast<float>(n));
    result.push_back(static_cast<float>(m));
    result.insert(result.end(), values.begin(), values.end());
    out = std::move(result);

    m_bLastComplex = wavelet->isComplex();
    m_arRowScales.resize(static_cast<size_t>(n));
    for (long q = 0; q < n; ++q)
        m_arRowScales[static_cast<size_t>(q)] = grid.scale(m_bLastComplex ? q + 1 : n - q);
    diagnose("\n----------------------------\n");
    return true;
}

bool CCwt::Transform(const std::vector<double>& series, float startTime, float duration, float rate,
                     std::vector<std::int32_t>& out)
{
    m_request.startTime = startTime;
    m_request.endTime = startTime + duration;
    m_request.rate = rate;
    std::vector<float> values;
    if (!Transform(series.data(), series.size(), values))
        return false;
    out.resize(values.size());
    for (size_t k = 0; k < values.size(); ++k)
        out[k] = cwtElementFromValue(values[k]);
    return true;
}
