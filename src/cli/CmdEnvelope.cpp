// resoni-analyze envelope: the support points of the envelope editor, the upper and the lower
// edge of a stretch, as sample indices and raw sample values.
#include "CliArgs.h"
#include "CliCommand.h"
#include "SeriesInput.h"

#include "core/waveform/EnvelopeDetector.h"

#include <cstdint>
#include <iostream>

namespace {

int RunEnvelope(const std::vector<std::string>& argv)
{
    std::set<std::string> valueOptions, flagOptions;
    addSeriesOptions(valueOptions, flagOptions);
    const CliArgs args(argv, valueOptions, flagOptions);
    if (args.positional().size() != 1)
        throw CliUsageError("expects exactly one FILE");
    const SeriesInput all = loadWholeSeries(args.positional()[0], args);
    const auto size = static_cast<long long>(all.samples.size());
    const long long from = args.getInt("from", 0);
    const long long to = args.getInt("to", size);
    if (from < 0 || to > size || from >= to)
        throw CliUsageError("--from/--to: [" + std::to_string(from) + ", " + std::to_string(to) +
                            ") is not a stretch inside the series of " + std::to_string(size) + " samples");

    // The samples as the document holds them: unsigned bytes for 8-bit data, else 16-bit words.
    WaveSamples wave;
    wave.bits = all.bits == 8 ? 8 : 16;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(all.samples.size() * (wave.eightBit() ? 1 : 2));
    for (double v : all.samples) {
        if (wave.eightBit()) {
            bytes.push_back(static_cast<std::uint8_t>(v));
        } else {
            const auto word = static_cast<std::uint16_t>(static_cast<std::int16_t>(v));
            bytes.push_back(static_cast<std::uint8_t>(word & 0xff));
            bytes.push_back(static_cast<std::uint8_t>(word >> 8));
        }
    }
    wave.data = bytes.data();
    wave.bytes = bytes.size();
    const auto blocks = EnvelopeDetector::DetectBlocks(wave, from, to, to,
                                                       EnvelopeDetector::OffsetScale::SampleResolution(wave));
    std::cout << EnvelopeDetector::SupportCsv(EnvelopeDetector::Supports(blocks));
    return 0;
}

const CliRegistrar reg({"envelope", "upper and lower support points of a stretch (CSV edge,sample,value)",
                        "FILE [--from N] [--to N] [--channel left|right] [--text] [--raw]\n"
                        "  The stretch [from, to) is read in blocks of seven oscillation cycles, as the envelope\n"
                        "  editor reads the stretch between its markers; each block gives an upper point (its\n"
                        "  middle sample and its largest raw value) and a lower point (its smallest raw value).\n"
                        "  Offsets are taken at sample resolution and nothing beyond --to is read, so a\n"
                        "  block's last cycle ends at --to. 8-bit values are the raw bytes (128 = silence).",
                        RunEnvelope});

} // namespace
