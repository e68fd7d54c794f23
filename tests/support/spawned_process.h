// Programs a test starts and leaves running while it looks at them from outside (their
// windows, their answer to a signal), and a wait for what the test needs.
#pragma once

#include <sys/types.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace bw::test {

// Starts `program` with `args` in `directory`, with this process's environment changed by
// `environment` (a value replaces the variable's). The process id, or -1.
pid_t SpawnProcess(const std::string& program, const std::vector<std::string>& args,
                   const std::string& directory,
                   const std::map<std::string, std::string>& environment = {});

// Sends `signal` and waits for the process; its exit status, or -1 when a signal ended it.
int SignalAndWait(pid_t pid, int signal);

// Polls `ready` every 50 ms until it holds or `seconds` pass; whether it held.
bool WaitUntil(const std::function<bool()>& ready, int seconds);

}  // namespace bw::test
