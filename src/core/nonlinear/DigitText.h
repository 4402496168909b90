// The number texts of the nonlinear views: a value written with a fixed number of significant
// digits and the decimal point placed by hand, e.g. 2.772588722 with 10 digits "2.772588722",
// 0.0123 with 4 digits "0.01230", −1.26 with 4 digits "-1.260", 30 with 4 digits "30.00".
#pragma once

#include <string>

// Digits: the value rounded to `digits` significant digits (at least 1) and its decimal
// position p (value = 0.d1d2… × 10^p). If p ≤ 0, |p| + 1 zeros go in front and a "." after the
// first of them; else a "." goes after the first p digits (zeros are appended when p exceeds
// the number of digits); a negative value gets a "-" in front. Zero has p = 0 ("0.0000" for 4
// digits). NaN and infinities give "nan", "inf" and "-inf".
std::string formatSignificant(double value, int digits);

// The first `count` characters of formatSignificant(value, digits), as the labels show them.
std::string formatSignificantPrefix(double value, int digits, std::size_t count);
