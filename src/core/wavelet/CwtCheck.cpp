#include "core/wavelet/CwtCheck.h"

#include "core/wavelet/CwtError.h"
#include "core/wavelet/WaveletFactory.h"

std::string cwtArgumentProblem(const std::string& wavelet)
{
    size_t nameLength = 0;
    const std::unique_ptr<signal_fkt> w = createWavelet(wavelet, &nameLength);
    if (!w)
        return {};
    try {
        w->init();
        w->parse(wavelet.c_str() + nameLength);
    } catch (const CwtError& error) {
        return error.what();
    }
    return {};
}
