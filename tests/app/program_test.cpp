// The real program as a desktop session sees it: the title its X window carries, and SIGTERM
// (sent at logout) ending it as the close box would.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QThread>
#include <string>
#include <vector>

#include "support/command_runner.h"
#include "support/gui_fixture.h"
#include "support/temporary_directory.h"

extern char** environ;

namespace bw::test {
namespace {

// The names of every window on the display, one line each, as xwininfo lists them.
std::string WindowTree(const std::string& scratch) {
    return RunCommand("/usr/bin/xwininfo", {"-root", "-tree"}, scratch).out;
}

// Starts the program in `directory` (where it keeps bw.cfg); its process id, or -1.
pid_t StartProgram(const std::string& directory) {
    const std::string change = "cd \"$1\" && exec \"$2\"";
    std::vector<std::string> args{"/bin/sh", "-c", change, "sh", directory, BEASTWRIGHT_PATH};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    return posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) == 0 ? pid : -1;
}

// Waits (up to `seconds`) until `ready` holds, polling between short sleeps; the last result.
template <typename Ready>
bool WaitUntil(Ready ready, int seconds) {
    const QDeadlineTimer deadline(seconds * 1000);
    while (!ready()) {
        if (deadline.hasExpired()) return false;
        QThread::msleep(50);
    }
    return true;
}

TEST(ProgramTest, TheWindowTitleIsExactAndSigtermEndsLikeTheCloseBox) {
    TemporaryDirectory dir;
    dir.Write("bw.cfg", "ObjectDir " + SampleLibraryDirectory() + "\n");
    const pid_t pid = StartProgram(dir.Path());
    ASSERT_GT(pid, 0);
    std::string tree;
    const bool shown = WaitUntil(
        [&] {
            tree = WindowTree(dir.Path());
            return tree.find("\"Beastwright Pro\"") != std::string::npos;
        },
        30);
    EXPECT_TRUE(shown) << tree;
    EXPECT_EQ(tree.find(" \xe2\x80\x94 Beastwright"), std::string::npos) << tree;

    ASSERT_EQ(kill(pid, SIGTERM), 0);
    int status = -1;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    // The whole configuration is written back, not only the line it started with.
    const std::string written = ReadText(dir.Path() + "/bw.cfg");
    EXPECT_NE(written.find("ObjectDir " + SampleLibraryDirectory() + "\n"), std::string::npos)
        << written;
    EXPECT_NE(written.find("BgColor "), std::string::npos) << written;
}

}  // namespace
}  // namespace bw::test
