// The signal polylines of the overview and the waveform view: points in pane pixels, with runs
// of points in one pixel column reduced to the column's first, lowest, highest and last point.
// Drawn with a 1-pixel pen, the reduced line covers exactly the pixels of the full one, while a
// file of an hour stays a few thousand points per repaint.
#pragma once

#include "core/common/PlotPrimitives.h"

#include <vector>

class WavePolylineBuilder
{
public:
    explicit WavePolylineBuilder(std::vector<PlotPoint>& out) : m_out(out) {}
    ~WavePolylineBuilder() { flush(); }
    WavePolylineBuilder(const WavePolylineBuilder&) = delete;
    WavePolylineBuilder& operator=(const WavePolylineBuilder&) = delete;

    // Appends the next point of the line; x never decreases.
    void add(int x, int y);
    void flush();

private:
    std::vector<PlotPoint>& m_out;
    bool m_bOpen = false;
    int m_x = 0, m_first = 0, m_min = 0, m_max = 0, m_last = 0;
};
