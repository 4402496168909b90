// The sine wavelet: one period of a sine; c = 1, support [−0.5, 0.5].
#pragma once

#include "core/wavelet/signal_fkt.h"

class wavelet_sinus : public signal_fkt
{
public:
    void init() override;
    // ψ(t) = sin(2π·t).
    float evaluate(float t) const override;
};
