// Saving replaces a file atomically and only where a plain save could write: links are
// followed, files the user may not write and files that are no regular files are refused, a
// replaced file keeps its permissions, and no failed save leaves anything behind. Reading
// refuses paths the system would cut.
#include "model/file_io.h"

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/object_file_builder.h"
#include "support/unprivileged_user.h"

namespace bw {
namespace {

using test::ReadText;

namespace fs = std::filesystem;
using ::testing::HasSubstr;

mode_t ModeOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(lstat(path.c_str(), &info), 0) << path;
    return info.st_mode;
}

// Names in `folder` that a save left behind.
std::vector<std::string> TemporaryFiles(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.find(".tmp-") != std::string::npos) names.push_back(name);
    }
    return names;
}

class AtomicSave : public ::testing::Test {
  protected:
    std::string Existing(const std::string& name, const std::string& text, mode_t mode) {
        const std::string path = dir.Write(name, text);
        chmod(path.c_str(), mode);
        return path;
    }
    test::TemporaryDirectory dir;
    std::string reason;
};

TEST_F(AtomicSave, NewAndReplacedFilesHoldTheBytes) {
    const std::string path = dir.Path() + "/a.bwp";
    ASSERT_TRUE(WriteFileAtomically(path, "first", &reason)) << reason;
    ASSERT_TRUE(WriteFileAtomically(path, "second", &reason)) << reason;
    EXPECT_EQ(ReadText(path), "second");
    const mode_t mask = umask(0);
    umask(mask);
    EXPECT_EQ(ModeOf(path) & 0777, 0666 & ~mask);
    EXPECT_TRUE(TemporaryFiles(dir.Path()).empty());
}

TEST_F(AtomicSave, ReplacedFileKeepsItsPermissionBits) {
    for (const mode_t mode : {mode_t(0600), mode_t(0640), mode_t(0755)}) {
        const std::string path = Existing("kept.bwp", "old", mode);
        ASSERT_TRUE(WriteFileAtomically(path, "new", &reason)) << reason;
        EXPECT_EQ(ReadText(path), "new");
        EXPECT_EQ(ModeOf(path) & 07777, mode) << std::oct << mode;
    }
}

TEST_F(AtomicSave, ReadOnlyTargetIsRefusedForAUserWhoMayNotWriteIt) {
    const std::string path = Existing("locked/read-only.bwp", "old", 0444);
    test::HandToUnprivilegedUser(dir.Path());
    const std::optional<int> result = test::RunAsUnprivilegedUser([&] {
        if (access(path.c_str(), W_OK) == 0) return 3;  // the permissions do not bind
        std::string why;
        if (WriteFileAtomically(path, "new", &why)) return 1;
        return why.find("Permission denied") != std::string::npos ? 0 : 2;
    });
    if (!result) GTEST_SKIP() << "no user whom file permissions bind";
    ASSERT_NE(*result, 3) << "permissions do not bind the unprivileged user";
    EXPECT_EQ(*result, 0) << "1: the save went ahead, 2: another reason";
    EXPECT_EQ(ReadText(path), "old");
    EXPECT_EQ(ModeOf(path) & 07777, 0444u);
    EXPECT_TRUE(TemporaryFiles(dir.Path() + "/locked").empty());
}

