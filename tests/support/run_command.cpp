#include "support/run_command.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

#include "support/file_bytes.h"
#include "support/test_paths.h"

namespace plovis::test {

CommandResult runProgram(const std::string& program, const std::vector<std::string>& args) {
    ScratchDir scratch("run-program");
    const auto out = scratch / "out", err = scratch / "err";
    CommandResult result;
    const pid_t pid = ::fork();
    if (pid == 0) {
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const auto& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        if (!std::freopen(out.c_str(), "w", stdout) || !std::freopen(err.c_str(), "w", stderr) ||
            !std::freopen("/dev/null", "r", stdin)) {
            ::_exit(127);
        }
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    int status = 0;
    if (pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status)) {
        result.status = WEXITSTATUS(status);
    }
    result.output = readBytes(out);
    result.errors = readBytes(err);
    return result;
}

}  // namespace plovis::test
