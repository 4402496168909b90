// The pitch over time: a YIN-type fundamental-frequency tracker. Each frame's difference function
// is the weighted mean squared difference of all samples τ apart,
//   d(τ) = Σ_j w_j·w_{j+τ}·(x_j − x_{j+τ})² / Σ_j w_j·w_{j+τ},   w = (1 − t²)² over the frame,
// so that every lag weighs pairs centred on the frame's centre and a changing pitch is read where
// the frame is stamped. Its correlation term comes from real FFTs, its energy terms from running
// moments. The cumulative mean normalised d'(τ) = d(τ)·τ / Σ_{1..τ} d is searched for its first dip
// below an absolute threshold, and the parabola through d there refines the period. Because it
// measures periodicity and not the strongest partial, it finds the perceived pitch of a tone whose
// fundamental is weak or missing, and it takes the shortest period that repeats, not a multiple of
// it (no octave drops). Frames without such a dip (noise) or below a silence level give "no pitch".
#pragma once

#include "RealFft.h"

#include "core/common/AbortToken.h"

#include <cstddef>
#include <functional>
#include <span>
#include <vector>

constexpr double kPitchMinHz = 50.0;
constexpr double kPitchMaxHz = 2000.0;
// d' below this at a dip counts as periodic. A tone with noise 20 dB below it dips to about 0.02;
// white noise stays above 0.8.
constexpr double kPitchThreshold = 0.2;
// Frames whose RMS (about their mean) lies 70 dB or more below full scale are silence.
constexpr double kPitchSilenceDb = -70.0;

// At 44100 samples per second a frame of 2048 samples every 512 samples; both scale with the rate.
int PitchFrameLength(double dSampleRate);
int PitchHopLength(double dSampleRate);

struct PitchEstimate
{
    double dFrequencyHz = 0.0; // 0: no pitch
    // 1 − d' at the dip found (without one: at the lowest d' of the range), 0 … 1; 0 for silence.
    double dConfidence = 0.0;
    bool voiced() const { return dFrequencyHz > 0.0; }
};

// One tracker per thread: it keeps its transform and scratch buffers.
class PitchTracker
{
public:
    // dFullScale: the sample value of full scale (2^(bits − 1)), for the silence level.
    explicit PitchTracker(double dSampleRate, double dFullScale = 32768.0);

    double sampleRate() const { return m_dRate; }
    int frameLength() const { return m_nFrame; }
    int hopLength() const { return m_nHop; }

    // The pitch of the last frameLength() samples of frame (its mean removed). A shorter frame of
    // n samples is analysed whole, with lags up to n/2 only: its lowest pitch is then rate/(n/2).
    PitchEstimate estimate(std::span<const double> frame);

private:
    // The window w_j = (1 − t_j²)² over t_j = (2j + 1 − n)/(n + 1) for frames of n samples, and ρ.
    void PrepareWindow(std::size_t n);
    // r(τ) = Σ_{j<n−τ} y_j·y_{j+τ} of the first n values of m_y, for τ = 0 … maxLag.
    void Autocorrelation(std::size_t n, int maxLag, std::vector<double>& r);

    double m_dRate;
    double m_dSilenceRms;
    int m_nFrame, m_nHop;
    int m_nMinLag, m_nMaxLag; // the lags of 2000 Hz and 50 Hz (one more), in samples
    RealFft m_Fft;
    std::size_t m_nWindowLength = 0;
    std::vector<double> m_t, m_w, m_y, m_ry, m_pairs, m_moments, m_diff, m_cmnd;
    std::vector<double> m_half, m_A, m_B, m_spectrum, m_cross, m_r, m_c; // scratch of Autocorrelation
};

// The estimates of hops i = 0, 1, … of a series: frame i covers samples [i·hop, i·hop + frame).
struct PitchTrack
{
    double dSampleRate = 44100.0;
    int nFrame = 0, nHop = 0;
    std::vector<PitchEstimate> hops;
    // Seconds from the start of the series to the centre of frame i: (i·hop + frame/2)/rate.
    double timeOf(std::size_t i) const { return (static_cast<double>(i) * nHop + nFrame / 2.0) / dSampleRate; }
};

struct PitchRunControl
{
    const AbortToken* pAbort = nullptr;                        // raised: stop before the next hop
    std::function<void(std::size_t done, std::size_t total)> progress; // after every 256 hops
};

// Number of whole frames in a series of n samples: floor((n − frame)/hop) + 1, 0 when n < frame.
std::size_t PitchHopCount(std::size_t nSamples, int nFrame, int nHop);

// The track of a whole series. Returns false when the abort token stopped it (track then holds
// the hops done so far).
bool TrackPitch(std::span<const double> samples, double dSampleRate, double dFullScale, PitchTrack& track,
                const PitchRunControl& control = {});
