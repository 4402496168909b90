// What the nonlinear commands of resoni-analyze share: reading the series, the number options
// of the analysis view with their ranges, --json, Ctrl+C (raises the abort token; the run
// stops at its next checkpoint and the tool exits with 130), and the engine's messages on
// standard error.
#pragma once

#include "core/common/AbortToken.h"
#include "core/common/Callbacks.h"
#include "core/nonlinear/NonlinearReport.h"

#include <functional>
#include <iosfwd>
#include <set>
#include <string>
#include <vector>

class CliArgs;

using NonlinearRun = std::function<ReportStatus(const std::vector<double>& series, const CliArgs& args,
                                                ReportFormat format, std::ostream& out, AbortToken& abort,
                                                const MessageCallback& onMessage)>;

// Parses `args` (the command's own value options, the series options and --json), needs one
// file name, loads the series and runs. Exit code: 0 done, 1 the engine stopped with a
// message, 130 interrupted by Ctrl+C; usage errors throw CliUsageError.
int runNonlinearCommand(const char* name, const std::vector<std::string>& args,
                        const std::set<std::string>& valueOptions, const NonlinearRun& run);

// --name as a whole number in [lo, hi], or fallback when absent.
long long cliCount(const CliArgs& args, const std::string& name, long long fallback, long long lo, long long hi);
// --name as a positive radius (units of the data range), or fallback when absent.
double cliRadius(const CliArgs& args, const std::string& name, double fallback);
