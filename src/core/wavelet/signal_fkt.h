// Base class of the wavelets of the continuous wavelet transform: constant c, support
// [lsupp, rsupp] in the wavelet's own time unit, display name, for complex wavelets the part
// (0 real, 1 imaginary) that evaluation returns, and the transform of one request.
#pragma once

#include "core/common/Callbacks.h"

#include <string>
#include <vector>

struct CwtPlan;

// Single-precision π and 2π, as the wavelet formulas use them.
inline constexpr float kCwtPi = 3.1415927f;
inline constexpr float kCwtTwoPi = 6.2831855f;

class signal_fkt
{
public:
    signal_fkt() = default;
    virtual ~signal_fkt() = default;
    signal_fkt(const signal_fkt&) = delete;
    signal_fkt& operator=(const signal_fkt&) = delete;

    // Sets c, the support and the display name to the wavelet's values before parsing.
    virtual void init() = 0;
    // Reads the arguments; `rest` is the wavelet string after the short name. Throws
    // CwtError with the wavelet's message when they are invalid. Real wavelets take none.
    virtual void parse(const char* rest);
    // ψ(t), for complex wavelets its real or imaginary part as the part flag says.
    virtual float evaluate(float t) const = 0;
    // Runs the transform of `plan` into out[0 … n·m − 1] (row by row, m columns each) and
    // post-processes it. Real wavelets: |coefficient|, then byte scaling; output row q belongs
    // to grid index n − q (row 0: smallest scale, highest frequency).
    virtual void transform(const CwtPlan& plan, float* out);
    // out[k − a] = ψ(k / r) for k = a … b − 1 (r points per wavelet time unit).
    virtual void discretize(float r, long a, long b, float* out) const;

    // True when the output rows run from the largest scale (row 0) to the smallest.
    virtual bool isComplex() const { return false; }

    float c() const { return m_c; }
    float lsupp() const { return m_lsupp; }
    float rsupp() const { return m_rsupp; }
    const std::string& name() const { return m_strName; }
    int part() const { return m_nPart; }
    void setPart(int part) { m_nPart = part; }

    // Where the success diagnostics go (for example "Cauchy: lsupp …"); none by default.
    void setDiagnostics(MessageCallback diagnostics) { m_diagnostics = std::move(diagnostics); }

protected:
    void diagnose(const std::string& text) const;

    // The raw coefficients of the real part into re and, for complex wavelets, of the imaginary
    // part into im (null for real wavelets): n rows of m columns, row q for grid index n − q.
    // Reads every sample under the wavelet (CwtAliasFree.h) unless the plan asks for the fixed
    // resolution (transformPart for each part).
    void transformParts(const CwtPlan& plan, float* re, float* im);
    // One part of the transform at the fixed resolution into coeff[0 … n·m − 1]: the wavelet is
    // sampled once, w[k] = ψ(k / r) / √c for k = o … o + N − 1 with r = N / (rsupp − lsupp) and
    // o = trunc(r·lsupp); then for grid index i = n … 1 (row n − i), s = f_c·g(i)·rate samples,
    // f = √(|f_c·g(i)|·r), and column k at p = start·rate + k·d (d = (end − start)·rate / m):
    // coeff = f · Σ_{j=0}^{N−1} x(p + s·(lsupp + j / r)) · w[o + j], x read at trunc(position).
    void transformPart(const CwtPlan& plan, float* coeff) const;
    // Both parts, magnitudes scaled to 0 … 255 with the rows reversed (row 0: largest scale);
    // with byteScaled the byte scaling follows.
    void transformComplex(const CwtPlan& plan, float* out, bool byteScaled);

    float m_c = 1.0f;
    float m_lsupp = -1.0f;
    float m_rsupp = 1.0f;
    std::string m_strName; // display name, at most 16 characters
    int m_nPart = 0;

private:
    MessageCallback m_diagnostics;
};
