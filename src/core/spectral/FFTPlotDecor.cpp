#include "FFTPlotDecor.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

constexpr int kLabelHeight = 11;

std::string FixedNumber(double value, int decimals)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    std::string text(buffer, result.ptr);
    if (text == "-0" || text == "-0.0")
        text.erase(0, 1);
    return text;
}

std::string FrequencyLabel(double f)
{
    return f >= 1000.0 ? PlotNumber(f / 1000.0, 3) + " kHz" : PlotNumber(f, 3) + " Hz";
}

} // namespace

std::string PlotNumber(double value, int decimals)
{
    std::string text = FixedNumber(value, decimals);
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0')
            text.pop_back();
        if (text.back() == '.')
            text.pop_back();
    }
    return text == "-0" ? "0" : text;
}

std::vector<AxisTick> FrequencyAxisTicks(const FFTPlotMapping& mapping)
{
    std::vector<AxisTick> ticks;
    const double bottom = mapping.bottomFrequency();
    const double top = mapping.topFrequency();
    if (!(top > bottom) || mapping.width() <= kPlotLeft)
        return ticks;
    if (mapping.isFreqLinear()) {
        const double pixelsPerHz = (mapping.width() - kPlotLeft) / (top - bottom);
        const double step = NiceStep(60.0 / pixelsPerHz);
        for (double f = std::ceil(bottom / step) * step; f <= top + step * 1e-9; f += step)
            ticks.push_back({mapping.frequencyToX(f), f, true, FrequencyLabel(f)});
        return ticks;
    }
    int lastLabel = -1000;
    for (int exponent = static_cast<int>(std::floor(std::log10(bottom))); exponent <= 5; ++exponent) {
        const double decade = std::pow(10.0, exponent);
        for (int m = 1; m <= 9; ++m) {
            const double f = m * decade;
            if (f < bottom || f > top)
                continue;
            AxisTick tick{mapping.frequencyToX(f), f, false, {}};
            if ((m == 1 || m == 2 || m == 5) && tick.nPos - lastLabel >= 40) {
                tick.bLabelled = true;
                tick.label = FrequencyLabel(f);
                lastLabel = tick.nPos;
            }
            ticks.push_back(tick);
        }
    }
    return ticks;
}

std::vector<AxisTick> AmplitudeAxisTicks(const FFTPlotMapping& mapping, int nTopCutDbr, int nBottomCutDbr)
{
    std::vector<AxisTick> ticks;
    const double fullScale = mapping.fullScale();
    auto yOf = [&](int level) { return mapping.magnitudeToY(fullScale * std::pow(10.0, level / 20.0)); };
    auto inside = [&](int y) { return y >= kPlotTop - 5 && y <= mapping.baseline(); };
    if (mapping.isAmpLinear()) {
        int last = -1000;
        for (int level = nTopCutDbr; level >= nBottomCutDbr; --level) {
            const int y = yOf(level);
            if (inside(y) && y - last >= 25) {
                ticks.push_back({y, static_cast<double>(level), true, std::to_string(level) + " dB"});
                last = y;
            }
        }
        return ticks;
    }
    const int step = std::abs(yOf(-20) - yOf(-10)) < 15 ? 20 : 10;
    for (int level = 0; level >= nBottomCutDbr; level -= step) {
        if (level > nTopCutDbr)
            continue;
        const int y = yOf(level);
        if (inside(y))
            ticks.push_back({y, static_cast<double>(level), true, std::to_string(level) + " dB"});
    }
    return ticks;
}

FFTDecor FFTAxes(const FFTPlotMapping& mapping, const FFTViewSettings& settings, const FFTViewColours& colours)
{
    FFTDecor decor;
    const int w = mapping.width();
    const int base = mapping.baseline();
    const Rgb fg = colours.foreground;
    for (const AxisTick& t : FrequencyAxisTicks(mapping)) {
        if (t.bLabelled && settings.bGrid)
            decor.lines.push_back({{t.nPos, kPlotTop}, {t.nPos, base}, colours.grid});
        decor.lines.push_back({{t.nPos, base}, {t.nPos, base + (t.bLabelled ? 5 : 3)}, fg});
        if (t.bLabelled)
            decor.texts.push_back({{t.nPos, base + 6 + kLabelHeight}, t.label, fg, TextAnchor::Centre,
                                   "Century Gothic", kLabelHeight});
    }
    for (const AxisTick& t : AmplitudeAxisTicks(mapping, settings.nTopCutAmp, settings.nBottomCutAmp)) {
        if (settings.bGrid)
            decor.lines.push_back({{kPlotLeft, t.nPos}, {w, t.nPos}, colours.grid});
        decor.lines.push_back({{kPlotLeft - 4, t.nPos}, {kPlotLeft + 4, t.nPos}, fg});
        decor.texts.push_back({{kPlotLeft + 6, t.nPos - 2}, t.label, fg, TextAnchor::Left, "Century Gothic",
                               kLabelHeight});
    }
    decor.lines.push_back({{kPlotLeft, base}, {w, base}, fg});
    decor.lines.push_back({{kPlotLeft, kPlotTop}, {kPlotLeft, base}, fg});
    return decor;
}

