// The Mexican hat wavelet (second derivative of a Gaussian); c = √6, support [−5, 5].
#pragma once

#include "core/wavelet/signal_fkt.h"

class wavelet_mexicanhat : public signal_fkt
{
public:
    void init() override;
    // ψ(t) = (1 − x²)·e^(−x²/2) with x = 0.375·√π·t.
    float evaluate(float t) const override;
};