TEST_F(AtomicSave, SymbolicLinkIsFollowedAndKept) {
    const std::string target = Existing("real/project.bwp", "old", 0640);
    fs::create_directories(dir.Path() + "/links");
    const std::string link = dir.Path() + "/links/project.bwp";
    fs::create_symlink("../real/project.bwp", link);  // relative to the link's folder
    const std::string chain = dir.Path() + "/chain.bwp";
    fs::create_symlink(link, chain);

    ASSERT_TRUE(WriteFileAtomically(chain, "new", &reason)) << reason;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_TRUE(fs::is_symlink(chain));
    EXPECT_EQ(ReadText(target), "new");
    EXPECT_EQ(ModeOf(target) & 07777, 0640u);
    EXPECT_TRUE(TemporaryFiles(dir.Path() + "/real").empty());
    EXPECT_TRUE(TemporaryFiles(dir.Path() + "/links").empty());

    // A link to a file not yet there creates that file.
    const std::string dangling = dir.Path() + "/links/new.bwp";
    fs::create_symlink("../real/new.bwp", dangling);
    ASSERT_TRUE(WriteFileAtomically(dangling, "created", &reason)) << reason;
    EXPECT_TRUE(fs::is_symlink(dangling));
    EXPECT_EQ(ReadText(dir.Path() + "/real/new.bwp"), "created");

    // A loop of links is refused.
    fs::create_symlink("loop-b", dir.Path() + "/loop-a");
    fs::create_symlink("loop-a", dir.Path() + "/loop-b");
    EXPECT_FALSE(WriteFileAtomically(dir.Path() + "/loop-a", "x", &reason));
    EXPECT_TRUE(fs::is_symlink(dir.Path() + "/loop-a"));
}

TEST_F(AtomicSave, TargetsThatAreNoRegularFilesAreRefused) {
    const std::string fifo = dir.Path() + "/pipe.bwp";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    EXPECT_FALSE(WriteFileAtomically(fifo, "x", &reason));
    EXPECT_THAT(reason, HasSubstr("not a regular file"));
    EXPECT_TRUE(S_ISFIFO(ModeOf(fifo)));

    fs::create_directories(dir.Path() + "/folder.bwp/inside");
    EXPECT_FALSE(WriteFileAtomically(dir.Path() + "/folder.bwp", "x", &reason));
    EXPECT_TRUE(fs::is_directory(dir.Path() + "/folder.bwp/inside"));

    // A device node of our own (root only): as root a rename would replace it.
    const std::string device = dir.Path() + "/null.bwp";
    if (mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
        EXPECT_FALSE(WriteFileAtomically(device, "x", &reason));
        EXPECT_TRUE(S_ISCHR(ModeOf(device)));
    }
    // A link to a named pipe is refused as the pipe is.
    fs::create_symlink("pipe.bwp", dir.Path() + "/to-pipe.bwp");
    EXPECT_FALSE(WriteFileAtomically(dir.Path() + "/to-pipe.bwp", "x", &reason));
    EXPECT_TRUE(S_ISFIFO(ModeOf(fifo)));
    EXPECT_TRUE(TemporaryFiles(dir.Path()).empty());
}

TEST_F(AtomicSave, NamesAtTheFileSystemLimitCanBeSaved) {
    const long limit = pathconf(dir.Path().c_str(), _PC_NAME_MAX);
    ASSERT_GT(limit, 20);
    for (const long length : {limit - 1, limit}) {
        const std::string path =
            dir.Path() + "/" + std::string(std::size_t(length - 4), 'n') + ".bwp";
        ASSERT_TRUE(WriteFileAtomically(path, "first", &reason)) << length << ": " << reason;
        ASSERT_TRUE(WriteFileAtomically(path, "second", &reason)) << length << ": " << reason;
        EXPECT_EQ(ReadText(path), "second");
    }
    EXPECT_TRUE(TemporaryFiles(dir.Path()).empty());
}

TEST_F(AtomicSave, WriteBeyondTheFileSizeLimitFailsAndLeavesNothingBehind) {
    const std::string path = Existing("limited.bwp", "old", 0644);
    const std::string big(256 * 1024, 'x');
    // In a child, so the limit binds nothing else.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlimit limit{64 * 1024, 64 * 1024};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(3);
        std::string why;
        if (WriteFileAtomically(path, big, &why)) _exit(1);
        if (why.find("File too large") == std::string::npos) _exit(2);
        // No signal is left over to end the process at the next save.
        _exit(WriteFileAtomically(path + ".small", "small", &why) ? 0 : 4);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0)
        << "1: the save succeeded, 2: another reason, 4: the next save failed";
    EXPECT_EQ(ReadText(path), "old");
    EXPECT_TRUE(TemporaryFiles(dir.Path()).empty());
}