bool IsBlackPianoKey(int nKey)
{
    const int pitch = ((nKey % 12) + 12) % 12; // 0 = A
    return pitch == 1 || pitch == 4 || pitch == 6 || pitch == 9 || pitch == 11;
}

FFTDecor FFTPianoStrip(const FFTPlotMapping& mapping, const FFTViewColours& colours)
{
    FFTDecor decor;
    if (colours.background == Rgb{255, 255, 255})
        return decor;
    constexpr int kTop = 4, kBottom = 18;
    const int w = mapping.width();
    int stripLeft = w, stripRight = kPlotLeft;
    for (int k = 0; k < 88; ++k) {
        const int x0 = std::max(mapping.frequencyToX(27.5 * std::pow(2.0, (k - 1) / 12.0)), kPlotLeft);
        const int x1 = std::min(mapping.frequencyToX(27.5 * std::pow(2.0, k / 12.0)), w);
        if (x1 <= x0)
            continue;
        stripLeft = std::min(stripLeft, x0);
        stripRight = std::max(stripRight, x1);
        if (IsBlackPianoKey(k))
            decor.rects.push_back({x0, kTop, x1, kBottom, {0, 0, 0}});
        else // one pixel left free on the right, so neighbouring white keys stay apart
            decor.rects.push_back({x0, kTop, std::max(x1 - 1, x0 + 1), kBottom, {255, 255, 255}});
    }
    const std::string caption = "Tonumfang Klavier";
    constexpr int kCaptionWidth = 110; // about 17 characters of "Century Gothic" at 11 pixels
    PlotText text{{stripRight + 6, kBottom - 2}, caption, colours.foreground, TextAnchor::Left, "Century Gothic", 11};
    if (stripRight + 6 + kCaptionWidth > w) {
        if (stripLeft - 6 - kCaptionWidth >= kPlotLeft)
            text = {{stripLeft - 6, kBottom - 2}, caption, colours.foreground, TextAnchor::Right, "Century Gothic", 11};
        else
            text.at.x = std::max(kPlotLeft, w - kCaptionWidth);
    }
    decor.texts.push_back(text);
    return decor;
}

FFTReadOut FFTReadOutAt(const FFTPlotMapping& mapping, PlotPoint click, double a4Hz)
{
    FFTReadOut r;
    r.dFrequencyHz = mapping.xToFrequency(click.x);
    r.dLevelDbr = mapping.yToLevel(click.y);
    r.frequencyText = FixedNumber(r.dFrequencyHz, r.dFrequencyHz < 100.0 ? 1 : 0) + " Hz";
    r.levelText = FixedNumber(r.dLevelDbr, 1) + " dB";
    if (const std::optional<NoteName> note = NameOfFrequency(r.dFrequencyHz, a4Hz))
        r.noteText = NoteLabel(*note);
    return r;
}

FFTDecor FFTCrossHair(const FFTPlotMapping& mapping, PlotPoint click, const FFTViewColours& colours, double a4Hz)
{
    FFTDecor decor;
    const Rgb fg = colours.foreground;
    decor.lines.push_back({{kPlotLeft, click.y}, {mapping.width(), click.y}, fg});
    decor.lines.push_back({{click.x, kPlotTop}, {click.x, mapping.baseline()}, fg});
    const FFTReadOut r = FFTReadOutAt(mapping, click, a4Hz);
    const bool bLeft = click.x > mapping.width() - 90;
    const int x = bLeft ? click.x - 5 : click.x + 5;
    const TextAnchor anchor = bLeft ? TextAnchor::Right : TextAnchor::Left;
    decor.texts.push_back({{x, click.y - 5}, r.frequencyText, fg, anchor, "Century Gothic", 12});
    decor.texts.push_back({{x, click.y + 17}, r.levelText, fg, anchor, "Century Gothic", 12});
    if (!r.noteText.empty())
        decor.texts.push_back({{x, click.y + 33}, r.noteText, fg, anchor, "Century Gothic", 12});
    return decor;
}

std::optional<double> FFTProbeFrequency(const FFTPlotMapping& mapping, PlotPoint mouse)
{
    if (mouse.y < 0 || mouse.y >= 20 || mouse.x < kPlotLeft || mouse.x > mapping.width())
        return std::nullopt;
    return mapping.xToFrequency(mouse.x);
}

double NiceStep(double minimum)
{
    double decade = std::pow(10.0, std::floor(std::log10(minimum)));
    for (;;) {
        for (double m : {1.0, 2.0, 5.0})
            if (m * decade >= minimum)
                return m * decade;
        decade *= 10.0;
    }
}
