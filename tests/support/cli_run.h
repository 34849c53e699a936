#pragma once
// The command line run in-process on given commands: its exit status and what it printed.
// Header only: the test programs of the front ends link the command line library.

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace plovis::test {

struct CliRun {
    int status = -1;
    std::string out, err;
};

inline CliRun runCliOn(const std::vector<std::string>& args,
                       const std::vector<CliCommand>& commands, const std::string& typed = "",
                       bool terminal = false) {
    std::ostringstream out, err;
    std::istringstream in(typed);
    CliRun r;
    r.status = runCli(args, {out, err, in, terminal}, commands);
    r.out = out.str();
    r.err = err.str();
    return r;
}

}  // namespace plovis::test
