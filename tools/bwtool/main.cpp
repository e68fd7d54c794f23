// bwtool: the command-line front end over the core library.
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "bwtool/commands.h"

int main(int argc, char** argv) {
    // Nothing is meant to throw; should anything still escape (memory running out, a library
    // fault), the tool says so and fails like any other error instead of aborting.
    try {
        std::vector<std::string> args(argv + 1, argv + argc);
        return bw::tool::RunCommand(args);
    } catch (const std::exception& e) {
        std::cerr << "error: " << e.what() << "\n";
    } catch (...) {
        std::cerr << "error: unexpected failure\n";
    }
    return bw::tool::kExitFileError;
}
