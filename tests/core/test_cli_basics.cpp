// The tool's own conventions: --help, --version, unknown commands and exit codes.
#include "CliRunner.h"

#include <gtest/gtest.h>

TEST(CliBasics, HelpAndVersionSucceed)
{
    CliResult help = runCli({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("Usage: resoni-analyze"), std::string::npos);

    CliResult version = runCli({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out.rfind("resoni-analyze ", 0), 0u);
}

TEST(CliBasics, BadCallsFailWithExitCodeNotSignal)
{
    struct Case { std::vector<std::string> args; int exitCode; };
    const Case cases[] = {
        {{}, 2},
        {{"no-such-command"}, 2},
        {{"help", "no-such-command"}, 2},
    };
    for (const Case& c : cases) {
        CliResult r = runCli(c.args);
        EXPECT_EQ(r.signal, 0);
        EXPECT_EQ(r.exitCode, c.exitCode) << (c.args.empty() ? std::string("(none)") : c.args[0]);
    }
    EXPECT_NE(runCli({"no-such-command"}).err.find("unknown command"), std::string::npos);
}
