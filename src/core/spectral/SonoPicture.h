// The sonogram's picture store: width × height pixels, row by row from the top, each a 32-bit
// 0xffRRGGBB value (so a QImage of Format_RGB32 can show the buffer without a copy), and the x of
// the next column. The view owns one the size of the screen; a worker thread may paint into it
// while the view shows it, under the view's lock.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

class SonoPicture
{
public:
    // A store of at least 1 × 1 pixels, filled with black; the next column at the start value
    // of the line width.
    SonoPicture(int nWidth, int nHeight, int nLineWidth);

    int width() const { return m_nWidth; }
    int height() const { return m_nHeight; }
    std::span<const std::uint32_t> pixels() const { return m_pixels; }
    std::uint32_t pixel(int x, int y) const { return m_pixels[index(x, y)]; }
    int bytesPerLine() const { return m_nWidth * 4; }

    // The x of the next column. Its start value, line width + 1, makes the next column clear the
    // store and begin at the left edge.
    int nextX() const { return m_nNextX; }
    void setNextX(int x) { m_nNextX = x; }
    static int startValue(int nLineWidth) { return nLineWidth + 1; }
    void restart(int nLineWidth) { m_nNextX = startValue(nLineWidth); }

    void fill(std::uint32_t colour);
    // Pixels [left, right) × [top, bottom), clipped to the store; nothing when empty.
    void fillRect(int left, int top, int right, int bottom, std::uint32_t colour);

private:
    std::size_t index(int x, int y) const
    {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(m_nWidth) + static_cast<std::size_t>(x);
    }

    int m_nWidth;
    int m_nHeight;
    int m_nNextX;
    std::vector<std::uint32_t> m_pixels;
};
