// The whole sonogram of a signal frame at once: one column per window spectrum, spread over the
// width of the picture store. Runs on any thread: it polls an abort token before every column
// and reports progress every 20 columns.
#pragma once

#include "SonoColumn.h"
#include "SonoPicture.h"
#include "SonoSettings.h"

#include "core/common/AbortToken.h"

#include <cstddef>
#include <functional>
#include <mutex>
#include <span>

constexpr int kSonoProgressColumns = 20;
// The picture is shown 70 pixels narrower than the store (x = 25 … W − 45), so the columns of a
// frame are spread over the store's width less 70.
constexpr int kSonoShownMargin = 70;

struct SonoRunControl
{
    const AbortToken* pAbort = nullptr;         // raised: stop before the next column
    std::function<void(int nColumns)> progress; // after every 20th column, with the count so far
    // Held while the store is written (filling, each column), so that another thread may show
    // the store meanwhile. The window spectra are computed outside it.
    std::mutex* pPictureLock = nullptr;
};

// Spacing of the columns: trunc((L − N)/(width − 70)·w), or 1 when that is below 2.
std::size_t SonoColumnStep(std::size_t nFrameLength, int nFFTSize, int nPictureWidth, int nLineWidth);

// Fills the store with the background and sets its next column to the start value (w + 1);
// then, when the frame has at least 2 samples, for s = 0, step, 2·step, … while s <= L − N adds
// the column of the window spectrum of frame[s, s + N) (so a frame shorter than N adds none).
// spectrum.magnitudes is ignored; its rate, bits and N describe the frame. Returns false when
// the abort token stopped it, true when it ran to the end.
bool ComputeWholeSonogram(SonoPicture& picture, std::span<const double> frame, const SonoSpectrum& format,
                          const SonoSettings& settings, const SonoRunControl& control = {});