TEST_F(AtomicSave, SeveralFilesChangeTogetherOrNotAtAll) {
    const std::string mtl = Existing("creature.mtl", "old library", 0644);
    const std::string blocked = dir.Path() + "/creature.obj";
    fs::create_directories(blocked + "/inside");  // the second target cannot be written
    const FileContents files[] = {{mtl, "new library"}, {blocked, "new mesh"}};
    EXPECT_FALSE(WriteFilesAtomically(files, &reason));
    EXPECT_THAT(reason, HasSubstr(blocked));
    EXPECT_EQ(ReadText(mtl), "old library");
    EXPECT_TRUE(TemporaryFiles(dir.Path()).empty());

    fs::remove_all(blocked);
    ASSERT_TRUE(WriteFilesAtomically(files, &reason)) << reason;
    EXPECT_EQ(ReadText(mtl), "new library");
    EXPECT_EQ(ReadText(blocked), "new mesh");
}

TEST_F(AtomicSave, MissingFolderOrZeroByteInThePathIsRefused) {
    EXPECT_FALSE(WriteFileAtomically(dir.Path() + "/no/such/folder/x.bwp", "x", &reason));
    EXPECT_FALSE(reason.empty());
    const std::string cut = dir.Path() + "/a.bwp";
    EXPECT_FALSE(WriteFileAtomically(cut + std::string(1, '\0') + "b", "x", &reason));
    EXPECT_THAT(reason, HasSubstr("zero byte"));
    EXPECT_FALSE(fs::exists(cut));
}

TEST(ReadWholeFile, ReadsRegularFilesOnlyAndRefusesPathsWithAZeroByte) {
    test::TemporaryDirectory dir;
    const std::string path = dir.Write("a.bwo", std::string("abc\0def", 7));
    std::vector<std::uint8_t> bytes;
    std::string reason;
    ASSERT_TRUE(ReadWholeFile(path, bytes, &reason)) << reason;
    EXPECT_EQ(bytes.size(), 7u);
    EXPECT_FALSE(ReadWholeFile(path + std::string(1, '\0') + "ignored", bytes, &reason));
    EXPECT_THAT(reason, HasSubstr("zero byte"));
    EXPECT_FALSE(ReadWholeFile(dir.Path(), bytes, &reason));
    EXPECT_EQ(reason, "not a regular file");
}

TEST(ReadWholeFile, HeadCheckSeesTheFirstBytesAndTheSizeBeforeTheRestIsRead) {
    test::TemporaryDirectory dir;
    const std::string path = dir.Write("a.bin", std::string("0123456789"));
    std::vector<std::uint8_t> bytes;
    std::string reason;
    std::string seen;
    std::uint64_t seenSize = 0;
    const auto accept = [&](std::span<const std::uint8_t> head, std::uint64_t size, std::string*) {
        seen.assign(head.begin(), head.end());
        seenSize = size;
        return true;
    };
    ASSERT_TRUE(ReadWholeFileAfterHeadCheck(path, 4, accept, bytes, &reason)) << reason;
    EXPECT_EQ(seen, "0123");
    EXPECT_EQ(seenSize, 10u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "0123456789");
    ASSERT_TRUE(ReadWholeFileAfterHeadCheck(path, 64, accept, bytes, &reason));
    EXPECT_EQ(seen, "0123456789");  // a file shorter than the head

    const auto refuse = [](std::span<const std::uint8_t>, std::uint64_t, std::string* why) {
        *why = "refused";
        return false;
    };
    bytes = {1, 2, 3};
    EXPECT_FALSE(ReadWholeFileAfterHeadCheck(path, 4, refuse, bytes, &reason));
    EXPECT_EQ(reason, "refused");
}

}  // namespace
}  // namespace bw
