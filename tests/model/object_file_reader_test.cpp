// Reading object files: the chunk rules, surfaces, chunks at odd offsets, and refusals of
// malformed or hostile files that leave the part as it was.
#include "model/object_file_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "model/object_file_writer.h"
#include "model/part_object.h"
#include "support/object_file_builder.h"

namespace bw {
namespace {

using test::ChunkBuilder;
using test::CubeContents;
using test::Encode;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using Bytes = std::vector<std::uint8_t>;

std::string PointBytes(const std::vector<Vec3f>& points) {
    std::vector<float> values;
    for (const Vec3f& p : points) values.insert(values.end(), {p.x, p.y, p.z});
    return ChunkBuilder::Floats(values);
}

std::string QuadBytes(const std::vector<Quad>& quads) {
    std::string s;
    for (const Quad& q : quads) {
        for (std::uint16_t corner : q.corner) s += ChunkBuilder::Le16(corner);
        s += ChunkBuilder::Le16(q.surface);
    }
    return s;
}

std::string IndexBytes(const std::vector<std::uint16_t>& indices) {
    std::string s;
    for (std::uint16_t i : indices) s += ChunkBuilder::Le16(i);
    return s;
}

// 'SURF' content: the name sub-chunk with the given field length, then the data block.
std::string SurfaceBytes(const std::string& nameField, const std::string& block = "") {
    return ChunkBuilder::Le32(FourCharacterCode("NAME")) +
           ChunkBuilder::Le32(std::uint32_t(nameField.size())) + nameField + block;
}

std::string BlockBytes(const std::vector<std::uint8_t>& block) {
    return {block.begin(), block.end()};
}

// Header for the unit cube's eight points, followed by its 'PNTS' chunk.
ChunkBuilder CubeStart(std::uint32_t polygons = 0, std::uint32_t surfaces = 0) {
    ChunkBuilder b;
    b.Header(8, polygons, surfaces).Chunk("PNTS", PointBytes(CubeContents().points));
    return b;
}

// File offset of the first chunk with `tag` (as read, "PNTS"), walking chunk heads as the
// reader does.
std::size_t ChunkOffset(const Bytes& bytes, const std::string& tag) {
    std::size_t offset = 0;
    while (offset + 8 <= bytes.size()) {
        const std::uint32_t found = ReadLe32(&bytes[offset]);
        if (TagText(found) == tag) return offset;
        offset += 8 + (found == kTagSurfaces ? 0 : ReadLe32(&bytes[offset + 4]));
    }
    ADD_FAILURE() << "no chunk " << tag;
    return 0;
}

void PutLe32(Bytes& bytes, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[offset + std::size_t(i)] = std::uint8_t(value >> (8 * i));
}

Bytes Spliced(Bytes bytes, std::size_t offset, const std::vector<std::uint8_t>& extra) {
    bytes.insert(bytes.begin() + std::ptrdiff_t(offset), extra.begin(), extra.end());
    return bytes;
}

Bytes UnknownChunk(std::uint32_t length) {
    const Bytes head = ChunkBuilder().Chunk("XTRA", std::string(length, '\x5a')).Bytes();
    return head;
}

void ExpectSameMesh(const PartObject& part, const ObjectFileContents& expected) {
    EXPECT_THAT(part.TransformedPoints(), ElementsAreArray(expected.points));
    EXPECT_THAT(part.BasePoints(), ElementsAreArray(expected.points));
    if (!expected.normals.empty()) {
        EXPECT_THAT(part.Normals(), ElementsAreArray(expected.normals));
    }
    EXPECT_THAT(part.Polygons(), ElementsAreArray(expected.polygons));
    for (int k = 0; k < kMaxConnectionSets; ++k)
        EXPECT_THAT(part.ConnectionSet(k),
                    ElementsAreArray(expected.connectionSets[std::size_t(k)]))
            << "set " << k + 1;
}

// Loads the cube, then offers `bytes`: the load must fail with a reason containing `why`, and
// the part must still hold the cube.
void ExpectRefused(const Bytes& bytes, const std::string& why) {
    const ObjectFileContents cube = CubeContents();
    PartObject part;
    ASSERT_TRUE(part.LoadObjectImage(Encode(cube)));
    part.SetName("cube.bwo");
    std::string reason;
    EXPECT_FALSE(part.LoadObjectImage(bytes, &reason));
    EXPECT_THAT(reason, HasSubstr(why));
    EXPECT_EQ(part.Name(), "cube.bwo");
    EXPECT_EQ(part.PointCount(), 8u);
    EXPECT_EQ(part.FileImage(), Encode(cube));
    EXPECT_TRUE(part.CheckPoints());
    ExpectSameMesh(part, cube);
    EXPECT_EQ(part.Surfaces()[0].name, "Skin");
}

// ---------------------------------------------------------------------------------------------
// A well-formed file

TEST(ObjectFileReaderLoading, CubeWrittenByTheWriterLoadsBackIdentically) {
    const ObjectFileContents cube = CubeContents({10, 20, 30}, 16);
    test::TemporaryDirectory dir;
    const std::string path = dir.Path() + "/Male-Slim.bwo";
    std::string reason;
    ASSERT_TRUE(WriteObjectFile(path, cube, &reason)) << reason;

    PartObject part;
    ASSERT_TRUE(part.LoadObjectFile(path, &reason)) << reason;
    EXPECT_EQ(part.Name(), path);
    EXPECT_TRUE(part.CheckPoints());
    EXPECT_TRUE(part.HasFileNormals());
    EXPECT_EQ(part.PointCount(), 8u);
    EXPECT_EQ(part.PolygonCount(), 6u);
    EXPECT_EQ(part.SurfaceCount(), 1u);
    EXPECT_EQ(part.FileBodyPart(), 16u);
    ExpectSameMesh(part, cube);

    ASSERT_EQ(part.Surfaces().size(), 11u);
    const SurfaceMaterial& skin = part.Surfaces()[0];
    EXPECT_EQ(skin.name, "Skin");
    EXPECT_THAT(skin.colour, ElementsAre(1.0f, 128 / 255.0f, 0.0f));
    EXPECT_THAT(skin.dataBlock, ElementsAreArray(ColourDataBlock(255, 128, 0)));
    for (std::size_t i = 1; i < part.Surfaces().size(); ++i) {
        EXPECT_TRUE(part.Surfaces()[i].name.empty());
        EXPECT_THAT(part.Surfaces()[i].colour, ElementsAre(0.0f, 0.0f, 0.0f));
        EXPECT_TRUE(part.Surfaces()[i].dataBlock.empty());
    }
    // The view arrays are sized for drawing, once.
    EXPECT_TRUE(part.viewPoints.empty());
    part.EnsureViewArrays();
    EXPECT_EQ(part.viewPoints.size(), 8u);
    EXPECT_EQ(part.viewNormals.size(), 8u);
    EXPECT_EQ(part.GetTypeCode(), TypeCode{-1});
}

TEST(ObjectFileReaderLoading, HeaderOnlyFileLoadsWithoutPoints) {
    test::TemporaryDirectory dir;
    const std::string path = dir.Write("header.bwo", ChunkBuilder().Header(8, 6, 3, 5).Bytes());
    PartObject part;
    std::string reason;
    ASSERT_TRUE(part.LoadObjectFile(path, &reason)) << reason;
    EXPECT_FALSE(part.CheckPoints());
    EXPECT_EQ(part.PointCount(), 8u);
    EXPECT_EQ(part.PolygonCount(), 6u);
    EXPECT_EQ(part.FileBodyPart(), 5u);
    EXPECT_TRUE(part.TransformedPoints().empty());
    EXPECT_TRUE(part.BasePoints().empty());
    EXPECT_TRUE(part.Normals().empty());
    EXPECT_TRUE(part.Polygons().empty());
    EXPECT_EQ(part.Surfaces().size(), 13u);
    EXPECT_FALSE(part.Translate(1, 1, 1));
}

TEST(ObjectFileReaderLoading, FileWithoutNormalsGetsUnitNormalsFromItsPolygons) {
    ObjectFileContents cube = CubeContents();
    cube.normals.clear();
    PartObject part;
    std::string reason;
    ASSERT_TRUE(part.LoadObjectImage(Encode(cube), &reason)) << reason;
    EXPECT_FALSE(part.HasFileNormals());
    ASSERT_EQ(part.Normals().size(), 8u);
    for (const Vec3f& n : part.Normals())
        EXPECT_NEAR(std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z), 1.0f, 1e-5f);
    // Corners point away from the cube's centre (0.5, 0.5, 0.5).
    const float s = 1.0f / std::sqrt(3.0f);
    const Vec3f top = part.Normals()[7];  // corner (1, 1, 1)
    EXPECT_NEAR(top.x, s, 1e-5f);
    EXPECT_NEAR(top.y, s, 1e-5f);
    EXPECT_NEAR(top.z, s, 1e-5f);
    const Vec3f origin = part.Normals()[0];  // corner (0, 0, 0)
    EXPECT_NEAR(origin.x, -s, 1e-5f);
    EXPECT_NEAR(origin.y, -s, 1e-5f);
    EXPECT_NEAR(origin.z, -s, 1e-5f);
    const Vec3f side = part.Normals()[1];  // corner (1, 0, 0)
    EXPECT_GT(side.x, 0.0f);
    EXPECT_LT(side.y, 0.0f);
    EXPECT_LT(side.z, 0.0f);
}

TEST(ObjectFileReaderLoading, FileWithoutPolygonChunkHasNoPolygons) {
    const ObjectFileContents cube = CubeContents();
    PartObject part;
    std::string reason;
    ASSERT_TRUE(part.LoadObjectImage(
        CubeStart(6, 1).Chunk("NRMS", PointBytes(cube.normals)).Bytes(), &reason))
        << reason;
    EXPECT_TRUE(part.CheckPoints());
    EXPECT_TRUE(part.Polygons().empty());
    EXPECT_THAT(part.Normals(), ElementsAreArray(cube.normals));
}

TEST(ObjectFileReaderLoading, MissingOrUnreadablePathFailsWithAReason) {
    test::TemporaryDirectory dir;
    PartObject part;
    part.SetName("before");
    std::string reason;
    EXPECT_FALSE(part.LoadObjectFile(dir.Path() + "/absent.bwo", &reason));
    EXPECT_FALSE(reason.empty());
    reason.clear();
    EXPECT_FALSE(part.LoadObjectFile(dir.Path(), &reason));  // a directory
    EXPECT_FALSE(reason.empty());
    // A malformed file read from disk is refused too, and does not rename the part.
    reason.clear();
    const std::string bad = dir.Write("bad.bwo", std::string("BOWB\x10\0\0\0", 8));
    EXPECT_FALSE(part.LoadObjectFile(bad, &reason));
    EXPECT_FALSE(reason.empty());
    EXPECT_EQ(part.Name(), "before");
    EXPECT_FALSE(part.CheckPoints());
}

// ---------------------------------------------------------------------------------------------
// Chunk rules

TEST(ObjectFileReaderChunks, ConnectionSetCountIsTheLowSixteenBitsOfTheLengthHalved) {
    PartObject part;
    std::string reason;
    ASSERT_TRUE(part.LoadObjectImage(
        CubeStart().Chunk("P003", IndexBytes({7, 6, 5, 4, 3, 2}) + "\x01").Bytes(), &reason))
        << reason;
    EXPECT_THAT(part.ConnectionSet(2), ElementsAre(7, 6, 5, 4, 3, 2));

    // 65540 bytes: the count wraps to 2.
    ASSERT_TRUE(part.LoadObjectImage(
        CubeStart().Chunk("P001", IndexBytes({3, 1}) + std::string(65536, '\0')).Bytes(), &reason))
        << reason;
    EXPECT_THAT(part.ConnectionSet(0), ElementsAre(3, 1));
}

TEST(ObjectFileReaderChunks, LaterChunkOfTheSameSetWins) {
    PartObject part;
    ASSERT_TRUE(part.LoadObjectImage(CubeStart()
                                         .Chunk("P002", IndexBytes({0, 1, 2}))
                                         .Chunk("P002", IndexBytes({5, 4}))
                                         .Bytes()));
    EXPECT_THAT(part.ConnectionSet(1), ElementsAre(5, 4));
    // The earlier chunk is not used, so its indices do not matter.
    std::string reason;
    ASSERT_TRUE(part.LoadObjectImage(
        CubeStart().Chunk("P002", IndexBytes({900})).Chunk("P002", IndexBytes({1})).Bytes(),
        &reason))
        << reason;
    EXPECT_THAT(part.ConnectionSet(1), ElementsAre(1));
}

TEST(ObjectFileReaderChunks, UnknownChunksAreSkipped) {
    const ObjectFileContents cube = CubeContents();
    const Bytes plain = Encode(cube);
    PartObject part;
    std::string reason;
    ASSERT_TRUE(
        part.LoadObjectImage(Spliced(plain, ChunkOffset(plain, "SRFS"), UnknownChunk(12)), &reason))
        << reason;
    ExpectSameMesh(part, cube);
    EXPECT_EQ(part.Surfaces()[0].name, "Skin");
}

TEST(ObjectFileReaderChunks, SurfaceOpeningLengthIsIgnored) {
    const ObjectFileContents cube = CubeContents();
    for (std::uint32_t length : {0u, 1u, 0xFFFFFFFFu}) {
        Bytes bytes = Encode(cube);
        PutLe32(bytes, ChunkOffset(bytes, "SUFS") + 4, length);
        PartObject part;
        std::string reason;
        ASSERT_TRUE(part.LoadObjectImage(bytes, &reason)) << length << ": " << reason;
        EXPECT_EQ(part.Surfaces()[0].name, "Skin") << length;
        EXPECT_THAT(part.ConnectionSet(1), ElementsAreArray(cube.connectionSets[1]));
    }
}

// Chunks at odd offsets (after an odd-length chunk) load with the same values. Run under UBSan
// this also checks that no misaligned typed access happens.
struct Misplacement {
    const char* before;
    std::uint32_t extraLength;
};

class ObjectFileReaderMisaligned : public ::testing::TestWithParam<Misplacement> {};

TEST_P(ObjectFileReaderMisaligned, LoadsWithTheSameValues) {
    ObjectFileContents cube = CubeContents();
    cube.connectionSets[6] = {1, 3, 5};
    const Bytes plain = Encode(cube);
    const Bytes bytes =
        Spliced(plain, ChunkOffset(plain, GetParam().before), UnknownChunk(GetParam().extraLength));
    PartObject part;
    std::string reason;
    ASSERT_TRUE(part.LoadObjectImage(bytes, &reason)) << reason;
    ExpectSameMesh(part, cube);
    EXPECT_THAT(part.Surfaces()[0].colour, ElementsAre(1.0f, 128 / 255.0f, 0.0f));
    ASSERT_TRUE(part.Translate(1, 0, 0));
    EXPECT_EQ(part.TransformedPoints()[0].x, 1.0f);
    EXPECT_EQ(part.BasePoints()[7].x, 2.0f);
}

INSTANTIATE_TEST_SUITE_P(OddOffsets, ObjectFileReaderMisaligned,
                         ::testing::Values(Misplacement{"PNTS", 1}, Misplacement{"PNTS", 2},
                                           Misplacement{"PNTS", 3}, Misplacement{"SRFS", 1},
                                           Misplacement{"SURF", 1}, Misplacement{"P001", 1},
                                           Misplacement{"P001", 3}));

TEST(ObjectFileReaderMisalignedEmpty, EmptyChunksAtOddOffsetsLoadEmpty) {
    PartObject part;
    std::string reason;
    ASSERT_TRUE(part.LoadObjectImage(ChunkBuilder()
                                         .Header(0, 0, 0)
                                         .Chunk("XTRA", "x")
                                         .Chunk("PNTS", "")
                                         .Chunk("NRMS", "")
                                         .Chunk("SRFS", "")
                                         .Chunk("P001", "")
                                         .Bytes(),
                                     &reason))
        << reason;
    EXPECT_TRUE(part.CheckPoints());
    EXPECT_TRUE(part.TransformedPoints().empty());
    EXPECT_TRUE(part.Normals().empty());
    EXPECT_TRUE(part.Polygons().empty());
    EXPECT_TRUE(part.ConnectionSet(0).empty());
    EXPECT_FALSE(part.Translate(1, 1, 1));
}

// ---------------------------------------------------------------------------------------------
// Surfaces

TEST(ObjectFileReaderSurfaces, NameOnlySurfaceIsGrey) {
    PartObject part;
    std::string reason;
    ASSERT_TRUE(part.LoadObjectImage(CubeStart(0, 1)
                                         .Chunk("SUFS", "")
                                         .Chunk("SURF", SurfaceBytes(std::string("Odd\0", 4)))
                                         .Bytes(),
                                     &reason))
        << reason;
    EXPECT_EQ(part.Surfaces()[0].name, "Odd");
    EXPECT_THAT(part.Surfaces()[0].colour, ElementsAre(0.5f, 0.5f, 0.5f));
    EXPECT_TRUE(part.Surfaces()[0].dataBlock.empty());
}

TEST(ObjectFileReaderSurfaces, ColourComesFromTheColourSubChunk) {
    const std::string colour = BlockBytes(ColourDataBlock(255, 128, 0));
    const std::string flag = std::string("FLAG\0\x02\x01\x02", 8);
    const std::string longFlag = std::string("FLAG\x01\x00", 6) + std::string(256, '\x07');
    struct Case {
        std::string block;
        std::array<float, 3> expected;
    };
    const Case cases[] = {
        {colour, {1.0f, 128 / 255.0f, 0.0f}},
        {flag + colour, {1.0f, 128 / 255.0f, 0.0f}},                  // stepped over by its length
        {longFlag + colour, {1.0f, 128 / 255.0f, 0.0f}},              // big-endian length 256
        {std::string("FLAG\0\x40", 6) + colour, {0.5f, 0.5f, 0.5f}},  // steps past the block
        {std::string("COLR\0\x04\x10", 7), {0.5f, 0.5f, 0.5f}},       // colour cut short
        {std::string("OTHR\0\x00", 6), {0.5f, 0.5f, 0.5f}},
        {"X", {0.5f, 0.5f, 0.5f}},
    };
    for (const Case& c : cases) {
        PartObject part;
        std::string reason;
        ASSERT_TRUE(part.LoadObjectImage(
            CubeStart(0, 1).Chunk("SURF", SurfaceBytes("Skin", c.block)).Bytes(), &reason))
            << reason;
        EXPECT_EQ(part.Surfaces()[0].colour, c.expected) << c.block.size();
        EXPECT_EQ(part.Surfaces()[0].dataBlock.size(), c.block.size());
    }
}

TEST(ObjectFileReaderSurfaces, EachSurfaceChunkFillsTheNextEntry) {
    PartObject part;
    std::string reason;
    ASSERT_TRUE(part.LoadObjectImage(
        CubeStart(0, 3)
            .Chunk("SUFS", "")
            .Chunk("SURF", "no name sub-chunk here")
            .Chunk("SURF", SurfaceBytes("Horn", BlockBytes(ColourDataBlock(0, 0, 255))))
            .Chunk("SURF", "")
            .Chunk("SURF", SurfaceBytes(std::string(255, 'n')))
            .Bytes(),
        &reason))
        << reason;
    ASSERT_EQ(part.Surfaces().size(), 13u);
    EXPECT_TRUE(part.Surfaces()[0].name.empty());
    EXPECT_THAT(part.Surfaces()[0].colour, ElementsAre(0.0f, 0.0f, 0.0f));
    EXPECT_EQ(part.Surfaces()[1].name, "Horn");
    EXPECT_THAT(part.Surfaces()[1].colour, ElementsAre(0.0f, 0.0f, 1.0f));
    EXPECT_TRUE(part.Surfaces()[2].name.empty());
    EXPECT_EQ(part.Surfaces()[3].name, std::string(255, 'n'));
}

TEST(ObjectFileReaderSurfaces, TheTableHoldsTenSurfacesBeyondTheHeaderCount) {
    ChunkBuilder full = CubeStart(1, 0);
    full.Chunk("SRFS", QuadBytes({Quad{{0, 1, 2, 3}, 9}}));
    for (int i = 0; i < 10; ++i) full.Chunk("SURF", SurfaceBytes("S" + std::to_string(i)));
    PartObject part;
    std::string reason;
    ASSERT_TRUE(part.LoadObjectImage(full.Bytes(), &reason)) << reason;
    EXPECT_EQ(part.Surfaces()[9].name, "S9");

    full.Chunk("SURF", SurfaceBytes("S10"));
    ExpectRefused(full.Bytes(), "SURF");
}

// ---------------------------------------------------------------------------------------------
// Malformed files are refused with a reason and leave the part as it was.

TEST(ObjectFileReaderRefusals, WrongFirstTagInAnyByte) {
    for (std::size_t i = 0; i < 4; ++i) {
        Bytes bytes = Encode(CubeContents());
        bytes[i] ^= 0x20;
        SCOPED_TRACE(i);
        ExpectRefused(bytes, "BWOB");
    }
    ExpectRefused({}, "BWOB");
    ExpectRefused({'B', 'O', 'W'}, "BWOB");
    // A file that starts with another chunk is refused even when a header follows.
    ExpectRefused(ChunkBuilder().Chunk("XTRA", "").Header(8, 0, 0).Bytes(), "BWOB");
}

TEST(ObjectFileReaderRefusals, ChunkRunningPastTheEnd) {
    Bytes longPoints = Encode(CubeContents());
    PutLe32(longPoints, ChunkOffset(longPoints, "PNTS") + 4, 97);
    ExpectRefused(longPoints, "past the end");

    Bytes cut = Encode(CubeContents());
    cut.pop_back();
    ExpectRefused(cut, "past the end");

    Bytes huge = Encode(CubeContents());
    PutLe32(huge, ChunkOffset(huge, "SRFS") + 4, 0xFFFFFFFFu);
    ExpectRefused(huge, "past the end");

    ExpectRefused(ChunkBuilder().Chunk("BWOB", 16, "12345678").Bytes(), "past the end");
}

TEST(ObjectFileReaderRefusals, TruncatedChunkHead) {
    for (std::size_t extra : {1u, 4u, 7u}) {
        Bytes bytes = Encode(CubeContents());
        bytes.insert(bytes.end(), extra, 'P');
        SCOPED_TRACE(extra);
        ExpectRefused(bytes, "truncated");
    }
    ExpectRefused({'B', 'O', 'W', 'B', 16, 0}, "truncated");
}

TEST(ObjectFileReaderRefusals, BadHeaders) {
    ExpectRefused(ChunkBuilder().Chunk("BWOB", std::string(12, '\0')).Bytes(), "header");
    ExpectRefused(ChunkBuilder().Header(8, 0, 0).Header(8, 0, 0).Bytes(), "header");
    ExpectRefused(CubeStart().Header(8, 0, 0).Bytes(), "header");
    // A surface count no polygon could address.
    ExpectRefused(ChunkBuilder().Header(8, 0, 0xFFFFFFFFu).Bytes(), "surface count");
    ExpectRefused(ChunkBuilder().Header(8, 0, 0x10001).Bytes(), "surface count");
}

TEST(ObjectFileReaderRefusals, ContentShorterThanTheHeaderCounts) {
    const std::string points = PointBytes(CubeContents().points);
    ExpectRefused(ChunkBuilder().Header(8, 0, 0).Chunk("PNTS", points.substr(0, 95)).Bytes(),
                  "PNTS");
    ExpectRefused(ChunkBuilder().Header(9, 0, 0).Chunk("PNTS", points).Bytes(), "PNTS");
    ExpectRefused(CubeStart().Chunk("NRMS", points.substr(0, 84)).Bytes(), "NRMS");
    ExpectRefused(
        CubeStart(2, 1).Chunk("SRFS", QuadBytes({Quad{{0, 1, 2, 3}, 0}}) + "123456789").Bytes(),
        "SRFS");
    // A count of 0xFFFFFFFF points must not wrap the size check.
    ExpectRefused(ChunkBuilder().Header(0xFFFFFFFFu, 0, 0).Chunk("PNTS", points).Bytes(), "PNTS");
}

TEST(ObjectFileReaderRefusals, BadSurfaceNames) {
    ExpectRefused(CubeStart(0, 1).Chunk("SURF", SurfaceBytes(std::string(256, 'n'))).Bytes(),
                  "255");
    // The name field claims more bytes than its chunk holds.
    const std::string claimsTen =
        ChunkBuilder::Le32(FourCharacterCode("NAME")) + ChunkBuilder::Le32(10) + "Skin";
    ExpectRefused(CubeStart(0, 1).Chunk("SURF", claimsTen).Bytes(), "name");
    const std::string claimsHuge =
        ChunkBuilder::Le32(FourCharacterCode("NAME")) + ChunkBuilder::Le32(0xFFFFFFF8u) + "Skin";
    ExpectRefused(CubeStart(0, 1).Chunk("SURF", claimsHuge).Bytes(), "name");
}

TEST(ObjectFileReaderRefusals, IndicesOutOfRange) {
    ExpectRefused(CubeStart(1, 1).Chunk("SRFS", QuadBytes({Quad{{0, 1, 8, 3}, 0}})).Bytes(),
                  "polygon");
    ExpectRefused(CubeStart(1, 1).Chunk("SRFS", QuadBytes({Quad{{0, 1, 2, 3}, 11}})).Bytes(),
                  "surface");
    ExpectRefused(CubeStart(1, 1).Chunk("SRFS", QuadBytes({Quad{{0, 1, 2, 3}, 0xFFFF}})).Bytes(),
                  "surface");
    ExpectRefused(CubeStart().Chunk("P004", IndexBytes({0, 7, 8})).Bytes(), "connection set 4");
    ExpectRefused(CubeStart().Chunk("P008", IndexBytes({0xFFFF})).Bytes(), "connection set 8");
    ExpectRefused(CubeStart().Chunk("P001", IndexBytes({1})).Chunk("P001", IndexBytes({9})).Bytes(),
                  "connection set 1");

    // The last spare surface entry is still inside the table.
    PartObject part;
    std::string reason;
    EXPECT_TRUE(part.LoadObjectImage(
        CubeStart(1, 1).Chunk("SRFS", QuadBytes({Quad{{0, 1, 2, 7}, 10}})).Bytes(), &reason))
        << reason;
}

TEST(ObjectFileReaderLoading, PolygonsAndSetsWithoutPointsAreLeftOut) {
    // The file loads (the point check then fails), but nothing may refer to points it lacks.
    PartObject part;
    std::string reason;
    ASSERT_TRUE(part.LoadObjectImage(ChunkBuilder()
                                         .Header(8, 1, 0)
                                         .Chunk("SRFS", QuadBytes({Quad{{0, 1, 2, 3}, 0}}))
                                         .Chunk("P001", IndexBytes({0, 7}))
                                         .Bytes(),
                                     &reason))
        << reason;
    EXPECT_FALSE(part.CheckPoints());
    EXPECT_TRUE(part.Polygons().empty());
    EXPECT_TRUE(part.ConnectionSet(0).empty());
}

TEST(ObjectFileReaderLoading, NamedPipeIsRefusedWithoutWaiting) {
    test::TemporaryDirectory dir;
    const std::string path = dir.Path() + "/pipe.bwo";
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    PartObject part;
    std::string reason;
    EXPECT_FALSE(part.LoadObjectFile(path, &reason));
    EXPECT_EQ(reason, "not a regular file");
}

// ---------------------------------------------------------------------------------------------
// Hostile files: a file that cannot be an object file is refused after its first bytes.

TEST(ObjectFileReaderHostileInput, HugeFileThatIsNoObjectFileIsRefusedAfterItsHead) {
    test::TemporaryDirectory dir;
    struct Case {
        std::string start;
        std::string why;
    };
    const Case cases[] = {
        {"", "not an object file"},  // zeros all through
        {"GIF89a", "not an object file"},
        {ChunkBuilder::Le32(kTagHeader) + ChunkBuilder::Le32(8), "header shorter than 16 bytes"},
        {ChunkBuilder::Le32(kTagHeader) + ChunkBuilder::Le32(16) + ChunkBuilder::Le32(8) +
             ChunkBuilder::Le32(0) + ChunkBuilder::Le32(0x10001) + ChunkBuilder::Le32(0),
         "surface count"},
    };
    for (const Case& c : cases) {
        const std::string path = dir.Write("huge.bwo", c.start);
        // A sparse file of 1 TiB: reading it, or taking memory for it, would not go unnoticed.
        ASSERT_EQ(truncate(path.c_str(), off_t(1) << 40), 0);
        PartObject part;
        std::string reason;
        EXPECT_FALSE(part.LoadObjectFile(path, &reason));
        EXPECT_THAT(reason, HasSubstr(c.why)) << c.why;
        EXPECT_FALSE(part.CheckPoints());
    }
}

TEST(ObjectFileReaderHostileInput, HeadIsJudgedAlikeOnDiskAndInMemory) {
    test::TemporaryDirectory dir;
    const std::vector<Bytes> heads = {
        {},
        {'B', 'O', 'W'},
        {'B', 'O', 'W', 'B', 16, 0},
        ChunkBuilder().Chunk("BWOB", 16, "12345678").Bytes(),
        ChunkBuilder().Chunk("BWOB", std::string(12, '\0')).Bytes(),
        ChunkBuilder().Header(8, 0, 0xFFFFFFFFu).Bytes(),
        ChunkBuilder().Chunk("XTRA", "").Header(8, 0, 0).Bytes(),
    };
    for (const Bytes& head : heads) {
        const std::string path = dir.Write("head.bwo", head);
        PartObject fromDisk;
        PartObject fromMemory;
        std::string diskReason;
        std::string memoryReason;
        EXPECT_FALSE(fromDisk.LoadObjectFile(path, &diskReason));
        EXPECT_FALSE(fromMemory.LoadObjectImage(head, &memoryReason));
        EXPECT_EQ(diskReason, memoryReason);
        EXPECT_FALSE(diskReason.empty());
    }
    // A good head is followed by the whole file, and its later faults are found as before.
    Bytes cut = Encode(CubeContents());
    cut.pop_back();
    const std::string path = dir.Write("cut.bwo", cut);
    PartObject part;
    std::string reason;
    EXPECT_FALSE(part.LoadObjectFile(path, &reason));
    EXPECT_THAT(reason, HasSubstr("past the end"));
}

}  // namespace
}  // namespace bw
