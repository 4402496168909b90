#include "PitchTracker.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <tuple>

namespace {

constexpr double kReferenceRate = 44100.0;
constexpr int kReferenceFrame = 2048;
constexpr int kReferenceHop = 512;
constexpr std::size_t kProgressHops = 256;
constexpr std::size_t kMoments = 5; // t^0 … t^4, the degree of the window

int TransformLength(int nFrame)
{
    return static_cast<int>(std::bit_ceil(static_cast<unsigned>(std::max(nFrame, 4))));
}

} // namespace

int PitchFrameLength(double dSampleRate)
{
    return std::max(16, static_cast<int>(std::lround(kReferenceFrame * dSampleRate / kReferenceRate)));
}

int PitchHopLength(double dSampleRate)
{
    return std::max(1, static_cast<int>(std::lround(kReferenceHop * dSampleRate / kReferenceRate)));
}

PitchTracker::PitchTracker(double dSampleRate, double dFullScale)
    : m_dRate(dSampleRate), m_dSilenceRms(dFullScale * std::pow(10.0, kPitchSilenceDb / 20.0)),
      m_nFrame(PitchFrameLength(dSampleRate)), m_nHop(PitchHopLength(dSampleRate)),
      m_nMinLag(std::max(2, static_cast<int>(std::floor(dSampleRate / kPitchMaxHz)))),
      m_nMaxLag(std::min(m_nFrame / 2, static_cast<int>(std::ceil(dSampleRate / kPitchMinHz)) + 1)),
      m_Fft(TransformLength(2 * ((m_nFrame + 1) / 2)))
{
    const auto m = static_cast<std::size_t>(m_Fft.length());
    for (std::vector<double>* v : {&m_half, &m_A, &m_B, &m_spectrum, &m_cross, &m_r, &m_c, &m_ry, &m_pairs, &m_diff,
                                   &m_cmnd})
        v->assign(m, 0.0);
    m_y.assign(m, 0.0);
    m_moments.assign(kMoments * (m + 1), 0.0);
}

void PitchTracker::PrepareWindow(std::size_t n)
{
    if (m_nWindowLength == n)
        return;
    m_nWindowLength = n;
    m_t.resize(n);
    m_w.resize(n);
    const double half = (static_cast<double>(n) + 1.0) / 2.0;
    for (std::size_t j = 0; j < n; ++j) {
        m_t[j] = (static_cast<double>(j) + 1.0 - half) / half;
        m_w[j] = (1.0 - m_t[j] * m_t[j]) * (1.0 - m_t[j] * m_t[j]);
    }
    // ρ(τ) = Σ_j w_j·w_{j+τ}, the weight of all pairs τ apart.
    std::copy(m_w.begin(), m_w.end(), m_y.begin());
    Autocorrelation(n, static_cast<int>(n / 2), m_pairs);
}

void PitchTracker::Autocorrelation(std::size_t n, int maxLag, std::vector<double>& r)
{
    // The two halves a = y[0, h) and b = y[h, n) each in a transform of M >= 2h: the pairs within a
    // half come from |A|² + |B|², the pairs across from conj(A)·B at lag τ − h, all without
    // wrap-around. Two transforms of 2h cost much less than one of n + maxLag (2048 samples at
    // 44100 Hz: four transforms of 2048 points instead of two of 4096, whose data leave the cache).
    const std::size_t h = (n + 1) / 2;
    const int m = m_Fft.length(), half = m / 2;
    for (auto [from, to, out] : {std::tuple{std::size_t{0}, h, &m_A}, std::tuple{h, n, &m_B}}) {
        std::fill(m_half.begin(), m_half.end(), 0.0);
        std::copy(m_y.begin() + static_cast<std::ptrdiff_t>(from), m_y.begin() + static_cast<std::ptrdiff_t>(to),
                  m_half.begin());
        m_Fft.forward(*out, m_half);
    }
    for (int k : {0, half}) {
        m_spectrum[k] = m_A[k] * m_A[k] + m_B[k] * m_B[k];
        m_cross[k] = m_A[k] * m_B[k];
    }
    for (int k = 1; k < half; ++k) {
        const double ar = m_A[k], as = m_A[half + k], br = m_B[k], bs = m_B[half + k];
        m_spectrum[k] = ar * ar + as * as + br * br + bs * bs;
        m_spectrum[half + k] = 0.0;
        m_cross[k] = ar * br + as * bs;
        m_cross[half + k] = ar * bs - as * br;
    }
    m_Fft.inverse(m_spectrum, m_r);
    m_Fft.inverse(m_cross, m_c);
    const double scale = 1.0 / m;
    const auto mm = static_cast<std::size_t>(m);
    for (std::size_t tau = 0; tau <= static_cast<std::size_t>(maxLag); ++tau)
        r[tau] = (m_r[tau] + m_c[(mm + tau - h) % mm]) * scale;
}

