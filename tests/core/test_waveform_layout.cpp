// The waveform window's arithmetic: the overview's sample step, content width, signal line and
// time axis, pointer clamping and the play caret; the waveform view's range, step, handed-over
// selection and markers.
#include "core/waveform/OverviewLayout.h"
#include "core/waveform/WaveViewLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <random>
#include <string>

#include <sys/mman.h>

namespace {

struct Wave16
{
    std::vector<std::int16_t> values;
    WaveSamples samples() const { return {reinterpret_cast<const std::uint8_t*>(values.data()), 2 * values.size()}; }
};

} // namespace

TEST(OverviewLayout, GeometryPointerClampingAndPlayCaretWorkedByHand)
{
    using namespace OverviewLayout;
    struct Case { std::size_t n; int cw, zoom, a; std::size_t s; int w; const char* why; };
    const Case cases[] = {
        {2'646'000, 1000, 1, 70, 39, 980, "a minute at 44100 Hz: 2646000/960/70 = 39; 2646000/39/70 = 969, stretched"},
        {2'646'000, 1000, 3, 40, 22, 3006, "zoom 3: a = trunc(50/√1.5) = 40, 2646000/2880/40 = 22; 2646000/22/40"},
        {1'000'000, 1000, 41, 11, 2, 45454, "zoom 41: a = trunc(50/√20.5) = 11, 1000000/39360/11 = 2; 1000000/2/11"},
        {500, 1000, 2, 1, 1, 1960, "shorter than the pane: one point per sample, stretched to zoom·(cw − 20)"},
        {10'000, 30, 1, 70, 142, 10, "a pane narrower than its borders still gives a step and a width"},
    };
    for (const Case& c : cases) {
        const int a = sampleGroup(c.n, c.cw, c.zoom);
        const std::size_t s = sampleStep(c.n, c.cw, c.zoom, a);
        const int w = contentWidth(c.n, s, a, c.cw, c.zoom);
        EXPECT_TRUE(a == c.a && s == c.s && w == c.w) << c.why << ": a " << a << ", s " << s << ", w " << w;
    }
    for (const auto& [x, scroll, total, want] : {std::array{3, 0, 2000, 10}, {3, 500, 2000, 3}, {995, 0, 2000, 995},
                                                 {995, 999, 2000, 990}, {995, 0, 1000, 990}})
        EXPECT_EQ(clampX(x, 1000, scroll, total), want) << x << " " << scroll;
    struct Caret { std::size_t cursor, length; int scroll, x, scrollAfter; const char* why; };
    const Caret carets[] = {
        {500, 1000, 500, 510, 500, "total 2020, pane 1000: half of 2000 is 1000 logical, in view at scroll 500"},
        {900, 1000, 0, 810, 1000, "0.9·2000 + 10 = 1810 is right of the pane: one client width on"},
        {1900, 2000, 0, 910, 1000, "0.95·2000 + 10 = 1910: one client width on"},
        {0, 1000, 700, 10, 0, "left of the visible columns: back to the origin"},
        {5, 0, 0, 10, 0, "no buffer: the caret stays at the start"},
    };
    for (const Caret& c : carets) {
        const CaretMove m = playCaret(c.cursor, c.length, 2020, c.scroll, 1000);
        EXPECT_TRUE(m.x == c.x && m.scrollX == c.scrollAfter) << c.why << ": " << m.x << ", " << m.scrollX;
    }
    EXPECT_EQ(playPositionForX(500, 1'000'000, 1020), 500'000u);
    EXPECT_EQ(playPositionForX(0, 1'000'000, 1020) + playPositionForX(5000, 1'000'000, 1020), 1'000'000u);
}

TEST(OverviewLayout, AtZoomOneTheWholeFileFitsThePane)
{
    // Silent 16-bit samples, up to ten hours at 44100 Hz, on pages the system maps when they are read.
    constexpr std::size_t kLongest = 10ULL * 3600 * 44100;
    void* const zeros = mmap(nullptr, 2 * kLongest, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    ASSERT_NE(zeros, MAP_FAILED);
    const std::size_t lengths[] = {26,        500,       979,        980,        999,           1000,          5000,
                                   2 * 44100, 5 * 44100, 18 * 44100, 60 * 44100, 3600 * 44100, kLongest};
    for (const int cw : {100, 640, 1000, 1001, 1920, 3840})
        for (const std::size_t n : lengths) {
            const int a = OverviewLayout::sampleGroup(n, cw, 1);
            const std::size_t s = OverviewLayout::sampleStep(n, cw, 1, a);
            const int w = OverviewLayout::contentWidth(n, s, a, cw, 1);
            // No scroll bar: the total width (content and both borders) fits the pane, and so does the last sample.
            EXPECT_LE(w + 2 * OverviewLayout::kLeft, cw) << n << " samples in " << cw << " pixels";
            const WaveSamples wave{static_cast<const std::uint8_t*>(zeros), 2 * n};
            const auto line = OverviewLayout::signalLine(wave, s, w, 200, 1, 0, cw);
            EXPECT_LT(line.back().x, cw - OverviewLayout::kLeft) << n << " samples in " << cw << " pixels";
        }
    munmap(zeros, 2 * kLongest);
}

TEST(OverviewLayout, SignalLinePutsEverySampleAtItsPixelAndKeepsEachColumnsSpan)
{
    // ch = 221: drawing height 200, middle at 120; zoom 1 gives a half height of 100 pixels;
    // x = trunc(i·1000/5) + 10; the start point (10, 120) and sample 0 coincide.
    const Wave16 wave{{0, 16384, -32768, 32767, -16384}};
    EXPECT_EQ(OverviewLayout::signalLine(wave.samples(), 1, 1000, 221, 1, 0, 2000),
              (std::vector<PlotPoint>{{10, 120}, {210, 70}, {410, 220}, {610, 21}, {810, 170}}));
    // 8-bit: 128 is zero, 255 is 99 pixels up (100·127/128 truncated), 0 is 100 down.
    const std::vector<std::uint8_t> bytes = {128, 255, 0};
    EXPECT_EQ(OverviewLayout::signalLine(WaveSamples{bytes.data(), bytes.size(), 8}, 1, 300, 221, 1, 0, 400),
              (std::vector<PlotPoint>{{10, 120}, {110, 21}, {210, 220}}));
    // The amplitude zoom multiplies before the division; the result wraps as a 16-bit value.
    EXPECT_EQ(Wave16{{32767}}.samples().offset(0, 81, 200), static_cast<std::int16_t>(8100LL * 32767 / 32768));

    // 200000 random samples, step 3, over 1500 pixels: per pixel column the first, lowest, highest and
    // last y of the reduced line are those of every point the header's formula gives.
    std::mt19937 rng(7);
    Wave16 noise;
    for (int i = 0; i < 200'000; ++i)
        noise.values.push_back(static_cast<std::int16_t>(rng()));
    const WaveSamples ws = noise.samples();
    const auto columns = [](const std::vector<PlotPoint>& line, int from, int to) {
        std::map<int, std::array<int, 4>> c;
        for (const PlotPoint& p : line)
            if (p.x >= from && p.x <= to) {
                auto [it, fresh] = c.try_emplace(p.x, std::array<int, 4>{p.y, p.y, p.y, p.y});
                it->second = {it->second[0], std::min(it->second[1], p.y), std::max(it->second[2], p.y), p.y};
            }
        return c;
    };
    std::vector<PlotPoint> full = {{10, OverviewLayout::baseline(300)}};
    for (std::size_t i = 0; i < ws.count(); i += 3)
        full.push_back({static_cast<int>(static_cast<double>(i) * 1500 / static_cast<float>(ws.count())) + 10,
                        (300 - 21) / 2 - ws.offset(i, 1, 300 - 21) + 20});
    const auto reduced = OverviewLayout::signalLine(ws, 3, 1500, 300, 1, 0, 1520);
    EXPECT_TRUE(reduced.size() < full.size() / 10 && columns(reduced, 0, 1520) == columns(full, 0, 1520));
    // Only the visible columns [600, 700], and at most one point beyond each end.
    const auto shown = OverviewLayout::signalLine(ws, 3, 1500, 300, 1, 600, 700);
    EXPECT_EQ(columns(shown, 600, 700), columns(full, 600, 700));
    EXPECT_TRUE(shown.front().x >= 590 && shown.back().x <= 710) << shown.front().x << " .. " << shown.back().x;
}

TEST(OverviewLayout, TimeAxisLabels)
{
    using OverviewLayout::timeAxis;
    const auto labelTexts = [](const OverviewLayout::TimeAxis& axis) {
        std::string out;
        for (const auto& l : axis.labels)
            out += l.text + " ";
        return out;
    };
    // One second that fits the pane: p = 980; "0s" at the border minus 5, "0s100" at the first sub-tick (98).
    const auto one = timeAxis(44100, 44100, 1000, 1000);
    EXPECT_EQ(labelTexts(one).substr(0, 60), "0s 0s100 0s200 0s300 0s400 0s500 0s600 0s700 0s800 0s900 1s ");
    const OverviewLayout::Label& l0 = one.labels[0], l1 = one.labels[1];
    EXPECT_TRUE(l0.x == 5 && l0.y == 0 && l0.height == 16 && l1.x == 10 + 98 - 5 && l1.y == 4 && l1.height == 13);
    // A minute on one screen: r = trunc(60 / 0.98) = 61 → a label every 12 s, a tick each second.
    const auto minute = timeAxis(60 * 44100, 44100, 1000, 1000);
    EXPECT_EQ(labelTexts(minute) + std::to_string(minute.ticks.size()), "0s 12s 24s 36s 48s 60s 61");
    // Three seconds over three screens: r = 1 → ten labelled sub-ticks a second; over about one
    // screen r = 3: sub-ticks without sub-labels.
    EXPECT_EQ(timeAxis(3 * 8000, 8000, 3 * 980 + 20, 1000).labels.size(), 4u * 10u);
    const auto mid = timeAxis(3 * 8000, 8000, 1000 + 20, 1000);
    EXPECT_EQ(labelTexts(mid) + std::to_string(mid.ticks.size()), "0s 1s 2s 3s 40");
    // Less than a second counts as one; no room draws no axis instead of dividing by 0.
    EXPECT_EQ(labelTexts(timeAxis(100, 44100, 1000, 1000)).substr(0, 9), "0s 0s100 ");
    EXPECT_TRUE(timeAxis(100, 44100, 20, 1000).labels.empty());
}

TEST(WaveViewLayout, RangeStepLineHandoverAndMarkers)
{
    using namespace WaveViewLayout;
    // 10000 samples over 1000 overview pixels: q = 10; both ends made even, kept inside the file.
    EXPECT_EQ(rangeForSelection(101, 303, 10'000, 1020), (SampleRange{1010, 3030}));
    EXPECT_EQ(rangeForSelection(7, 9, 3'000, 1020), (SampleRange{20, 26})); // 21 → 20, 27 → 26
    EXPECT_EQ(rangeForSelection(-50, 5000, 10'000, 1020), (SampleRange{0, 10'000}));
    EXPECT_EQ(rangeForSelection(0, 10, 0, 1020), (SampleRange{}));
    EXPECT_EQ(drawStep({0, 26'460'000}, 1920, 100), 140); // ⌈26460000 / 1900 / 100⌉
    EXPECT_EQ(drawStep({0, 100}, 1020, 100), 1);
    const Wave16 wave{{0, 0, 16384, -16384, 32767, 0}};
    // ch 220: height 200, middle 110; range [2, 6) over 1000 pixels: x = (i − 2)·250 + 10.
    EXPECT_EQ(signalLine(wave.samples(), {2, 6}, 1020, 220, 1, 100),
              (std::vector<PlotPoint>{{10, 60}, {260, 160}, {510, 11}, {760, 110}}));
    EXPECT_TRUE(signalLine(wave.samples(), {2, 2}, 1020, 220, 1, 100).empty() && // empty, and beyond the data
                signalLine(wave.samples(), {0, 8}, 1020, 220, 1, 100).empty());

    const SampleRange range{1000, 3000}; // 2000 samples over 1000 pixels: u = 2
    EXPECT_EQ(clampX(3, 1020) + clampX(1019, 1020), 10 + 1010);
    EXPECT_EQ(dragSampleCount(110, 160, range, 1020) + dragSampleCount(160, 110, range, 1020), 200);
    // a = trunc((x1 − 10)·u + start), b = trunc((x2 − 9)·u + start); even for 16-bit data.
    EXPECT_EQ(selectionFor(110, 160, range, 1020, true), (Handover{1200, 1302}));
    EXPECT_EQ(selectionFor(15, 20, {1000, 2000}, 1020, true), (Handover{1005, 1011}));
    EXPECT_EQ(selectionFor(15, 20, {1000, 2000}, 1020, false), (Handover{1004, 1010}));
    EXPECT_EQ(selectionFor(15, 20, {5, 5}, 1020, false), (Handover{})); // nothing shown
    struct Case { const char* name; std::vector<int> clicks; WaveViewLayout::Markers want; };
    const Case cases[] = {
        {"first sets marker 1", {300}, {300, 0}},   {"second sets marker 2", {300, 500}, {300, 500}},
        {"kept in order", {500, 300}, {300, 500}},  {"within 4 pixels removes", {300, 500, 304}, {0, 500}},
        {"5 away is no hit", {300, 500, 295}, {295, 500}}, {"third moves the nearer", {300, 500, 450}, {300, 450}},
        {"tie moves marker 2", {300, 500, 400}, {300, 400}}, {"each moves nearer", {300, 500, 320, 600}, {320, 600}},
        {"marker 1 is set first", {300, 500, 300, 700}, {500, 700}}, {"removing both", {300, 500, 500, 300}, {0, 0}}};
    for (const Case& c : cases) {
        WaveViewLayout::Markers m;
        for (int x : c.clicks)
            m.doubleClick(x);
        EXPECT_TRUE(m == c.want) << c.name << ": " << m.x1 << ", " << m.x2;
    }
}
