// resoni-analyze mutual-info: mutual information over the delay, Shannon entropy, first minimum.
#include "CliArgs.h"
#include "CliCommand.h"
#include "NonlinearCliOptions.h"

namespace {

int runMutualInfo(const std::vector<std::string>& args)
{
    return runNonlinearCommand(
        "mutual-info", args, {"boxes", "max-delay"},
        [](const std::vector<double>& series, const CliArgs& cli, ReportFormat format, std::ostream& out,
           AbortToken& abort, const MessageCallback& onMessage) {
            MutualInfoOptions o;
            o.boxes = static_cast<int>(cliCount(cli, "boxes", o.boxes, 1, 1000));
            o.maxDelay = static_cast<int>(cliCount(cli, "max-delay", o.maxDelay, 0, 100000000));
            return reportMutualInformation(series, o, format, out, abort, onMessage);
        });
}

const CliRegistrar reg({"mutual-info", "mutual information I(delay) in nats, Shannon entropy, first minimum (CSV delay,I)",
                        "[--boxes B] [--max-delay T] [--json] [--from N] [--to N] [--channel left|right] [--text] "
                        "[--raw] FILE\n"
                        "Defaults: 16 boxes, delays 0 … 90 (at most the series length − 1). After the rows come\n"
                        "the lines \"# shannon_entropy,<I(0)>\" and \"# first_minimum,<delay, 0 = not found>\".",
                        runMutualInfo});

} // namespace
