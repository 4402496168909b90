// The argument list that follows a wavelet's short name in the wavelet string: zero or more
// items, each a comma followed by a number read like strtod (an empty number reads as 0),
// white space after a number skipped, then only the end of the string or the next comma.
#pragma once

#include <string>
#include <vector>

struct WaveletArguments
{
    bool none = true;           // nothing followed the short name: the wavelet keeps its defaults
    bool wellFormed = true;     // every item was a number followed by a comma or the end
    std::vector<double> values; // the numbers read, in order (complete only when wellFormed)
    std::string text;           // what followed the short name's comma (for messages)
};

// `rest` is the wavelet string after the short name.
WaveletArguments parseWaveletArguments(const char* rest);
