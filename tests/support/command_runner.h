// Runs a command-line program for tests that check its output as a user or a script sees it.
#pragma once

#include <string>
#include <vector>

namespace bw::test {

struct CommandResult {
    int status = -1;  // exit status, -1 when the program did not exit normally
    std::string out;  // standard output
    std::string err;  // standard error
};

// Runs `program` with `args` (no shell interpretation of either); standard error goes through
// a file in `scratchDirectory`.
CommandResult RunCommand(const std::string& program, const std::vector<std::string>& args,
                         const std::string& scratchDirectory);

}  // namespace bw::test
