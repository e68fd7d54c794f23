// Writing a body part and its connection point sets: the exact bytes, the sets-saved mask,
// every message, the object name rule, and files the creature then loads.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "converter/converter_model.h"
#include "converter/converter_objects.h"
#include "model/object_file_format.h"
#include "model/part_object.h"
#include "support/object_file_builder.h"
#include "support/recording_notifier.h"

namespace bw::test {
namespace {

using testing::ElementsAre;

std::uint32_t Le32At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    return ReadLe32(bytes.data() + offset);
}

std::uint16_t Le16At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    return std::uint16_t(bytes[offset] | (bytes[offset + 1] << 8));
}

float FloatAt(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    const std::uint32_t bits = Le32At(bytes, offset);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

class PartSavingTest : public testing::Test {
  protected:
    PartSavingTest() {
        for (BodyPartId id = 0; id < kBodyPartCount; ++id) {
            names[std::size_t(id)] = ConverterDirectoryName(id);
            std::filesystem::create_directory(directory.Path() + "/" +
                                              std::string(ConverterDirectoryName(id)));
        }
        model.SetObjectDirectory(directory.Path());
        model.SetObjectName("Cut");
    }
    void Take(const PreparedObject& object) {
        NoProgress progress;
        std::string problem;
        ASSERT_TRUE(model.TakeObject(object, progress, &problem)) << problem;
    }
    std::string PathOf(BodyPartId id) const {
        return directory.Path() + "/" + std::string(ConverterDirectoryName(id)) + "/Cut.bwo";
    }

    TemporaryDirectory directory;
    RecordingNotifier notifier;
    ConverterModel model{notifier};
    std::array<std::string_view, kBodyPartCount> names;
};

TEST_F(PartSavingTest, PartFileHasTheConvertersChunkLayout) {
    // A head band and a neck band on a four-point tube; material 1's name has odd length.
    PreparedObject object = Tube(4, {0, 7});
    object.materials[1].name = "Ear";
    Take(object);
    model.selectedBodyPart = 7;
    ASSERT_TRUE(model.SavePart());
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0].text, "ObjectPart saved");
    EXPECT_EQ(notifier.messages[0].caption, "Info");

    const std::vector<std::uint8_t> bytes = ReadBytes(PathOf(7));
    const PartGroup& neck = model.Group(7);
    ASSERT_EQ(neck.pointCount, 8);
    ASSERT_EQ(neck.polygonCount, 4);
    // Header: counts of the group, all 22 materials, the body part.
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "BOWB");
    EXPECT_EQ(Le32At(bytes, 4), 16u);
    EXPECT_EQ(Le32At(bytes, 8), 8u);
    EXPECT_EQ(Le32At(bytes, 12), 4u);
    EXPECT_EQ(Le32At(bytes, 16), 22u);
    EXPECT_EQ(Le32At(bytes, 20), 7u);
    // Points: less the group's centre (y from 1 to 2, so 1.5).
    EXPECT_EQ(std::string(bytes.begin() + 24, bytes.begin() + 28), "STNP");
    EXPECT_EQ(Le32At(bytes, 28), 96u);
    EXPECT_FLOAT_EQ(FloatAt(bytes, 32), 1.0f - neck.centreX);
    EXPECT_FLOAT_EQ(FloatAt(bytes, 36), -0.5f);
    const std::size_t normals = 32 + 96;
    EXPECT_EQ(std::string(bytes.begin() + long(normals), bytes.begin() + long(normals) + 4),
              "SMRN");
    EXPECT_EQ(Le32At(bytes, normals + 4), 96u);
    EXPECT_FLOAT_EQ(FloatAt(bytes, normals + 8), 1.0f);  // the normal, unchanged
    const std::size_t polygons = normals + 8 + 96;
    EXPECT_EQ(std::string(bytes.begin() + long(polygons), bytes.begin() + long(polygons) + 4),
              "SFRS");
    EXPECT_EQ(Le32At(bytes, polygons + 4), 40u);
    // Polygon (ring 1 point 0, ring 2 point 0, ring 2 point 1, ring 1 point 1) in local
    // indices, then its material.
    EXPECT_EQ(Le16At(bytes, polygons + 8), 0);
    EXPECT_EQ(Le16At(bytes, polygons + 10), 4);
    EXPECT_EQ(Le16At(bytes, polygons + 12), 5);
    EXPECT_EQ(Le16At(bytes, polygons + 14), 1);
    EXPECT_EQ(Le16At(bytes, polygons + 16), 7);
    // Surfaces: one 'SURF' per material; "Ear" is padded to 4 bytes.
    std::size_t offset = polygons + 8 + 40;
    EXPECT_EQ(std::string(bytes.begin() + long(offset), bytes.begin() + long(offset) + 4), "SFUS");
    std::uint32_t total = 0;
    for (const SurfaceMaterial& m : model.Materials())
        total += std::uint32_t(m.name.size() + m.name.size() % 2 + m.dataBlock.size() + 8);
    EXPECT_EQ(Le32At(bytes, offset + 4), total);
    offset += 8;
    offset += 8 + Le32At(bytes, offset + 4);  // material 0, "Head"
    EXPECT_EQ(std::string(bytes.begin() + long(offset), bytes.begin() + long(offset) + 4), "FRUS");
    EXPECT_EQ(Le32At(bytes, offset + 4), 4u + 10u + 8u);
    EXPECT_EQ(std::string(bytes.begin() + long(offset) + 8, bytes.begin() + long(offset) + 12),
              "EMAN");
    EXPECT_EQ(Le32At(bytes, offset + 12), 4u);
    EXPECT_EQ(bytes[offset + 16 + 3], 0);  // the pad byte
    EXPECT_EQ(bytes[offset + 20], 'C');    // the data block follows
    // Nothing follows the last surface: no connection sets yet.
    std::size_t end = offset;
    for (int m = 1; m < 22; ++m) end += 8 + Le32At(bytes, end + 4);
    EXPECT_EQ(end, bytes.size());
}

