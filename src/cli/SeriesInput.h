// Reads the input series of a resoni-analyze command: a WAV file (one channel, samples as
// their raw integer values, as the program's document keeps them) or a one-column text
// series scaled exactly as the program's import does (or left as it is with --raw).
#pragma once

#include <set>
#include <string>
#include <vector>

class CliArgs;

struct SeriesInput
{
    std::vector<double> samples; // the selected range [from, to)
    double rate = 44100.0;       // samples per second (text series: 44100)
    int bits = 16;               // bits per sample of the source (text series: 16)
    size_t firstSample = 0;      // index of samples[0] in the whole series
};

// The options every series-reading command accepts:
// --from N, --to N (sample indices, [from, to); default the whole series),
// --channel left|right (stereo WAV; default left), flags --text and --raw. Options that would have no
// effect are refused: --channel on a one-channel file, --raw on a WAV file.
void addSeriesOptions(std::set<std::string>& valueOptions, std::set<std::string>& flagOptions);

// Reads `path` as the options say. Throws std::runtime_error with a one-line English
// message for a file the program refuses or cannot read (also a text series holding NaN or
// an infinity, or whose largest minus smallest value is not finite), CliUsageError for bad options.
SeriesInput loadSeriesInput(const std::string& path, const CliArgs& args);

// The whole series with the reading options of args (channel, text, raw); --from/--to are left
// to the caller.
SeriesInput loadWholeSeries(const std::string& path, const CliArgs& args);

// Whether `path` is read as a text series: --text, or a name ending in .txt, .dat or .prn
// (any case).
bool isTextSeriesPath(const std::string& path, const CliArgs& args);
// The channel --channel picks (true = left); CliUsageError for anything but left or right.
bool seriesChannelIsLeft(const CliArgs& args);
