// Runs resoni-analyze as a child process and captures its exit code, standard output and
// standard error, so tests see exactly what a script calling the tool would see.
#pragma once

#include <string>
#include <vector>

struct CliResult
{
    int exitCode = -1;  // -1 when the child did not exit normally (signal)
    int signal = 0;     // the signal that ended it, 0 if none
    std::string out;
    std::string err;
};

// args are passed without a shell, so paths with spaces need no quoting.
CliResult runCli(const std::vector<std::string>& args);

// Runs any program the same way (e.g. sox, python3); program is looked up in PATH.
CliResult runProgram(const std::string& program, const std::vector<std::string>& args);
