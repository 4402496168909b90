#include "WaterfallBuild.h"

#include "FrameSpectrum.h"

#include <algorithm>
#include <bit>
#include <vector>

std::size_t WaterfallStride(std::size_t nFrameLength, int nRows)
{
    if (nRows <= 0)
        return std::max<std::size_t>(nFrameLength, 1);
    return std::max<std::size_t>(nFrameLength / static_cast<std::size_t>(nRows), 1);
}

bool BuildWaterfallRows(const WaterfallFrame& frame, const WaterfallSettings& settings,
                        const WaterfallRunControl& control)
{
    const int n = frame.nFFTSize;
    if (n <= 0 || !std::has_single_bit(static_cast<unsigned>(n)) || frame.samples.size() < static_cast<std::size_t>(n))
        return true; // no first row: V = 0, nothing to divide by

    const auto aborted = [&] { return control.pAbort && control.pAbort->isRaised(); };
    std::vector<double> magnitudes;
    const auto emitRow = [&](std::size_t start) {
        ComputeWindowSpectrum(frame.samples, start, n, magnitudes);
        WaterfallRow row;
        MakeWaterfallRow(settings, {magnitudes, frame.nSampleRate, frame.nBitsPerSample, n}, row);
        const int nV = static_cast<int>(row.size());
        if (control.rowReady)
            control.rowReady(std::move(row));
        return nV;
    };

    if (aborted())
        return false;
    const int nV = emitRow(0);
    const std::size_t length = frame.samples.size();
    const std::size_t stride = WaterfallStride(length, WaterfallMesh::RowsFor(nV));
    for (std::size_t s = stride; s < length - static_cast<std::size_t>(n); s += stride) {
        if (aborted())
            return false;
        emitRow(s);
    }
    return true;
}

bool BuildWaterfall(WaterfallMesh& mesh, const WaterfallFrame& frame, const WaterfallSettings& settings,
                    const AbortToken* pAbort)
{
    mesh.clear();
    return BuildWaterfallRows(frame, settings, {pAbort, [&mesh](WaterfallRow&& row) { mesh.addRow(row); }});
}
