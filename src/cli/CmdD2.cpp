// resoni-analyze d2: local slopes of the correlation sums (correlation dimensions).
#include "CliArgs.h"
#include "CliCommand.h"
#include "NonlinearCliOptions.h"

#include <algorithm>
#include <limits>

namespace {

int runD2(const std::vector<std::string>& args)
{
    return runNonlinearCommand(
        "d2", args, {"tau", "max-dim", "radii", "eps-min", "eps-max", "pairs"},
        [](const std::vector<double>& series, const CliArgs& cli, ReportFormat format, std::ostream& out,
           AbortToken& abort, const MessageCallback& onMessage) {
            D2Options o;
            o.delay = static_cast<int>(cliCount(cli, "tau", o.delay, 1, 1000000));
            o.maxDimension = static_cast<int>(cliCount(cli, "max-dim", o.maxDimension, 1, 1000));
            o.radii = static_cast<int>(cliCount(cli, "radii", o.radii, 2, 100000));
            o.pairs = cliCount(cli, "pairs", o.pairs, 1, std::numeric_limits<long long>::max());
            o.epsMin = cliRadius(cli, "eps-min", o.epsMin);
            o.epsMax = cliRadius(cli, "eps-max", o.epsMax);
            if (cli.has("eps-min") && o.epsMin >= std::min(o.epsMax, 1.0))
                throw CliUsageError("--eps-min at or above --eps-max has no effect (the smallest radius becomes "
                                    "half the largest)");
            return reportCorrelation(series, o, format, out, abort, onMessage);
        });
}

const CliRegistrar reg({"d2", "local slopes of the correlation sums per embedding dimension (CSV dim,radius,slope)",
                        "[--max-dim M] [--tau D] [--radii K] [--eps-min R] [--eps-max R] [--pairs P] [--json] "
                        "[--from N] [--to N] [--channel left|right] [--text] [--raw] FILE\n"
                        "Defaults: dimensions 1 … 10, tau 1, 100 radii from 1.0 down to 0.001 of the data range,\n"
                        "a radius is finished after 1000 pairs. The slope at radius r is d ln C / d ln r between\n"
                        "r and the next larger radius (0 where no pair was found).",
                        runD2});

} // namespace
