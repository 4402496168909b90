// resoni-analyze info FILE: the format of a WAV file or of a text series as the program loads it;
// for a file decoded through libsndfile also what it was converted from.
#include "CliArgs.h"
#include "CliCommand.h"
#include "CliOutput.h"
#include "SeriesInput.h"

#include "core/audio/WaveSource.h"

#include <cstdio>
#include <stdexcept>

namespace {

struct InfoRow
{
    double formatTag, channels, rate, bits, dataBytes, samples;
};

int RunInfo(const std::vector<std::string>& argv)
{
    const CliArgs args(argv, {"channel"}, {"json", "text"});
    if (args.positional().size() != 1)
        throw CliUsageError("expects exactly one FILE");
    const std::string& path = args.positional()[0];
    const bool bLeft = seriesChannelIsLeft(args);

    // The samples are counted by reading the series exactly as every analysing command does.
    const SeriesInput series = loadSeriesInput(path, args);
    const double n = static_cast<double>(series.samples.size());
    InfoRow row{};
    std::string conversion;
    double clipped = 0;
    if (isTextSeriesPath(path, args)) {
        // The import makes it a mono 16-bit PCM file at 44100 Hz, 2 bytes per value.
        row = {1, 1, 44100, 16, 2 * n, n};
    } else {
        const WaveSourceInfo info = InspectWave(path, bLeft);
        if (info.refusal != WaveRefusal::None) // only if the file changed in between
            throw std::runtime_error(SourceRefusalReason(info) + ": " + path);
        conversion = info.strConversion;
        clipped = static_cast<double>(info.nClipped);
        const WaveFormat& f = info.format;
        row = {static_cast<double>(f.wFormatTag), static_cast<double>(f.nChannels),
               static_cast<double>(f.nSamplesPerSec), static_cast<double>(f.wBitsPerSample),
               static_cast<double>(info.nDataBytes), n};
    }
    const double duration = row.samples / row.rate; // seconds; a rate of 0 gives inf (JSON null)

    if (args.flag("json")) {
        std::printf("{\"format_tag\":%s,\"channels\":%s,\"rate\":%s,\"bits\":%s,\"data_bytes\":%s,"
                    "\"samples\":%s,\"duration_s\":%s,\"conversion\":\"%s\",\"clipped\":%s}\n",
                    formatJsonNumber(row.formatTag).c_str(), formatJsonNumber(row.channels).c_str(),
                    formatJsonNumber(row.rate).c_str(), formatJsonNumber(row.bits).c_str(),
                    formatJsonNumber(row.dataBytes).c_str(), formatJsonNumber(row.samples).c_str(),
                    formatJsonNumber(duration).c_str(), conversion.c_str(), formatJsonNumber(clipped).c_str());
    } else {
        // The conversion text may hold a decimal comma ("44,1 kHz"): always quoted.
        std::printf("format_tag,channels,rate,bits,data_bytes,samples,duration_s,conversion,clipped\n"
                    "%s,%s,%s,%s,%s,%s,%s,\"%s\",%s\n",
                    formatNumber(row.formatTag).c_str(), formatNumber(row.channels).c_str(),
                    formatNumber(row.rate).c_str(), formatNumber(row.bits).c_str(),
                    formatNumber(row.dataBytes).c_str(), formatNumber(row.samples).c_str(),
                    formatNumber(duration).c_str(), conversion.c_str(), formatNumber(clipped).c_str());
    }
    return 0;
}

const CliRegistrar reg({"info", "format, size and duration of an audio file or a text series",
                        "[--json] [--text] [--channel left|right] FILE\n"
                        "  CSV columns: format_tag,channels,rate,bits,data_bytes,samples,duration_s,conversion,clipped\n"
                        "  format_tag … data_bytes: the 16-bit PCM data a FLAC, Ogg, AIFF, W64 or 24/32-bit WAV\n"
                        "  file becomes; conversion: from what (empty for 8/16-bit WAV); clipped: samples of the\n"
                        "  analysed channel beyond full scale\n"
                        "  samples: per channel, as analysed (stereo: the --channel one, default left)\n"
                        "  --text: read FILE as a one-column series (also for names ending in .txt/.dat/.prn)\n"
                        "  Files the program refuses give exit code 1 and one line on standard error.",
                        RunInfo});

} // namespace
