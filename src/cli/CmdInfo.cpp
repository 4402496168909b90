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

    // A converted file gets two more columns; the conversion text may hold a decimal comma
    // ("44,1 kHz"), so it is quoted in CSV as well.
    const bool bConverted = !conversion.empty();
    if (args.flag("json")) {
        std::printf("{\"format_tag\":%s,\"channels\":%s,\"rate\":%s,\"bits\":%s,\"data_bytes\":%s,"
                    "\"samples\":%s,\"duration_s\":%s",
                    formatJsonNumber(row.formatTag).c_str(), formatJsonNumber(row.channels).c_str(),
                    formatJsonNumber(row.rate).c_str(), formatJsonNumber(row.bits).c_str(),
                    formatJsonNumber(row.dataBytes).c_str(), formatJsonNumber(row.samples).c_str(),
                    formatJsonNumber(duration).c_str());
        if (bConverted)
            std::printf(",\"conversion\":\"%s\",\"clipped\":%s", conversion.c_str(), formatJsonNumber(clipped).c_str());
        std::printf("}\n");
    } else {
        std::printf("format_tag,channels,rate,bits,data_bytes,samples,duration_s%s\n%s,%s,%s,%s,%s,%s,%s",
                    bConverted ? ",conversion,clipped" : "", formatNumber(row.formatTag).c_str(),
                    formatNumber(row.channels).c_str(), formatNumber(row.rate).c_str(),
                    formatNumber(row.bits).c_str(), formatNumber(row.dataBytes).c_str(),
                    formatNumber(row.samples).c_str(), formatNumber(duration).c_str());
        if (bConverted)
            std::printf(",\"%s\",%s", conversion.c_str(), formatNumber(clipped).c_str());
        std::printf("\n");
    }
    return 0;
}

const CliRegistrar reg({"info", "format, size and duration of an audio file or a text series",
                        "[--json] [--text] [--channel left|right] FILE\n"
                        "  CSV columns: format_tag,channels,rate,bits,data_bytes,samples,duration_s\n"
                        "  A FLAC, Ogg, AIFF, W64 or 24/32-bit WAV file: the columns describe the 16-bit PCM data\n"
                        "  it becomes, followed by conversion (from what, quoted) and clipped (samples of the\n"
                        "  analysed channel beyond full scale).\n"
                        "  samples: per channel, as analysed (stereo: the --channel one, default left)\n"
                        "  --text: read FILE as a one-column series (also for names ending in .txt/.dat/.prn)\n"
                        "  Files the program refuses give exit code 1 and one line on standard error.",
                        RunInfo});

} // namespace
