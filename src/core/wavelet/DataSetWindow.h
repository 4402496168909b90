// The samples the wavelet transform reads: sample indices [begin, end) of a series as floats,
// zero where the window reaches before the series start (leading zeros) or past its end.
// Reading outside the window gives 0 as well.
#pragma once

#include <cmath>
#include <cstddef>
#include <vector>

class CDataSetWindow
{
public:
    // series[0 … count − 1] are the samples; [begin, end) the window in sample indices (an
    // empty window when end ≤ begin). Throws CwtError when the window cannot be allocated.
    CDataSetWindow(const double* series, size_t count, long begin, long end);

    long begin() const { return m_begin; }
    long end() const { return m_begin + static_cast<long>(m_data.size()); }
    long size() const { return static_cast<long>(m_data.size()); }
    // Window positions before sample 0 of the series.
    long leadingZeros() const { return m_nLeadingZeros; }
    // Samples of the series before the window begin.
    long skipData() const { return m_nSkipData; }
    const float* data() const { return m_data.data(); }

    // The sample at index k, or 0 outside the window.
    float at(long k) const
    {
        const unsigned long offset = static_cast<unsigned long>(k - m_begin);
        return offset < m_data.size() ? m_data[offset] : 0.0f;
    }

    // The sample at index trunc(t), or 0 outside the window. A position too far out to be
    // an index (or not a number) reads as outside.
    float atPosition(float t) const
    {
        if (!(t > -kFarOut && t < kFarOut))
            return 0.0f;
        return at(static_cast<long>(t));
    }

private:
    static constexpr float kFarOut = 4.0e18f; // below 2^63, above any window index

    long m_begin = 0;
    long m_nLeadingZeros = 0;
    long m_nSkipData = 0;
    std::vector<float> m_data;
};
