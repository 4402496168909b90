// The waveform window's arithmetic: the overview's sample step, content width, signal line and
// time axis, pointer clamping and the play caret; the waveform view's range, step, handed-over
// selection and markers.
#include "core/waveform/OverviewLayout.h"
#include "core/waveform/WaveViewLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <random>
#include <string>

namespace {

struct Wave16
{
    std::vector<std::int16_t> values;
    WaveSamples samples() const
    {
        return {reinterpret_cast<const std::uint8_t*>(values.data()), values.size() * 2, 16};
    }
};

std::vector<std::string> labelTexts(const OverviewLayout::TimeAxis& axis)
{
    std::vector<std::string> out;
    for (const auto& l : axis.labels)
        out.push_back(l.text);
    return out;
}

// Per pixel column of a line: the first, lowest, highest and last y, in column order.
std::map<int, std::array<int, 4>> columns(const std::vector<PlotPoint>& line)
{
    std::map<int, std::array<int, 4>> c;
    for (const PlotPoint& p : line) {
        auto [it, fresh] = c.try_emplace(p.x, std::array<int, 4>{p.y, p.y, p.y, p.y});
        if (!fresh) {
            it->second[1] = std::min(it->second[1], p.y);
            it->second[2] = std::max(it->second[2], p.y);
            it->second[3] = p.y;
        }
    }
    return c;
}

} // namespace

TEST(OverviewLayout, SampleGroupStepAndContentWidth)
{
    using namespace OverviewLayout;
    // a = ⌊50/√(z/2)⌋: 70 at zoom 1, 11 at zoom 41; 1 for a file shorter than the pane.
    EXPECT_EQ(sampleGroup(1'000'000, 1000, 1), 70);
    EXPECT_EQ(sampleGroup(1'000'000, 1000, 41), 11);
    EXPECT_EQ(sampleGroup(999, 1000, 41), 1);

    struct Case { std::size_t n; int cw; int zoom; std::size_t s; int w; };
    const Case cases[] = {
        // one minute at 44100 Hz: 2646000 / 960 = 2756, / 70 = 39; 2646000/39/70 = 969.2 < 980
        // so the line is stretched to the pane.
        {2'646'000, 1000, 1, 39, 980},
        // zoom 3 (a = 40): 2646000 / 2880 = 918, / 40 = 22; trunc(2646000/22/40) = 3006.
        {2'646'000, 1000, 3, 22, 3006},
        // a file shorter than the pane: one point per sample, stretched to zoom·(cw − 20).
        {500, 1000, 2, 1, 1960},
        // a pane narrower than its borders still gives a step and a width.
        {10'000, 30, 1, 10'000 / 1 / 70, 10},
    };
    for (const Case& c : cases) {
        const int a = sampleGroup(c.n, c.cw, c.zoom);
        const std::size_t s = sampleStep(c.n, c.cw, c.zoom, a);
        EXPECT_EQ(s, c.s) << c.n << " " << c.zoom;
        EXPECT_EQ(contentWidth(c.n, s, a, c.cw, c.zoom), c.w) << c.n << " " << c.zoom;
    }
    EXPECT_EQ(baseline(221), 120);
}

TEST(OverviewLayout, SignalLineOfAShortFilePutsEverySampleAtItsPixel)
{
    // ch = 221: drawing height 200, middle at 120; zoom 1 gives a half height of 100 pixels.
    const Wave16 wave{{0, 16384, -32768, 32767, -16384}};
    const auto line = OverviewLayout::signalLine(wave.samples(), 1, 1000, 221, 1, 0, 2000);
    const std::vector<PlotPoint> expected = {
        {10, 120}, {210, 70}, {410, 220}, {610, 21}, {810, 170}};
    // x = trunc(i·1000/5) + 10; the start point (10, 120) and sample 0 coincide.
    EXPECT_EQ(line, expected);

    // 8-bit: 128 is zero, 255 is 99 pixels up (100·127/128 truncated), 0 is 100 down.
    const std::vector<std::uint8_t> bytes = {128, 255, 0};
    const WaveSamples w8{bytes.data(), bytes.size(), 8};
    const auto line8 = OverviewLayout::signalLine(w8, 1, 300, 221, 1, 0, 400);
    EXPECT_EQ(line8, (std::vector<PlotPoint>{{10, 120}, {110, 21}, {210, 220}}));

    // The amplitude zoom multiplies before the division; the result wraps as a 16-bit value.
    const Wave16 loud{{32767}};
    EXPECT_EQ(loud.samples().offset(0, 81, 200), static_cast<std::int16_t>(8100LL * 32767 / 32768));
}

