#include "CliCommand.h"

std::vector<CliCommand>& CliRegistry::all()
{
    static std::vector<CliCommand> commands; // filled by static registrars before main()
    return commands;
}

const CliCommand* CliRegistry::find(const std::string& name)
{
    for (const CliCommand& c : all())
        if (name == c.name)
            return &c;
    return nullptr;
}
