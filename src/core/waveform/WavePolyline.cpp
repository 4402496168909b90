#include "core/waveform/WavePolyline.h"

#include <algorithm>

void WavePolylineBuilder::add(int x, int y)
{
    if (m_bOpen && x == m_x) {
        m_min = std::min(m_min, y);
        m_max = std::max(m_max, y);
        m_last = y;
        return;
    }
    flush();
    m_bOpen = true;
    m_x = x;
    m_first = m_min = m_max = m_last = y;
}

void WavePolylineBuilder::flush()
{
    if (!m_bOpen)
        return;
    m_bOpen = false;
    // first → extreme nearer to it → the other extreme → last: the same vertical span, and the
    // joins to the neighbouring columns start and end where the full line's do.
    const bool downFirst = (m_first - m_min) <= (m_max - m_first);
    const int a = downFirst ? m_min : m_max;
    const int b = downFirst ? m_max : m_min;
    for (int y : {m_first, a, b, m_last})
        if (m_out.empty() || m_out.back().x != m_x || m_out.back().y != y)
            m_out.push_back({m_x, y});
}
