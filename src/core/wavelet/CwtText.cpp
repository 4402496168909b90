#include "core/wavelet/CwtText.h"

#include <clocale>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <locale.h>
#include <vector>

namespace {

// The C locale object, created once and never freed (it lives as long as the process).
locale_t cLocale()
{
    static const locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

// Switches the calling thread to the C locale for its lifetime.
class CUseCLocale
{
public:
    CUseCLocale() : m_previous(uselocale(cLocale())) {}
    ~CUseCLocale() { uselocale(m_previous); }
    CUseCLocale(const CUseCLocale&) = delete;
    CUseCLocale& operator=(const CUseCLocale&) = delete;

private:
    locale_t m_previous;
};

} // namespace

std::string cwtFormat(const char* format, ...)
{
    CUseCLocale useC;
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    char small[256];
    const int needed = std::vsnprintf(small, sizeof small, format, args);
    va_end(args);
    std::string result;
    if (needed < 0) {
        va_end(copy);
        return result;
    }
    if (static_cast<size_t>(needed) < sizeof small) {
        result.assign(small, static_cast<size_t>(needed));
    } else {
        std::vector<char> big(static_cast<size_t>(needed) + 1);
        std::vsnprintf(big.data(), big.size(), format, copy);
        result.assign(big.data(), static_cast<size_t>(needed));
    }
    va_end(copy);
    return result;
}

double cwtStrtod(const char* text, const char** end)
{
    char* stop = nullptr;
    const double value = strtod_l(text, &stop, cLocale());
    *end = stop;
    return value;
}
