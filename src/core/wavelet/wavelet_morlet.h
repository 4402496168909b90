// The Morlet wavelet with base scale s: ψ(t) = e^(−(t/s)²/2)·(cos 2πt + i·sin 2πt); complex,
// one cycle per wavelet time unit for every s, so scale g (seconds) analyses 1 / g Hz.
// c = √π, support [−2π·s, 2π·s]; s = 1 when no argument is given.
#pragma once

#include "core/wavelet/signal_fkt.h"

class wavelet_morlet : public signal_fkt
{
public:
    void init() override;
    // One argument, the base scale s; it must be a positive finite number (s = 0 would give
    // an empty support).
    void parse(const char* rest) override;
    float evaluate(float t) const override;
    void transform(const CwtPlan& plan, float* out) override { transformComplex(plan, out, false); }
    bool isComplex() const override { return true; }

    float baseScale() const { return m_fScale; }

private:
    void setScale(float s);

    float m_fScale = 1.0f;
};
