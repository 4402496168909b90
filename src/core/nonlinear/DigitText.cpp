#include "core/nonlinear/DigitText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

std::string formatSignificant(double value, int digits)
{
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value > 0 ? "inf" : "-inf";
    if (digits < 1)
        digits = 1;
    if (digits > 40)
        digits = 40;
    std::string text; // the significant digits without point
    int p = 0;        // decimal position
    if (value == 0.0) {
        text.assign(static_cast<std::size_t>(digits), '0');
    } else {
        // "%.*e" rounds correctly to the wanted number of significant digits: d.ddd…e±XX
        char buf[96];
        std::snprintf(buf, sizeof buf, "%.*e", digits - 1, std::fabs(value));
        const std::string s(buf);
        const std::size_t ePos = s.find('e');
        for (std::size_t i = 0; i < ePos; ++i)
            if (s[i] != '.')
                text += s[i];
        p = std::atoi(s.c_str() + ePos + 1) + 1;
    }
    std::string out;
    if (p <= 0) {
        out = "0." + std::string(static_cast<std::size_t>(-p), '0') + text;
    } else {
        if (static_cast<std::size_t>(p) > text.size())
            text.append(static_cast<std::size_t>(p) - text.size(), '0');
        out = text.substr(0, static_cast<std::size_t>(p)) + "." + text.substr(static_cast<std::size_t>(p));
    }
    if (value < 0.0)
        out.insert(out.begin(), '-');
    return out;
}

std::string formatSignificantPrefix(double value, int digits, std::size_t count)
{
    return formatSignificant(value, digits).substr(0, count);
}
