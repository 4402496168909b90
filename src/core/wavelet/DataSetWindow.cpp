#include "core/wavelet/DataSetWindow.h"

#include "core/wavelet/CwtBuffers.h"

#include <algorithm>
#include <climits>

CDataSetWindow::CDataSetWindow(const double* series, size_t count, long begin, long end)
    : m_begin(begin)
{
    const long length = end > begin ? end - begin : 0;
    m_data = allocateCwtArray(1, length);
    const long seriesEnd = static_cast<long>(std::min<size_t>(count, static_cast<size_t>(LONG_MAX)));
    m_nLeadingZeros = begin < 0 ? std::min(-begin, length) : 0;
    m_nSkipData = begin > 0 ? std::min(begin, seriesEnd) : 0;
    const long from = std::max(begin, 0L);
    const long to = std::min(begin + length, seriesEnd);
    for (long k = from; k < to; ++k)
        m_data[static_cast<size_t>(k - begin)] = static_cast<float>(series[k]);
}
