// Where the wavelet engine's failures end the process, as resoni-analyze does it: the engine's
// message goes to standard error unchanged and the process exits with code 1. The engine
// itself only throws CwtError, so a caller that must survive (the wavelet window, a test) can
// catch it or check the request first (CwtCheck.h).
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

class CCwt;
class CwtError;

// Writes error.what() to standard error and ends the process with exit code 1.
[[noreturn]] void exitWithCwtError(const CwtError& error);

// Runs work; a CwtError thrown by it ends the process as exitWithCwtError does.
void runCwtOrExit(const std::function<void()>& work);

// A transform of a selection (start time, duration in seconds, sampling rate)
// into its result array, ending the process on an invalid request. Returns what
// CCwt::Transform returns.
bool transformOrExit(CCwt& cwt, const std::vector<double>& series, float startTime, float duration, float rate,
                     std::vector<std::int32_t>& out);
