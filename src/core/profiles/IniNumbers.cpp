#include "IniNumbers.h"

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <locale.h>

namespace {

// A "C" locale object made once, so parsing never depends on LC_NUMERIC of the process.
locale_t cLocale()
{
    static const locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

bool isCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// strtol-like decimal parse, saturated to the 64-bit range.
std::int64_t parseSaturated(const char* text)
{
    if (!text)
        return 0;
    const char* p = text;
    while (isCSpace(*p))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    // Accumulate the magnitude; 2^63 is the largest magnitude we need (for INT64_MIN).
    constexpr std::uint64_t kLimit = std::uint64_t{1} << 63;
    std::uint64_t magnitude = 0;
    bool overflow = false;
    for (; *p >= '0' && *p <= '9'; ++p) {
        const auto digit = static_cast<std::uint64_t>(*p - '0');
        if (overflow || magnitude > (kLimit - digit) / 10)
            overflow = true;
        else
            magnitude = magnitude * 10 + digit;
    }
    if (negative)
        return overflow || magnitude >= kLimit ? std::numeric_limits<std::int64_t>::min()
                                               : -static_cast<std::int64_t>(magnitude);
    return overflow || magnitude >= kLimit ? std::numeric_limits<std::int64_t>::max()
                                           : static_cast<std::int64_t>(magnitude);
}

} // namespace

std::string IniFormatInt(int value)
{
    char buf[16];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, r.ptr);
}

std::string IniFormatDouble(double value)
{
    // to_chars with a precision formats exactly as printf("%.6g") does in the C locale.
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 6);
    return std::string(buf, r.ptr);
}

int IniAtoi(const char* text)
{
    // Truncation to 32 bits is modular in C++20, as in the C library's (int)strtol.
    return static_cast<int>(parseSaturated(text));
}

long IniAtol(const char* text)
{
    const std::int64_t v = parseSaturated(text);
    if (v > std::numeric_limits<long>::max())
        return std::numeric_limits<long>::max();
    if (v < std::numeric_limits<long>::min())
        return std::numeric_limits<long>::min();
    return static_cast<long>(v);
}

double IniAtof(const char* text)
{
    if (!text)
        return 0.0;
    const locale_t loc = cLocale();
    if (loc == static_cast<locale_t>(nullptr))
        return std::strtod(text, nullptr);
    return strtod_l(text, nullptr, loc);
}

float IniNarrowToFloat(double value)
{
    constexpr double kMax = std::numeric_limits<float>::max();
    if (value > kMax)
        return std::numeric_limits<float>::infinity();
    if (value < -kMax)
        return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value); // NaN and in-range values convert as they are
}

int IniColourFromRgb(const Rgb& colour)
{
    return colour.red | (colour.green << 8) | (colour.blue << 16);
}

Rgb IniRgbFromColour(int value)
{
    const auto v = static_cast<unsigned>(value);
    return Rgb{static_cast<std::uint8_t>(v & 0xFFu), static_cast<std::uint8_t>((v >> 8) & 0xFFu),
               static_cast<std::uint8_t>((v >> 16) & 0xFFu)};
}
