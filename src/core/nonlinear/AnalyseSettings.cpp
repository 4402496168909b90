#include "core/nonlinear/AnalyseSettings.h"

#include "core/nonlinear/MaxLyapunov.h"
#include "core/nonlinear/NonlinearReport.h"
#include "core/profiles/ProfileSettings.h"

#include <algorithm>
#include <sstream>

namespace {

// One parameter of one set and its profile key (a member of ProfileSettings).
struct IntKey
{
    int mode;
    int AnalyseParameters::*field;
    int ProfileSettings::*key;
};
struct DoubleKey
{
    int mode;
    double AnalyseParameters::*field;
    double ProfileSettings::*key;
};

using P = AnalyseParameters;
using S = ProfileSettings;

constexpr IntKey kIntKeys[] = {
    {kAnalyseSpectrum, &P::minDimension, &S::IniAnalyseDimLya},
    {kAnalyseSpectrum, &P::tau, &S::IniAnalyseTauLya},
    {kAnalyseSpectrum, &P::radii, &S::IniAnalyseNumberOfLya},
    {kAnalyseSpectrum, &P::iterations, &S::IniAnalyseIterLya},
    {kAnalyseSpectrum, &P::points, &S::IniAnalyseNumPointsLya},
    {kAnalyseSpectrum, &P::maxDimension, &S::IniAnalyseMaxDimLya},
    {kAnalyseMaxExponent, &P::points, &S::IniAnalyseNumPointsLyaMax},
    {kAnalyseMaxExponent, &P::steps, &S::IniAnalyseIterLyaMax},
    {kAnalyseMaxExponent, &P::radii, &S::IniAnalyseNumberOfLyaMax},
    {kAnalyseMaxExponent, &P::tau, &S::IniAnalyseTauLyaMax},
    {kAnalyseMaxExponent, &P::minDimension, &S::IniAnalyseMinDimDoneMaxLya},
    {kAnalyseMaxExponent, &P::maxDimension, &S::IniAnalyseMaxDimDoneMaxLya},
    {kAnalyseMaxExponent, &P::iterations, &S::IniAnalyseReferenzLyaMax},
    {kAnalyseCorrelation, &P::minDimension, &S::IniAnalyseDimKorr},
    {kAnalyseCorrelation, &P::points, &S::IniAnalyseNumPointsKorr},
    {kAnalyseCorrelation, &P::radii, &S::IniAnalyseNumberOfKorr},
    {kAnalyseCorrelation, &P::tau, &S::IniAnalyseTauKorr},
    {kAnalyseCorrelation, &P::maxDimension, &S::IniAnalyseMaxDimKorr},
    {kAnalyseCorrelation, &P::iterations, &S::IniAnalyseIterKorr},
};

constexpr DoubleKey kDoubleKeys[] = {
    {kAnalyseSpectrum, &P::radiusMin, &S::IniAnalyseRadiusMinLya},
    {kAnalyseMaxExponent, &P::radiusMin, &S::IniAnalyseRadiusMinLyaMax},
    {kAnalyseMaxExponent, &P::radiusMax, &S::IniAnalyseRadiusMaxLyaMax},
    {kAnalyseCorrelation, &P::radiusMin, &S::IniAnalyseRadiusMinKorr},
    {kAnalyseCorrelation, &P::radiusMax, &S::IniAnalyseRadiusMaxKorr},
};

unsigned AtLeast(int value, int lo)
{
    return static_cast<unsigned>(std::max(value, lo));
}

} // namespace

int AnalyseRadiiSliderMax(int mode)
{
    return mode == kAnalyseSpectrum ? 500 : mode == kAnalyseMaxExponent ? 100 : 300;
}

int SetAnalyseMinDimension(AnalyseParameters& p, int value)
{
    p.minDimension = std::max(std::min(value, p.maxDimension), 2);
    return p.minDimension;
}

int SetAnalyseMaxDimension(AnalyseParameters& p, int value)
{
    p.maxDimension = std::max(value, 2);
    p.minDimension = std::min(p.minDimension, p.maxDimension);
    return p.maxDimension;
}

