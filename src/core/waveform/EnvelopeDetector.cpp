#include "EnvelopeDetector.h"

#include <algorithm>

namespace EnvelopeDetector {

namespace {

// The walk through one stretch; s is the next sample to read.
class BlockWalk
{
public:
    BlockWalk(const WaveSamples& wave, long long b, long long shownEnd, const OffsetScale& scale)
        : m_wave(wave), m_b(b), m_end(shownEnd), m_scale(scale)
    {
    }

    long long s = 0;

    Block next()
    {
        Block block;
        block.first = s;
        const int centre = m_wave.eightBit() ? 128 : 0;
        block.upperValue = block.lowerValue = centre;
        bool bReached = false;
        for (int cycle = 0; cycle < kCyclesPerBlock; ++cycle) {
            const bool bLast = bReached; // the one further cycle after an end was reached
            // Positive run, bounded by b.
            while (s < m_b && offset() > 0) {
                take(block, true);
                ++s;
            }
            bReached = bReached || s >= m_b;
            bReached = zeroRun() || bReached;
            while (s < m_end && offset() < 0) {
                take(block, false);
                ++s;
            }
            bReached = bReached || s >= m_end;
            bReached = zeroRun() || bReached;
            if (bLast)
                break;
        }
        block.middle = s - (s - block.first) / 2;
        return block;
    }

private:
    int offset() const { return m_wave.offset(static_cast<std::size_t>(s), m_scale.zoom, m_scale.height); }
    // A run of zero offsets; true when it stopped at the end of the shown range.
    bool zeroRun()
    {
        while (s < m_end && offset() == 0)
            ++s;
        return s >= m_end;
    }
    void take(Block& block, bool bUpper)
    {
        const int d = offset();
        if (bUpper && d > block.p) {
            block.p = d;
            block.upperValue = m_wave.raw(static_cast<std::size_t>(s));
        } else if (!bUpper && d < block.q) {
            block.q = d;
            block.lowerValue = m_wave.raw(static_cast<std::size_t>(s));
        }
    }

    const WaveSamples& m_wave;
    long long m_b;
    long long m_end;
    OffsetScale m_scale;
};

} // namespace

std::vector<Block> DetectBlocks(const WaveSamples& wave, long long a, long long b, long long shownEnd,
                                const OffsetScale& scale)
{
    std::vector<Block> blocks;
    if (wave.bytes < 2 || wave.data == nullptr)
        return blocks;
    if (!wave.eightBit()) {
        a -= a % 2;
        b -= b % 2;
    }
    const auto n = static_cast<long long>(wave.count());
    shownEnd = std::min(shownEnd, n);
    b = std::min(b, shownEnd);
    a = std::max(a, 0LL);
    if (a >= b)
        return blocks;
    BlockWalk walk(wave, b, shownEnd, scale);
    walk.s = a;
    while (walk.s < b)
        blocks.push_back(walk.next());
    return blocks;
}

EdgePoints ViewPoints(const std::vector<Block>& blocks, long long s0, long long length, int width, int height)
{
    EdgePoints points;
    if (length <= 0)
        return points;
    const int mid = (height - 20) / 2 + 10;
    for (const Block& block : blocks) {
        const int x = static_cast<int>((block.middle - s0) * width / length);
        points.upper.push_back({x, mid - block.p});
        points.lower.push_back({x, mid - block.q});
    }
    return points;
}

SupportPoints Supports(const std::vector<Block>& blocks)
{
    SupportPoints points;
    for (const Block& block : blocks) {
        points.upper.push_back({block.middle, block.upperValue});
        points.lower.push_back({block.middle, block.lowerValue});
    }
    return points;
}

namespace {

void MergeOne(std::vector<SupportPoint>& into, const std::vector<SupportPoint>& more)
{
    for (const SupportPoint& point : more) {
        auto at = std::find_if(into.begin(), into.end(), [&](const SupportPoint& p) { return p.sample >= point.sample; });
        if (at == into.end() || at->sample != point.sample)
            into.insert(at, point);
    }
}

} // namespace

void MergeSupports(SupportPoints& into, const SupportPoints& more)
{
    MergeOne(into.upper, more.upper);
    MergeOne(into.lower, more.lower);
}

std::string SupportCsv(const SupportPoints& points)
{
    std::string csv = "edge,sample,value\n";
    for (const SupportPoint& p : points.upper)
        csv += "upper," + std::to_string(p.sample) + "," + std::to_string(p.value) + "\n";
    for (const SupportPoint& p : points.lower)
        csv += "lower," + std::to_string(p.sample) + "," + std::to_string(p.value) + "\n";
    return csv;
}

} // namespace EnvelopeDetector
