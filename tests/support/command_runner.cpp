#include "support/command_runner.h"

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace bw::test {
namespace {

std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

}  // namespace

CommandResult RunCommand(const std::string& program, const std::vector<std::string>& args,
                         const std::string& scratchDirectory) {
    std::string command = Quote(program);
    for (const std::string& a : args) command += " " + Quote(a);
    const std::string errPath = scratchDirectory + "/stderr.txt";
    command += " 2>" + Quote(errPath);
    CommandResult r;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return r;
    char buffer[4096];
    std::size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) r.out.append(buffer, n);
    const int raw = pclose(pipe);
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::ifstream in(errPath);
    std::stringstream s;
    s << in.rdbuf();
    r.err = s.str();
    return r;
}

}  // namespace bw::test
