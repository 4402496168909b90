// Checking a wavelet string before the transform runs: the engine's own refusal text for invalid
// arguments, without ending the process or computing anything. The wavelet window shows this text
// in a message box instead of letting the engine refuse the request.
#pragma once

#include <string>

// The text the engine would stop with for these arguments ("Morlet wavelet accepts only one
// float argument …\n"), or empty when the string is accepted or names no wavelet.
std::string cwtArgumentProblem(const std::string& wavelet);
