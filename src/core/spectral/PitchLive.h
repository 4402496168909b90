// The pitch of live input, hop by hop. Blocks of samples arrive with their position in the input
// (capture: the samples captured so far; playback: the play position). Blocks that continue or overlap the
// previous one are joined (a block with nothing new is skipped), and every hop whose frame lies complete in the joined samples is
// estimated, so contiguous input gives one estimate per hop as the whole-series track does. After a
// gap the joined samples start anew; when a block then completes no frame, its newest samples are
// estimated as a shorter frame, so every block shows something. The newest estimates are kept in a
// ring and numbered from 0 since the last clear().
#pragma once

#include "PitchTracker.h"

#include <cstdint>
#include <span>
#include <vector>

class PitchLive
{
public:
    // nCapacity: how many of the newest estimates stay readable.
    PitchLive(double dSampleRate, double dFullScale, std::size_t nCapacity = 4096);

    double sampleRate() const { return m_Tracker.sampleRate(); }
    // Samples [nFirst, nFirst + block.size()) of the input. Returns how many estimates it added.
    int push(std::span<const double> block, std::int64_t nFirst);
    // Forgets the joined samples and the estimates; numbering starts again at 0.
    void clear();

    // Estimates added since the last clear(); estimate k is readable while count() − k <= capacity.
    std::uint64_t count() const { return m_nCount; }
    std::size_t capacity() const { return m_Ring.size(); }
    const PitchEstimate& at(std::uint64_t k) const { return m_Ring[k % m_Ring.size()]; }

private:
    void add(const PitchEstimate& estimate);

    PitchTracker m_Tracker;
    std::vector<double> m_Joined; // input samples [m_nNextHop, m_nEnd)
    std::int64_t m_nNextHop = 0;  // first sample of the next hop's frame
    std::int64_t m_nEnd = 0;      // one past the newest sample
    std::int64_t m_nBlockFirst = 0; // first sample of the newest block
    std::vector<PitchEstimate> m_Ring;
    std::uint64_t m_nCount = 0;
};
