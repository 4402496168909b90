// The fixed random generator that starts the tangent vectors of the Lyapunov spectrum, so
// that every run on the same data gives the same exponents.
// Table t[0 … 9688]: t[0] = seed, t[i] = 69069·t[i−1] + 1 (mod 2^32). A draw advances the four
// positions (initially 9688, 9531, 9374, 9217) by one modulo 9689, then
// t[p1] ← t[p1] xor t[p2] xor t[p3] xor t[p4] and returns t[p1].
#pragma once

#include <array>
#include <cstdint>

class LyapunovRandom
{
public:
    static constexpr unsigned kSize = 9689;

    explicit LyapunovRandom(std::uint32_t seed);
    std::uint32_t next();

private:
    std::array<std::uint32_t, kSize> m_table{};
    unsigned m_p1 = 9688, m_p2 = 9531, m_p3 = 9374, m_p4 = 9217;
};
