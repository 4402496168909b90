// The pitch tracker on synthesised tones with a known pitch at every instant: a tone with vibrato
// around c', the same without its fundamental, a glide, each with white noise 20 dB below it; and
// pure noise and silence, which have no pitch. Live input joined from blocks gives the same hops.
#include "core/spectral/PitchLive.h"
#include "core/spectral/PitchTracker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <random>
#include <vector>

namespace {

// Partial amplitudes: the fundamental weaker than the next two partials.
constexpr double kPartials[] = {0.5, 1.0, 0.8, 0.5, 0.35, 0.25, 0.15, 0.1};

struct Signal
{
    std::vector<double> samples;
    std::function<double(double)> pitchAt; // true pitch in Hz at t seconds; none: unpitched
};

// A harmonic tone following pitch(t), partial 1 left out when asked, plus white noise 20 dB below.
Signal Tone(double rate, double seconds, std::function<double(double)> pitch, bool bFundamental)
{
    const auto n = static_cast<std::size_t>(rate * seconds);
    Signal s{std::vector<double>(n), pitch};
    std::mt19937 random(20240615u);
    std::normal_distribution<double> normal;
    double phase = 0.0, power = 0.0;
    for (std::size_t j = bFundamental ? 0 : 1; j < std::size(kPartials); ++j)
        power += kPartials[j] * kPartials[j] / 2.0;
    const double amplitude = 5000.0, noise = amplitude * std::sqrt(power) / 10.0;
    for (std::size_t i = 0; i < n; ++i) {
        double v = 0.0;
        for (std::size_t j = bFundamental ? 0 : 1; j < std::size(kPartials); ++j)
            v += kPartials[j] * std::sin(static_cast<double>(j + 1) * phase);
        s.samples[i] = amplitude * v + noise * normal(random);
        phase += 2.0 * std::numbers::pi * pitch(static_cast<double>(i) / rate) / rate;
    }
    return s;
}

double Vibrato(double t)
{
    return 261.63 * std::exp2(30.0 / 1200.0 * std::sin(2.0 * std::numbers::pi * 5.5 * t));
}

double Glide(double t)
{
    return 150.0 * std::exp2(2.0 * t / 3.0); // 150 Hz to 600 Hz in 3 s
}

struct Figures
{
    double within50 = 0, medianCents = 0, unvoiced = 0, maxConfidence = 0;
};

Figures Evaluate(const Signal& s, double rate)
{
    PitchTrack track;
    EXPECT_TRUE(TrackPitch(s.samples, rate, 32768.0, track));
    Figures f;
    std::vector<double> errors;
    for (std::size_t i = 0; i < track.hops.size(); ++i) {
        const PitchEstimate& e = track.hops[i];
        f.unvoiced += e.voiced() ? 0 : 1;
        f.maxConfidence = std::max(f.maxConfidence, e.dConfidence);
        if (s.pitchAt && e.voiced())
            errors.push_back(std::abs(1200.0 * std::log2(e.dFrequencyHz / s.pitchAt(track.timeOf(i)))));
    }
    const auto hops = static_cast<double>(track.hops.size());
    f.unvoiced /= hops;
    f.within50 = static_cast<double>(std::count_if(errors.begin(), errors.end(), [](double c) { return c <= 50; })) / hops;
    if (!errors.empty()) {
        std::nth_element(errors.begin(), errors.begin() + errors.size() / 2, errors.end());
        f.medianCents = errors[errors.size() / 2];
    }
    return f;
}

} // namespace

