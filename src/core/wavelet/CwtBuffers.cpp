#include "core/wavelet/CwtBuffers.h"

#include "core/wavelet/CwtError.h"
#include "core/wavelet/CwtText.h"

#include <new>

bool cwtArrayTooLarge(long rows, long cols)
{
    if (rows < 0 || cols < 0)
        return true;
    if (rows == 0 || cols == 0)
        return false;
    return rows > kCwtMaxArrayFloats / cols;
}

void throwCwtAllocationError(long rows, long cols)
{
    throw CwtError(cwtFormat("Could not allocate space for %ld x %ld wavelet coefficients.\n", rows, cols));
}

std::vector<float> allocateCwtArray(long rows, long cols)
{
    if (cwtArrayTooLarge(rows, cols))
        throwCwtAllocationError(rows, cols);
    try {
        return std::vector<float>(static_cast<size_t>(rows) * static_cast<size_t>(cols), 0.0f);
    } catch (const std::bad_alloc&) {
        throwCwtAllocationError(rows, cols);
    }
}
