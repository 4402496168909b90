// The Haar wavelet: a step from −1 to 1 at t = 0; c = √2, support [−0.5, 0.5].
#pragma once

#include "core/wavelet/signal_fkt.h"

class wavelet_haar : public signal_fkt
{
public:
    void init() override;
    // ψ(t) = 1 for t ≥ 0, −1 for t < 0.
    float evaluate(float t) const override;
};
