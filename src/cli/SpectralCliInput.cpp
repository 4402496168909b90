#include "SpectralCliInput.h"

#include "CliArgs.h"
#include "SeriesInput.h"

#include "core/audio/WaveRules.h"
#include "core/spectral/FrameRules.h"

#include <string>

void addSpectralOptions(std::set<std::string>& valueOptions, std::set<std::string>& flagOptions)
{
    addSeriesOptions(valueOptions, flagOptions);
    valueOptions.insert("fft");
    flagOptions.insert("json");
}

SelectionFrame selectionOfSeries(const SeriesInput& all, const CliArgs& args)
{
    const auto size = static_cast<long long>(all.samples.size());
    const long long from = args.getInt("from", 0);
    const long long to = args.getInt("to", size);
    if (from < 0 || to > size || from > to)
        throw CliUsageError("--from/--to: [" + std::to_string(from) + ", " + std::to_string(to) +
                            ") is not inside the series of " + std::to_string(size) + " samples");
    return SelectionFrameFor(from, to, all.bits);
}

SpectralCliFrame loadSpectralFrame(const std::string& path, const CliArgs& args)
{
    // The whole series first, so that the selection may start one sample before --from.
    const SeriesInput all = loadWholeSeries(path, args);

    const SelectionFrame selection = selectionOfSeries(all, args);
    SpectralCliFrame frame;
    frame.rate = all.rate;
    frame.bits = all.bits;
    frame.centre = BytesPerSample(all.bits) == 1 ? 128.0 : 0.0;
    frame.first = selection.first;
    frame.end = selection.end;
    frame.samples.assign(all.samples.begin() + selection.first, all.samples.begin() + selection.end);
    if (args.has("fft")) {
        const long long n = args.getInt("fft", 0);
        if (n < 2 || n > (1LL << 24) || (n & (n - 1)) != 0)
            throw CliUsageError("--fft: " + std::to_string(n) + " is not a power of two from 2 to 16777216");
        frame.fftSize = static_cast<int>(n);
    } else {
        frame.fftSize = selection.nFFTSize;
        if (frame.fftSize > (1 << 24))
            throw CliUsageError("the selection of " + std::to_string(frame.end - frame.first) +
                                " samples needs a transform of " + std::to_string(frame.fftSize) +
                                " points, more than 16777216; choose a shorter selection or a size with --fft");
        if (frame.fftSize < 2)
            throw CliUsageError("the selection [" + std::to_string(frame.first) + ", " + std::to_string(frame.end) +
                                ") holds fewer than 2 samples; name a transform size with --fft");
    }
    return frame;
}