TEST(OverviewLayout, ReducedLineKeepsEveryColumnsSpanAndOnlyTheVisiblePart)
{
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> dist(-32768, 32767);
    Wave16 wave;
    wave.values.resize(200'000);
    for (auto& v : wave.values)
        v = static_cast<std::int16_t>(dist(rng));
    const int w = 1500, ch = 300;
    const std::size_t s = 3;
    // The full line, point by point, as the formula gives it.
    std::vector<PlotPoint> full = {{10, OverviewLayout::baseline(ch)}};
    const WaveSamples ws = wave.samples();
    for (std::size_t i = 0; i < ws.count(); i += s)
        full.push_back({static_cast<int>(static_cast<double>(i) * w / static_cast<float>(ws.count())) + 10,
                        (ch - 21) / 2 - ws.offset(i, 1, ch - 21) + 20});
    const auto reduced = OverviewLayout::signalLine(ws, s, w, ch, 1, 0, w + 20);
    EXPECT_LT(reduced.size(), full.size() / 10);
    EXPECT_EQ(columns(reduced), columns(full));

    // A visible window [600, 700] gives the same columns there (and at most one beyond each end).
    const auto part = OverviewLayout::signalLine(ws, s, w, ch, 1, 600, 700);
    const auto partCols = columns(part);
    const auto fullCols = columns(full);
    for (int x = 600; x <= 700; ++x) {
        if (fullCols.count(x)) {
            EXPECT_EQ(partCols.at(x), fullCols.at(x)) << x;
        }
    }
    EXPECT_GE(partCols.begin()->first, 590);
    EXPECT_LE(partCols.rbegin()->first, 710);
}

TEST(OverviewLayout, TimeAxisLabels)
{
    using OverviewLayout::timeAxis;
    // One second that fits the pane: 0s, 0s100 … 0s900, 1s (and the sub-labels after 1s fall
    // right of the content).
    const auto one = timeAxis(44100, 44100, 1000, 1000);
    const auto texts = labelTexts(one);
    for (const char* t : {"0s", "0s100", "0s500", "0s900", "1s"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), t), texts.end()) << t;
    EXPECT_EQ(one.labels[0].x, 5);      // "0s" at the border minus 5
    EXPECT_EQ(one.labels[0].height, 16);
    EXPECT_EQ(one.labels[1].text, "0s100");
    EXPECT_EQ(one.labels[1].x, 10 + 98 - 5); // p = 980: the first sub-tick at 98
    EXPECT_EQ(one.labels[1].height, 13);
    EXPECT_EQ(one.labels[1].y, 4);

    // A minute on one screen: r = trunc(60 / 0.98) = 61 → a label every 12 s, a tick each second.
    const auto minute = timeAxis(60 * 44100, 44100, 1000, 1000);
    EXPECT_EQ(labelTexts(minute), (std::vector<std::string>{"0s", "12s", "24s", "36s", "48s", "60s"}));
    EXPECT_EQ(minute.ticks.size(), 61u);

    // Three seconds stretched to three screens: r = 1 → ten sub-ticks a second, labelled.
    const auto wide = timeAxis(3 * 8000, 8000, 3 * 980 + 20, 1000);
    EXPECT_EQ(labelTexts(wide).size(), 4u * 10u);
    // Three seconds at two screens' width … r = 3: sub-ticks without sub-labels.
    const auto mid = timeAxis(3 * 8000, 8000, 1000 + 20, 1000);
    EXPECT_EQ(labelTexts(mid), (std::vector<std::string>{"0s", "1s", "2s", "3s"}));
    EXPECT_EQ(mid.ticks.size(), 4u * 10u);

    // Less than a second counts as one; a file with no rate draws no axis instead of dividing by 0.
    EXPECT_EQ(labelTexts(timeAxis(100, 44100, 1000, 1000)).front(), "0s");
    EXPECT_TRUE(timeAxis(100, 44100, 20, 1000).labels.empty());
}

