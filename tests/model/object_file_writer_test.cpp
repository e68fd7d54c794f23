#include "model/object_file_writer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "model/file_io.h"
#include "model/part_object.h"
#include "support/object_file_builder.h"

namespace bw {
namespace {

using test::ReadText;

using test::CubeContents;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

struct ChunkSpan {
    std::string tag;  // as read ("PNTS")
    std::size_t offset;
    std::uint32_t length;
};

// The chunks of an encoded file in order; 'SUFS' counts only its head, as the reader walks it.
std::vector<ChunkSpan> Chunks(const std::string& bytes) {
    std::vector<ChunkSpan> chunks;
    std::size_t offset = 0;
    while (offset + 8 <= bytes.size()) {
        const auto* p = reinterpret_cast<const std::uint8_t*>(bytes.data()) + offset;
        const std::uint32_t tag = ReadLe32(p);
        const std::uint32_t length = ReadLe32(p + 4);
        chunks.push_back({TagText(tag), offset, length});
        offset += 8 + (tag == kTagSurfaces ? 0 : length);
    }
    EXPECT_EQ(offset, bytes.size()) << "chunks do not end where the file ends";
    return chunks;
}

std::vector<std::string> Tags(const std::string& bytes) {
    std::vector<std::string> tags;
    for (const ChunkSpan& c : Chunks(bytes)) tags.push_back(c.tag);
    return tags;
}

std::uint32_t Le32At(const std::string& bytes, std::size_t offset) {
    return ReadLe32(reinterpret_cast<const std::uint8_t*>(bytes.data()) + offset);
}

std::string EncodeOrFail(const ObjectFileContents& contents) {
    std::string bytes, reason;
    EXPECT_TRUE(EncodeObjectFile(contents, bytes, &reason)) << reason;
    return bytes;
}

TEST(ObjectFileWriterLayout, ChunksComeInTheConverterOrder) {
    ObjectFileContents cube = CubeContents();
    cube.surfaces.push_back({"Horn", {}});
    cube.connectionSets[6] = {0};
    EXPECT_THAT(Tags(EncodeOrFail(cube)), ElementsAre("BWOB", "PNTS", "NRMS", "SRFS", "SUFS",
                                                      "SURF", "SURF", "P001", "P002", "P007"));
    cube.normals.clear();
    cube.connectionSets = {};
    EXPECT_THAT(Tags(EncodeOrFail(cube)),
                ElementsAre("BWOB", "PNTS", "SRFS", "SUFS", "SURF", "SURF"));
}

TEST(ObjectFileWriterLayout, FirstBytesMatchTheFormat) {
    const ObjectFileContents cube = CubeContents({}, 16);
    const std::string bytes = EncodeOrFail(cube);
    ASSERT_GE(bytes.size(), 36u);
    EXPECT_EQ(bytes.substr(0, 4), "BOWB");
    EXPECT_EQ(Le32At(bytes, 4), 16u);
    EXPECT_EQ(Le32At(bytes, 8), 8u);    // points
    EXPECT_EQ(Le32At(bytes, 12), 6u);   // polygons
    EXPECT_EQ(Le32At(bytes, 16), 1u);   // surfaces
    EXPECT_EQ(Le32At(bytes, 20), 16u);  // body part
    EXPECT_EQ(bytes.substr(24, 4), "STNP");
    EXPECT_EQ(Le32At(bytes, 28), 96u);
    float x1;
    std::memcpy(&x1, bytes.data() + 32 + 12, 4);  // point 1 is (1, 0, 0)
    EXPECT_EQ(x1, 1.0f);

    const std::vector<ChunkSpan> chunks = Chunks(bytes);
    EXPECT_EQ(bytes.substr(chunks[2].offset, 4), "SMRN");
    EXPECT_EQ(chunks[2].length, 96u);
    EXPECT_EQ(bytes.substr(chunks[3].offset, 4), "SFRS");
    EXPECT_EQ(chunks[3].length, 60u);
    // Polygon 0 is (0, 2, 3, 1) on surface 0, little-endian 16-bit.
    EXPECT_EQ(bytes.substr(chunks[3].offset + 8, 10), std::string("\0\0\2\0\3\0\1\0\0\0", 10));
    EXPECT_EQ(bytes.substr(chunks[6].offset, 4), "100P");
    EXPECT_EQ(bytes.substr(chunks[6].offset + 4, 12),
              std::string("\x08\0\0\0\2\0\3\0\7\0\6\0", 12));
}

TEST(ObjectFileWriterLayout, OddNamesArePaddedAndTheSurfaceOpeningSumsTheSurfaces) {
    ObjectFileContents contents = CubeContents();
    contents.surfaces = {{"Odd", ColourDataBlock(1, 2, 3)}, {"Even", {}}};
    const std::string bytes = EncodeOrFail(contents);
    const std::vector<ChunkSpan> chunks = Chunks(bytes);
    ASSERT_EQ(chunks[4].tag, "SUFS");
    // (4 + 10 + 8) + (4 + 0 + 8): name field, data block and name sub-chunk head per surface.
    EXPECT_EQ(chunks[4].length, 34u);

    ASSERT_EQ(chunks[5].tag, "SURF");
    EXPECT_EQ(chunks[5].length, 22u);
    EXPECT_EQ(bytes.substr(chunks[5].offset + 8, 12), std::string("EMAN\4\0\0\0Odd\0", 12));
    EXPECT_EQ(bytes.substr(chunks[5].offset + 20, 10), std::string("COLR\0\4\1\2\3\0", 10));
    ASSERT_EQ(chunks[6].tag, "SURF");
    EXPECT_EQ(chunks[6].length, 12u);
    EXPECT_EQ(bytes.substr(chunks[6].offset + 8, 12), std::string("EMAN\4\0\0\0Even", 12));

    PartObject part;
    std::string reason;
    ASSERT_TRUE(part.LoadObjectImage({bytes.begin(), bytes.end()}, &reason)) << reason;
    EXPECT_EQ(part.Surfaces()[0].name, "Odd");
    EXPECT_THAT(part.Surfaces()[0].colour, ElementsAre(1 / 255.0f, 2 / 255.0f, 3 / 255.0f));
    EXPECT_EQ(part.Surfaces()[1].name, "Even");
    EXPECT_THAT(part.Surfaces()[1].colour, ElementsAre(0.5f, 0.5f, 0.5f));
}

TEST(ObjectFileWriterLayout, AppendedSetChunkReplacesTheEarlierSet) {
    std::string bytes = EncodeOrFail(CubeContents());
    AppendConnectionSetChunk(bytes, 1, {4, 5});
    AppendConnectionSetChunk(bytes, 8, {0, 1, 2});
    EXPECT_EQ(Chunks(bytes).back().tag, "P008");
    PartObject part;
    std::string reason;
    ASSERT_TRUE(part.LoadObjectImage({bytes.begin(), bytes.end()}, &reason)) << reason;
    EXPECT_THAT(part.ConnectionSet(0), ElementsAre(4, 5));
    EXPECT_THAT(part.ConnectionSet(7), ElementsAre(0, 1, 2));
}

TEST(ObjectFileWriterRefusals, ContentsTheFormatCannotHold) {
    struct Case {
        const char* what;
        void (*spoil)(ObjectFileContents&);
    };
    const Case cases[] = {
        {"corner", [](ObjectFileContents& c) { c.polygons[2].corner[3] = 8; }},
        {"surface", [](ObjectFileContents& c) { c.polygons[0].surface = 1; }},
        {"set index",
         [](ObjectFileContents& c) {
             c.connectionSets[3] = {0, 8};
         }},
        {"name", [](ObjectFileContents& c) { c.surfaces[0].name = std::string(256, 'n'); }},
        {"set size", [](ObjectFileContents& c) { c.connectionSets[0].assign(32768, 0); }},
        {"normals", [](ObjectFileContents& c) { c.normals.pop_back(); }},
    };
    for (const Case& c : cases) {
        ObjectFileContents contents = CubeContents();
        c.spoil(contents);
        std::string bytes = "untouched", reason;
        EXPECT_FALSE(EncodeObjectFile(contents, bytes, &reason)) << c.what;
        EXPECT_FALSE(reason.empty()) << c.what;
    }
    // The largest values that fit are written.
    ObjectFileContents largest = CubeContents();
    largest.surfaces[0].name = std::string(255, 'n');
    largest.connectionSets[0].assign(32767, 7);
    const std::string bytes = EncodeOrFail(largest);
    PartObject part;
    std::string reason;
    ASSERT_TRUE(part.LoadObjectImage({bytes.begin(), bytes.end()}, &reason)) << reason;
    EXPECT_EQ(part.Surfaces()[0].name.size(), 255u);
    EXPECT_EQ(part.ConnectionSet(0).size(), 32767u);
}

TEST(ObjectFileWriterFiles, WritesTheEncodedBytesAndKeepsTheOldFileOnRefusal) {
    test::TemporaryDirectory dir;
    const std::string path = dir.Path() + "/Fantasy-Claw.bwo";
    std::string reason;
    ASSERT_TRUE(WriteObjectFile(path, CubeContents(), &reason)) << reason;
    const std::string written = ReadText(path);
    EXPECT_EQ(written, EncodeOrFail(CubeContents()));

    ObjectFileContents bad = CubeContents();
    bad.polygons[0].corner[0] = 100;
    EXPECT_FALSE(WriteObjectFile(path, bad, &reason));
    EXPECT_FALSE(reason.empty());
    EXPECT_EQ(ReadText(path), written);

    reason.clear();
    EXPECT_FALSE(WriteObjectFile(dir.Path() + "/missing/dir/x.bwo", CubeContents(), &reason));
    EXPECT_FALSE(reason.empty());
}

}  // namespace
}  // namespace bw
