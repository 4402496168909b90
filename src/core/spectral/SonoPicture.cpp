#include "SonoPicture.h"

#include <algorithm>

SonoPicture::SonoPicture(int nWidth, int nHeight, int nLineWidth)
    : m_nWidth(std::max(1, nWidth)), m_nHeight(std::max(1, nHeight)), m_nNextX(startValue(nLineWidth)),
      m_pixels(static_cast<std::size_t>(m_nWidth) * static_cast<std::size_t>(m_nHeight), 0xff000000u)
{
}

void SonoPicture::fill(std::uint32_t colour)
{
    std::fill(m_pixels.begin(), m_pixels.end(), colour);
}

void SonoPicture::fillRect(int left, int top, int right, int bottom, std::uint32_t colour)
{
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, m_nWidth);
    bottom = std::min(bottom, m_nHeight);
    if (left >= right || top >= bottom)
        return;
    for (int y = top; y < bottom; ++y) {
        auto row = m_pixels.begin() + static_cast<std::ptrdiff_t>(index(left, y));
        std::fill(row, row + (right - left), colour);
    }
}