TEST(OverviewLayout, PointerClampingAndPlayCaret)
{
    using namespace OverviewLayout;
    struct Clamp { int x, scroll, total, want; };
    for (const Clamp& c : {Clamp{3, 0, 2000, 10}, Clamp{3, 500, 2000, 3}, Clamp{995, 0, 2000, 995},
                           Clamp{995, 999, 2000, 990}, Clamp{995, 0, 1000, 990}})
        EXPECT_EQ(clampX(c.x, 1000, c.scroll, c.total), c.want) << c.x << " " << c.scroll;

    // Cursor at half of the buffer, total 2020 → 1000 logical; in view at scroll 500.
    CaretMove m = playCaret(500, 1000, 2020, 500, 1000);
    EXPECT_EQ(m.x, 510);
    EXPECT_EQ(m.scrollX, 500);
    // Beyond the right edge: 0.9·2000 + 10 = 1810 → one client width further.
    m = playCaret(900, 1000, 2020, 0, 1000);
    EXPECT_EQ(m.x, 810);
    EXPECT_EQ(m.scrollX, 1000);
    EXPECT_EQ(playCaret(1900, 2000, 2020, 0, 1000).scrollX, 1000);
    EXPECT_EQ(playCaret(1900, 2000, 2020, 0, 1000).x, 1910 - 1000);
    // Left of the visible part: back to the origin.
    m = playCaret(0, 1000, 2020, 700, 1000);
    EXPECT_EQ(m.x, 10);
    EXPECT_EQ(m.scrollX, 0);
    EXPECT_EQ(playCaret(5, 0, 2020, 0, 1000).x, 10); // no buffer: the caret stays at the start

    EXPECT_EQ(playPositionForX(500, 1'000'000, 1020), 500'000u);
    EXPECT_EQ(playPositionForX(0, 1'000'000, 1020), 0u);
    EXPECT_EQ(playPositionForX(5000, 1'000'000, 1020), 1'000'000u);
}

TEST(WaveViewLayout, RangeStepAndLine)
{
    using namespace WaveViewLayout;
    // 10000 samples over 1000 overview pixels: q = 10; both ends made even.
    EXPECT_EQ(rangeForSelection(101, 303, 10'000, 1020), (SampleRange{1010, 3030}));
    EXPECT_EQ(rangeForSelection(7, 9, 3'000, 1020), (SampleRange{20, 26})); // 21 → 20, 27 → 26
    // Outside the file (a drag that left the window) is kept inside it.
    EXPECT_EQ(rangeForSelection(-50, 5000, 10'000, 1020), (SampleRange{0, 10'000}));
    EXPECT_EQ(rangeForSelection(0, 10, 0, 1020), (SampleRange{}));

    EXPECT_EQ(drawStep({0, 26'460'000}, 1920, 100), 140); // ⌈26460000 / 1900 / 100⌉
    EXPECT_EQ(drawStep({0, 100}, 1020, 100), 1);

    const Wave16 wave{{0, 0, 16384, -16384, 32767, 0}};
    // ch 220: height 200, middle 110; range [2, 6) over 1000 pixels: x = (i − 2)·250 + 10.
    const auto line = signalLine(wave.samples(), {2, 6}, 1020, 220, 1, 100);
    EXPECT_EQ(line, (std::vector<PlotPoint>{{10, 60}, {260, 160}, {510, 11}, {760, 110}}));
    EXPECT_TRUE(signalLine(wave.samples(), {2, 2}, 1020, 220, 1, 100).empty());
    EXPECT_TRUE(signalLine(wave.samples(), {0, 8}, 1020, 220, 1, 100).empty()); // beyond the data
}

TEST(WaveViewLayout, DragCountAndHandover)
{
    using namespace WaveViewLayout;
    const SampleRange range{1000, 3000}; // 2000 samples over 1000 pixels: u = 2
    EXPECT_EQ(clampX(3, 1020), 10);
    EXPECT_EQ(clampX(1019, 1020), 1010);
    EXPECT_EQ(dragSampleCount(110, 160, range, 1020), 100);
    EXPECT_EQ(dragSampleCount(160, 110, range, 1020), 100);

    // a = trunc((x1 − 10)·u + start), b = trunc((x2 − 9)·u + start).
    EXPECT_EQ(selectionFor(110, 160, range, 1020, true), (Handover{1200, 1302}));
    const SampleRange unit{1000, 2000}; // u = 1
    EXPECT_EQ(selectionFor(15, 20, unit, 1020, true), (Handover{1005, 1011}));
    EXPECT_EQ(selectionFor(15, 20, unit, 1020, false), (Handover{1004, 1010})); // 16-bit: even
    EXPECT_EQ(selectionFor(15, 20, {5, 5}, 1020, false), (Handover{}));         // nothing shown
}

TEST(WaveViewLayout, MarkersByDoubleClick)
{
    using WaveViewLayout::Markers;
    struct Case
    {
        const char* name;
        std::vector<int> clicks;
        Markers want;
    };
    const Case cases[] = {
        {"first sets marker 1", {300}, {300, 0}},
        {"second sets marker 2", {300, 500}, {300, 500}},
        {"kept in order", {500, 300}, {300, 500}},
        {"within 4 pixels removes", {300, 500, 304}, {0, 500}},
        {"5 pixels away is no hit", {300, 500, 295}, {295, 500}},
        {"third moves the nearer", {300, 500, 450}, {300, 450}},
        {"tie moves marker 2", {300, 500, 400}, {300, 400}},
        {"each click moves the nearer", {300, 500, 320, 600}, {320, 600}},
        {"removed marker 1 is set again first", {300, 500, 300, 700}, {500, 700}},
        {"removing both", {300, 500, 500, 300}, {0, 0}},
    };
    for (const Case& c : cases) {
        Markers m;
        for (int x : c.clicks)
            m.doubleClick(x);
        EXPECT_EQ(m, c.want) << c.name;
    }
}
