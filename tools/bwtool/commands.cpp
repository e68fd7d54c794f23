// Dispatches bwtool's subcommands.
#include "bwtool/commands.h"

#include <iostream>

namespace bw::tool {

int RunCommand(const std::vector<std::string>& args) {
    if (!args.empty() && args[0] == "info") return RunInfo({args.begin() + 1, args.end()});
    if (!args.empty() && args[0] == "assemble") return RunAssemble({args.begin() + 1, args.end()});
    if (!args.empty() && args[0] == "cut") return RunCut({args.begin() + 1, args.end()});
    std::cerr
        << "usage: bwtool info FILE.bwo...\n"
           "       bwtool assemble --objects DIR [PROJECT.bwp] [--add \"BODY PART=PATH\"]...\n"
           "                       [--json] [--save OUT.bwp [--standard]] [--obj OUT.obj]\n"
           "       bwtool cut PREPARED --objects DIR [--name NAME]\n";
    return kExitUsage;
}

}  // namespace bw::tool
