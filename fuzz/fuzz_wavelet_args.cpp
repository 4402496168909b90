// libFuzzer target for the wavelet string ("morlet,2", "spinning,2,2" …) as a user types it in the
// wavelet window: checking it never crashes, and a string the check accepts transforms a short
// series without crashing, hanging or leaving the 0 … 255 output range (a refusal by the engine
// itself, e.g. for arrays too large, is a CwtError and fine).
#include "core/wavelet/Cwt.h"
#include "core/wavelet/CwtCheck.h"
#include "core/wavelet/CwtError.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 64)
        return 0; // the window's field is short; longer strings only repeat what these test
    const std::string wavelet(reinterpret_cast<const char*>(data), size);
    if (!cwtArgumentProblem(wavelet).empty())
        return 0;
    CCwt cwt;
    cwt.setDiagnostics({});
    CwtRequest& r = cwt.request();
    r.wavelet = wavelet;
    r.rows = 4;
    r.columns = 8;
    r.rate = 8000.0f;
    r.startTime = 0.0f;
    r.endTime = 0.01f;
    r.scaleLow = 0.004f;
    r.scaleHigh = 0.0005f;
    std::vector<double> series(160);
    for (std::size_t i = 0; i < series.size(); ++i)
        series[i] = 10000.0 * std::sin(0.3 * static_cast<double>(i));
    std::vector<float> out;
    try {
        if (!cwt.Transform(series.data(), series.size(), out))
            return 0;
    } catch (const CwtError&) {
        return 0;
    }
    if (out.size() < 2)
        __builtin_trap();
    for (std::size_t i = 2; i < out.size(); ++i)
        if (!(out[i] >= 0.0f && out[i] <= 255.0f))
            __builtin_trap();
    return 0;
}
