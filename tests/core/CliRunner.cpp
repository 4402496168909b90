#include "CliRunner.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sys/wait.h>
#include <unistd.h>

CliResult runProgram(const std::string& program, const std::vector<std::string>& args)
{
    // Both streams go to temporary files, so a child writing much to one of them never blocks.
    char outPath[] = "/tmp/resoni_cli_outXXXXXX", errPath[] = "/tmp/resoni_cli_errXXXXXX";
    const int fds[2] = {mkstemp(outPath), mkstemp(errPath)};
    CliResult result;
    const pid_t pid = fds[0] < 0 || fds[1] < 0 ? -1 : fork();
    if (pid == 0) {
        dup2(fds[0], 1);
        dup2(fds[1], 2);
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execvp(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    if (pid > 0 && waitpid(pid, &status, 0) == pid) {
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    }
    for (int i = 0; i < 2; ++i) {
        const char* path = i == 0 ? outPath : errPath;
        std::ifstream in(path, std::ios::binary);
        (i == 0 ? result.out : result.err).assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        close(fds[i]);
        unlink(path);
    }
    return result;
}

CliResult runCli(const std::vector<std::string>& args)
{
    return runProgram(RESONI_ANALYZE_PATH, args);
}
