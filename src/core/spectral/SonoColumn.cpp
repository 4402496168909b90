#include "SonoColumn.h"

#include "SonoFrequencyScale.h"
#include "SonoPalette.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// ln of a magnitude; a magnitude of 0 counts as the smallest positive double, so that its
// level stays finite (far below 0) and the interpolation next to it stays defined.
double LogMagnitude(double m)
{
    return std::log(std::max(m, 1e-300));
}

} // namespace

double SonoReferenceLevel(const SonoSettings& settings, int nBitsPerSample)
{
    const double fullScale = std::ldexp(1.0, std::clamp(nBitsPerSample, 1, 64));
    const double r = fullScale / SonoZoom(settings);
    return settings.bIsAmpLinear ? r : std::log(r);
}

int SonoColourIndex(double level, bool bAmpLinear)
{
    const double scaled = (bAmpLinear ? level : level * level * level) * kSonoTopColour;
    if (!(scaled > 0.0))
        return 0;
    return std::min(static_cast<int>(scaled), kSonoTopColour);
}

void SonoColumnEntries(const SonoSettings& settings, const SonoSpectrum& spectrum, int nHeight,
                       std::vector<SonoEntry>& entries)
{
    entries.clear();
    if (spectrum.nFFTSize <= 0)
        return;
    const SonoFrequencyScale scale(settings);
    const double reference = SonoReferenceLevel(settings, spectrum.nBitsPerSample);
    const double bottom = scale.bottom();
    const bool smooth = settings.bIsSmooth;
    int previousRow = nHeight;
    double previousLevel = 0.0;
    for (std::size_t k = 0; k < spectrum.magnitudes.size(); ++k) {
        const auto f =
            static_cast<double>(static_cast<std::int64_t>(k) * spectrum.nSampleRate / spectrum.nFFTSize);
        const double m = spectrum.magnitudes[k];
        const double a = settings.bIsAmpLinear ? m : LogMagnitude(m);
        const double q = std::min(a / reference, 1.0);
        if (f <= bottom) {
            previousLevel = q;
            continue;
        }
        const int y = scale.row(f, nHeight);
        if (y >= previousRow)
            continue; // same or lower row than the last bin used
        if (smooth && k >= 1 && y < nHeight - 2) {
            const double step = (q - previousLevel) / (previousRow - y);
            for (int row = previousRow - 1, j = 1; row > y; --row, ++j)
                entries.push_back({row, previousLevel + j * step});
        }
        entries.push_back({y, q});
        previousLevel = q;
        previousRow = y;
    }
}

void AddSonoColumn(SonoPicture& picture, const SonoSettings& settings, const SonoSpectrum& spectrum,
                   std::vector<SonoEntry>& scratch)
{
    const int w = ClampedSonoSettings(settings).nLiniendicke;
    const int height = picture.height();
    const std::uint32_t background = SonoPixel(SonoPaletteColours(settings.bIsFarbig1).background);
    int x = picture.nextX();
    if (x > picture.width() - w || x == SonoPicture::startValue(w)) {
        x = w + 2;
        picture.fill(background);
    }
    picture.fillRect(x + 2 * w, 0, x + 3 * w, height, SonoPixel(kSonoMarkerColour));

    SonoColumnEntries(settings, spectrum, height, scratch);
    picture.fillRect(x + w, 0, x + 2 * w, height, background);
    const SonoPixelPalette& palette = SonoPixels(settings.bIsFarbig1);
    int previousY = height;
    for (std::size_t i = 0; i + 1 < scratch.size(); ++i) {
        const SonoEntry& e = scratch[i];
        if (e.y < previousY) {
            const auto colour =
                palette[static_cast<std::size_t>(SonoColourIndex(e.level, settings.bIsAmpLinear))];
            picture.fillRect(x, e.y, x + w, previousY, colour);
        }
        previousY = e.y;
    }
    picture.setNextX(x + w);
}

void AddSonoColumn(SonoPicture& picture, const SonoSettings& settings, const SonoSpectrum& spectrum)
{
    std::vector<SonoEntry> scratch;
    AddSonoColumn(picture, settings, spectrum, scratch);
}
