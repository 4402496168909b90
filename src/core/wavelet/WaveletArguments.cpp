#include "core/wavelet/WaveletArguments.h"

#include "core/wavelet/CwtText.h"

namespace {

bool isCSpace(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' || ch == '\r';
}

} // namespace

WaveletArguments parseWaveletArguments(const char* rest)
{
    WaveletArguments args;
    if (*rest == '\0')
        return args;
    args.none = false;
    args.text = *rest == ',' ? rest + 1 : rest;
    const char* p = rest;
    while (*p == ',') {
        const char* end = nullptr;
        const double value = cwtStrtod(p + 1, &end);
        p = end;
        while (isCSpace(*p))
            ++p;
        if (*p != '\0' && *p != ',')
            break;
        args.values.push_back(value);
        if (*p == '\0')
            return args;
    }
    args.wellFormed = false;
    return args;
}
