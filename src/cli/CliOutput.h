// Output conventions of resoni-analyze: CSV with a header line on standard output,
// numbers in the C locale with 17 significant digits, JSON on request, errors on standard error.
#pragma once

#include <string>

std::string formatNumber(double value);          // "%.17g"; NaN/inf as "nan"/"inf" (JSON: null)
std::string formatJsonNumber(double value);      // like formatNumber, but null for NaN and infinities
std::string jsonString(const std::string& text); // quoted and escaped JSON string
