// resoni-analyze autocorr: the autocorrelation of a selection and the lag of its first minimum,
// as the time-series view receives them.
#include "CliArgs.h"
#include "CliCommand.h"
#include "SpectralCliInput.h"

#include "core/spectral/SpectralReport.h"

#include <cstdio>
#include <iostream>

namespace {

int RunAutocorr(const std::vector<std::string>& argv)
{
    std::set<std::string> valueOptions, flagOptions;
    addSpectralOptions(valueOptions, flagOptions);
    const CliArgs args(argv, valueOptions, flagOptions);
    if (args.positional().size() != 1)
        throw CliUsageError("expects exactly one FILE");
    const SpectralCliFrame frame = loadSpectralFrame(args.positional()[0], args);
    const bool bJson = args.flag("json");
    const int lag =
        WriteAutocorrReport({frame.samples, frame.fftSize, frame.rate, frame.bits, bJson, frame.centre}, std::cout);
    std::cout.flush();
    if (!bJson)
        std::fprintf(stderr, "first_min_lag,%d\n", lag);
    return 0;
}

const CliRegistrar reg({"autocorr", "autocorrelation R(m)/N² of a selection (CSV lag,value), first-minimum lag",
                        "FILE [--from N] [--to N] [--fft N] [--channel left|right] [--text] [--raw] [--json]\n"
                        "  Lags 0 .. N/2 of the circular autocorrelation of the (zero-padded) frame of N values;\n"
                        "  8-bit data (unsigned bytes) is centred on 128 first.\n"
                        "  The first-minimum lag goes to standard error as \"first_min_lag,<lag>\" (with --json\n"
                        "  it is the field first_min_lag); 0 for a silent frame. Selection and N as for spectrum.",
                        RunAutocorr});

} // namespace
