#include "core/wavelet/WaveletCentre.h"

#include "core/wavelet/signal_fkt.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <vector>

namespace {

using Complex = std::complex<double>;

// In-place radix-2 transform X[j] = Σ x[k]·e^(−2πi·jk/M); M a power of two.
void fft(std::vector<Complex>& x)
{
    const size_t m = x.size();
    for (size_t i = 1, j = 0; i < m; ++i) {
        size_t bit = m >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(x[i], x[j]);
    }
    for (size_t len = 2; len <= m; len <<= 1) {
        const double angle = -2.0 * M_PI / static_cast<double>(len);
        for (size_t start = 0; start < m; start += len)
            for (size_t k = 0; k < len / 2; ++k) {
                const Complex w = std::polar(1.0, angle * static_cast<double>(k));
                const Complex a = x[start + k];
                const Complex b = x[start + k + len / 2] * w;
                x[start + k] = a + b;
                x[start + k + len / 2] = a - b;
            }
    }
}

} // namespace

float waveletCentreFrequency(signal_fkt& wavelet)
{
    const float width = wavelet.rsupp() - wavelet.lsupp();
    if (!(width > 0.0f) || !std::isfinite(width))
        return 1.0f;
    const long points = kCwtCentrePoints;
    const float r = static_cast<float>(points) / width;
    const long o = static_cast<long>(std::trunc(r * wavelet.lsupp()));
    std::vector<float> re(static_cast<size_t>(points)), im(static_cast<size_t>(points), 0.0f);
    const int part = wavelet.part();
    wavelet.setPart(0);
    wavelet.discretize(r, o, o + points, re.data());
    if (wavelet.isComplex()) {
        wavelet.setPart(1);
        wavelet.discretize(r, o, o + points, im.data());
    }
    wavelet.setPart(part);

    // Zero-padded to eight times the length: bin j lies at ν = j·r / M (j ≥ M/2: negative ν).
    const size_t m = static_cast<size_t>(points) * 8;
    std::vector<Complex> x(m);
    for (size_t k = 0; k < static_cast<size_t>(points); ++k)
        x[k] = Complex(re[k], im[k]);
    fft(x);
    // |Ψ| at ±ν for bins 0 … M/2; the phase shift of starting at t = o / r does not change it.
    std::vector<double> mag(m / 2 + 1);
    for (size_t j = 0; j <= m / 2; ++j)
        mag[j] = std::max(std::abs(x[j]), std::abs(x[(m - j) % m]));
    size_t best = 0;
    for (size_t j = 1; j < m / 2; ++j)
        if (mag[j] > mag[j - 1] && mag[j] >= mag[j + 1] && (best == 0 || mag[j] > mag[best]))
            best = j;
    if (best == 0)
        return 1.0f;
    double shift = 0.0;
    if (mag[best - 1] > 0.0 && mag[best + 1] > 0.0) {
        const double a = std::log(mag[best - 1]), b = std::log(mag[best]), c = std::log(mag[best + 1]);
        const double curve = a - 2.0 * b + c;
        if (curve < 0.0)
            shift = 0.5 * (a - c) / curve;
    }
    const double centre = (static_cast<double>(best) + shift) * static_cast<double>(r) / static_cast<double>(m);
    return static_cast<float>(std::min(centre, 1.0));
}
