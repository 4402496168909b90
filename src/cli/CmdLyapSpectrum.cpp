// resoni-analyze lyap-spectrum: Lyapunov spectrum and Kaplan-Yorke dimension.
#include "CliArgs.h"
#include "CliCommand.h"
#include "NonlinearCliOptions.h"

#include <limits>
#include <string>

namespace {

int runLyapSpectrum(const std::vector<std::string>& args)
{
    return runNonlinearCommand(
        "lyap-spectrum", args, {"tau", "dim", "neighbours", "iterations"},
        [](const std::vector<double>& series, const CliArgs& cli, ReportFormat format, std::ostream& out,
           AbortToken& abort, const MessageCallback& onMessage) {
            LyapSpectrumOptions o;
            o.delay = static_cast<int>(cliCount(cli, "tau", o.delay, 1, 1000000));
            o.dimension = static_cast<int>(cliCount(cli, "dim", o.dimension, 1, 100));
            o.neighbours = static_cast<int>(cliCount(cli, "neighbours", o.neighbours, 1, 100000));
            o.iterations = cliCount(cli, "iterations", o.iterations, 1, std::numeric_limits<long long>::max());
            // Reference points run from (dim − 1)·tau up to iterations − 1; fewer would give no row.
            const long long first = static_cast<long long>(o.dimension - 1) * o.delay;
            if (o.iterations <= first)
                throw CliUsageError("--iterations " + std::to_string(o.iterations) +
                                    " reaches no reference point (the first is (dim - 1) * tau = " +
                                    std::to_string(first) + ")");
            return reportSpectrum(series, o, format, out, abort, onMessage);
        });
}

const CliRegistrar reg({"lyap-spectrum", "Lyapunov spectrum and Kaplan-Yorke dimension (CSV row,k,value)",
                        "[--dim E] [--tau D] [--neighbours N] [--iterations I] [--json] "
                        "[--from N] [--to N] [--channel left|right] [--text] [--raw] FILE\n"
                        "Defaults: dimension 3, tau 2, 30 neighbours, 1000 iterations (reference points up to\n"
                        "index I). Row r holds the estimates after r + 1 reference points, exponents per sample.\n"
                        "--json gives {\"exponents\": [...], \"kaplan_yorke\": x, \"rows\": [...]}.",
                        runLyapSpectrum});

} // namespace
