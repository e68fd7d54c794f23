// A loaded part: its mesh lives inside the file image, its sets are reached by index, and
// moving it moves base and transformed points alike.
#include "model/part_object.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>

#include "support/object_file_builder.h"

namespace bw {
namespace {

using test::ChunkBuilder;
using test::CubeContents;
using test::Encode;
using ::testing::ElementsAreArray;
using Bytes = std::vector<std::uint8_t>;

TEST(PartObject, MeshIsUsedInPlaceInsideTheFileImage) {
    PartObject part;
    ASSERT_TRUE(part.LoadObjectImage(Encode(CubeContents())));
    const std::uint8_t* image = part.FileImage().data();
    const auto inImage = [&](const void* p) {
        return static_cast<const std::uint8_t*>(p) >= image &&
               static_cast<const std::uint8_t*>(p) < image + part.FileImage().size();
    };
    EXPECT_EQ(static_cast<const void*>(part.TransformedPoints().data()), image + 32);
    EXPECT_TRUE(inImage(part.Normals().data()));
    EXPECT_TRUE(inImage(part.Polygons().data()));
    EXPECT_TRUE(inImage(part.ConnectionSet(0).data()));
    EXPECT_TRUE(inImage(part.Surfaces()[0].dataBlock.data()));
    EXPECT_FALSE(inImage(part.BasePoints().data()));

    // Changing a transformed point changes the image, not the base points.
    part.TransformedPoints()[1].x = 42.0f;
    float stored;
    std::memcpy(&stored, image + 32 + 12, 4);
    EXPECT_EQ(stored, 42.0f);
    EXPECT_EQ(part.BasePoints()[1].x, 1.0f);
}

TEST(PartObject, ConnectionSetOutsideOneToEightIsEmpty) {
    PartObject part;
    ASSERT_TRUE(part.LoadObjectImage(Encode(CubeContents())));
    EXPECT_TRUE(part.ConnectionSet(8).empty());
    EXPECT_TRUE(part.ConnectionSet(-1).empty());
    EXPECT_TRUE(part.ConnectionSet(2).empty());  // absent from the file
    EXPECT_EQ(part.ConnectionSet(0).size(), 4u);
}

// ---------------------------------------------------------------------------------------------
// Moving

TEST(PartObjectTranslate, MovesBaseAndTransformedPointsButNotNormals) {
    const ObjectFileContents cube = CubeContents();
    PartObject part;
    ASSERT_TRUE(part.LoadObjectImage(Encode(cube)));
    part.TransformedPoints()[0] = {5, 5, 5};  // as after an adjustment
    ASSERT_TRUE(part.Translate(1.0f, -2.0f, 0.5f));
    EXPECT_EQ(part.TransformedPoints()[0], (Vec3f{6.0f, 3.0f, 5.5f}));
    for (std::size_t i = 1; i < 8; ++i) {
        const Vec3f expected{cube.points[i].x + 1.0f, cube.points[i].y - 2.0f,
                             cube.points[i].z + 0.5f};
        EXPECT_EQ(part.TransformedPoints()[i], expected);
        EXPECT_EQ(part.BasePoints()[i], expected);
    }
    EXPECT_EQ(part.BasePoints()[0], (Vec3f{1.0f, -2.0f, 0.5f}));
    EXPECT_THAT(part.Normals(), ElementsAreArray(cube.normals));
}

TEST(PartObjectTranslate, PartWithoutPointsRefusesAndStaysUnchanged) {
    PartObject empty;
    EXPECT_FALSE(empty.Translate(1, 2, 3));
    PartObject headerOnly;
    ASSERT_TRUE(headerOnly.LoadObjectImage(ChunkBuilder().Header(4, 0, 0).Bytes()));
    const Bytes before = headerOnly.FileImage();
    EXPECT_FALSE(headerOnly.Translate(1, 2, 3));
    EXPECT_EQ(headerOnly.FileImage(), before);
}

}  // namespace
}  // namespace bw
