// bwtool random: batches of random creatures over the sample library, made again from their
// seeds, obeying the creature type, never leaving a body part empty where it has files.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "support/command_runner.h"
#include "support/object_file_builder.h"

namespace bw {
namespace {

using test::ReadText;

const std::filesystem::path kShare = BW_SAMPLE_SHARE_DIR;
const std::string kObjects = (kShare / "Objects" / "Library").string();

// The object paths a project file stores, one per record ("\Head\Male-Round.bwo").
std::vector<std::string> StoredPaths(const std::string& project) {
    std::vector<std::string> paths;
    std::istringstream lines(ReadText(project));
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line[0] == '\\') paths.push_back(line);
    }
    return paths;
}

class BwtoolRandomTest : public ::testing::Test {
  protected:
    test::CommandResult Random(std::vector<std::string> options) {
        std::vector<std::string> args{"random", "--objects", kObjects};
        args.insert(args.end(), options.begin(), options.end());
        return test::RunCommand(BWTOOL_PATH, args, dir.Path());
    }
    test::TemporaryDirectory dir;
};

TEST_F(BwtoolRandomTest, ABatchIsMadeAgainFromItsSeedAndEachCreatureFromItsOwn) {
    const std::string a = dir.Path() + "/a", b = dir.Path() + "/b", c = dir.Path() + "/c";
    const test::CommandResult first = Random({"--seed", "4294967294", "--count", "3", "--save", a});
    ASSERT_EQ(first.status, 0) << first.err;
    // Seeds count on from the given one and wrap at the 32-bit limit.
    EXPECT_EQ(first.out, "seed 4294967294: " + a + "/creature-4294967294.bwp\n" +
                             "seed 4294967295: " + a + "/creature-4294967295.bwp\n" +
                             "seed 0: " + a + "/creature-0.bwp\n");
    ASSERT_EQ(Random({"--seed", "4294967294", "--count", "3", "--save", b}).status, 0);
    ASSERT_EQ(Random({"--seed", "4294967295", "--save", c}).status, 0);

    std::set<std::vector<std::string>> creatures;
    for (const char* seed : {"4294967294", "4294967295", "0"}) {
        const std::string name = std::string("/creature-") + seed + ".bwp";
        EXPECT_EQ(ReadText(a + name), ReadText(b + name)) << seed;
        const std::vector<std::string> paths = StoredPaths(a + name);
        EXPECT_EQ(paths.size(), 22u) << seed;  // no " (none) " where a body part has files
        creatures.insert(paths);
    }
    EXPECT_EQ(ReadText(c + "/creature-4294967295.bwp"), ReadText(a + "/creature-4294967295.bwp"));
    EXPECT_EQ(creatures.size(), 3u);  // the seeds make different creatures

    // A saved creature loads back as it was made.
    const test::CommandResult loaded = test::RunCommand(
        BWTOOL_PATH, {"assemble", "--objects", kObjects, a + "/creature-0.bwp"}, dir.Path());
    EXPECT_EQ(loaded.status, 0) << loaded.err;
}

TEST_F(BwtoolRandomTest, TheTypeChoosesTheFilesAndExportsFollowTheNameGiven) {
    const std::string out = dir.Path() + "/out";
    const test::CommandResult r = Random({"--type", "insect", "--seed", "11", "--count", "4",
                                          "--save", out, "--export", out + "/bug.glb"});
    ASSERT_EQ(r.status, 0) << r.err;
    for (int seed = 11; seed < 15; ++seed) {
        const std::string stem = out + "/bug-" + std::to_string(seed);
        EXPECT_NE(
            r.out.find("seed " + std::to_string(seed) + ": " + stem + ".bwp " + stem + ".glb\n"),
            std::string::npos)
            << r.out;
        EXPECT_GT(std::filesystem::file_size(stem + ".glb"), 0u);
        const std::vector<std::string> paths = StoredPaths(stem + ".bwp");
        ASSERT_EQ(paths.size(), 22u);
        for (const std::string& path : paths) {
            // Every body part of the library has files of every type.
            std::string file = path.substr(path.rfind('\\') + 1);
            for (char& ch : file) ch = char(std::tolower(static_cast<unsigned char>(ch)));
            EXPECT_EQ(file.rfind("insect", 0), 0u) << path;
        }
    }

    // The first and the last type of the list choose their own files too.
    for (const std::string type : {"fantasy", "manga"}) {
        const std::string typed = dir.Path() + "/" + type;
        const test::CommandResult t = Random({"--type", type, "--seed", "3", "--save", typed});
        ASSERT_EQ(t.status, 0) << t.err;
        const std::vector<std::string> paths = StoredPaths(typed + "/creature-3.bwp");
        EXPECT_EQ(paths.size(), 22u) << type;
        for (std::string path : paths) {
            path = path.substr(path.rfind('\\') + 1);
            for (char& ch : path) ch = char(std::tolower(static_cast<unsigned char>(ch)));
            EXPECT_EQ(path.rfind(type, 0), 0u) << type << ": " << path;
        }
    }

    // A body part without files draws "No Files", which fails to load: said and counted,
    // and the creature is still written.
    const std::string sparse = dir.Path() + "/Objects";
    dir.Write("Objects/Head/Cube.bwo", test::Encode(test::CubeContents()));
    const test::CommandResult missing = test::RunCommand(
        BWTOOL_PATH, {"random", "--objects", sparse, "--seed", "1", "--save", out}, dir.Path());
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("No Files"), std::string::npos) << missing.err;
    EXPECT_EQ(StoredPaths(out + "/creature-1.bwp"), std::vector<std::string>{"\\Head\\Cube.bwo"});
}

// Every regular file below `root` by its path below it, with its bytes.
std::map<std::string, std::string> FilesBelow(const std::string& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            files[std::filesystem::relative(entry.path(), root).string()] =
                ReadText(entry.path().string());
    return files;
}

TEST_F(BwtoolRandomTest, ABatchSplitOverParallelJobsWritesTheSameFilesAsOneProcess) {
    const std::string whole = dir.Path() + "/whole", split = dir.Path() + "/split";
    const test::CommandResult one =
        Random({"--seed", "100", "--count", "8", "--save", whole, "--export", whole + "/c.glb"});
    ASSERT_EQ(one.status, 0) << one.err;
    // Four jobs of GNU parallel, each its own seed range, all writing into one directory.
    const test::CommandResult jobs = test::RunCommand(
        "/bin/sh",
        {"-c", "command -v parallel >/dev/null || exit 77; parallel --will-cite -j4 \"" +
                   std::string(BWTOOL_PATH) + "\" random --objects \"" + kObjects +
                   "\" --seed {} --count 2 --save \"" + split + "\" --export \"" + split +
                   "/c.glb\" ::: 100 102 104 106"},
        dir.Path());
    if (jobs.status == 77) GTEST_SKIP() << "GNU parallel is not installed";
    ASSERT_EQ(jobs.status, 0) << jobs.err;
    const auto expected = FilesBelow(whole);
    EXPECT_EQ(expected.size(), 16u);  // a project and a glTF file for each of 8 seeds
    EXPECT_EQ(FilesBelow(split), expected);
}

}  // namespace
}  // namespace bw
