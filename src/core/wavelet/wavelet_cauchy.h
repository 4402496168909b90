// The Cauchy wavelet of order α: ψ(t) = (1 − i·a·t)^(−α−1) with a = 4π / (2α + 1); complex.
// Before parsing (and with no arguments) c = 1, support [−5, 5] and α = 1. An order argument
// sets c = 1 / (2π) and the support to ±20^(1/α) / a, where ψ has fallen to 1/20 of its peak.
#pragma once

#include "core/wavelet/signal_fkt.h"

class wavelet_cauchy : public signal_fkt
{
public:
    void init() override;
    // One argument, the order α. An order of 0 (unbounded support) is refused like a negative
    // one, as is any order whose support is not a finite single-precision number.
    void parse(const char* rest) override;
    float evaluate(float t) const override;
    void transform(const CwtPlan& plan, float* out) override { transformComplex(plan, out, false); }
    bool isComplex() const override { return true; }

    float order() const { return m_fOrder; }
    float a() const { return m_fA; }

private:
    float m_fOrder = 1.0f; // α
    float m_fA = 1.0f;     // 4π / (2α + 1)
};