TEST(PitchTracker, KnownPitchesNoiseAndSilence)
{
    struct Case
    {
        const char* name;
        double rate;
        std::function<Signal(double)> make;
        double medianCents; // the largest median error allowed; below 0: no pitch in 95 % of the hops
    };
    const auto noise = [](double rate) {
        Signal s{std::vector<double>(static_cast<std::size_t>(2 * rate)), nullptr};
        std::mt19937 random(7u);
        std::normal_distribution<double> normal(0.0, 3000.0);
        for (double& v : s.samples)
            v = normal(random);
        return s;
    };
    // Pure tones at the ends of the range 50 … 2000 Hz and beyond them (not an octave lower).
    const auto sine = [](double hz) {
        return [hz](double rate) {
            Signal s{std::vector<double>(static_cast<std::size_t>(rate)), [hz](double) { return hz; }};
            for (std::size_t i = 0; i < s.samples.size(); ++i)
                s.samples[i] = 8000.0 * std::sin(2.0 * std::numbers::pi * hz * static_cast<double>(i) / rate);
            return s;
        };
    };
    const Case cases[] = {
        {"vibrato", 44100, [](double r) { return Tone(r, 2.0, Vibrato, true); }, 1.0},
        {"vibrato without fundamental", 44100, [](double r) { return Tone(r, 2.0, Vibrato, false); }, 1.0},
        {"glide", 44100, [](double r) { return Tone(r, 3.0, Glide, true); }, 0.5},
        {"glide at 22050 Hz", 22050, [](double r) { return Tone(r, 3.0, Glide, true); }, 0.5},
        {"glide without fundamental at 48000 Hz", 48000, [](double r) { return Tone(r, 3.0, Glide, false); }, 0.5},
        {"50 Hz", 44100, sine(50), 0.1},
        {"1990 Hz", 44100, sine(1990), 0.2},
        {"45 Hz", 44100, sine(45), -1},
        {"3000 Hz", 44100, sine(3000), -1},
        {"noise", 44100, noise, -1},
        {"silence", 44100, [](double r) { return Signal{std::vector<double>(static_cast<std::size_t>(r)), nullptr}; }, -1},
    };
    for (const Case& c : cases) {
        const Signal s = c.make(c.rate);
        const Figures f = Evaluate(s, c.rate);
        if (c.medianCents > 0) {
            EXPECT_GE(f.within50, 0.98) << c.name;
            EXPECT_LT(f.medianCents, c.medianCents) << c.name;
        } else {
            EXPECT_GE(f.unvoiced, 0.95) << c.name;
            EXPECT_TRUE(s.pitchAt || f.maxConfidence < 0.3) << c.name; // no periodicity at all
        }
        std::printf("%-40s within 50 ct %.4f  median %.3f ct  no pitch %.4f\n", c.name, f.within50, f.medianCents,
                    f.unvoiced);
    }
}

TEST(PitchLive, JoinsBlocksIntoTheHopsOfTheWholeTrack)
{
    const Signal s = Tone(44100, 1.0, Glide, true);
    const std::span<const double> all(s.samples);
    PitchTrack track;
    TrackPitch(all, 44100, 32768.0, track);
    PitchLive live(44100, 32768.0, 64);
    EXPECT_EQ(live.push(all.first(1024), 0), 1); // no whole frame yet: the block alone
    std::size_t end = 1024;
    for (; end < 40960; end += 1024)
        live.push(all.subspan(end, 1024), static_cast<std::int64_t>(end));
    ASSERT_EQ(PitchHopCount(2048, 2048, 512) + PitchHopCount(2047, 2048, 512), 1u); // one frame, none
    ASSERT_EQ(live.count(), 1 + PitchHopCount(end, 2048, 512));
    for (std::uint64_t k = live.count() - live.capacity(); k < live.count(); ++k)
        EXPECT_EQ(live.at(k).dFrequencyHz, track.hops[k - 1].dFrequencyHz) << k;
    // Overlapping frames (playback) add only their new hops; after a gap a block starts anew.
    EXPECT_EQ(live.push(all.subspan(end - 1048, 2048), static_cast<std::int64_t>(end - 1048)), 1);
    EXPECT_EQ(live.at(live.count() - 1).dFrequencyHz, track.hops[(end - 1536) / 512].dFrequencyHz);
    EXPECT_EQ(live.push(all.subspan(end - 1048, 2048), static_cast<std::int64_t>(end - 1048)), 0);
    EXPECT_EQ(live.push(all.subspan(20000, 1024), 20000), 1);
    EXPECT_NEAR(1200 * std::log2(live.at(live.count() - 1).dFrequencyHz / Glide(20512 / 44100.0)), 0, 5);
    // The newest captured samples reaching back before the kept ones continue them: hops from 20000 on.
    EXPECT_EQ(live.push(all.subspan(19000, 4096), 19000), 3);
}