PitchEstimate PitchTracker::estimate(std::span<const double> frame)
{
    const std::size_t n = std::min(frame.size(), static_cast<std::size_t>(m_nFrame));
    const int maxLag = std::min(m_nMaxLag, static_cast<int>(n / 2));
    if (maxLag < m_nMinLag + 2)
        return {};
    const std::span<const double> x = frame.last(n);
    double mean = 0.0, energy = 0.0;
    for (double v : x)
        mean += v;
    mean /= static_cast<double>(n);
    for (double v : x)
        energy += (v - mean) * (v - mean);
    if (!(std::sqrt(energy / static_cast<double>(n)) > m_dSilenceRms))
        return {};
    PrepareWindow(n);

    // y = w·x (x without its mean); the running moments S_k(i) = Σ_{j<i} w_j·x_j²·t_j^k, stored
    // as S_0(i) … S_4(i) from m_moments[5i] on.
    double running[kMoments] = {};
    std::copy_n(running, kMoments, m_moments.begin());
    for (std::size_t j = 0; j < n; ++j) {
        const double v = x[j] - mean;
        m_y[j] = m_w[j] * v;
        double term = m_y[j] * v;
        double* row = &m_moments[(j + 1) * kMoments];
        for (std::size_t k = 0; k < kMoments; ++k) {
            running[k] += term;
            row[k] = running[k];
            term *= m_t[j];
        }
    }
    // r(τ) = Σ_j y_j·y_{j+τ}.
    Autocorrelation(n, maxLag, m_ry);

    // d(τ) = Σ_j w_j·w_{j+τ}·(x_j − x_{j+τ})² / ρ(τ): the weighted mean squared difference of all pairs
    // τ apart, weighted towards the frame's centre. Its energy terms Σ_j w_j·x_j²·w_{j+τ} and
    // Σ_j w_j·w_{j+τ}·x_{j+τ}² follow from the moments, as w(t ± δ) = (1 − (t ± δ)²)² is a polynomial
    // in t (δ = 2τ/(n + 1) is the step of t over τ samples). Then d'(τ).
    double cumulative = 0.0;
    m_cmnd[0] = 1.0;
    for (int tau = 1; tau <= maxLag; ++tau) {
        const auto lag = static_cast<std::size_t>(tau);
        const double delta = 2.0 * tau / (static_cast<double>(n) + 1.0);
        double ahead = 0.0, behind = 0.0;
        for (const double sign : {1.0, -1.0}) {
            // (a + b·t − t²)² with a = 1 − δ², b = ∓2δ: coefficients of t^0 … t^4.
            const double a = 1.0 - delta * delta, b = -2.0 * sign * delta;
            const double c[kMoments] = {a * a, 2.0 * a * b, b * b - 2.0 * a, -2.0 * b, 1.0};
            const double* end = &m_moments[(sign > 0 ? n - lag : n) * kMoments];
            const double* start = &m_moments[(sign > 0 ? 0 : lag) * kMoments];
            double sum = 0.0;
            for (std::size_t k = 0; k < kMoments; ++k)
                sum += c[k] * (end[k] - start[k]);
            (sign > 0 ? ahead : behind) = sum;
        }
        const double d = std::max(0.0, ahead + behind - 2.0 * m_ry[lag]) / m_pairs[lag];
        m_diff[lag] = d;
        cumulative += d;
        m_cmnd[lag] = cumulative > 0.0 ? d * tau / cumulative : 1.0;
    }

    // The first dip below the threshold, followed down to its bottom. It is searched from the
    // shortest lags on, so that a tone above the range (whose period repeats twice within it)
    // shows as such and is not taken for its lower octave.
    int best = -1;
    double lowest = 1.0;
    for (int tau = 2; tau <= maxLag; ++tau) {
        if (tau >= m_nMinLag)
            lowest = std::min(lowest, m_cmnd[tau]);
        if (m_cmnd[tau] < kPitchThreshold) {
            while (tau < maxLag && m_cmnd[tau + 1] < m_cmnd[tau])
                ++tau;
            best = tau;
            break;
        }
    }
    const double confidence = std::clamp(1.0 - (best < 0 ? lowest : m_cmnd[best]), 0.0, 1.0);
    // No dip, or one whose bottom lies outside the range (or beyond its long end): no pitch.
    if (best < m_nMinLag || best == maxLag)
        return {0.0, confidence};
    // The vertex of the parabola through d (not d': near its bottom d follows 1 − cos closely).
    const double left = m_diff[best - 1], mid = m_diff[best], right = m_diff[best + 1];
    const double curvature = left - 2.0 * mid + right;
    const double offset = curvature > 0.0 ? std::clamp(0.5 * (left - right) / curvature, -0.5, 0.5) : 0.0;
    return {m_dRate / (best + offset), confidence};
}

std::size_t PitchHopCount(std::size_t nSamples, int nFrame, int nHop)
{
    if (nFrame <= 0 || nHop <= 0 || nSamples < static_cast<std::size_t>(nFrame))
        return 0;
    return (nSamples - static_cast<std::size_t>(nFrame)) / static_cast<std::size_t>(nHop) + 1;
}

bool TrackPitch(std::span<const double> samples, double dSampleRate, double dFullScale, PitchTrack& track,
                const PitchRunControl& control)
{
    PitchTracker tracker(dSampleRate, dFullScale);
    track.dSampleRate = dSampleRate;
    track.nFrame = tracker.frameLength();
    track.nHop = tracker.hopLength();
    track.hops.clear();
    const std::size_t count = PitchHopCount(samples.size(), track.nFrame, track.nHop);
    track.hops.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        if (control.pAbort && control.pAbort->isRaised())
            return false;
        track.hops.push_back(tracker.estimate(
            samples.subspan(i * static_cast<std::size_t>(track.nHop), static_cast<std::size_t>(track.nFrame))));
        if ((i + 1) % kProgressHops == 0 && control.progress)
            control.progress(i + 1, count);
    }
    return true;
}
