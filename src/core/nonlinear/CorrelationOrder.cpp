#include "core/nonlinear/CorrelationOrder.h"

#include <algorithm>

std::vector<std::uint32_t> correlationProcessingOrder(std::uint32_t n)
{
    constexpr unsigned kBuckets = 4096;
    std::uint32_t x = 2311537u;
    for (int i = 0; i < 1000; ++i)
        x = 69069u * x + 1u;
    std::vector<std::uint32_t> keys(n);
    std::vector<std::uint32_t> bucketOf(n);
    std::vector<std::uint32_t> bucketStart(kBuckets + 1, 0);
    for (std::uint32_t i = 0; i < n; ++i) {
        x = 69069u * x + 1u;
        keys[i] = x; // key = x / 2^32; comparing x compares the keys
        const double key = static_cast<double>(x) * 0x1p-32;
        bucketOf[i] = static_cast<std::uint32_t>(key * 4095.999);
        ++bucketStart[bucketOf[i] + 1];
    }
    for (unsigned b = 0; b < kBuckets; ++b)
        bucketStart[b + 1] += bucketStart[b];
    std::vector<std::uint32_t> order(n);
    std::vector<std::uint32_t> fill(bucketStart.begin(), bucketStart.end() - 1);
    for (std::uint32_t i = 0; i < n; ++i)
        order[fill[bucketOf[i]]++] = i;
    // The generator has full period, so the keys of fewer than 2^32 indices are distinct.
    for (unsigned b = 0; b < kBuckets; ++b)
        std::sort(order.begin() + bucketStart[b], order.begin() + bucketStart[b + 1],
                  [&](std::uint32_t a, std::uint32_t c) { return keys[a] < keys[c]; });
    return order;
}
