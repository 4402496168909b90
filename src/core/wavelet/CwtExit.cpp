#include "core/wavelet/CwtExit.h"

#include "core/wavelet/Cwt.h"
#include "core/wavelet/CwtError.h"

#include <cstdio>
#include <cstdlib>

void exitWithCwtError(const CwtError& error)
{
    std::fflush(stdout);
    std::fputs(error.what(), stderr);
    std::fflush(stderr);
    std::exit(1);
}

void runCwtOrExit(const std::function<void()>& work)
{
    try {
        work();
    } catch (const CwtError& error) {
        exitWithCwtError(error);
    }
}

bool transformOrExit(CCwt& cwt, const std::vector<double>& series, float startTime, float duration, float rate,
                     std::vector<std::int32_t>& out)
{
    bool computed = false;
    runCwtOrExit([&] { computed = cwt.Transform(series, startTime, duration, rate, out); });
    return computed;
}
