// The zeroing of a glTF buffer's bytes that no buffer view covers, on files built here byte by
// byte: gaps at either end and between views, views of other buffers, and files it must refuse.
#include "export/writers/gltf_buffer_gaps.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace bw {
namespace {

void AppendUint32(std::string& bytes, std::uint32_t value) {
    char raw[4];
    std::memcpy(raw, &value, 4);
    bytes.append(raw, 4);
}

// A glb file of `json` (padded with blanks) and `buffer`.
std::string Glb(std::string json, const std::string& buffer) {
    while (json.size() % 4 != 0) json += ' ';
    std::string glb = "glTF";
    AppendUint32(glb, 2);
    AppendUint32(glb, std::uint32_t(12 + 8 + json.size() + 8 + buffer.size()));
    AppendUint32(glb, std::uint32_t(json.size()));
    glb += "JSON" + json;
    AppendUint32(glb, std::uint32_t(buffer.size()));
    glb += std::string("BIN\0", 4) + buffer;
    return glb;
}

const char* const kViews =
    R"({"bufferViews":[{"buffer":0,"byteOffset":2,"byteLength":3},)"
    R"({"buffer":0,"byteOffset":7,"byteLength":2},{"buffer":1,"byteLength":12}]})";

TEST(GltfBufferGaps, ZeroesEveryByteNoViewOfTheBufferCoversAndKeepsTheOthers) {
    const std::string full(12, '\xff');
    // Covered: 2 to 4 and 7 to 8; the view of buffer 1 covers nothing here.
    const std::string expected("\0\0\xff\xff\xff\0\0\xff\xff\0\0\0", 12);

    std::string buffer = full;
    ASSERT_TRUE(ClearGltfBufferGaps(kViews, buffer, nullptr));
    EXPECT_EQ(buffer, expected);

    std::string glb = Glb(kViews, full);
    ASSERT_TRUE(ClearGlbBufferGaps(glb, nullptr));
    EXPECT_EQ(glb, Glb(kViews, expected));

    // No views: the whole buffer is a gap.
    buffer = full;
    ASSERT_TRUE(ClearGltfBufferGaps("{}", buffer, nullptr));
    EXPECT_EQ(buffer, std::string(12, '\0'));
}

TEST(GltfBufferGaps, RefusesWhatIsNoGlbFileLeavingItAsItWas) {
    const std::string good = Glb(kViews, std::string(12, '\xff'));
    std::string truncated = good.substr(0, good.size() - 4);
    std::string noBinary = good.substr(0, 20 + 132);
    std::string notGlb = "glTF";
    std::string badJson = Glb("{\"bufferViews\":", std::string(4, '\xff'));
    for (std::string* bytes : {&truncated, &noBinary, &notGlb, &badJson}) {
        const std::string before = *bytes;
        std::string reason;
        EXPECT_FALSE(ClearGlbBufferGaps(*bytes, &reason));
        EXPECT_FALSE(reason.empty());
        EXPECT_EQ(*bytes, before);
    }
}

}  // namespace
}  // namespace bw
