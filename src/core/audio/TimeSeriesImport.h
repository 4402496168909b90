// Reading a one-column text series and scaling it onto 16-bit samples, as "Zeitreihe öffnen..."
// does before it writes the series as a mono 16-bit WAV file of 44100 samples per second.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TimeSeriesValues
{
    std::vector<double> values; // in file order
    double dMax = 0.0;          // M = largest |v| over the finite values (0 when there are none)
    bool bNegative = false;     // some value is < 0
};

// Entries are separated by blanks, tabs and line ends (also \v, \f). An entry whose first
// character is '#' is skipped; every other entry is converted like C's strtod in the C locale,
// whatever the process locale: its leading number part, 0 when it has none.
TimeSeriesValues ParseTimeSeries(std::string_view text);
// Reads the whole file and parses it; false when the file cannot be read.
bool ReadTimeSeriesFile(const std::string& path, TimeSeriesValues& out);

// Scale s = 32768 / M when some value is negative, else 65536 / M (computed as 65536 / M · 0.5
// and 65536 / M). q = v·s truncated toward zero and clamped: signed data to -32768 ... 32767;
// non-negative data to 0 ... 65535, then shifted by -32768 (0 -> -32768, M -> 32767).
// Values that are not numbers become q = 0 before clamping; infinities clamp to the limits.
// M = 0 (every finite value 0, the scale undefined): those samples are 0, the values themselves.
std::vector<std::int16_t> ScaleTimeSeries(const TimeSeriesValues& series);

// True when the series has values but all of them are 0, so that ScaleTimeSeries had no
// scale to apply; the import then tells the user with kSeriesAllZero.
bool IsAllZeroSeries(const TimeSeriesValues& series);
