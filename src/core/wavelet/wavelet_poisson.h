// The Poisson wavelet; c = 1, support [−10, 10].
#pragma once

#include "core/wavelet/signal_fkt.h"

class wavelet_poisson : public signal_fkt
{
public:
    void init() override;
    // ψ(t) = (1 − x²) / (π·(1 + x²)) with x = (2/3)·t.
    float evaluate(float t) const override;
};
