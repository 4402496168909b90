// The analysed frame of the spectral commands (spectrum, autocorr, peaks), taken from a WAV
// file or text series exactly as the program takes a selection: for data of more than 8 bits an
// odd first sample is lowered by one, and the transform size is the largest power of two that
// fits the selection unless --fft names one.
#pragma once

#include "core/spectral/FrameRules.h"

#include <set>
#include <string>
#include <vector>

class CliArgs;
struct SeriesInput;

struct SpectralCliFrame
{
    std::vector<double> samples; // [first, end) of the series
    double rate = 44100.0;
    int bits = 16;
    double centre = 0.0;         // the value of silence: 128 for 8-bit data (unsigned bytes), else 0
    long long first = 0;
    long long end = 0;
    int fftSize = 0;
};

// The series options (--from, --to, --channel, --text, --raw) plus --fft and --json.
void addSpectralOptions(std::set<std::string>& valueOptions, std::set<std::string>& flagOptions);

// The selection --from/--to of a whole series as the program takes it over (see above);
// CliUsageError for a range outside the series.
SelectionFrame selectionOfSeries(const SeriesInput& all, const CliArgs& args);

// Reads FILE and applies the selection rule. CliUsageError for a --fft that is no power of two
// from 2 to 2^24, a range outside the series, or a selection without --fft whose transform size
// would be below 2 or above 2^24 (about 6 minutes at 44100 Hz: beyond that the arrays of one
// transform would take more than a gigabyte).
SpectralCliFrame loadSpectralFrame(const std::string& path, const CliArgs& args);
