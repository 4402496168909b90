// The envelope editor's point work: edge detection on a decaying tone, merging of openings, the
// kept-points walk, the edits with the anchors' index offset, "Optimiere Punktmenge", and
// resoni-analyze envelope on a WAV file written by Python.
#include "CliRunner.h"
#include "test_wave_util.h"

#include "core/waveform/EnvelopeDetector.h"
#include "core/waveform/EnvelopeOutline.h"

#include <gtest/gtest.h>

#include <cmath>

namespace ED = EnvelopeDetector;
namespace EO = EnvelopeOutline;

namespace {

// A·e^(−n/τ)·sin(2π(n + 1)/100): one period of 100 samples from every multiple of 100 (the
// zero crossing at 99 + 100k), crests at n = 24 + 100k, troughs at 74 + 100k.
constexpr double kA = 30000.0, kTau = 6000.0;
double Decay(double n) { return kA * std::exp(-n / kTau); }

EO::Points Xs(std::initializer_list<int> xs, int y)
{
    EO::Points points;
    for (int x : xs)
        points.push_back({x, y});
    return points;
}

} // namespace

TEST(Envelope, DecayingToneGivesOnePointPerSevenCyclesOnTheDecayCurve)
{
    constexpr int kN = 14000, kW = 800, kH = 420; // offsets of 200 pixels at full scale
    std::vector<std::int16_t> tone(kN);
    for (int n = 0; n < kN; ++n)
        tone[static_cast<std::size_t>(n)] = static_cast<std::int16_t>(std::lround(Decay(n) * std::sin(2 * M_PI * (n + 1) / 100)));
    const Bytes bytes = wavetest::Le16Samples(tone);
    const WaveSamples wave{bytes.data(), bytes.size(), 16};

    const auto blocks = ED::DetectBlocks(wave, 0, kN, kN, {1, kH - 20});
    const auto points = ED::ViewPoints(blocks, 0, kN, kW, kH);
    ASSERT_EQ(blocks.size(), 20u); // 700 samples each
    for (std::size_t k = 0; k < blocks.size(); ++k) {
        const double first = 700.0 * static_cast<double>(k);
        EXPECT_EQ(points.upper[k].x, static_cast<int>((first + 350) * kW / kN)) << k;
        EXPECT_EQ(points.lower[k].x, points.upper[k].x);
        EXPECT_NEAR(points.upper[k].y, 210 - 200 * Decay(first + 24) / 32768, 1.0) << k;
        EXPECT_NEAR(points.lower[k].y, 210 + 200 * Decay(first + 74) / 32768, 1.0) << k;
    }
}

TEST(Envelope, OpeningsMergeInAscendingXWithoutDuplicates)
{
    EO::Scaled collected{Xs({7}, 1), Xs({7}, 9)};
    // At most one collected point: the next opening replaces the lists.
    EO::Merge(collected, {Xs({10, 30, 50}, 1), Xs({10, 30, 50}, 9)});
    EXPECT_EQ(collected.upper, Xs({10, 30, 50}, 1));
    EO::Merge(collected, {Xs({5, 20, 30, 60}, 2), Xs({20, 50, 70}, 8)});
    EXPECT_EQ(collected.upper, (EO::Points{{5, 2}, {10, 1}, {20, 2}, {30, 1}, {50, 1}, {60, 2}}));
    EXPECT_EQ(collected.lower, (EO::Points{{10, 9}, {20, 8}, {30, 9}, {50, 9}, {70, 8}}));
    EXPECT_EQ(EO::Contour(collected).size(), 11u);
    EXPECT_EQ(EO::Contour(collected)[6], (PlotPoint{70, 8}));

    // Scaling: marker 1 at x 100, last point at 300 → x doubles on a 400-wide view; the first
    // point and points that do not move right are dropped; m = 20 stretches y by 200/160.
    const auto scaled = EO::ScaleOntoView({{100, 20}, {150, 30}, {150, 40}, {300, 50}},
                                          {{100, 170}, {200, 180}, {300, 160}}, 100, 400, 200);
    EXPECT_EQ(scaled.upper, (EO::Points{{100, 12}, {400, 37}}));
    EXPECT_EQ(scaled.lower, (EO::Points{{200, 200}, {400, 175}}));
}

TEST(Envelope, KeptPointsWalkThinsByPosition)
{
    // W = 80: every 3rd below x 10, every 10th below 20, every 30th below 60, then back along the
    // lower edge every 10th above 60 and every 30th above 20.
    EO::Points contour;
    for (int x = 0; x < 80; ++x)
        contour.push_back({x, 10});
    for (int x = 79; x >= 0; --x)
        contour.push_back({x, 70});
    EO::Points xs;
    for (const PlotPoint& p : EO::KeptPoints(contour, 80))
        xs.push_back({p.x, 0});
    EXPECT_EQ(xs, Xs({0, 3, 6, 9, 12, 22, 52, 77, 67, 57, 27}, 0));
}

