// resoni-analyze cwt: the continuous wavelet transform of a series, as the wavelet window
// computes it for a selection.
#include "CliArgs.h"
#include "CliCommand.h"
#include "SeriesInput.h"

#include "core/wavelet/CwtExit.h"
#include "core/wavelet/CwtReport.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <iostream>

namespace {

int runCwt(const std::vector<std::string>& args)
{
    std::set<std::string> valueOptions{"wavelet", "fmin", "fmax", "rows", "cols", "resolution", "division"};
    std::set<std::string> flagOptions{"json"};
    addSeriesOptions(valueOptions, flagOptions);
    const CliArgs cli(args, valueOptions, flagOptions);
    if (cli.positional().size() != 1)
        throw CliUsageError("expected exactly one input file");

    CwtReportOptions options;
    options.wavelet = cli.text("wavelet").value_or(options.wavelet);
    options.minFrequency = cli.getDouble("fmin", options.minFrequency);
    options.maxFrequency = cli.getDouble("fmax", options.maxFrequency);
    options.rows = static_cast<long>(cli.getInt("rows", options.rows));
    options.columns = static_cast<long>(cli.getInt("cols", options.columns));
    options.resolution = static_cast<long>(cli.getInt("resolution", 0));
    if (cli.has("resolution") && options.resolution < 1)
        throw CliUsageError("--resolution must be at least 1");
    if (const std::optional<std::string> division = cli.text("division")) {
        const std::string names[] = {"linear", "reziprok", "exponentiell"};
        const auto* found = std::find(std::begin(names), std::end(names), *division);
        if (found == std::end(names))
            throw CliUsageError("--division must be linear, reziprok or exponentiell");
        options.division = static_cast<int>(found - std::begin(names));
    }
    options.json = cli.flag("json");
    const std::string problem = cwtReportOptionsProblem(options);
    if (!problem.empty())
        throw CliUsageError(problem);

    const SeriesInput input = loadSeriesInput(cli.positional()[0], cli);
    // The engine's diagnostics go to standard error; an invalid wavelet argument ends the
    // process with the engine's own message and exit code 1.
    runCwtOrExit([&] {
        writeCwtReport(input.samples, input.rate, options, std::cout,
                       [](const std::string& text) { std::fputs(text.c_str(), stderr); });
    });
    std::cout.flush();
    return 0;
}

} // namespace

static const CliRegistrar reg({"cwt", "continuous wavelet transform (rows = frequencies, values 0..255)",
                        "FILE [--from N] [--to N] [--channel left|right] [--text] [--raw] "
                        "[--wavelet W] [--fmin F] [--fmax F] [--rows N] [--cols M] [--division D] [--resolution N] [--json]\n"
                        "Defaults: wavelet morlet,2 (also haar, mexicanhat, sinus, poisson, cauchy,A, spinning,A,B,\n"
                        "bspline,W...), 20 to 20000 Hz in 100 rows, 20 columns over the selection.\n"
                        "--division linear|reziprok|exponentiell spaces the rows equally in frequency, in scale or\n"
                        "geometrically (default exponentiell). Every sample under the wavelet is read at every scale;\n"
                        "--resolution N samples the wavelet at exactly N points instead (200: the old sampling, in\n"
                        "which high tones alias into low rows).",
                        runCwt});