TEST_F(PartSavingTest, SetsAreAppendedInMarkedOrderAndRecordedInTheMask) {
    Take(Tube(5, {0, 7}));
    model.selectedBodyPart = 0;
    ASSERT_TRUE(model.SavePart());
    const std::size_t partSize = ReadBytes(PathOf(0)).size();
    for (int p : {7, 5, 9, 6, 8}) ASSERT_TRUE(model.MarkPoint(p));
    notifier.messages.clear();
    ASSERT_TRUE(model.SaveConnectionSet(ConnectionSetCode(2), names));
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0].caption, "Part to save:");
    EXPECT_EQ(notifier.messages[0].text, PathOf(0));

    const std::vector<std::uint8_t> bytes = ReadBytes(PathOf(0));
    ASSERT_EQ(bytes.size(), partSize + 18);
    EXPECT_EQ(std::string(bytes.begin() + long(partSize), bytes.begin() + long(partSize) + 4),
              "200P");
    EXPECT_EQ(Le32At(bytes, partSize + 4), 10u);
    // The head's points are rings 0 and 1 in index order: point p has local index p.
    for (int j = 0; j < 5; ++j)
        EXPECT_EQ(Le16At(bytes, partSize + 8 + std::size_t(2 * j)),
                  std::vector<int>({7, 5, 9, 6, 8})[std::size_t(j)]);
    EXPECT_EQ(model.Group(0).setsSavedMask, 0x10u);
    // The marked points stay as they were.
    EXPECT_THAT(model.MarkedPointIndices(), ElementsAre(7, 5, 9, 6, 8));

    model.Unselect();
    ASSERT_TRUE(model.SaveConnectionSet(ConnectionSetCode(1), names));
    ASSERT_TRUE(model.SaveConnectionSet(ConnectionSetCode(3), names));
    EXPECT_EQ(model.Group(0).setsSavedMask, 0x111u);
    // The creature's reader sees the sets.
    PartObject part;
    std::string reason;
    ASSERT_TRUE(part.LoadObjectFile(PathOf(0), &reason)) << reason;
    EXPECT_EQ(part.ConnectionSet(1).size(), 5u);
    EXPECT_EQ(part.ConnectionSet(0).size(), 0u);
    EXPECT_EQ(part.PointCount(), 10u);
    EXPECT_EQ(part.SurfaceCount(), 22u);
    EXPECT_EQ(part.Surfaces()[7].colour[2], 21.0f / 255.0f);
}

TEST_F(PartSavingTest, MaskBitsFollowTheCodes) {
    Take(Tube(5, {0, 7}));
    model.selectedBodyPart = 7;
    ASSERT_TRUE(model.SavePart());
    ASSERT_TRUE(model.SaveConnectionSet(ConnectionSetCode(1), names));
    ASSERT_TRUE(model.SaveConnectionSet(ConnectionSetCode(3), names));
    EXPECT_EQ(model.Group(7).setsSavedMask, 0x101u);
    ASSERT_TRUE(model.SaveConnectionSet(ConnectionSetCode(7), names));
    ASSERT_TRUE(model.SaveConnectionSet(FourCharacterCode("XXXX"), names));
    EXPECT_EQ(model.Group(7).setsSavedMask, 0x1000101u);
    // Saving the part again empties the file but not the mask.
    ASSERT_TRUE(model.SavePart());
    EXPECT_EQ(model.Group(7).setsSavedMask, 0x1000101u);
}

