#include "core/audio/CaptureRing.h"

#include <algorithm>
#include <cstring>

CCaptureRing::CCaptureRing(const CaptureGeometry& geometry)
    : m_geometry(geometry), m_buffer(geometry.nBufferBytes)
{
}

std::size_t CCaptureRing::Write(std::span<const std::uint8_t> data)
{
    const std::size_t size = m_buffer.size();
    if (size == 0 || data.empty())
        return 0;
    const std::uint64_t block = m_geometry.nBlockBytes;
    const std::uint64_t start = m_nCapturePosition;
    const std::uint64_t end = start + data.size();
    const auto passed = static_cast<std::size_t>(end / block - start / block);

    // Only the last lap survives; it ends where the capture position ends.
    std::size_t skip = 0;
    if (data.size() > size)
        skip = data.size() - size;
    std::size_t pos = static_cast<std::size_t>((start + skip) % size);
    std::span<const std::uint8_t> rest = data.subspan(skip);
    while (!rest.empty()) {
        const std::size_t n = std::min(rest.size(), size - pos);
        std::memcpy(m_buffer.data() + pos, rest.data(), n);
        rest = rest.subspan(n);
        pos = (pos + n) % size;
    }
    m_nCapturePosition = static_cast<std::uint32_t>(end % size);
    return passed;
}

bool CCaptureRing::RecordCapturedData(std::vector<double>& block, int nBitsPerSample, const RegionWriter& write)
{
    const std::int64_t size = static_cast<std::int64_t>(m_buffer.size());
    if (size == 0)
        return false;
    std::int64_t lock = static_cast<std::int64_t>(m_nCapturePosition) - m_nNextOffset;
    if (lock < 0)
        lock += size;
    lock -= lock % m_geometry.nBlockBytes;
    if (lock == 0)
        return false;

    // The locked range as one region, or two when it wraps past the end of the ring.
    const std::size_t first = static_cast<std::size_t>(std::min<std::int64_t>(lock, size - m_nNextOffset));
    const std::span<const std::uint8_t> regions[2] = {
        {m_buffer.data() + m_nNextOffset, first},
        {m_buffer.data(), static_cast<std::size_t>(lock) - first},
    };
    block.clear();
    for (const auto& region : regions) {
        if (region.empty())
            continue;
        AppendSamples(region, nBitsPerSample, block);
        if (write && !write(region))
            return false;
        m_nNextOffset = static_cast<std::uint32_t>((m_nNextOffset + region.size()) % m_buffer.size());
    }
    return true;
}

void CCaptureRing::AppendSamples(std::span<const std::uint8_t> bytes, int nBitsPerSample, std::vector<double>& block)
{
    if (nBitsPerSample == 8) {
        block.insert(block.end(), bytes.begin(), bytes.end());
        return;
    }
    const std::size_t words = bytes.size() / 2;
    block.reserve(block.size() + words);
    for (std::size_t i = 0; i < words; ++i) {
        const auto w = static_cast<std::uint16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
        block.push_back(static_cast<std::int16_t>(w));
    }
}
