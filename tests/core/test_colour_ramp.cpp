#include "core/spectral/ColourRamp.h"

#include <cstdlib>

#include <gtest/gtest.h>

TEST(ColourRamp, RampEndsJoinsAndNoJumps)
{
    const auto ramp = buildColourRamp();
    struct Case { int index; Rgb colour; };
    const Case cases[] = {{0, {255, 0, 0}},   {255, {255, 255, 0}}, {256, {255, 255, 0}}, {511, {0, 255, 0}},
                          {512, {0, 255, 0}}, {767, {0, 255, 255}}, {768, {0, 255, 255}}, {1023, {0, 0, 255}},
                          {1024, {0, 0, 255}}, {1279, {255, 0, 255}}, {1280, {255, 0, 255}}, {1535, {255, 255, 255}},
                          {100, {255, 100, 0}}, {1100, {76, 0, 255}}};
    for (const Case& c : cases)
        EXPECT_EQ(ramp[static_cast<size_t>(c.index)], c.colour) << "index " << c.index;
    // From one entry to the next at most one channel moves, by at most 1.
    for (size_t i = 1; i < ramp.size(); ++i)
        EXPECT_LE(std::abs(ramp[i].red - ramp[i - 1].red) + std::abs(ramp[i].green - ramp[i - 1].green) +
                      std::abs(ramp[i].blue - ramp[i - 1].blue), 1) << "between " << i - 1 << " and " << i;
}

TEST(ColourRamp, ThreeDRampRunsDarkRedToWhiteSmoothlyAndIsBlackOutside)
{
    struct Case { int index; Rgb colour; };
    const Case cases[] = {{0, {128, 0, 0}},     {127, {255, 0, 0}},   {128, {255, 0, 0}},   {383, {255, 255, 0}},
                          {639, {0, 255, 0}},   {895, {0, 255, 255}}, {1151, {0, 0, 255}},  {1407, {255, 0, 255}},
                          {1663, {255, 255, 255}}, {1664, {0, 0, 0}}, {-1, {0, 0, 0}},     {1000, {0, 151, 255}}};
    for (const Case& c : cases)
        EXPECT_EQ(Ramp3DColour(c.index), c.colour) << "index " << c.index;
    // Inside the ramp each step moves one channel by at most 1 (the joins repeat a colour).
    for (int v = 1; v < kRamp3DSize; ++v) {
        const Rgb a = Ramp3DColour(v - 1), b = Ramp3DColour(v);
        EXPECT_LE(std::abs(a.red - b.red) + std::abs(a.green - b.green) + std::abs(a.blue - b.blue), 1) << v;
    }
}
