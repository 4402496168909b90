// How numbers and colours are written into and read from INI values, independent of the
// process locale: integers as "%d", floating-point values as "%g", read back like atoi and atof.
#pragma once

#include "core/common/Rgb.h"

#include <string>

// "%d": decimal, a leading '-' for negative values.
std::string IniFormatInt(int value);
// "%g" in the C locale: six significant digits, trailing zeros removed, exponent form
// ("5e-05", "1.23457e+07") when the decimal exponent is below -4 or at least 6.
std::string IniFormatDouble(double value);

// atoi: leading blanks, an optional sign, then decimal digits up to the first other
// character; no digits give 0. Out of range: saturated to 64 bits, then truncated to 32 bits,
// as the C library does (so "4294967295" gives -1).
int IniAtoi(const char* text);
// Like IniAtoi, but saturated to the range of long.
long IniAtol(const char* text);
// atof in the C locale: the longest leading number ("1.5e3x" gives 1500, "5e-005" gives 5e-05,
// "1,5" gives 1); no number gives 0.
double IniAtof(const char* text);
// A double narrowed to float; values beyond the float range become ±infinity instead of
// undefined behaviour.
float IniNarrowToFloat(double value);

// Colours are stored as one integer 0x00BBGGRR: red + 256·green + 65536·blue.
int IniColourFromRgb(const Rgb& colour);
Rgb IniRgbFromColour(int value);
