// The wavelet transform as a table for batch work (resoni-analyze cwt): the engine run on a
// series with frequencies instead of scales, written as CSV or JSON in the C locale with 17
// significant digits. Rows keep the engine's order; frequency_hz is the frequency each row shows.
#pragma once

#include "core/common/Callbacks.h"

#include <ostream>
#include <string>
#include <vector>

struct CwtReportOptions
{
    std::string wavelet = "morlet,2";
    double minFrequency = 20.0;    // Hz; scale low = 1 / minFrequency
    double maxFrequency = 20000.0; // Hz; scale high = 1 / maxFrequency
    long rows = 100;               // n
    long columns = 20;             // m
    int division = 2;              // 0 linear, 1 reziprok, 2 exponentiell (CwtRequest::division)
    long resolution = 0;           // > 0: the wavelet sampled at exactly this many points (old sampling)
    bool json = false;
};

// Empty when the options can be computed; otherwise a one-line reason (a wavelet string that
// names no wavelet, a frequency that is not a positive finite number, fewer than 1 row or column,
// a division other than 0 … 2, a negative resolution).
std::string cwtReportOptionsProblem(const CwtReportOptions& options);

// Runs the transform of the whole series (start time 0, end time = sample count / rate) and
// writes it. CSV: header "row,col,frequency_hz,value", then one line per value, row by row.
// JSON: {"wavelet", "rate", "rows", "cols", "frequency_hz": [per row], "values": [[row 0], …]}.
// Throws CwtError as the engine does, std::invalid_argument for options with a problem.
void writeCwtReport(const std::vector<double>& samples, double rate, const CwtReportOptions& options,
                    std::ostream& out, const MessageCallback& diagnostics);
