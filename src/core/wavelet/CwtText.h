// C-locale number text for the wavelet engine: its diagnostics use printf formats ("%g",
// "%ld", "%f") and its arguments are read like strtod, independent of the process locale
// (a GUI may have set a German LC_NUMERIC, which would turn "0.5" into "0,5").
#pragma once

#include <string>

// printf-style formatting in the C locale.
std::string cwtFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));

// strtod in the C locale: converts the longest number prefix of `text` (leading white space
// skipped) and sets `end` behind it; when no number is there, returns 0 and end = text.
double cwtStrtod(const char* text, const char** end);
