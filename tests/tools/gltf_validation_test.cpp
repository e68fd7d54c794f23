// The glTF exports of every sample creature, plain and rigged (at rest and posed), checked by
// the Khronos glTF validator: no error and no warning. The validator is a test tool from the npm
// registry, installed beside this file by scripts/install-deps; it needs node, and the test is
// skipped only where there is none.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "support/command_runner.h"
#include "support/temporary_directory.h"

namespace bw {
namespace {

namespace fs = std::filesystem;

const fs::path kShare = BW_SAMPLE_SHARE_DIR;
const fs::path kValidator = BW_GLTF_VALIDATOR_DIR;

// The first `program` on PATH; empty when there is none.
std::string FindOnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::istringstream directories(path ? path : "");
    for (std::string directory; std::getline(directories, directory, ':');) {
        const fs::path candidate = fs::path(directory) / program;
        std::error_code error;
        if (!directory.empty() && fs::is_regular_file(candidate, error)) return candidate.string();
    }
    return {};
}

// Node, which runs the validator; empty when there is none. The validator must be installed
// wherever node is.
std::string ValidatorNode() {
    const std::string node = FindOnPath("node");
    if (!node.empty()) {
        EXPECT_TRUE(fs::exists(kValidator / "node_modules" / "gltf-validator" / "package.json"))
            << "the glTF validator is not installed: run scripts/install-deps";
    }
    return node;
}

// Every sample creature exported as .glb and .gltf into `dir` with `options`, each file named
// <project><suffix>.EXT; the validator's arguments.
std::vector<std::string> ExportSamples(const test::TemporaryDirectory& dir,
                                       const std::string& suffix,
                                       const std::vector<std::string>& options) {
    std::vector<std::string> args{(kValidator / "validate.js").string()};
    for (const auto& entry : fs::directory_iterator(kShare / "Projects")) {
        if (entry.path().extension() != ".bwp") continue;  // the poses beside them
        for (const char* extension : {".glb", ".gltf"}) {
            const std::string path =
                dir.Path() + "/" + entry.path().stem().string() + suffix + extension;
            std::vector<std::string> command{"assemble",
                                             "--objects",
                                             (kShare / "Objects" / "Library").string(),
                                             entry.path().string(),
                                             "--export",
                                             path};
            command.insert(command.end(), options.begin(), options.end());
            const test::CommandResult r = test::RunCommand(BWTOOL_PATH, command, dir.Path());
            EXPECT_EQ(r.status, 0) << r.err;
            args.push_back(path);
        }
    }
    return args;
}

// Runs the validator over the files `args` names after the script; each must be reported with
// no error and no warning.
void ExpectNoErrorsOrWarnings(const std::string& node, const std::vector<std::string>& args,
                              const test::TemporaryDirectory& dir) {
    const test::CommandResult report = test::RunCommand(node, args, dir.Path());
    EXPECT_EQ(report.status, 0) << report.out << report.err;
    for (std::size_t i = 1; i < args.size(); ++i)
        EXPECT_NE(report.out.find(args[i] + ": 0 errors, 0 warnings, "), std::string::npos)
            << report.out;
}

TEST(GltfValidation, EverySampleCreatureExportsWithoutErrorsOrWarnings) {
    const std::string node = ValidatorNode();
    if (node.empty())
        GTEST_SKIP() << "node is not installed here, so the glTF validator cannot run";

    test::TemporaryDirectory dir;
    const std::vector<std::string> args = ExportSamples(dir, "", {});
    ASSERT_EQ(args.size(), 13u);

    ExpectNoErrorsOrWarnings(node, args, dir);
}

TEST(GltfValidation, EverySampleCreatureRiggedAtRestAndPosedExportsWithoutErrorsOrWarnings) {
    const std::string node = ValidatorNode();
    if (node.empty())
        GTEST_SKIP() << "node is not installed here, so the glTF validator cannot run";

    test::TemporaryDirectory dir;
    const std::string pose =
        dir.Write("bent.bwpose", std::string("Left forearm 60 0 0\nRight thigh -45 10 0\n"
                                             "Neck 0 0 30\nUpper body 0 0 -20\n"));
    std::vector<std::string> args = ExportSamples(dir, "-rest", {"--rig"});
    const std::vector<std::string> posed =
        ExportSamples(dir, "-posed", {"--rig", "--pose", pose, "--up", "z", "--height", "2"});
    args.insert(args.end(), posed.begin() + 1, posed.end());
    ASSERT_EQ(args.size(), 25u);

    ExpectNoErrorsOrWarnings(node, args, dir);
    // The files hold skins: the validator's report would pass a file without one too.
    EXPECT_NE(test::ReadText(args[1]).find("\"skins\""), std::string::npos);
}

TEST(GltfValidation, EverySampleCreatureSubdividedPlainAndRiggedExportsWithoutErrorsOrWarnings) {
    const std::string node = ValidatorNode();
    if (node.empty())
        GTEST_SKIP() << "node is not installed here, so the glTF validator cannot run";

    test::TemporaryDirectory dir;
    std::vector<std::string> args = ExportSamples(dir, "-smooth", {"--subdivide", "1"});
    const std::vector<std::string> rigged =
        ExportSamples(dir, "-smoother-rigged", {"--subdivide", "2", "--rig"});
    args.insert(args.end(), rigged.begin() + 1, rigged.end());
    ASSERT_EQ(args.size(), 25u);

    ExpectNoErrorsOrWarnings(node, args, dir);
    EXPECT_NE(test::ReadText(args.back()).find("\"skins\""), std::string::npos);
}

}  // namespace
}  // namespace bw
