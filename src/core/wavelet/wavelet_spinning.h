// The spinning wavelet, a generalised Cauchy wavelet for spinning-rotor data:
// ψ(t) = (1 − i·a·t)^e with a = 2π / √mu2 and the complex exponent e = (−0.5 − √mu2) + i·mu1.
// It needs both parameters and mu2 ≥ 1/4 (admissibility); before parsing the support is [−20, 20].
#pragma once

#include "core/wavelet/signal_fkt.h"

class wavelet_spinning : public signal_fkt
{
public:
    void init() override;
    // Two arguments mu1, mu2. Support, all in single precision, with R = −0.5 − √mu2 and
    // K = ln 20 − (mu1·atan(mu1) + 0.5·R·ln(1 + mu1²)):
    // mu1 > 0: lsupp = −e^(−K/R) / a, rsupp = e^(−(K + mu1)/R) / a;
    // mu1 ≤ 0: lsupp = −e^(−(K − mu1)/R) / a, rsupp = e^(−K/R) / a.
    void parse(const char* rest) override;
    float evaluate(float t) const override;
    void transform(const CwtPlan& plan, float* out) override { transformComplex(plan, out, false); }
    bool isComplex() const override { return true; }

    float mu1() const { return m_fMu1; }
    float mu2() const { return m_fMu2; }
    float a() const { return m_fA; }

private:
    float m_fMu1 = 0.0f;
    float m_fMu2 = 0.25f;
    float m_fA = 1.0f;
};
