#include "ProfileLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

namespace {

std::int32_t clampToInt32(double v)
{
    constexpr double lo = std::numeric_limits<std::int32_t>::min();
    constexpr double hi = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(v, lo, hi));
}

std::int32_t clampToInt32(std::int64_t v)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

// trunc(value·100 / size); integer division truncates toward zero.
std::int32_t toPercent(std::int32_t value, int size)
{
    return clampToInt32(static_cast<std::int64_t>(value) * 100 / size);
}

// trunc(value·size·0.01), the integer product first.
std::int32_t toPixels(std::int32_t value, int size)
{
    const std::int64_t product = static_cast<std::int64_t>(value) * std::max(size, 0);
    return clampToInt32(std::trunc(static_cast<double>(product) * 0.01));
}

struct Rect64
{
    std::int64_t left, top, right, bottom;
};

} // namespace

WindowPlacement PlacementToPercent(const WindowPlacement& pixels, int W, int H)
{
    WindowPlacement wp = pixels;
    if (W > 0) {
        wp.left = toPercent(pixels.left, W);
        wp.right = toPercent(pixels.right, W);
    } else {
        wp.left = 0;
        wp.right = 100;
    }
    if (H > 0) {
        wp.top = toPercent(pixels.top, H);
        wp.bottom = toPercent(pixels.bottom, H);
    } else {
        wp.top = 0;
        wp.bottom = 100;
    }
    // 64-bit differences: right and bottom may be anywhere in the 32-bit range.
    if (100 - static_cast<std::int64_t>(wp.right) < 5)
        wp.right = 100;
    if (100 - static_cast<std::int64_t>(wp.bottom) < 5)
        wp.bottom = 100;
    return wp;
}

WindowPlacement PlacementToPixels(const WindowPlacement& percent, int W, int H)
{
    WindowPlacement wp = percent;
    wp.left = toPixels(percent.left, W);
    wp.right = toPixels(percent.right, W);
    wp.top = toPixels(percent.top, H);
    wp.bottom = toPixels(percent.bottom, H);
    return wp;
}

WindowPlacement DefaultMainPlacement()
{
    WindowPlacement wp;
    wp.length = 44;
    wp.flags = 0;
    wp.showCmd = 5; // show in its current size and position
    wp.minX = wp.minY = -1;
    wp.maxX = wp.maxY = -1;
    wp.left = 0;
    wp.top = 0;
    wp.right = 10;
    wp.bottom = 10;
    return wp;
}

WindowPlacement FitMainPlacement(const WindowPlacement& stored, const PixelRect& workArea)
{
    // 64-bit arithmetic: shifting a rectangle near the ends of the 32-bit range must not overflow.
    Rect64 r{stored.left, stored.top, stored.right, stored.bottom};
    if (r.left > r.right)
        std::swap(r.left, r.right);
    if (r.top > r.bottom)
        std::swap(r.top, r.bottom);
    const Rect64 wa{workArea.left, workArea.top, workArea.right, workArea.bottom};

    // No common area (an empty rectangle or work area has none): the default record.
    const bool intersects = std::max(r.left, wa.left) < std::min(r.right, wa.right) &&
                            std::max(r.top, wa.top) < std::min(r.bottom, wa.bottom);
    if (!intersects)
        return DefaultMainPlacement();

    if (r.left < wa.left) {
        r.right += wa.left - r.left;
        r.left = wa.left;
    }
    if (r.right > wa.right) {
        r.left -= r.right - wa.right;
        r.right = wa.right;
    }
    r.left = std::max(r.left, wa.left);
    if (r.top < wa.top) {
        r.bottom += wa.top - r.top;
        r.top = wa.top;
    }
    if (r.bottom > wa.bottom) {
        r.top -= r.bottom - wa.bottom;
        r.bottom = wa.bottom;
    }
    r.top = std::max(r.top, wa.top);

    WindowPlacement wp = stored;
    wp.length = 44;
    wp.left = clampToInt32(r.left);
    wp.top = clampToInt32(r.top);
    wp.right = clampToInt32(r.right);
    wp.bottom = clampToInt32(r.bottom);
    return wp;
}
