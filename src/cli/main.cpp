// resoni-analyze: the analyses of the program for batch work, computed by the same core library.
#include "CliArgs.h"
#include "CliCommand.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#ifndef RESONI_VERSION
#define RESONI_VERSION "0"
#endif

namespace {

void printHelp()
{
    std::printf("Usage: resoni-analyze COMMAND [OPTIONS] [FILE]\n"
                "       resoni-analyze --help | --version | help COMMAND | COMMAND --help\n\n"
                "Commands:\n");
    std::vector<CliCommand> commands = CliRegistry::all();
    std::sort(commands.begin(), commands.end(),
              [](const CliCommand& a, const CliCommand& b) { return std::string(a.name) < b.name; });
    for (const CliCommand& c : commands)
        std::printf("  %-14s %s\n", c.name, c.summary);
    std::printf("\nOutput is CSV with a header line (or JSON with --json); numbers use a decimal point.\n");
}

// The options of one command with their defaults ("help COMMAND" or "COMMAND --help").
void printCommandHelp(const CliCommand& cmd)
{
    std::printf("Usage: resoni-analyze %s %s\n%s\n", cmd.name, cmd.usage, cmd.summary);
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        printHelp();
        return 2;
    }
    const std::string& first = args.front();
    if (first == "--help" || first == "-h") {
        printHelp();
        return 0;
    }
    if (first == "--version") {
        std::printf("resoni-analyze %s\n", RESONI_VERSION);
        return 0;
    }
    if (first == "help") {
        const CliCommand* cmd = args.size() > 1 ? CliRegistry::find(args[1]) : nullptr;
        if (!cmd) {
            printHelp();
            return args.size() > 1 ? 2 : 0;
        }
        printCommandHelp(*cmd);
        return 0;
    }
    const CliCommand* cmd = CliRegistry::find(first);
    if (!cmd) {
        std::fprintf(stderr, "resoni-analyze: unknown command '%s' (see --help)\n", first.c_str());
        return 2;
    }
    if (std::any_of(args.begin() + 1, args.end(), [](const std::string& a) { return a == "--help" || a == "-h"; })) {
        printCommandHelp(*cmd);
        return 0;
    }
    try {
        return cmd->run(std::vector<std::string>(args.begin() + 1, args.end()));
    } catch (const CliUsageError& e) {
        std::fprintf(stderr, "resoni-analyze %s: %s\n", cmd->name, e.what());
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "resoni-analyze %s: %s\n", cmd->name, e.what());
        return 1;
    }
}
