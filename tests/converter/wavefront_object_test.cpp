// Prepared objects from Wavefront OBJ and MTL: body parts found by material name, normals from
// the file or computed, and the refusals.
#include "converter/wavefront_object.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

#include "converter/converter_model.h"
#include "support/object_file_builder.h"
#include "support/recording_notifier.h"

namespace bw::test {
namespace {

using testing::HasSubstr;

// A material library with every body part ("Left_forearm" style names, mixed case) and one
// extra material; the head is red.
std::string LibraryText() {
    std::string text;
    for (BodyPartId id = 0; id < kBodyPartCount; ++id) {
        std::string name(BodyPartName(id));
        for (char& c : name) c = c == ' ' ? '_' : char(id % 2 ? std::toupper(c) : c);
        text += "newmtl " + name + "\nKd " + (id == 0 ? "1 0 0" : "0.5 0.5 0.5") + "\n";
    }
    return text + "newmtl Scales\nKd 0 1 0\n";
}

// Two quads side by side: the left one head, the right one neck.
std::string TwoQuads(const std::string& normals, const std::string& faceSuffix) {
    return "mtllib parts.mtl\n"
           "v 0 0 0\nv 1 0 0\nv 2 0 0\nv 0 1 0\nv 1 1 0\nv 2 1 0\n" +
           normals + "usemtl Head\nf 1" + faceSuffix + " 2" + faceSuffix + " 5" + faceSuffix +
           " 4" + faceSuffix + "\nusemtl NECK\nf 2 3 6 5\n";
}

TEST(WavefrontObject, MaterialNamesMarkBodyPartsWhateverTheirCase) {
    EXPECT_EQ(BodyPartOfMaterialName("left_FOREARM"), 10);
    EXPECT_EQ(BodyPartOfMaterialName("Upper body"), 8);
    EXPECT_FALSE(BodyPartOfMaterialName("Left  forearm"));
    EXPECT_FALSE(BodyPartOfMaterialName("Head2"));

    PreparedObject object;
    std::string reason;
    ASSERT_TRUE(ParseWavefrontObject(TwoQuads("", ""), LibraryText(), object, &reason)) << reason;
    EXPECT_EQ(object.points.size(), 6u);
    ASSERT_EQ(object.PolygonCount(), 2u);
    EXPECT_EQ(object.polygonMaterial[0], 0);
    EXPECT_EQ(object.polygonMaterial[1], 7);
    ASSERT_EQ(object.materials.size(), 23u);
    EXPECT_EQ(object.materials[10].name, "Left forearm");
    EXPECT_EQ(object.materials[22].name, "Scales");
    EXPECT_EQ(object.materials[0].colour[0], 1.0f);
    EXPECT_EQ(object.materials[0].dataBlock[6], 255);
    for (bool has : object.hasBodyPartMaterial) EXPECT_TRUE(has);
    // No normals in the file: each point gets the quads' normal, +z.
    EXPECT_FLOAT_EQ(object.normals[1].z, 1.0f);
}

TEST(WavefrontObject, NormalsComeFromTheFileWhenEveryCornerNamesOne) {
    PreparedObject object;
    std::string reason;
    const std::string text = TwoQuads("vn 0 0 -1\n", "//1");
    // The neck's face names no normals, so they are computed for every point.
    ASSERT_TRUE(ParseWavefrontObject(text, LibraryText(), object, &reason)) << reason;
    EXPECT_FLOAT_EQ(object.normals[0].z, 1.0f);
    std::string allNormals = text;
    allNormals.replace(allNormals.find("f 2 3 6 5"), 9, "f 2//1 3//1 6//1 5//1");
    ASSERT_TRUE(ParseWavefrontObject(allNormals, LibraryText(), object, &reason)) << reason;
    EXPECT_FLOAT_EQ(object.normals[0].z, -1.0f);
    EXPECT_FLOAT_EQ(object.normals[4].z, -1.0f);
}

TEST(WavefrontObject, TakenObjectsAreRefusedForTheSameFaultsAsOurOwnFormat) {
    TemporaryDirectory directory;
    RecordingNotifier notifier;
    ConverterModel model(notifier);
    NoProgress progress;
    directory.Write("parts.mtl", LibraryText());
    const std::string good = directory.Write("good.obj", TwoQuads("", ""));
    ASSERT_TRUE(model.LoadPreparedObject(good, progress));
    EXPECT_EQ(model.Group(0).polygonCount, 1);
    EXPECT_EQ(model.Group(7).pointCount, 4);

    std::string triangle = TwoQuads("", "");
    triangle += "f 1 2 4\n";
    std::string outside = TwoQuads("", "");
    outside += "f 1 2 3 60\n";
    std::string missing = TwoQuads("", "");
    const std::string noLibrary = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nf 1 2 3 4\n";
    const std::vector<std::pair<std::string, std::string>> refused = {
        {directory.Write("triangle.obj", triangle), "has 3 corners"},
        {directory.Write("outside.obj", outside), "uses point 59, but the object has 6 points"},
        {directory.Write("bare.obj", noLibrary), "it has none for: Head, Left ear,"},
        {directory.Write("lost.obj", "mtllib nowhere.mtl\n" + noLibrary),
         "the material library " + directory.Path() + "/nowhere.mtl cannot be read"},
        {directory.Path() + "/absent.obj", "cannot open"},
    };
    for (const auto& [path, expected] : refused) {
        notifier.messages.clear();
        EXPECT_FALSE(model.LoadPreparedObject(path, progress)) << path;
        ASSERT_EQ(notifier.messages.size(), 1u) << path;
        EXPECT_EQ(notifier.messages[0].caption, "Unable to take object");
        EXPECT_THAT(notifier.messages[0].text, HasSubstr(expected)) << path;
        EXPECT_EQ(model.PointCount(), 6) << path;
    }
}

TEST(WavefrontObject, AFaceWithMoreCornersThanAByteHoldsIsRefused) {
    std::string text = "v 0 0 0\n";
    std::string face = "f";
    for (int i = 0; i < 260; ++i) face += " 1";
    PreparedObject object;
    std::string reason;
    EXPECT_FALSE(ParseWavefrontObject(text + face + "\n", LibraryText(), object, &reason));
    EXPECT_EQ(reason, "a polygon has more than 255 corners");
}

}  // namespace
}  // namespace bw::test
