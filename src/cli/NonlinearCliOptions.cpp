#include "NonlinearCliOptions.h"

#include "CliArgs.h"
#include "SeriesInput.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <iostream>

namespace {

AbortToken g_cliAbort;
volatile std::sig_atomic_t g_interrupted = 0;
static_assert(std::atomic<bool>::is_always_lock_free, "the Ctrl+C handler stores into the token");

extern "C" void onInterrupt(int)
{
    g_interrupted = 1;
    g_cliAbort.raise();
}

// Ctrl+C raises the token while a run is on; the previous handler comes back afterwards.
class InterruptGuard
{
public:
    InterruptGuard()
    {
        struct sigaction action = {};
        action.sa_handler = onInterrupt;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &m_previous);
    }
    ~InterruptGuard() { sigaction(SIGINT, &m_previous, nullptr); }
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;

private:
    struct sigaction m_previous = {};
};

// The engine's texts hold line breaks and tabs; on standard error they become one line.
std::string oneLine(const std::string& text)
{
    std::string out;
    bool space = false;
    for (char c : text) {
        if (c == '\n' || c == '\t' || c == ' ') {
            space = !out.empty();
        } else {
            if (space)
                out += ' ';
            space = false;
            out += c;
        }
    }
    return out;
}

} // namespace

long long cliCount(const CliArgs& args, const std::string& name, long long fallback, long long lo, long long hi)
{
    const long long v = args.getInt(name, fallback);
    if (v < lo || v > hi)
        throw CliUsageError("--" + name + " must lie in " + std::to_string(lo) + " to " + std::to_string(hi));
    return v;
}

double cliRadius(const CliArgs& args, const std::string& name, double fallback)
{
    const double v = args.getDouble(name, fallback);
    if (!(v > 0.0))
        throw CliUsageError("--" + name + " must be a positive radius (units of the data range)");
    return v;
}

int runNonlinearCommand(const char* name, const std::vector<std::string>& args,
                        const std::set<std::string>& valueOptions, const NonlinearRun& run)
{
    std::set<std::string> values = valueOptions;
    std::set<std::string> flags = {"json"};
    addSeriesOptions(values, flags);
    const CliArgs cli(args, values, flags);
    if (cli.positional().size() != 1)
        throw CliUsageError("needs exactly one input file");
    const SeriesInput input = loadSeriesInput(cli.positional()[0], cli);

    const ReportFormat format = cli.flag("json") ? ReportFormat::Json : ReportFormat::Csv;
    auto onMessage = [name](const std::string& text) {
        std::fprintf(stderr, "resoni-analyze %s: %s\n", name, oneLine(text).c_str());
    };
    g_cliAbort.clear();
    g_interrupted = 0;
    ReportStatus status;
    {
        InterruptGuard guard;
        status = run(input.samples, cli, format, std::cout, g_cliAbort, onMessage);
    }
    std::cout.flush();
    if (g_interrupted) {
        std::fprintf(stderr, "resoni-analyze %s: interrupted\n", name);
        return 130;
    }
    return status == ReportStatus::Completed ? 0 : 1;
}
