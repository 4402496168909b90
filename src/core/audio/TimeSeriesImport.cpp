#include "core/audio/TimeSeriesImport.h"

#include <cmath>
#include <cstdlib> // strtod_l (glibc)
#include <fstream>
#include <iterator>
#include <locale.h> // newlocale, locale_t

namespace {

bool IsSeparator(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// The "C" locale as an object, so the conversion ignores the locale a GUI may have set.
locale_t CLocale()
{
    static const locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

} // namespace

TimeSeriesValues ParseTimeSeries(std::string_view text)
{
    TimeSeriesValues out;
    // strtod_l needs a terminated string; an entry is copied only when it could run into the
    // end of the view (the last one), all others end at a separator.
    std::string tail;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        while (i < n && IsSeparator(text[i]))
            ++i;
        if (i >= n)
            break;
        std::size_t j = i;
        while (j < n && !IsSeparator(text[j]))
            ++j;
        if (text[i] != '#') {
            double v;
            if (j < n) {
                v = strtod_l(text.data() + i, nullptr, CLocale()); // stops at the separator at j
            } else {
                tail.assign(text.substr(i, j - i));
                v = strtod_l(tail.c_str(), nullptr, CLocale());
            }
            out.values.push_back(v);
            if (std::isfinite(v) && std::fabs(v) > out.dMax)
                out.dMax = std::fabs(v);
            if (v < 0)
                out.bNegative = true;
        }
        i = j;
    }
    return out;
}

bool ReadTimeSeriesFile(const std::string& path, TimeSeriesValues& out)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return false;
    out = ParseTimeSeries(text);
    return true;
}

std::vector<std::int16_t> ScaleTimeSeries(const TimeSeriesValues& series)
{
    std::vector<std::int16_t> out(series.values.size(), 0);
    // M = 0: every finite value is 0; they stay 0 (signed range, scale 1), so only
    // infinities reach the limits.
    const double M = series.dMax;
    const bool bSigned = series.bNegative || M == 0.0;
    const double s = M == 0.0 ? 1.0 : (series.bNegative ? 65536.0 / M * 0.5 : 65536.0 / M);
    const double lo = bSigned ? -32768.0 : 0.0;
    const double hi = bSigned ? 32767.0 : 65535.0;
    const int shift = bSigned ? 0 : 32768;
    for (std::size_t i = 0; i < out.size(); ++i) {
        double q = std::trunc(series.values[i] * s);
        if (std::isnan(q))
            q = 0.0;
        q = q < lo ? lo : (q > hi ? hi : q); // clamped in double, so the conversion is exact
        out[i] = static_cast<std::int16_t>(static_cast<int>(q) - shift);
    }
    return out;
}

bool IsAllZeroSeries(const TimeSeriesValues& series)
{
    if (series.values.empty())
        return false;
    for (double v : series.values)
        if (v != 0.0)
            return false;
    return true;
}