int SetAnalyseIterations(AnalyseParameters& p, int value)
{
    p.iterations = std::min(value, p.points);
    return p.iterations;
}

int SetAnalyseRadii(AnalyseParameters& p, int mode, int value)
{
    value = std::min(value, p.points);
    if (mode == kAnalyseCorrelation)
        value = std::min(value, 300);
    p.radii = value;
    return value;
}

int SetAnalysePoints(AnalyseParameters& p, int value)
{
    p.points = value;
    p.radii = std::min(p.radii, value);
    p.iterations = std::min(p.iterations, value);
    return value;
}

AnalyseSettings AnalyseSettingsFromProfile(const ProfileSettings& profile)
{
    AnalyseSettings s;
    s.mode = std::clamp(profile.IniAnalyseWhatIs, 0, 2);
    for (const IntKey& k : kIntKeys)
        s.sets[static_cast<std::size_t>(k.mode)].*k.field = profile.*k.key;
    for (const DoubleKey& k : kDoubleKeys)
        s.sets[static_cast<std::size_t>(k.mode)].*k.field = profile.*k.key;
    return s;
}

void StoreAnalyseSettings(const AnalyseSettings& s, ProfileSettings& profile)
{
    profile.IniAnalyseWhatIs = s.mode;
    for (const IntKey& k : kIntKeys)
        profile.*k.key = s.sets[static_cast<std::size_t>(k.mode)].*k.field;
    for (const DoubleKey& k : kDoubleKeys)
        profile.*k.key = s.sets[static_cast<std::size_t>(k.mode)].*k.field;
}

AnalyseRunResult RunAnalyse(int mode, const AnalyseParameters& parameters, const std::vector<double>& series,
                            AbortToken& abort, const NonlinearCallbacks& callbacks)
{
    AnalyseRunResult out;
    out.mode = mode;
    AnalyseParameters& p = out.used;
    p = parameters;
    if (p.points < 0 || static_cast<std::size_t>(p.points) > series.size())
        p.points = static_cast<int>(series.size());
    // The engine rescales its buffer in place: it gets a copy of the leading points.
    std::vector<double> buffer(series.begin(), series.begin() + p.points);
    MaxLyapunov engine(abort, callbacks);
    switch (mode) {
    case kAnalyseSpectrum:
        if (p.radii == 0)
            p.radii = 30;
        if (p.iterations == 0)
            p.iterations = 1000;
        engine.setSpectrumParameters(std::max(p.minDimension, 1), std::max(p.tau, 1), std::max(p.radii, 1),
                                     p.radiusMin);
        out.spectrum = engine.computeSpectrum(buffer, p.iterations);
        break;
    case kAnalyseMaxExponent:
        p.iterations = p.steps; // the reference vectors follow the steps
        engine.setMaxExponentParameters(AtLeast(p.steps, 1), AtLeast(p.maxDimension, 2), AtLeast(p.minDimension, 2),
                                        AtLeast(p.tau, 1), AtLeast(p.radii, 1), p.radiusMin, p.radiusMax,
                                        static_cast<std::size_t>(std::max(p.steps, 1)));
        out.maxExponent = engine.computeMaxExponent(buffer);
        break;
    default:
        engine.setCorrelationParameters(std::max(p.iterations, 1), std::max(p.maxDimension, 1), std::max(p.tau, 1),
                                        std::max(p.radii, 2), p.radiusMin, p.radiusMax);
        out.correlation = engine.computeCorrelationDimensions(buffer);
        break;
    }
    return out;
}

std::string AnalyseResultCsv(const AnalyseRunResult& result)
{
    std::ostringstream out;
    if (result.mode == kAnalyseSpectrum)
        writeSpectrum(result.spectrum, ReportFormat::Csv, out);
    else if (result.mode == kAnalyseMaxExponent)
        writeMaxExponent(result.maxExponent, ReportFormat::Csv, out);
    else
        writeCorrelation(result.correlation, ReportFormat::Csv, out);
    return out.str();
}
