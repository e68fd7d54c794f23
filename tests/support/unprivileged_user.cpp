#include "support/unprivileged_user.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

namespace bw::test {
namespace {

constexpr uid_t kNobody = 65534;
// Exit status of a child that could not give up root.
constexpr int kCouldNotDropRoot = 125;

}  // namespace

void HandToUnprivilegedUser(const std::string& path) {
    if (geteuid() != 0) return;
    std::error_code ignored;
    if (lchown(path.c_str(), kNobody, kNobody) != 0) return;
    if (!std::filesystem::is_directory(path, ignored)) return;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path, ignored))
        (void)!lchown(entry.path().c_str(), kNobody, kNobody);
}

std::optional<int> RunAsUnprivilegedUser(const std::function<int()>& body) {
    const pid_t child = fork();
    if (child < 0) return std::nullopt;
    if (child == 0) {
        if (geteuid() == 0) {
            if (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0 ||
                geteuid() == 0)
                _exit(kCouldNotDropRoot);
        }
        _exit(body());
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) return std::nullopt;
    }
    if (!WIFEXITED(status)) return -1;
    if (WEXITSTATUS(status) == kCouldNotDropRoot) return std::nullopt;
    return WEXITSTATUS(status);
}

}  // namespace bw::test
