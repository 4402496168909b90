// The command table of resoni-analyze. Each command file defines one CliCommand and
// registers it with a static CliRegistrar, so adding a command never touches main().
#pragma once

#include <string>
#include <vector>

struct CliCommand
{
    const char* name;    // first word on the command line, e.g. "info"
    const char* summary; // one line for --help
    const char* usage;   // the options, shown by "resoni-analyze help NAME"
    int (*run)(const std::vector<std::string>& args); // args after the command name; returns the exit code
};

class CliRegistry
{
public:
    static std::vector<CliCommand>& all();
    static const CliCommand* find(const std::string& name);
};

struct CliRegistrar
{
    explicit CliRegistrar(const CliCommand& cmd) { CliRegistry::all().push_back(cmd); }
};
