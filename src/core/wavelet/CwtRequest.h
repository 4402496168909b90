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
    int division = 2;             // spacing of the rows: 0 linear in frequency, 1 linear in scale
                                  // ("reziprok"), 2 geometric ("exponentiell"); see CScaleGrid
    int keepColumns = 1;          // 0: m becomes the number of samples in [start, end)
    long resolution = 200;        // N: least number of points at which the wavelet is sampled
    // false: at every scale the transform reads every sample under the wavelet (N or more points);
    // true: the wavelet is sampled at exactly N points at every scale, so at large scales only
    // every s/r-th sample is read and high tones alias into low rows (kept for comparison).
    bool fixedResolution = false;
    float rate = 44100.0f;        // sampling rate of the series
};
