#include "core/nonlinear/LyapunovRandom.h"

LyapunovRandom::LyapunovRandom(std::uint32_t seed)
{
    m_table[0] = seed;
    for (unsigned i = 1; i < kSize; ++i)
        m_table[i] = 69069u * m_table[i - 1] + 1u; // unsigned arithmetic wraps modulo 2^32
}

std::uint32_t LyapunovRandom::next()
{
    auto advance = [](unsigned& p) { p = (p + 1 == kSize) ? 0 : p + 1; };
    advance(m_p1);
    advance(m_p2);
    advance(m_p3);
    advance(m_p4);
    m_table[m_p1] ^= m_table[m_p2] ^ m_table[m_p3] ^ m_table[m_p4];
    return m_table[m_p1];
}
