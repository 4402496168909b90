#include "core/wavelet/WaveletFactory.h"

#include "core/wavelet/wavelet_bspline.h"
#include "core/wavelet/wavelet_cauchy.h"
#include "core/wavelet/wavelet_haar.h"
#include "core/wavelet/wavelet_mexicanhat.h"
#include "core/wavelet/wavelet_morlet.h"
#include "core/wavelet/wavelet_poisson.h"
#include "core/wavelet/wavelet_sinus.h"
#include "core/wavelet/wavelet_spinning.h"

#include <cstring>

namespace {

std::unique_ptr<signal_fkt> makeWavelet(size_t index)
{
    switch (index) {
    case 0: return std::make_unique<wavelet_haar>();
    case 1: return std::make_unique<wavelet_mexicanhat>();
    case 2: return std::make_unique<wavelet_sinus>();
    case 3: return std::make_unique<wavelet_poisson>();
    case 4: return std::make_unique<wavelet_cauchy>();
    case 5: return std::make_unique<wavelet_spinning>();
    case 6: return std::make_unique<wavelet_morlet>();
    case 7: return std::make_unique<wavelet_bspline>();
    default: return nullptr;
    }
}

} // namespace

std::unique_ptr<signal_fkt> createWavelet(const std::string& wavelet, size_t* nameLength)
{
    for (size_t index = 0; index < kWaveletShortNames.size(); ++index) {
        const size_t length = std::strlen(kWaveletShortNames[index]);
        if (wavelet.compare(0, length, kWaveletShortNames[index]) == 0) {
            if (nameLength)
                *nameLength = length;
            return makeWavelet(index);
        }
    }
    return nullptr;
}
