// Two runs of the generator write byte-identical libraries.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "support/object_file_builder.h"

namespace bw::test {
namespace {

std::map<std::string, std::string> ReadTree(const std::string& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        files[std::filesystem::relative(entry.path(), root).string()] = bytes.str();
    }
    return files;
}

TEST(SampleLibraryGenerator, WritesTheSameBytesOnEveryRun) {
    TemporaryDirectory first, second;
    const std::string generator = BW_SAMPLE_LIBRARY_GENERATOR;
    ASSERT_EQ(std::system(("\"" + generator + "\" \"" + first.Path() + "\"").c_str()), 0);
    ASSERT_EQ(std::system(("\"" + generator + "\" \"" + second.Path() + "\"").c_str()), 0);
    const auto a = ReadTree(first.Path());
    const auto b = ReadTree(second.Path());
    EXPECT_GE(a.size(), 220u);
    ASSERT_EQ(a.size(), b.size());
    for (const auto& [name, bytes] : a) {
        const auto other = b.find(name);
        ASSERT_NE(other, b.end()) << name;
        EXPECT_TRUE(bytes == other->second) << name << " differs between runs";
    }
}

}  // namespace
}  // namespace bw::test
