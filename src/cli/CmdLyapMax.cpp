// resoni-analyze lyap-max: stretch factors S(Δn) of the maximal Lyapunov exponent.
#include "CliArgs.h"
#include "CliCommand.h"
#include "NonlinearCliOptions.h"

#include <limits>

namespace {

int runLyapMax(const std::vector<std::string>& args)
{
    return runNonlinearCommand(
        "lyap-max", args,
        {"tau", "min-dim", "max-dim", "radii", "eps-min", "eps-max", "steps", "refs"},
        [](const std::vector<double>& series, const CliArgs& cli, ReportFormat format, std::ostream& out,
           AbortToken& abort, const MessageCallback& onMessage) {
            LyapMaxOptions o;
            o.delay = static_cast<unsigned>(cliCount(cli, "tau", o.delay, 1, 1000000));
            o.minDimension = static_cast<unsigned>(cliCount(cli, "min-dim", o.minDimension, 2, 1000));
            o.maxDimension = static_cast<unsigned>(cliCount(cli, "max-dim", o.maxDimension, 2, 1000));
            o.radii = static_cast<unsigned>(cliCount(cli, "radii", o.radii, 1, 1000));
            o.steps = static_cast<unsigned>(cliCount(cli, "steps", o.steps, 1, 1000000));
            o.epsMin = cliRadius(cli, "eps-min", o.epsMin);
            o.epsMax = cliRadius(cli, "eps-max", o.epsMax);
            // Options the run would ignore are refused rather than silently dropped.
            if (cli.has("eps-max") && (o.radii == 1 || o.epsMin >= o.epsMax))
                throw CliUsageError("--eps-max has no effect with one radius (--radii 1 or --eps-min at or "
                                    "above --eps-max use --eps-min alone)");
            if (cli.has("max-dim") && o.maxDimension < o.minDimension)
                throw CliUsageError("--max-dim below --min-dim has no effect (the largest dimension is raised "
                                    "to the smallest)");
            if (cli.has("refs"))
                o.references = static_cast<std::size_t>(
                    cliCount(cli, "refs", 0, 1, std::numeric_limits<long long>::max()));
            return reportMaxExponent(series, o, format, out, abort, onMessage);
        });
}

const CliRegistrar reg({"lyap-max", "stretch factors S(dn) of the maximal Lyapunov exponent (CSV dim,radius_index,radius,dn,S)",
                        "[--tau D] [--min-dim M] [--max-dim M] [--radii E] [--eps-min R] [--eps-max R] [--steps S] "
                        "[--refs R] [--json] [--from N] [--to N] [--channel left|right] [--text] [--raw] FILE\n"
                        "Defaults: tau 1, dimensions 2 … 2, 5 radii from 0.001 to 0.01 of the data range, 50 steps,\n"
                        "every point a reference point. S is the mean log distance after dn samples; its slope over\n"
                        "the linear range is the exponent per sample. Entries no reference point reached are 0.",
                        runLyapMax});

} // namespace
