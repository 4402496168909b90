// Working arrays of the wavelet engine. Every array is checked before it is allocated, so an
// absurd request (a huge selection, an order that widens the support without bound) fails with
// the engine's allocation message instead of exhausting memory.
#pragma once

#include <cstddef>
#include <vector>

// Largest array the engine allocates, in floats: 2^28 floats = 1 GiB (about 100 minutes of
// 44100 Hz samples in the data-set window).
inline constexpr long kCwtMaxArrayFloats = 1L << 28;

// A zero-filled array of rows × cols floats. Throws CwtError with
// "Could not allocate space for <rows> x <cols> wavelet coefficients.\n" when a count is
// negative, the product exceeds kCwtMaxArrayFloats or the allocation fails.
std::vector<float> allocateCwtArray(long rows, long cols);

// True when an array of rows × cols floats would be refused by allocateCwtArray.
bool cwtArrayTooLarge(long rows, long cols);

// The allocation failure itself, for callers that size an array in another type.
[[noreturn]] void throwCwtAllocationError(long rows, long cols);