TEST_F(PartSavingTest, FailuresAreReportedAndWriteNothing) {
    model.selectedBodyPart = 0;
    EXPECT_FALSE(model.SavePart());
    Take(Tube(5, {0, 7}));
    // The directory of the head is missing.
    std::filesystem::remove(directory.Path() + "/Head");
    EXPECT_FALSE(model.SavePart());
    EXPECT_FALSE(model.SaveConnectionSet(ConnectionSetCode(1), names));
    // The neck's file does not exist yet: a set alone is no object file.
    model.selectedBodyPart = 7;
    EXPECT_FALSE(model.SaveConnectionSet(ConnectionSetCode(1), names));
    EXPECT_FALSE(std::filesystem::exists(PathOf(7)));
    // A marked point that is no point of the part.
    ASSERT_TRUE(model.SavePart());
    ASSERT_TRUE(model.MarkPoint(TubePoint(5, 0, 1)));
    const auto before = ReadBytes(PathOf(7));
    EXPECT_FALSE(model.SaveConnectionSet(ConnectionSetCode(1), names));
    EXPECT_EQ(ReadBytes(PathOf(7)), before);
    EXPECT_EQ(model.Group(7).setsSavedMask, 0u);

    std::vector<std::pair<std::string, std::string>> seen;
    for (const RecordedMessage& m : notifier.messages) seen.emplace_back(m.caption, m.text);
    EXPECT_THAT(seen,
                ElementsAre(std::pair<std::string, std::string>("Error", "No object to save!"),
                            std::pair<std::string, std::string>("Error", "Unable to save file"),
                            std::pair<std::string, std::string>("Part to save:", PathOf(0)),
                            std::pair<std::string, std::string>("Could not open file:", PathOf(0)),
                            std::pair<std::string, std::string>("Part to save:", PathOf(7)),
                            std::pair<std::string, std::string>("Could not open file:", PathOf(7)),
                            std::pair<std::string, std::string>("Info", "ObjectPart saved"),
                            std::pair<std::string, std::string>("Part to save:", PathOf(7)),
                            std::pair<std::string, std::string>(
                                "Error", "Marked point 1 is not a point of Neck.")));
}

TEST_F(PartSavingTest, ObjectNamesThatLeaveTheDirectoryAreRefused) {
    Take(Tube(5, {0, 7}));
    model.selectedBodyPart = 0;
    ASSERT_TRUE(model.SavePart());
    const std::vector<std::string> unsafe = {"../Escaped", "a/b", "a\\b", std::string("a\0b", 3),
                                             "..",         ".",   ""};
    for (const std::string& name : unsafe) {
        notifier.messages.clear();
        model.SetObjectName(name);
        EXPECT_FALSE(model.SavePart()) << name;
        EXPECT_FALSE(model.SaveConnectionSet(ConnectionSetCode(1), names)) << name;
        ASSERT_EQ(notifier.messages.size(), 2u) << name;
        EXPECT_EQ(notifier.messages[0].caption, "Error");
        EXPECT_THAT(notifier.messages[0].text, testing::StartsWith("The object name \""));
    }
    EXPECT_FALSE(std::filesystem::exists(directory.Path() + "/Escaped.bwo"));
    // Nothing but the first save was written anywhere.
    int files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(directory.Path()))
        files += entry.is_regular_file();
    EXPECT_EQ(files, 1);
    model.SetObjectName("..Dots and more");
    EXPECT_TRUE(model.SavePart());
}

TEST_F(PartSavingTest, ForearmDirectoriesAreFoundWithoutRegardToCase) {
    std::filesystem::remove(directory.Path() + "/Left Forearm");
    std::filesystem::create_directory(directory.Path() + "/Left forearm");
    PreparedObject object = Tube(4, {10, 11});
    Take(object);
    model.selectedBodyPart = 10;
    ASSERT_TRUE(model.SavePart());
    EXPECT_TRUE(std::filesystem::exists(directory.Path() + "/Left forearm/Cut.bwo"));
}

}  // namespace
}  // namespace bw::test
