// Runs code as a user whom file permissions bind, for tests of what a save may not overwrite.
// The suite often runs as root (CI does), and root may write any file; such tests then run
// their checks in a child process that has given up root for the user "nobody".
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace bw::test {

// Makes `path` (a folder of the test, and what it holds) belong to the user that
// RunAsUnprivilegedUser runs as: nothing to do unless the test runs as root.
void HandToUnprivilegedUser(const std::string& path);

// Runs `body` in a child process as that user: the current user when it is not root, else
// uid and gid 65534. Returns the exit status `body` returned (-1 when the child did not exit
// normally), or nullopt when no such user could be had (the caller skips its test).
std::optional<int> RunAsUnprivilegedUser(const std::function<int()>& body);

}  // namespace bw::test
