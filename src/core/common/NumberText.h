// Numbers and strings as the program's text outputs write them: full double precision
// (17 significant digits, as "%.17g" in the C locale, whatever the process locale is) and JSON.
#pragma once

#include <string>

std::string formatNumber(double value);          // NaN and infinities as "nan", "inf", "-inf"
std::string formatJsonNumber(double value);      // like formatNumber, but null for NaN and infinities
std::string jsonString(const std::string& text); // quoted and escaped JSON string
