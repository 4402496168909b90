// The parameters of the analysis window: one set per computation (0 Lyapunov spectrum,
// 1 maximal exponent, 2 correlation dimensions), the corrections its edit fields apply, the
// exchange with the profile, and the run of one computation with them on a series.
#pragma once

#include "core/common/AbortToken.h"
#include "core/nonlinear/NonlinearResults.h"

#include <array>
#include <string>
#include <vector>

struct ProfileSettings;

enum AnalyseMode { kAnalyseSpectrum = 0, kAnalyseMaxExponent = 1, kAnalyseCorrelation = 2 };

// The values behind the bar's controls for one computation. "iterations" is the first
// "Iterationen" slider: iterations I (mode 0), reference vectors (mode 1), pairs P (mode 2);
// "radii" is n_min in mode 0; "steps" is the second "Iterationen" (mode 1 only).
struct AnalyseParameters
{
    int tau = 1;
    int points = 0;
    int minDimension = 2;
    int maxDimension = 2;
    int radii = 1;
    int iterations = 0;
    int steps = 0;
    double radiusMin = 0.001;
    double radiusMax = 0.01;
    friend bool operator==(const AnalyseParameters&, const AnalyseParameters&) = default;
};

// Largest value of the "Anzahl der Radien" slider: 500, 100, 300 for modes 0, 1, 2.
int AnalyseRadiiSliderMax(int mode);

// The edit fields' corrections; each returns the value the field then shows.
// Minimal dimension: at most the maximal one, then at least 2.
int SetAnalyseMinDimension(AnalyseParameters& p, int value);
// Maximal dimension: at least 2; a larger minimal dimension is lowered to it.
int SetAnalyseMaxDimension(AnalyseParameters& p, int value);
// Iterations / reference vectors / pairs: at most the points.
int SetAnalyseIterations(AnalyseParameters& p, int value);
// Radii / neighbours: at most the points; in mode 2 at most 300.
int SetAnalyseRadii(AnalyseParameters& p, int mode, int value);
// Points: larger radii and iterations are lowered to it.
int SetAnalysePoints(AnalyseParameters& p, int value);

struct AnalyseSettings
{
    int mode = kAnalyseMaxExponent;
    std::array<AnalyseParameters, 3> sets;
    AnalyseParameters& current() { return sets[static_cast<std::size_t>(mode)]; }
    const AnalyseParameters& current() const { return sets[static_cast<std::size_t>(mode)]; }
};

AnalyseSettings AnalyseSettingsFromProfile(const ProfileSettings& profile);
void StoreAnalyseSettings(const AnalyseSettings& settings, ProfileSettings& profile);

// What one run of the window leaves: the result of its mode and the sizes the plots take.
struct AnalyseRunResult
{
    int mode = kAnalyseMaxExponent;
    AnalyseParameters used; // after the run's own corrections (points, 0 → 30, 0 → 1000)
    SpectrumResult spectrum;
    MaxExponentResult maxExponent;
    CorrelationResult correlation;
};

// The numbers behind a run's plot as CSV, in the columns resoni-analyze writes for that mode.
std::string AnalyseResultCsv(const AnalyseRunResult& result);

// Runs the computation of `mode` on the leading points of series as the window does:
// points beyond the series become its length; mode 0 turns 0 neighbours into 30 and 0
// iterations into 1000; mode 1 uses the steps as the reference count. The token is polled at
// the engine's checkpoints; the callbacks report progress on the calling thread.
AnalyseRunResult RunAnalyse(int mode, const AnalyseParameters& parameters, const std::vector<double>& series,
                            AbortToken& abort, const NonlinearCallbacks& callbacks);
