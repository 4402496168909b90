// Memory for whole data chunks (up to 4 GB). Large blocks are mapped directly and marked for
// transparent huge pages, so filling 100 MB costs a few dozen page faults instead of tens of
// thousands; small blocks come from the ordinary heap. The contents are not initialised.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

struct WaveBytesDeleter
{
    void* pMapping = nullptr;   // start of the mapping, or null for a heap block
    std::size_t nMapping = 0;   // its length in bytes
    void operator()(std::uint8_t* p) const;
};

using WaveBytes = std::unique_ptr<std::uint8_t[], WaveBytesDeleter>;

// n bytes, 2 MiB-aligned when mapped; throws std::bad_alloc when there is no memory.
WaveBytes AllocateWaveBytes(std::size_t n);
