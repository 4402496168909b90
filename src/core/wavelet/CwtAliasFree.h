// The transform that reads every sample under the wavelet at every scale. The wavelet is sampled
// once, finely enough for the largest scale (a table of r_T points per wavelet time unit); each
// row takes its weights from that table by linear interpolation. Row i (output row n − i of the
// raw coefficients) analyses the scale s = f_c·g(i)·rate samples; the column at
// P = trunc(start·rate + k·d) is Σ_o x[P + o]·w(o) over the sample offsets o whose interval
// [o − ½, o + ½] meets the support s·[lsupp, rsupp], with w(o) = ψ averaged over that interval
// at K points, divided by |s|·√c. K = 1 when the support spans at least N samples, otherwise
// the least K that samples the wavelet at N points or more. Each coefficient thus approximates
// ∫ x(p + s·u)·ψ(u) du / √c, with the same weight at every scale: a tone's coefficient is
// largest in the row where its frequency times the wavelet's scale meets f_c.
#pragma once

#include <vector>

struct CwtPlan;

struct CwtWaveletTable
{
    float pointsPerUnit = 0.0f; // r_T
    long first = 0;             // entry 0 holds ψ(first / r_T)
    float lsupp = 0.0f, rsupp = 0.0f;
    float rootC = 1.0f;         // √c
    std::vector<float> re, im;  // im empty for real wavelets
};

// r_T: the largest scale of the plan in samples, at least N / (rsupp − lsupp).
float cwtTablePointsPerUnit(const CwtPlan& plan, float lsupp, float rsupp);

// Raw coefficients of both parts into re and im (im null for real wavelets), n rows of m columns.
void cwtAliasFreeTransform(const CwtWaveletTable& table, const CwtPlan& plan, float* re, float* im);
