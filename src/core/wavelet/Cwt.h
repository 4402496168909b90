// The continuous wavelet transform engine: turns a series and the request into the output
// matrix n, m, then n × m values 0 … 255 (row by row) for colouring. One per document.
#pragma once

#include "core/common/AbortToken.h"
#include "core/common/Callbacks.h"
#include "core/wavelet/CwtRequest.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CCwt
{
public:
    // Diagnostics go to standard error until setDiagnostics says otherwise.
    CCwt();

    CwtRequest& request() { return m_request; }
    const CwtRequest& request() const { return m_request; }

    // Where the diagnostic lines of a run go ("size …", "bmin …", the separator line, the
    // wavelets' support lines); an empty callback drops them.
    void setDiagnostics(MessageCallback diagnostics) { m_diagnostics = std::move(diagnostics); }

    // Transforms series[0 … count − 1] as the request says into out = {n, m, v(0,0), v(0,1), …}.
    // Steps: first = floor(start·rate), end = ceil(end time·rate) (m = end − first when keep
    // column count is 0); the wavelet named by the request and its centre frequency f_c
    // (WaveletCentre.h, computed once per wavelet string); S = max(scale low, scale high)·rate,
    // bmin = floor(S·lsupp), bmax = ceil(S·rsupp) (roles swapped for S < 0); the data-set window
    // [first + bmin, end + bmax); the scale grid of the request's division; the wavelet's
    // transform, row i at the wavelet scale f_c·g(i) so that it shows the frequency 1 / g(i).
    // Returns false and leaves out as it was when the wavelet string names no wavelet or the
    // method is not 0. Throws CwtError for invalid wavelet arguments, a request that cannot be
    // computed (non-finite times, rate or scales) or arrays too large to allocate.
    bool Transform(const double* series, size_t count, std::vector<float>& out);

    // The document's call: start time, duration = sample count / rate, the file's rate; the
    // output goes into 32-bit elements, each holding the bit pattern of the float value
    // (read them back with cwtElementValue). Same failures as above.
    bool Transform(const std::vector<double>& series, float startTime, float duration, float rate,
                   std::vector<std::int32_t>& out);

    // g of each output row of the last successful run, in output order: the row shows the
    // frequency 1 / rowScales()[q] Hz (its wavelet scale is f_c·g). Real wavelets: row 0 is the
    // highest frequency; complex wavelets: row 0 is the lowest.
    const std::vector<float>& rowScales() const { return m_arRowScales; }
    // f_c of the last wavelet string run (cycles per wavelet time unit).
    float centreFrequency() const { return m_fCentre; }
    // A token that, once raised, makes a running transform skip its remaining rows (its output
    // is then incomplete). The caller keeps the token alive while transforms run.
    void setAbort(const AbortToken* abort) { m_pAbort = abort; }
    // Whether the last successful run used a complex wavelet.
    bool lastWasComplex() const { return m_bLastComplex; }

private:
    void diagnose(const std::string& text) const;

    CwtRequest m_request;
    MessageCallback m_diagnostics;
    std::vector<float> m_arRowScales;
    bool m_bLastComplex = false;
    std::string m_strCentreOf; // the wavelet string m_fCentre belongs to
    float m_fCentre = 1.0f;
    const AbortToken* m_pAbort = nullptr;
};

// An output value stored in a 32-bit element of the document's result array, and back.
inline std::int32_t cwtElementFromValue(float value) { return std::bit_cast<std::int32_t>(value); }
inline float cwtElementValue(const std::vector<std::int32_t>& elements, size_t index)
{
    return std::bit_cast<float>(elements[index]);
}
