// The sonogram's frequency axis: where a frequency lies between the lower and the upper cut,
// and back. T = upper cut · 1000 Hz, g(f) = f/T (linear) or ln f/ln T (logarithmic), g0 = g(lower
// cut); r = (g(f) − g0)/(1 − g0) is 0 at the lower cut (bottom) and 1 at the upper cut (top).
#pragma once

#include "SonoSettings.h"

class SonoFrequencyScale
{
public:
    explicit SonoFrequencyScale(const SonoSettings& settings);

    double top() const { return m_dTop; }       // T in Hz
    double bottom() const { return m_dBottom; } // the lower cut in Hz
    bool isLinear() const { return m_bLinear; }

    // r for a frequency above 0 Hz.
    double ratio(double f) const { return (g(f) - m_dG0) / (1.0 - m_dG0); }
    // The frequency at r: T·(r·(1 − g0) + g0) (linear) or T^(r·(1 − g0) + g0) (logarithmic).
    double frequencyAt(double r) const;
    // Row of a frequency in a picture of nHeight rows: trunc((1 − r)·nHeight); negative above
    // the upper cut.
    int row(double f, int nHeight) const;

private:
    double g(double f) const;

    bool m_bLinear;
    double m_dTop;
    double m_dBottom;
    double m_dInvLogTop; // 1/ln T
    double m_dG0;
};
