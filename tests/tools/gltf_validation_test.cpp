// The glTF exports of every sample creature, checked by the Khronos glTF validator: no error
// and no warning. The validator is a test tool from the npm registry, installed beside this
// file by scripts/install-deps; it needs node, and the test is skipped only where there is none.
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

TEST(GltfValidation, EverySampleCreatureExportsWithoutErrorsOrWarnings) {
    const std::string node = FindOnPath("node");
    if (node.empty())
        GTEST_SKIP() << "node is not installed here, so the glTF validator cannot run";
    ASSERT_TRUE(fs::exists(kValidator / "node_modules" / "gltf-validator" / "package.json"))
        << "the glTF validator is not installed: run scripts/install-deps";

    test::TemporaryDirectory dir;
    std::vector<std::string> args{(kValidator / "validate.js").string()};
    for (const auto& entry : fs::directory_iterator(kShare / "Projects")) {
        for (const char* extension : {".glb", ".gltf"}) {
            const std::string path = dir.Path() + "/" + entry.path().stem().string() + extension;
            const test::CommandResult r = test::RunCommand(
                BWTOOL_PATH,
                {"assemble", "--objects", (kShare / "Objects" / "Library").string(),
                 entry.path().string(), "--export", path},
                dir.Path());
            ASSERT_EQ(r.status, 0) << r.err;
            args.push_back(path);
        }
    }
    ASSERT_EQ(args.size(), 13u);

    const test::CommandResult report = test::RunCommand(node, args, dir.Path());
    EXPECT_EQ(report.status, 0) << report.out << report.err;
    for (std::size_t i = 1; i < args.size(); ++i)
        EXPECT_NE(report.out.find(args[i] + ": 0 errors, 0 warnings, "), std::string::npos)
            << report.out;
}

}  // namespace
}  // namespace bw
