// The real program as a desktop session sees it: the title its X window carries, its preview
// on a Wayland compositor, and SIGTERM (sent at logout) ending it as the close box would.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <QColor>
#include <QDir>
#include <QImage>
#include <string>

#include "support/command_runner.h"
#include "support/gui_fixture.h"
#include "support/render_compare.h"
#include "support/spawned_process.h"
#include "support/temporary_directory.h"

namespace bw::test {
namespace {

// The names of every window on the X display, one line each, as xwininfo lists them.
std::string WindowTree(const std::string& scratch) {
    return RunCommand("/usr/bin/xwininfo", {"-root", "-tree"}, scratch).out;
}

// Whether a window of process `pid` (by its _NET_WM_PID) is named `quotedTitle` in `tree`.
// Other tests on the same display may show a window of the same title at the same time.
bool ProcessHasWindowNamed(const std::string& tree, pid_t pid, const std::string& quotedTitle,
                           const std::string& scratch) {
    const std::string wanted = "_NET_WM_PID(CARDINAL) = " + std::to_string(pid) + "\n";
    for (size_t at = tree.find(quotedTitle); at != std::string::npos;
         at = tree.find(quotedTitle, at + 1)) {
        const size_t lineStart = tree.rfind('\n', at) + 1;  // npos + 1 is 0
        const size_t idStart = tree.find("0x", lineStart);
        if (idStart == std::string::npos || idStart > at) continue;
        const std::string id = tree.substr(idStart, tree.find(' ', idStart) - idStart);
        const std::string property =
            RunCommand("/usr/bin/xprop", {"-id", id, "_NET_WM_PID"}, scratch).out;
        if (property == wanted) return true;
    }
    return false;
}

// Checks that bw.cfg in `directory` was written back whole, not only the line it started with.
void ExpectConfigurationWritten(const std::string& directory, const std::string& bgColor) {
    const std::string written = ReadText(directory + "/bw.cfg");
    EXPECT_NE(written.find("ObjectDir " + SampleLibraryDirectory() + "\n"), std::string::npos)
        << written;
    EXPECT_NE(written.find("BgColor " + bgColor), std::string::npos) << written;
    EXPECT_NE(written.find("ConvertObjectName NewObject\n"), std::string::npos) << written;
}

TEST(ProgramTest, TheWindowTitleIsExactAndSigtermEndsLikeTheCloseBox) {
    TemporaryDirectory dir;
    dir.Write("bw.cfg", "ObjectDir " + SampleLibraryDirectory() + "\n");
    const pid_t pid = SpawnProcess(BEASTWRIGHT_PATH, {}, dir.Path());
    ASSERT_GT(pid, 0);
    std::string tree;
    const bool shown = WaitUntil(
        [&] {
            tree = WindowTree(dir.Path());
            return ProcessHasWindowNamed(tree, pid, "\"Beastwright Pro\"", dir.Path());
        },
        30);
    EXPECT_TRUE(shown) << tree;
    EXPECT_EQ(tree.find(" \xe2\x80\x94 Beastwright"), std::string::npos) << tree;
    EXPECT_EQ(SignalAndWait(pid, SIGTERM), 0);
    ExpectConfigurationWritten(dir.Path(), "0.000000 0.000000 0.000000");
}

// A screenshot of the whole compositor output, taken into `directory`; null when none came.
QImage Screenshot(const std::string& directory, const std::map<std::string, std::string>& env) {
    QDir shots(QString::fromStdString(directory));
    for (const QString& old : shots.entryList({"*.png"})) shots.remove(old);
    const pid_t pid = SpawnProcess("/usr/bin/weston-screenshooter", {}, directory, env);
    int status = 0;
    if (pid <= 0 || waitpid(pid, &status, 0) != pid) return {};
    const QStringList taken = shots.entryList({"*.png"});
    return taken.isEmpty() ? QImage() : QImage(shots.filePath(taken.front()));
}

TEST(ProgramTest, ThePreviewDrawsOnAWaylandCompositorAndSigtermEndsTheProgram) {
    TemporaryDirectory runtime, start, shots;
    ASSERT_EQ(chmod(runtime.Path().c_str(), 0700), 0);
    const std::map<std::string, std::string> env{{"XDG_RUNTIME_DIR", runtime.Path()},
                                                 {"WAYLAND_DISPLAY", "bw-test"},
                                                 {"QT_QPA_PLATFORM", "wayland"},
                                                 {"DISPLAY", ""}};
    // --debug lets weston-screenshooter take the output.
    const pid_t weston =
        SpawnProcess("/usr/bin/weston",
                     {"--backend=headless-backend.so", "--use-pixman", "--debug",
                      "--socket=bw-test", "--width=1024", "--height=768", "--idle-time=0"},
                     runtime.Path(), env);
    ASSERT_GT(weston, 0);
    ASSERT_TRUE(WaitUntil(
        [&] { return QFile::exists(QString::fromStdString(runtime.Path() + "/bw-test")); }, 30))
        << "weston did not open its socket";

    start.Write("bw.cfg", "ObjectDir " + SampleLibraryDirectory() + "\nBgColor 0.2 0.6 0.4 0\n");
    const pid_t program = SpawnProcess(BEASTWRIGHT_PATH, {}, start.Path(), env);
    ASSERT_GT(program, 0);
    // The background fills the empty creature's preview: 0.2, 0.6, 0.4 are bytes 51, 153, 102.
    int background = 0;
    const bool drawn = WaitUntil(
        [&] {
            background = CountColour(Screenshot(shots.Path(), env), 51, 153, 102, 1);
            return background > 50000;
        },
        30);
    EXPECT_TRUE(drawn) << background << " pixels of the background colour";

    EXPECT_EQ(SignalAndWait(program, SIGTERM), 0);
    ExpectConfigurationWritten(start.Path(), "0.200000 0.600000 0.400000");
    SignalAndWait(weston, SIGTERM);
}

}  // namespace
}  // namespace bw::test
