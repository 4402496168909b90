// The whole waterfall of a signal frame: one row per window spectrum, offsets spread so that the
// rows fill the mesh. Runs on any thread: it polls an abort token before every row and hands
// each row to a callback (the view adds it to its mesh and renders, so the surface grows).
#pragma once

#include "WaterfallMesh.h"
#include "WaterfallRow.h"
#include "WaterfallSettings.h"

#include "core/common/AbortToken.h"

#include <cstddef>
#include <functional>
#include <span>

struct WaterfallFrame
{
    std::span<const double> samples; // the signal frame, L samples
    int nSampleRate = 0;
    int nBitsPerSample = 16;
    int nFFTSize = 0;                // N, a power of two
};

struct WaterfallRunControl
{
    const AbortToken* pAbort = nullptr;            // raised: stop before the next row
    std::function<void(WaterfallRow&& row)> rowReady; // each row, front (newest) last
};

// stride = trunc(L / R), at least 1.
std::size_t WaterfallStride(std::size_t nFrameLength, int nRows);

// The row at offset 0 comes first and fixes V and R = trunc(10000 / V); then for
// s = stride, 2·stride, … while s < L − N one row from the window spectrum of frame[s, s + N).
// So a frame shorter than N + stride gives only the first row, and one shorter than N (or an N
// that is not a power of two) gives none. Returns false when the abort token stopped it (the
// rows handed over so far stand), true otherwise.
bool BuildWaterfallRows(const WaterfallFrame& frame, const WaterfallSettings& settings,
                        const WaterfallRunControl& control);

// The same into a mesh, cleared first.
bool BuildWaterfall(WaterfallMesh& mesh, const WaterfallFrame& frame, const WaterfallSettings& settings,
                    const AbortToken* pAbort = nullptr);
