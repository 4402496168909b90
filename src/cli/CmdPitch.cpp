// resoni-analyze pitch: the pitch over time, one row per hop, as the note image's third mode draws it.
#include "CliArgs.h"
#include "CliCommand.h"
#include "CliOutput.h"
#include "SeriesInput.h"

#include "core/spectral/NoteNames.h"
#include "core/spectral/PitchTracker.h"

#include <cmath>
#include <iostream>
#include <string>

namespace {

int RunPitch(const std::vector<std::string>& argv)
{
    std::set<std::string> valueOptions{"a4"}, flagOptions;
    addSeriesOptions(valueOptions, flagOptions);
    const CliArgs args(argv, valueOptions, flagOptions);
    if (args.positional().size() != 1)
        throw CliUsageError("expects exactly one FILE");
    const double a4 = args.getDouble("a4", kDefaultA4Hz);
    if (!(a4 >= kMinA4Hz && a4 <= kMaxA4Hz))
        throw CliUsageError("--a4: " + formatNumber(a4) + " is outside " + std::to_string(kMinA4Hz) + " … " +
                            std::to_string(kMaxA4Hz) + " Hz");
    const SeriesInput input = loadSeriesInput(args.positional()[0], args);
    PitchTrack track;
    TrackPitch(input.samples, input.rate, std::ldexp(1.0, input.bits - 1), track);

    std::string text = "time_s,frequency_hz,note,scientific,cents,confidence\n";
    const double offset = static_cast<double>(input.firstSample) / input.rate;
    for (std::size_t i = 0; i < track.hops.size(); ++i) {
        const PitchEstimate& e = track.hops[i];
        text += formatNumber(offset + track.timeOf(i)) + ",";
        const std::optional<NoteName> note = e.voiced() ? NameOfFrequency(e.dFrequencyHz, a4) : std::nullopt;
        if (note)
            text += formatNumber(e.dFrequencyHz) + "," + note->helmholtz + "," + note->scientific + "," +
                    std::to_string(note->cents);
        else
            text += ",,,";
        text += "," + formatNumber(e.dConfidence) + "\n";
    }
    std::cout << text;
    std::cout.flush();
    return 0;
}

const CliRegistrar reg({"pitch", "pitch over time (CSV time_s,frequency_hz,note,scientific,cents,confidence)",
                        "FILE [--a4 HZ] [--from N] [--to N] [--channel left|right] [--text] [--raw]\n"
                        "  One row per hop of 512 samples (frames of 2048 samples; both at 44100 Hz and scaled with\n"
                        "  the rate); time_s is the centre of the frame, from the start of the file. The pitch lies\n"
                        "  in 50 … 2000 Hz; frequency, note and cents stay empty where there is none (silence,\n"
                        "  noise). note is the Helmholtz name, cents the deviation from it with a' = --a4 Hz\n"
                        "  (415 … 466, default 440); confidence is 1 minus the normalised difference at the period.",
                        RunPitch});

} // namespace
