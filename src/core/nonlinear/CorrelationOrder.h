// The fixed order in which the correlation sums take up the embedding vectors: a pseudo-random
// permutation that is the same in every run.
#pragma once

#include <cstdint>
#include <vector>

// Keys from the 32-bit generator x ← 69069·x + 1 (mod 2^32), started at 2311537 and advanced
// 1000 times; index i gets key x / 2^32 of the (i + 1)-th following step. The indices 0 … n − 1
// come out in ascending key order, sorted through 4096 buckets trunc(key × 4095.999).
std::vector<std::uint32_t> correlationProcessingOrder(std::uint32_t n);
