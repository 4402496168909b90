// The FFT view's mappings between frequency / magnitude and client pixels, and back, for a
// client area of W × H pixels. The spectrum occupies x = 20 … W and y = 25 (top cut) … H − 20
// (the baseline).
#pragma once

#include "FFTViewSettings.h"

constexpr int kPlotLeft = 20;     // x of the lower frequency cut
constexpr int kPlotTop = 25;      // y of the top amplitude cut
constexpr int kPlotBottomGap = 20; // baseline = H − 20

class FFTPlotMapping
{
public:
    // nBitsPerSample gives the dBr reference F = 2^bits (65536 for 16-bit data, 256 for 8-bit).
    FFTPlotMapping(const FFTViewSettings& settings, int nWidth, int nHeight, int nBitsPerSample);

    int width() const { return m_nWidth; }
    int height() const { return m_nHeight; }
    int baseline() const { return m_nHeight - kPlotBottomGap; }
    double fullScale() const { return m_dFullScale; }
    double topFrequency() const { return m_dTop; }       // T = upper cut · 1000 Hz
    double bottomFrequency() const { return m_dBottom; } // B = lower cut in Hz
    bool isFreqLinear() const { return m_bFreqLinear; }
    bool isAmpLinear() const { return m_bAmpLinear; }

    // r = (g(f) − g0)/(1 − g0) with g(f) = f/T (linear) or ln f/ln T (logarithmic), g0 = g(B):
    // 0 at the lower cut, 1 at the upper cut.
    double frequencyRatio(double f) const;
    // x = 20 + r·(W − 20), truncated.
    int frequencyToX(double f) const;
    // f = T·(r·(1 − g0) + g0) (linear) or T^(r·(1 − g0) + g0) (logarithmic), r = (x − 20)/(W − 20).
    double xToFrequency(double x) const;

    // v = m + 1, At = F·10^(top cut/20), Ab = F·10^(bottom cut/20);
    // linear: y = (H − 20) − (v − Ab)·(H − 45)/(At − Ab);
    // logarithmic: y = H − 20 for v <= 1, else (H − 20) − (log v − log Ab)·(H − 45)/(log At − log Ab);
    // truncated, and never below the baseline (y <= H − 20). Points above the top are kept.
    int magnitudeToY(double magnitude) const;
    // The inverse: the magnitude m = v − 1 that maps to y (before truncation).
    double yToMagnitude(double y) const;
    // Level in dBr at y: 20·log10(m/F); minus infinity for m <= 0.
    double yToLevel(double y) const;

private:
    double g(double f) const;

    int m_nWidth;
    int m_nHeight;
    bool m_bFreqLinear;
    bool m_bAmpLinear;
    double m_dTop;
    double m_dBottom;
    double m_dG0;
    double m_dFullScale;
    double m_dAmpTop;    // At
    double m_dAmpBottom; // Ab
};

// The FFT view's frequency mapping, shared with the waterfall: r = (g(f) − g0)/(1 − g0) with
// g(f) = f/top (linear) or ln f/ln top (logarithmic) and g0 = g(bottom); 0 at bottom, 1 at top
// (both in Hz).
double FrequencyRatio(double f, double bottom, double top, bool bLinear);

// A double as a pixel coordinate: truncated toward zero, NaN as 0, limited to ±2^30 so that
// degenerate settings never overflow an int.
int TruncToPixel(double value);
// 20·log10(amplitude / fullScale); minus infinity for amplitude <= 0 (and NaN).
double LevelDbr(double amplitude, double fullScale);
