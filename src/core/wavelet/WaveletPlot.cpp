#include "core/wavelet/WaveletPlot.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numeric>
#include <string>

namespace {

const Rgb kAxis{0, 0, 0};

// 1, 2 or 5 × 10^k: the smallest such step not below minimum (> 0).
double niceStep(double minimum)
{
    const double decade = std::pow(10.0, std::floor(std::log10(minimum)));
    for (double f : {1.0, 2.0, 5.0, 10.0})
        if (f * decade >= minimum * (1 - 1e-9))
            return f * decade;
    return 10.0 * decade;
}

// A number in the C locale with at most three decimals and no trailing zeros.
std::string number(double value)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, std::round(value * 1000.0) / 1000.0,
                                      std::chars_format::fixed, 3);
    std::string s(text, result.ptr);
    while (s.find('.') != std::string::npos && (s.back() == '0' || s.back() == '.'))
        s.pop_back();
    return s == "-0" ? "0" : s;
}

std::string frequencyLabel(double hz)
{
    return hz >= 1000.0 ? number(hz / 1000.0) + " kHz" : number(hz) + " Hz";
}

PlotText label(int x, int y, std::string text, TextAnchor anchor)
{
    PlotText t;
    t.at = {x, y};
    t.text = std::move(text);
    t.colour = kAxis;
    t.anchor = anchor;
    t.font = "Arial";
    t.nPixelHeight = 11;
    return t;
}

} // namespace

Rgb waveletPaletteColour(int index)
{
    const int run = std::clamp(index, 0, kWaveletPaletteSize - 1) / 256;
    const auto i = static_cast<std::uint8_t>(std::clamp(index, 0, kWaveletPaletteSize - 1) % 256);
    const auto down = static_cast<std::uint8_t>(255 - i);
    switch (run) {
    case 0: return {i, 0, 0};
    case 1: return {255, i, 0};
    case 2: return {down, 255, 0};
    case 3: return {0, 255, i};
    case 4: return {0, down, 255};
    case 5: return {i, 0, 255};
    default: return {255, i, 255};
    }
}

int waveletPaletteIndex(float value)
{
    const float index = std::trunc(value * 7.027451f);
    return !(index > 0.0f) ? 0 : index >= 1791.0f ? 1791 : static_cast<int>(index);
}

WaveletDecor WaveletPlot(const WaveletPicture& picture, int width, int height)
{
    WaveletDecor d;
    const std::vector<float>& v = picture.values;
    if (v.size() < 6)
        return d;
    const long n = static_cast<long>(v[0]), m = static_cast<long>(v[1]);
    if (n < 1 || m < 1 || v.size() < 2 + static_cast<size_t>(n * m) ||
        picture.rowFrequencies.size() != static_cast<size_t>(n))
        return d;
    const int L = kWaveletLeft, T = kWaveletTop, R = width - kWaveletRight, B = height - kWaveletBottom;
    if (R <= L || B <= T)
        return d;
    const double areaH = B - T, hr = areaH / static_cast<double>(n), wc = static_cast<double>(R - L) / m;

    // Output rows by ascending frequency: order[j] is shown j-th from the bottom.
    std::vector<long> order(static_cast<size_t>(n));
    std::iota(order.begin(), order.end(), 0L);
    std::stable_sort(order.begin(), order.end(), [&](long a, long b) {
        return picture.rowFrequencies[static_cast<size_t>(a)] < picture.rowFrequencies[static_cast<size_t>(b)];
    });
    d.cells.reserve(static_cast<size_t>(n * m) + static_cast<size_t>(areaH));
    for (long j = 0; j < n; ++j) {
        const long r = order[static_cast<size_t>(j)];
        const int top = T + static_cast<int>(areaH - (j + 1) * hr), bottom = T + static_cast<int>(areaH - j * hr);
        for (long c = 0; c < m; ++c) {
            const Rgb colour = waveletPaletteColour(waveletPaletteIndex(v[static_cast<size_t>(2 + r * m + c)]));
            d.cells.push_back({L + static_cast<int>(c * wc), top, L + static_cast<int>((c + 1) * wc), bottom, colour});
        }
    }
    // Colour bar: 0 at the bottom, 255 at the top, with both ends labelled.
    const int barL = R + 8, barR = R + 18;
    for (int y = T; y < B; ++y)
        d.cells.push_back({barL, y, barR, y + 1,
                           waveletPaletteColour(waveletPaletteIndex(255.0f * static_cast<float>(B - 1 - y) /
                                                                    static_cast<float>(std::max(1, B - T - 1))))});
    d.texts.push_back(label(barR, B + 14, "0", TextAnchor::Right));

    // Frequency axis: a frequency's height is interpolated (in log frequency) between the centres
    // of the rows around it, so each label sits at the true frequency of the rows.
    d.lines.push_back({{L - 1, T}, {L - 1, B}, kAxis});
    std::vector<double> f(static_cast<size_t>(n));
    for (long j = 0; j < n; ++j)
        f[static_cast<size_t>(j)] = picture.rowFrequencies[static_cast<size_t>(order[static_cast<size_t>(j)])];
    const auto yOf = [&](double hz) {
        if (n == 1)
            return B - areaH / 2;
        size_t j = 0;
        while (j + 2 < f.size() && f[j + 1] < hz)
            ++j;
        const double t = (std::log(hz) - std::log(f[j])) / (std::log(f[j + 1]) - std::log(f[j]));
        return B - (static_cast<double>(j) + 0.5 + t) * hr;
    };
    std::vector<double> candidates;
    if (f.front() > 0.0 && f.back() > f.front()) {
        for (double decade = std::pow(10.0, std::floor(std::log10(f.front()))); decade <= f.back(); decade *= 10.0)
            for (double k : {1.0, 2.0, 5.0})
                candidates.push_back(k * decade);
        const double step = niceStep((f.back() - f.front()) / std::max(1.0, areaH / 40.0));
        for (double hz = std::ceil(f.front() / step) * step; hz <= f.back(); hz += step)
            candidates.push_back(hz);
    } else if (f.front() > 0.0) {
        candidates.push_back(f.front());
    }
    std::vector<std::pair<double, double>> ticks; // (y, Hz) inside the rows' range
    for (double hz : candidates)
        if (hz >= f.front() * (1 - 1e-9) && hz <= f.back() * (1 + 1e-9))
            ticks.emplace_back(yOf(hz), hz);
    std::sort(ticks.rbegin(), ticks.rend()); // from the bottom up
    double last = 1e9;
    for (const auto& [y, hz] : ticks) {
        if (last - y < 16.0)
            continue;
        last = y;
        const int yi = static_cast<int>(std::lround(y));
        d.lines.push_back({{L - 5, yi}, {L - 1, yi}, kAxis});
        d.texts.push_back(label(L - 7, yi + 4, frequencyLabel(hz), TextAnchor::Right));
    }

    // Time axis in seconds under the cells: column c covers [c, c + 1)·duration / m.
    d.lines.push_back({{L, B}, {R, B}, kAxis});
    if (picture.duration > 0.0) {
        const double step = niceStep(picture.duration / std::max(1.0, (R - L) / 70.0));
        for (double t = 0.0; t <= picture.duration * (1 + 1e-9); t += step) {
            const int x = L + static_cast<int>(std::lround(t / picture.duration * (R - L)));
            d.lines.push_back({{x, B}, {x, B + 4}, kAxis});
            d.texts.push_back(label(x, B + 15, number(t) + (t == 0.0 ? " s" : ""), TextAnchor::Centre));
        }
    }
    d.texts.push_back(label(barR, T + 10, "255", TextAnchor::Right));
    return d;
}
