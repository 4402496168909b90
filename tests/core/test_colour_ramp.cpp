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
