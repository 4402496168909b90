#include "FrameSpectrum.h"

#include "RealFft.h"

#include <algorithm>
#include <cmath>

namespace {

// Magnitudes of the rescaled packed spectrum f into out (N/2 + 1 values).
void Magnitudes(const std::vector<double>& f, std::vector<double>& out)
{
    const std::size_t half = f.size() / 2;
    out.resize(half + 1);
    for (std::size_t k = 0; k <= half; ++k) {
        const double re = f[k];
        const double im = (k > 0 && k < half) ? f[half + k] : 0.0;
        out[k] = std::sqrt(re * re + im * im);
    }
}

} // namespace

void ComputeFrameSpectrum(std::span<const double> signal, int nFFTSize, std::vector<double>& spectrum,
                          std::vector<double>& autoCorr, int& firstMinLag, double centre)
{
    RealFft fft(nFFTSize);
    const auto n = static_cast<std::size_t>(nFFTSize);
    const std::size_t half = n / 2;
    const std::size_t count = std::min(signal.size(), n);
    std::vector<double> frame(n, 0.0);
    std::vector<double> coefficients(n);
    std::copy_n(signal.begin(), count, frame.begin());

    fft.forward(coefficients, frame);
    fft.rescale(coefficients);
    Magnitudes(coefficients, spectrum);
    if (centre != 0.0) { // the autocorrelation of the centred samples; the padding stays 0
        std::transform(frame.begin(), frame.begin() + static_cast<std::ptrdiff_t>(count), frame.begin(),
                       [centre](double v) { return v - centre; });
        fft.forward(coefficients, frame);
        fft.rescale(coefficients);
    }

    // Power spectrum |X(k)|²/N² (imaginary parts 0) transformed back: R(m)/N after the inverse,
    // R(m)/N² after rescaling.
    for (std::size_t k = 0; k <= half; ++k) {
        const double re = coefficients[k];
        const double im = (k > 0 && k < half) ? coefficients[half + k] : 0.0;
        coefficients[k] = re * re + im * im;
    }
    std::fill(coefficients.begin() + static_cast<std::ptrdiff_t>(half + 1), coefficients.end(), 0.0);
    fft.inverse(coefficients, frame);
    fft.rescale(frame);
    autoCorr.assign(frame.begin(), frame.begin() + static_cast<std::ptrdiff_t>(half + 1));

    UpdateFirstMinimumLag(autoCorr, firstMinLag);
}

void UpdateFirstMinimumLag(std::span<const double> autoCorr, int& firstMinLag)
{
    if (autoCorr.empty() || !(autoCorr[0] > 0.0))
        return;
    std::size_t m = 0;
    while (m + 1 < autoCorr.size() && !(autoCorr[m] < autoCorr[m + 1]) && !(autoCorr[m + 1] <= 0.0))
        ++m;
    firstMinLag = static_cast<int>(m);
}

bool ComputeWindowSpectrum(std::span<const double> source, std::size_t start, int nFFTSize,
                           std::vector<double>& out)
{
    RealFft fft(nFFTSize);
    const auto n = static_cast<std::size_t>(nFFTSize);
    if (n > source.size() || start > source.size() - n)
        return false;
    std::vector<double> coefficients(n);
    fft.forward(coefficients, source.subspan(start, n));
    fft.rescale(coefficients);
    Magnitudes(coefficients, out);
    return true;
}
