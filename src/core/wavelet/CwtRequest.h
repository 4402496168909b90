// What the wavelet engine is asked to compute; owned by the document, edited by the wavelet
// view. Times in seconds, scales in seconds (scale = 1 / frequency), rates in samples per second.
#pragma once

#include <string>

struct CwtRequest
{
    std::string wavelet = "haar"; // short name, optionally followed by ",arg" items ("morlet,2")
    int method = 0;               // 0 selects the transform; other values compute nothing
    float scaleLow = 0.05f;       // largest scale in seconds (20 Hz)
    float scaleHigh = 0.00005f;   // smallest scale in seconds (20000 Hz)
    long rows = 100;              // n: number of scales
    float startTime = 0.0f;       // start of the analysed range
    float endTime = 0.1f;         // end of the analysed range
    long columns = 20;            // m: number of output times
    int division = 2;             // kept for the view (0 linear, 1 reziprok, 2 exponentiell); unused here
    int keepColumns = 1;          // 0: m becomes the number of samples in [start, end)
    long resolution = 200;        // N: points at which the wavelet is sampled
    float rate = 44100.0f;        // sampling rate of the series
};
