// bwtool: the command-line front end over the core library.
#include <cstdio>
#include <string>
#include <vector>

#include "bwtool/commands.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return bw::tool::RunCommand(args);
}
