// Repaint times of the waveform window's panes, painted into a 1920 × 1080 image the way the
// widgets paint: the overview of a 60-minute 16-bit mono 44100 Hz file at horizontal zoom 1
// and 41 (scrolled to the middle), and the waveform view of a 10-minute range.
// Target: every repaint ≤ 16 ms (the Time column, in milliseconds). The program sets the
// offscreen platform itself when none is given.
#include "core/waveform/OverviewLayout.h"
#include "gui/waveform/WaveformPaint.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr std::size_t kRate = 44100;

const std::vector<std::int16_t>& hourOfSignal()
{
    static const std::vector<std::int16_t> data = [] {
        std::vector<std::int16_t> v(60 * 60 * kRate);
        // A tone with a slow swell and a little noise, so every column has some span.
        std::uint32_t lcg = 1;
        for (std::size_t i = 0; i < v.size(); ++i) {
            lcg = lcg * 1664525u + 1013904223u;
            const double swell = 0.5 + 0.5 * std::sin(2 * M_PI * double(i) / (kRate * 20.0));
            const double s = swell * 20000.0 * std::sin(2 * M_PI * 440.0 * double(i) / kRate);
            v[i] = static_cast<std::int16_t>(s + double(lcg >> 22) - 512.0);
        }
        return v;
    }();
    return data;
}

WaveSamples hourSamples()
{
    const auto& v = hourOfSignal();
    return {reinterpret_cast<const std::uint8_t*>(v.data()), v.size() * 2, 16};
}

void BM_OverviewRepaint(benchmark::State& state)
{
    namespace OL = OverviewLayout;
    const int zoom = static_cast<int>(state.range(0));
    const WaveSamples wave = hourSamples();
    WaveformPaint::OverviewState st;
    st.clientWidth = kWidth;
    st.clientHeight = kHeight;
    st.hZoom = zoom;
    const int a = OL::sampleGroup(wave.count(), kWidth, zoom);
    st.step = OL::sampleStep(wave.count(), kWidth, zoom, a);
    st.contentWidth = OL::contentWidth(wave.count(), st.step, a, kWidth, zoom);
    st.totalWidth = st.contentWidth + 20;
    st.scrollX = std::max(0, (st.totalWidth - kWidth) / 2);
    st.rate = kRate;
    st.bandStart = st.scrollX + 300;
    st.bandEnd = st.scrollX + 900;
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        WaveformPaint::paintOverview(painter, wave, st);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_OverviewRepaint)->Arg(1)->Arg(41)->Unit(benchmark::kMillisecond);

void BM_WaveViewRepaint(benchmark::State& state)
{
    const WaveSamples wave = hourSamples();
    WaveformPaint::WaveViewState st;
    st.width = kWidth;
    st.height = kHeight;
    st.range = {static_cast<long long>(10 * 60 * kRate), static_cast<long long>(20 * 60 * kRate)};
    st.bandX0 = 400;
    st.bandX1 = 1200;
    st.markers = {300, 1500};
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        WaveformPaint::paintWaveView(painter, wave, st);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_WaveViewRepaint)->Unit(benchmark::kMillisecond);

// Of the view's repaint, the part spent computing the reduced line.
void BM_ViewLineOnly(benchmark::State& state)
{
    const WaveSamples wave = hourSamples();
    const WaveViewLayout::SampleRange r{static_cast<long long>(10 * 60 * kRate), static_cast<long long>(20 * 60 * kRate)};
    for (auto _ : state)
        benchmark::DoNotOptimize(WaveViewLayout::signalLine(wave, r, kWidth, kHeight, 1, 100));
}
BENCHMARK(BM_ViewLineOnly)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    hourOfSignal(); // generated once, outside the timings
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

