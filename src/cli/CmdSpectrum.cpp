// resoni-analyze spectrum: the magnitude spectrum of a selection, as the FFT view receives it.
#include "CliArgs.h"
#include "CliCommand.h"
#include "SpectralCliInput.h"

#include "core/spectral/SpectralReport.h"

#include <iostream>

namespace {

int RunSpectrum(const std::vector<std::string>& argv)
{
    std::set<std::string> valueOptions, flagOptions;
    addSpectralOptions(valueOptions, flagOptions);
    const CliArgs args(argv, valueOptions, flagOptions);
    if (args.positional().size() != 1)
        throw CliUsageError("expects exactly one FILE");
    const SpectralCliFrame frame = loadSpectralFrame(args.positional()[0], args);
    WriteSpectrumReport({frame.samples, frame.fftSize, frame.rate, frame.bits, args.flag("json")}, std::cout);
    std::cout.flush();
    return 0;
}

const CliRegistrar reg({"spectrum", "magnitude spectrum of a selection (CSV bin,frequency_hz,magnitude,level_dbr)",
                        "FILE [--from N] [--to N] [--fft N] [--channel left|right] [--text] [--raw] [--json]\n"
                        "  N/2 + 1 bins: frequency k·rate/N, magnitude |X(k)|/N in sample units,\n"
                        "  level 20·log10(magnitude / 2^bits) in dBr (-inf for 0).\n"
                        "  The selection [--from, --to) is taken as the program takes it: for data of more than\n"
                        "  8 bits an odd --from is lowered by one; N defaults to the largest power of two that\n"
                        "  fits it (1000 samples -> 512) and is zero-padded when --fft is larger.",
                        RunSpectrum});

} // namespace
