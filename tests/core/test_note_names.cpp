// Note names against the standard tables of equal temperament (A4 = 440 Hz unless said).
#include "core/spectral/NoteNames.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(NoteNames, NamesCentsAndReference)
{
    struct Case
    {
        double hz, a4;
        const char* helmholtz;
        const char* scientific;
        int cents;
    };
    const Case cases[] = {
        {440.0, 440, "a'", "A4", 0},       {220.0, 440, "a", "A3", 0},     {261.626, 440, "c'", "C4", 0},
        {659.255, 440, "e''", "E5", 0},    {880.0, 440, "a''", "A5", 0},   {130.813, 440, "c", "C3", 0},
        {123.471, 440, "H", "B2", 0},     {65.406, 440, "C", "C2", 0}, {61.735, 440, "H,", "B1", 0},   {30.868, 440, "H,,", "B0", 0},
        {16.352, 440, "C,,", "C0", 0},     {8.176, 440, "C,,,", "C-1", 0}, {466.164, 440, "b'", "A#4", 0},
        {493.883, 440, "h'", "B4", 0},     {277.183, 440, "cis'", "C#4", 0}, {4186.01, 440, "c'''''", "C8", 0},
        {441.0, 440, "a'", "A4", 4},       {436.0, 440, "a'", "A4", -16},  {452.89, 440, "a'", "A4", 50},
        {415.0, 415, "a'", "A4", 0},       {440.0, 415, "b'", "A#4", 1},   {466.0, 466, "a'", "A4", 0},
    };
    for (const Case& c : cases) {
        const std::optional<NoteName> n = NameOfFrequency(c.hz, c.a4);
        ASSERT_TRUE(n) << c.hz;
        EXPECT_EQ(n->helmholtz, c.helmholtz) << c.hz;
        EXPECT_EQ(n->scientific, c.scientific) << c.hz;
        EXPECT_EQ(n->cents, c.cents) << c.hz;
    }
    EXPECT_EQ(NoteLabel(*NameOfFrequency(441.0)), "a' +4 ct");
    EXPECT_EQ(NoteLabel(*NameOfFrequency(436.0)), "a' \u221216 ct");
    EXPECT_EQ(NoteLabel(*NameOfFrequency(220.0)), "a \u00b10 ct");
    for (double bad : {0.0, -440.0, 1e9, 7.0, std::nan("")})
        EXPECT_FALSE(NameOfFrequency(bad)) << bad;
}
