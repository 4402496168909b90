// The FFT view's frame around the spectrum: axes with ticks, labels and grid, the piano-keyboard
// strip, the cross-hair read-out and the frequency probe. Lines, rectangles and texts for a
// painter; positions from FFTPlotMapping.
#pragma once

#include "FFTPlotMapping.h"
#include "FFTPlotModel.h"
#include "core/common/PlotPrimitives.h"

#include <optional>
#include <string>
#include <vector>

struct FFTDecor
{
    std::vector<PlotRect> rects; // drawn first
    std::vector<PlotLine> lines;
    std::vector<PlotText> texts;
};

struct AxisTick
{
    int nPos = 0;       // x on the frequency axis, y on the amplitude axis
    double dValue = 0;  // Hz or dBr
    bool bLabelled = false;
    std::string label;  // e.g. "200 Hz", "2 kHz", "-40 dB"
};

// Frequency ticks between the cuts. Logarithmic scale: 1 … 9 × 10^k, labelled at 1, 2 and 5 when
// at least 40 pixels from the previous label. Linear scale: multiples of the smallest step of
// 1, 2 or 5 × 10^k that is at least 60 pixels wide, all labelled.
std::vector<AxisTick> FrequencyAxisTicks(const FFTPlotMapping& mapping);
// Amplitude ticks at whole dBr levels L between the cuts, placed where a magnitude of F·10^(L/20)
// maps (so the read-out at a tick shows its label): logarithmic scale every 10 dB (20 dB when
// 10 dB is less than 15 pixels); linear scale every whole dB at least 25 pixels below the last.
std::vector<AxisTick> AmplitudeAxisTicks(const FFTPlotMapping& mapping, int nTopCutDbr, int nBottomCutDbr);

// Axis lines along the baseline and x = 20, tick marks, labels ("Hz", "kHz", "dB") in
// "Century Gothic", and with bGrid grid lines through the plot at the labelled ticks.
FFTDecor FFTAxes(const FFTPlotMapping& mapping, const FFTViewSettings& settings, const FFTViewColours& colours);

// The 88 piano keys at the top of the plot (y 4 … 18): key k = 0 … 87 spans
// 27.5·2^((k−1)/12) … 27.5·2^(k/12) Hz mapped to x and clipped to the plot; the sharps (A♯, C♯,
// D♯, F♯, G♯: k mod 12 = 1, 4, 6, 9, 11) black, the others white; caption "Tonumfang Klavier".
// Nothing when the background is white (pictures).
FFTDecor FFTPianoStrip(const FFTPlotMapping& mapping, const FFTViewColours& colours);
bool IsBlackPianoKey(int nKey);

// Read-out at a clicked point: a cross-hair through it across the plot and the frequency
// (" Hz") and level (" dB") there by the inverse mappings, and below them the note nearest to
// that frequency against the reference a' = a4Hz.
struct FFTReadOut
{
    double dFrequencyHz = 0;
    double dLevelDbr = 0;
    std::string frequencyText; // "440 Hz" (one decimal below 100 Hz)
    std::string levelText;     // "-12.3 dB"
    std::string noteText;      // "a' ±0 ct"; empty where no note is named
};
FFTReadOut FFTReadOutAt(const FFTPlotMapping& mapping, PlotPoint click, double a4Hz = kDefaultA4Hz);
FFTDecor FFTCrossHair(const FFTPlotMapping& mapping, PlotPoint click, const FFTViewColours& colours,
                      double a4Hz = kDefaultA4Hz);

// The frequency probe: moving the mouse with the left button held inside the top 20 pixels
// (0 <= y < 20, within the plot's x range) plays a beep of the frequency under it, 50 ms long.
constexpr int kProbeMilliseconds = 50;
std::optional<double> FFTProbeFrequency(const FFTPlotMapping& mapping, PlotPoint mouse);

// A number in the C locale with at most `decimals` decimals and no trailing zeros ("2", "1.5").
std::string PlotNumber(double value, int decimals);

// 1, 2 or 5 × 10^k: the smallest such step not below minimum (> 0); the axes space their ticks so.
double NiceStep(double minimum);
