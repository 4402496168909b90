// The views resoni-render draws, each through the paint routine the program's window uses, from a
// series and a selection of it instead of a document.
#pragma once

#include "core/profiles/ProfileSettings.h"

#include <cstdint>
#include <string>
#include <vector>

class QPainter;

struct RenderSource
{
    std::vector<double> samples; // the whole series, raw integer values (8-bit 0 … 255)
    double rate = 44100.0;
    int bits = 16;
    // The selection as the program takes it over: [first, end) and its transform size.
    std::int64_t first = 0;
    std::int64_t end = 0;
    int selectionFFTSize = 0;
    int viewMode = 0; // --mode of the view timeseries: 0 series, 1 autocorrelation, 2 mutual information
    std::string* csv = nullptr; // when set, the analysis view writes the numbers behind its plot here
};

// "waveform overview fft sonogram notes wavelet timeseries analysis": the names VIEW may take, as --help lists them.
const std::vector<std::string>& RenderViewNames();

// Paints the view into (0, 0, width, height) with the profile's parameters. Throws
// std::runtime_error with one line for a selection the view cannot show.
void PaintRenderView(QPainter& painter, const std::string& view, int width, int height, const RenderSource& source,
                     const ProfileSettings& profile);
