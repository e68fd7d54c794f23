// The subcommands of bwtool. Each takes the arguments after its own name and returns the exit
// status: 0 success; 1 a file could not be read or written, a part could not be added, or the
// tool failed otherwise; 2 bad arguments.
#pragma once

#include <string>
#include <vector>

namespace bw::tool {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFileError = 1;
inline constexpr int kExitUsage = 2;

int RunCommand(const std::vector<std::string>& args);
int RunInfo(const std::vector<std::string>& args);
int RunAssemble(const std::vector<std::string>& args);
int RunCut(const std::vector<std::string>& args);

}  // namespace bw::tool
