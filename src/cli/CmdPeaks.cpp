// resoni-analyze peaks: the FFT view's peak list as the note image receives it.
#include "CliArgs.h"
#include "CliCommand.h"
#include "SpectralCliInput.h"

#include "core/spectral/SpectralReport.h"

#include <iostream>

namespace {

int RunPeaks(const std::vector<std::string>& argv)
{
    std::set<std::string> valueOptions, flagOptions;
    addSpectralOptions(valueOptions, flagOptions);
    valueOptions.insert({"width", "height"});
    const CliArgs args(argv, valueOptions, flagOptions);
    if (args.positional().size() != 1)
        throw CliUsageError("expects exactly one FILE");
    const long long width = args.getInt("width", 800);
    const long long height = args.getInt("height", 400);
    if (width < 100 || width > 100000 || height < 100 || height > 100000)
        throw CliUsageError("--width/--height: " + std::to_string(width) + " × " + std::to_string(height) +
                            " is outside 100 … 100000 pixels");
    const SpectralCliFrame frame = loadSpectralFrame(args.positional()[0], args);
    WritePeaksReport({frame.samples, frame.fftSize, frame.rate, frame.bits, args.flag("json")}, FFTViewSettings{},
                     static_cast<int>(width), static_cast<int>(height), std::cout);
    std::cout.flush();
    return 0;
}

const CliRegistrar reg({"peaks", "peaks of the spectrum as the note image receives them (CSV frequency_hz,level_dbr)",
                        "FILE [--from N] [--to N] [--fft N] [--width W] [--height H] [--channel left|right] [--text]\n"
                        "      [--raw] [--json]\n"
                        "  The FFT view's peak detection with its default settings (20 Hz … 20 kHz and 0 … -96 dBr\n"
                        "  on logarithmic scales, 10 pixels between maxima, 3 bins to the 20 % drop) on a plot of\n"
                        "  W × H pixels (default 800 × 400); frequencies and levels read back from the pixels, kept\n"
                        "  above -50 dBr below 1 kHz, -70 dBr below 5 kHz, -96 dBr above. Selection and N as for spectrum.",
                        RunPeaks});

} // namespace
