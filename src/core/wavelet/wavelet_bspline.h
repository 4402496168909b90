// The B-spline wavelet: a B-spline envelope, made by running means over the given window
// widths, times the carrier e^(i·2πt); complex. It exists only in sampled form (discretize);
// pointwise evaluation is refused. Support ±(w1 + w2 + …) / 2; before parsing [−1, 1].
#pragma once

#include "core/wavelet/signal_fkt.h"

#include <vector>

class wavelet_bspline : public signal_fkt
{
public:
    void init() override;
    // A comma separated list of window widths, each a positive finite number, at least one.
    void parse(const char* rest) override;
    // Throws CwtError: "wavelet_bspline::evaluate is not implemented - use
    // wavelet_bspline::discretize instead\n".
    float evaluate(float t) const override;
    // Sample step h = 1 / r wavelet time units. Kernel: start with [1]; for each width w,
    // L = ceil(w / |h|) and the kernel becomes its running mean over L points (length + L − 1,
    // entry j = (1/L)·Σ old[j − L + 1 … j]). With K the final length and c0 = K / 2 (integer):
    // out[k − a] = kernel[k + c0 − 1]·cos(2π·k·h) (real part) or ·sin(2π·k·h) (imaginary part)
    // for −c0 < k < c0, else 0.
    void discretize(float r, long a, long b, float* out) const override;
    // Magnitudes scaled to 0 … 255, rows reversed, then byte scaling.
    void transform(const CwtPlan& plan, float* out) override { transformComplex(plan, out, true); }
    bool isComplex() const override { return true; }

    const std::vector<float>& widths() const { return m_arWidths; }
    // The envelope for sample step h (the kernel above); throws CwtError when it would be too large.
    std::vector<float> kernel(float h) const;

private:
    std::vector<float> m_arWidths;
};