TEST(Envelope, EditsCountTheAnchorsAndKeepTheirOrder)
{
    // Upper edge at y 50, lower edge at y 150 (H = 200), right to left.
    const EO::Points kept = {{0, 50}, {100, 50}, {200, 50}, {200, 150}, {100, 150}, {0, 150}};
    struct Case
    {
        const char* name;
        std::vector<EO::Edit> edits;
        EO::Points want;
    };
    const EO::Edit insertUpper{false, {150, 40}, 0}, insertLower{false, {150, 160}, 0};
    const Case cases[] = {
        {"upper insertion before the first x not smaller", {insertUpper},
         {{0, 50}, {100, 50}, {150, 40}, {200, 50}, {200, 150}, {100, 150}, {0, 150}}},
        {"lower insertion before the first lower x not greater", {insertLower},
         {{0, 50}, {100, 50}, {200, 50}, {200, 150}, {150, 160}, {100, 150}, {0, 150}}},
        {"shown index 4 removes kept point 2", {{true, {}, 4}}, {{0, 50}, {100, 50}, {200, 150}, {100, 150}, {0, 150}}},
        {"an insertion first shifts the removed point", {insertUpper, {true, {}, 4}},
         {{0, 50}, {100, 50}, {200, 50}, {200, 150}, {100, 150}, {0, 150}}},
        {"the first kept point and indices past the end stay", {{true, {}, 2}, {true, {}, 6}, {true, {}, 1}}, kept},
        {"beyond every upper x it is appended", {{false, {300, 10}, 0}},
         {{0, 50}, {100, 50}, {200, 50}, {200, 150}, {100, 150}, {0, 150}, {300, 10}}},
    };
    for (const Case& c : cases) {
        EO::Points points = kept;
        EO::ApplyEdits(points, c.edits, 200);
        EXPECT_EQ(points, c.want) << c.name;
    }
    const EO::Points anchored = EO::WithAnchors(kept);
    ASSERT_EQ(anchored.size(), kept.size() + 4);
    EXPECT_EQ(anchored[1], kept.front());
    EXPECT_EQ(anchored[anchored.size() - 2], kept.back());
    EXPECT_EQ(EO::NearPoint(anchored, {105, 45}), 3);  // 7.07 pixels from (100, 50)
    EXPECT_EQ(EO::NearPoint(anchored, {100, 60}), -1); // 10 pixels is not closer than 10
}

TEST(Envelope, OptimiseKeepsTheEndsOfALineAndThinsCrowdedPoints)
{
    EO::Points line;
    for (int x = 10; x <= 110; ++x)
        line.push_back({x, 100});
    EO::Optimise(line, 200, 200);
    ASSERT_EQ(line.size(), 51u); // every second point was within 2 pixels of a kept one
    EXPECT_NEAR(line.front().x, 10, 1);
    EXPECT_NEAR(line.back().x, 110, 1);
    for (const PlotPoint& p : line)
        EXPECT_EQ(p.y, 100);

    EO::Points pair = {{50, 50}, {51, 50}};
    EO::Optimise(pair, 200, 200);
    EXPECT_EQ(pair, (EO::Points{{50, 50}}));
}

TEST(Envelope, CliPrintsSupportPointsAsSamplesAndValues)
{
    const std::string dir = wavetest::MakeTempDir(), path = dir + "/decay.wav";
    const std::string decay = "import math, struct, sys, wave\nw = wave.open(sys.argv[1], 'wb')\n"
                              "w.setnchannels(1); w.setsampwidth(2); w.setframerate(44100)\n"
                              "w.writeframes(b''.join(struct.pack('<h', round(30000 * math.exp(-n / 6000) * "
                              "math.sin(2 * math.pi * (n + 1) / 100))) for n in range(9000)))\n";
    ASSERT_EQ(runProgram("python3", {"-c", decay, path}).exitCode, 0);
    const CliResult r = runCli({"envelope", path, "--from", "1400", "--to", "8400"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::string want = "edge,sample,value\n";
    for (int k = 0; k < 10; ++k)
        want += "upper," + std::to_string(1750 + 700 * k) + "," + std::to_string(std::lround(Decay(1424 + 700 * k))) + "\n";
    for (int k = 0; k < 10; ++k)
        want += "lower," + std::to_string(1750 + 700 * k) + "," + std::to_string(-std::lround(Decay(1474 + 700 * k))) + "\n";
    EXPECT_EQ(r.out, want);
    EXPECT_EQ(runCli({"envelope", path, "--from", "500", "--to", "500"}).exitCode, 2);
    EXPECT_NE(runCli({"--help"}).out.find("envelope"), std::string::npos);
}
