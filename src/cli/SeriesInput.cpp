#include "SeriesInput.h"

#include "CliArgs.h"
#include "core/audio/TimeSeriesImport.h"
#include "core/audio/WaveSource.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <stdexcept>

namespace {

bool HasTextExtension(const std::string& path)
{
    const auto dot = path.find_last_of('.');
    const auto slash = path.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return false;
    std::string ext = path.substr(dot);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".txt" || ext == ".dat" || ext == ".prn";
}

} // namespace

bool isTextSeriesPath(const std::string& path, const CliArgs& args)
{
    return args.flag("text") || HasTextExtension(path);
}

void addSeriesOptions(std::set<std::string>& valueOptions, std::set<std::string>& flagOptions)
{
    valueOptions.insert({"from", "to", "channel"});
    flagOptions.insert({"text", "raw"});
}

bool seriesChannelIsLeft(const CliArgs& args)
{
    const std::string channel = args.text("channel").value_or("left");
    if (channel == "left")
        return true;
    if (channel == "right")
        return false;
    throw CliUsageError("--channel: '" + channel + "' is neither left nor right");
}

SeriesInput loadSeriesInput(const std::string& path, const CliArgs& args)
{
    const bool bLeft = seriesChannelIsLeft(args);
    SeriesInput in;
    std::vector<double> all;
    unsigned channels = 1; // a text series is one channel
    if (isTextSeriesPath(path, args)) {
        TimeSeriesValues series;
        if (!ReadTimeSeriesFile(path, series))
            throw std::runtime_error("cannot read " + path);
        if (series.values.empty())
            throw std::runtime_error("the series holds no numbers (the program refuses it as an empty file): " + path);
        // NaN, an infinity or a range beyond the double range would reach the analyses as zeros
        // or as a constant (the import maps them, --raw passes them on), so they are refused.
        const auto bad = std::find_if(series.values.begin(), series.values.end(),
                                      [](double v) { return !std::isfinite(v); });
        if (bad != series.values.end())
            throw std::runtime_error("value " + std::to_string(bad - series.values.begin() + 1) +
                                     " of the series is not a finite number: " + path);
        const auto [lo, hi] = std::minmax_element(series.values.begin(), series.values.end());
        if (!std::isfinite(*hi - *lo))
            throw std::runtime_error("the range of the series (largest minus smallest value) exceeds the "
                                     "double range: " + path);
        if (args.flag("raw")) {
            all = std::move(series.values);
        } else {
            const std::vector<std::int16_t> q = ScaleTimeSeries(series);
            all.assign(q.begin(), q.end());
        }
        in.rate = 44100.0;
        in.bits = 16;
    } else {
        if (args.flag("raw"))
            throw CliUsageError("--raw applies to text series only, and " + path + " is read as a WAV file");
        WaveSourceInfo info = ReadWaveSamples(path, bLeft, all);
        if (info.refusal != WaveRefusal::None)
            throw std::runtime_error(SourceRefusalReason(info) + ": " + path);
        in.rate = info.format.nSamplesPerSec;
        in.bits = info.format.wBitsPerSample;
        channels = info.format.nChannels;
    }
    if (args.has("channel") && channels < 2)
        throw CliUsageError("--channel has no effect: " + path + " has one channel only");
    const long long size = static_cast<long long>(all.size());
    const long long from = args.getInt("from", 0);
    const long long to = args.getInt("to", size);
    if (from < 0 || to > size || from > to)
        throw CliUsageError("--from/--to: [" + std::to_string(from) + ", " + std::to_string(to) +
                            ") is not inside the series of " + std::to_string(size) + " samples");
    if (from == to)
        throw CliUsageError("--from/--to: the selection [" + std::to_string(from) + ", " + std::to_string(to) +
                            ") holds no sample");
    in.firstSample = static_cast<std::size_t>(from);
    in.samples.assign(all.begin() + from, all.begin() + to);
    return in;
}

SeriesInput loadWholeSeries(const std::string& path, const CliArgs& args)
{
    std::vector<std::string> wholeArgs{path};
    for (const char* flag : {"text", "raw"})
        if (args.flag(flag))
            wholeArgs.push_back(std::string("--") + flag);
    if (const auto channel = args.text("channel")) {
        wholeArgs.push_back("--channel");
        wholeArgs.push_back(*channel);
    }
    std::set<std::string> valueOptions, flagOptions;
    addSeriesOptions(valueOptions, flagOptions);
    return loadSeriesInput(path, CliArgs(wholeArgs, valueOptions, flagOptions));
}
