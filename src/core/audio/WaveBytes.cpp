#include "core/audio/WaveBytes.h"

#include <new>
#include <sys/mman.h>

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
// Below this the heap is as fast and wastes no alignment slack.
constexpr std::size_t kMapThreshold = std::size_t{4} << 20;

} // namespace

void WaveBytesDeleter::operator()(std::uint8_t* p) const
{
    if (pMapping)
        munmap(pMapping, nMapping);
    else
        delete[] p;
}

WaveBytes AllocateWaveBytes(std::size_t n)
{
    if (n < kMapThreshold)
        return WaveBytes(new std::uint8_t[n]);
    const std::size_t len = n + kHugePage; // room to align the start to a huge page
    void* raw = mmap(nullptr, len, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED)
        throw std::bad_alloc();
    const auto addr = reinterpret_cast<std::uintptr_t>(raw);
    auto* p = reinterpret_cast<std::uint8_t*>((addr + kHugePage - 1) & ~(kHugePage - 1));
#ifdef MADV_HUGEPAGE
    madvise(p, n, MADV_HUGEPAGE); // only advice: without huge pages the block works the same
#endif
    return WaveBytes(p, WaveBytesDeleter{raw, len});
}
