#include "SonoWhole.h"

#include "FrameSpectrum.h"
#include "SonoPalette.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <vector>

namespace {

// Locks when there is a lock to take.
std::unique_lock<std::mutex> Guard(std::mutex* lock)
{
    return lock ? std::unique_lock<std::mutex>(*lock) : std::unique_lock<std::mutex>();
}

} // namespace

std::size_t SonoColumnStep(std::size_t nFrameLength, int nFFTSize, int nPictureWidth, int nLineWidth)
{
    const double span = static_cast<double>(nFrameLength) - nFFTSize;
    const double step = span / (nPictureWidth - kSonoShownMargin) * nLineWidth;
    if (!(step >= 2.0)) // also a store no wider than the margin
        return 1;
    return static_cast<std::size_t>(std::min(step, static_cast<double>(nFrameLength)));
}

bool ComputeWholeSonogram(SonoPicture& picture, std::span<const double> frame, const SonoSpectrum& format,
                          const SonoSettings& settings, const SonoRunControl& control)
{
    const int w = ClampedSonoSettings(settings).nLiniendicke;
    {
        const auto guard = Guard(control.pPictureLock);
        picture.fill(SonoPixel(SonoPaletteColours(settings.bIsFarbig1).background));
        picture.restart(w);
    }
    const int n = format.nFFTSize;
    if (frame.size() < 2 || n <= 0 || !std::has_single_bit(static_cast<unsigned>(n)) ||
        frame.size() < static_cast<std::size_t>(n))
        return true;

    const std::size_t last = frame.size() - static_cast<std::size_t>(n);
    const std::size_t step = SonoColumnStep(frame.size(), n, picture.width(), w);
    std::vector<double> magnitudes;
    std::vector<SonoEntry> entries;
    SonoSpectrum spectrum = format;
    int columns = 0;
    for (std::size_t s = 0; s <= last; s += step) {
        if (control.pAbort && control.pAbort->isRaised())
            return false;
        ComputeWindowSpectrum(frame, s, n, magnitudes);
        spectrum.magnitudes = magnitudes;
        {
            const auto guard = Guard(control.pPictureLock);
            AddSonoColumn(picture, settings, spectrum, entries);
        }
        if (++columns % kSonoProgressColumns == 0 && control.progress)
            control.progress(columns);
    }
    return true;
}
