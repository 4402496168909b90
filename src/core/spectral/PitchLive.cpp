#include "PitchLive.h"

#include <algorithm>

PitchLive::PitchLive(double dSampleRate, double dFullScale, std::size_t nCapacity)
    : m_Tracker(dSampleRate, dFullScale), m_Ring(std::max<std::size_t>(1, nCapacity))
{
}

void PitchLive::clear()
{
    m_Joined.clear();
    m_nNextHop = m_nEnd = m_nBlockFirst = 0;
    m_nCount = 0;
}

void PitchLive::add(const PitchEstimate& estimate)
{
    m_Ring[m_nCount % m_Ring.size()] = estimate;
    ++m_nCount;
}

int PitchLive::push(std::span<const double> block, std::int64_t nFirst)
{
    if (block.empty())
        return 0;
    const std::int64_t joinedStart = m_nEnd - static_cast<std::int64_t>(m_Joined.size());
    // A block that reaches back before the kept samples and beyond the newest one continues them.
    if (!m_Joined.empty() && nFirst < joinedStart && nFirst + static_cast<std::int64_t>(block.size()) > m_nEnd) {
        block = block.subspan(static_cast<std::size_t>(joinedStart - nFirst));
        nFirst = joinedStart;
    }
    const auto size = static_cast<std::int64_t>(block.size());
    const std::int64_t end = nFirst + size;
    if (!m_Joined.empty() && nFirst >= m_nBlockFirst && end <= m_nEnd)
        return 0; // nothing new (a play position that has not moved)
    m_nBlockFirst = nFirst;
    const bool bContinues = !m_Joined.empty() && nFirst >= joinedStart && nFirst <= m_nEnd;
    if (bContinues) {
        m_Joined.insert(m_Joined.end(), block.begin() + (m_nEnd - nFirst), block.end());
    } else {
        m_Joined.assign(block.begin(), block.end());
        m_nNextHop = nFirst;
    }
    m_nEnd = end;

    const int frame = m_Tracker.frameLength(), hop = m_Tracker.hopLength();
    int added = 0;
    while (m_nNextHop + frame <= m_nEnd) {
        const auto offset = static_cast<std::size_t>(m_nNextHop - (m_nEnd - static_cast<std::int64_t>(m_Joined.size())));
        add(m_Tracker.estimate(std::span<const double>(m_Joined).subspan(offset, static_cast<std::size_t>(frame))));
        m_nNextHop += hop;
        ++added;
    }
    if (added == 0 && !bContinues)
        add(m_Tracker.estimate(m_Joined));
    // Keep only what the next hop needs.
    const std::int64_t drop = std::clamp<std::int64_t>(m_nNextHop - (m_nEnd - static_cast<std::int64_t>(m_Joined.size())),
                                                       0, static_cast<std::int64_t>(m_Joined.size()));
    m_Joined.erase(m_Joined.begin(), m_Joined.begin() + drop);
    return added == 0 && !bContinues ? 1 : added;
}
