#pragma once
// Running another program from a test: the plovis binary, or /usr/bin/python3 with an oracle.

#include <string>
#include <vector>

namespace plovis::test {

struct CommandResult {
    int status = -1;     // the exit status (-1 when the program did not exit normally)
    std::string output;  // standard output
    std::string errors;  // standard error
};

// Runs the program with the arguments (no shell involved in their quoting).
CommandResult runProgram(const std::string& program, const std::vector<std::string>& args);

}  // namespace plovis::test
