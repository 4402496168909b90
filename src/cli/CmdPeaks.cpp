// resoni-analyze peaks and notes: the FFT view's peak list as the note image receives it, with
// exact frequencies and levels and the name of each note.
#include "CliArgs.h"
#include "CliCommand.h"
#include "SpectralCliInput.h"

#include "core/spectral/NoteNames.h"
#include "core/spectral/SpectralReport.h"

#include <iostream>

namespace {

int RunPeaks(const std::vector<std::string>& argv)
{
    std::set<std::string> valueOptions, flagOptions;
    addSpectralOptions(valueOptions, flagOptions);
    valueOptions.insert({"width", "height", "a4"});
    const CliArgs args(argv, valueOptions, flagOptions);
    if (args.positional().size() != 1)
        throw CliUsageError("expects exactly one FILE");
    const long long width = args.getInt("width", 800);
    const long long height = args.getInt("height", 400);
    if (width < 100 || width > 100000 || height < 100 || height > 100000)
        throw CliUsageError("--width/--height: " + std::to_string(width) + " × " + std::to_string(height) +
                            " is outside 100 … 100000 pixels");
    const double a4 = args.getDouble("a4", kDefaultA4Hz);
    if (a4 < kMinA4Hz || a4 > kMaxA4Hz)
        throw CliUsageError("--a4: " + *args.text("a4") + " is outside " + std::to_string(kMinA4Hz) + " … " +
                            std::to_string(kMaxA4Hz) + " Hz");
    const SpectralCliFrame frame = loadSpectralFrame(args.positional()[0], args);
    WritePeaksReport({frame.samples, frame.fftSize, frame.rate, frame.bits, args.flag("json")}, FFTViewSettings{},
                     static_cast<int>(width), static_cast<int>(height), a4, std::cout);
    std::cout.flush();
    return 0;
}

constexpr const char* kUsage =
    "FILE [--from N] [--to N] [--fft N] [--width W] [--height H] [--a4 HZ] [--channel left|right]\n"
    "      [--text] [--raw] [--json]\n"
    "  The FFT view's peak detection with its default settings (20 Hz … 20 kHz and 0 … -96 dBr\n"
    "  on logarithmic scales, 10 pixels between maxima, 3 bins to the 20 % drop) on a plot of\n"
    "  W × H pixels (default 800 × 400). Each detected peak's frequency and level are refined from\n"
    "  its bin and the larger neighbour (exact for a steady sine); kept above -50 dBr below 1 kHz,\n"
    "  -70 dBr below 5 kHz, -96 dBr above. note: the Helmholtz name (a' = A4, c = C3, H, = B1),\n"
    "  scientific: C4, A#4, cents: deviation from that note, against a' = HZ (415 … 466, default 440).\n"
    "  Selection and N as for spectrum.";

const CliRegistrar peaks({"peaks",
                          "peaks of the spectrum as the note image receives them "
                          "(CSV frequency_hz,level_dbr,note,scientific,cents)",
                          kUsage, RunPeaks});
const CliRegistrar notes({"notes", "the partials the note image receives, with names and cents (as peaks)", kUsage,
                          RunPeaks});

} // namespace
