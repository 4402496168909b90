// The failure of a wavelet transform request: an invalid wavelet argument, a request the
// working arrays cannot be allocated for, or pointwise evaluation of the B-spline wavelet.
// what() is the complete message for the diagnostic output, byte for byte, with its "\n".
#pragma once

#include <stdexcept>
#include <string>

class CwtError : public std::runtime_error
{
public:
    explicit CwtError(const std::string& text) : std::runtime_error(text) {}
};
