// The converter model: taking a prepared object (the five invariants, every refusal leaving
// the previous object in place), selection, flipping and the material colours.
#include "converter/converter_model.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "converter/converter_objects.h"
#include "support/object_file_builder.h"
#include "support/recording_notifier.h"

namespace bw::test {
namespace {

using testing::ElementsAre;
using testing::HasSubstr;

class ConverterModelTest : public testing::Test {
  protected:
    bool Take(const PreparedObject& object, std::string* problem = nullptr) {
        NoProgress progress;
        return model.TakeObject(object, progress, problem);
    }
    // Marks the given points in order, as picks would.
    void Mark(std::initializer_list<int> points) {
        for (int p : points) ASSERT_TRUE(model.MarkPoint(p));
    }

    RecordingNotifier notifier;
    ConverterModel model{notifier};
    TemporaryDirectory directory;
};

TEST_F(ConverterModelTest, StartsEmptyInWireModeWithoutSelectedBodyPart) {
    EXPECT_EQ(model.ObjectLoaded(), 0);
    EXPECT_EQ(model.viewMode, ConverterViewMode::Wire);
    EXPECT_EQ(model.selectedBodyPart, std::nullopt);
    EXPECT_EQ(model.PointCount(), 0);
    EXPECT_TRUE(model.Unselect());
    EXPECT_EQ(model.MarkedPoints().Count(), 0);
    float r = 1, g = 1, b = 1;
    model.GetPartColour(r, g, b);
    EXPECT_EQ(r + g + b, 0.0f);
}

TEST_F(ConverterModelTest, TakenObjectHoldsTheInvariants) {
    // Head below, neck above, and one band of a material beyond the body parts on top.
    PreparedObject object = Tube(5, {0, 7, 22});
    object.materials.push_back({"Extra", {0.5f, 0.5f, 0.5f}, {}});
    ASSERT_TRUE(Take(object));
    EXPECT_EQ(model.ObjectLoaded(), 1);
    EXPECT_EQ(model.PointCount(), 20);
    EXPECT_EQ(model.MaterialCount(), 23);
    for (const ConverterPolygon& polygon : model.Polygons()) EXPECT_EQ(polygon.vertexCount, 4);
    // Ring 1 is the head-neck seam, ring 2 the neck-extra seam; lists are ascending.
    const ConverterPoint& seam = model.ModelPoints()[TubePoint(5, 1, 3)];
    ASSERT_EQ(seam.materialCount, 2);
    EXPECT_EQ(seam.materials[0], 0);
    EXPECT_EQ(seam.materials[1], 7);
    const ConverterPoint& top = model.ModelPoints()[TubePoint(5, 2, 0)];
    EXPECT_EQ(top.materials[0], 7);
    EXPECT_EQ(top.materials[1], 22);

    const PartGroup& neck = model.Group(7);
    EXPECT_EQ(neck.polygonCount, 5);
    EXPECT_EQ(neck.pointCount, 10);
    EXPECT_EQ(neck.points.front(), TubePoint(5, 1, 0));
    EXPECT_EQ(neck.localIndexMap[std::size_t(TubePoint(5, 2, 4))], 9);
    EXPECT_EQ(neck.localIndexMap[std::size_t(TubePoint(5, 0, 0))], std::nullopt);
    // The centre is the middle of the group's bounding box.
    EXPECT_FLOAT_EQ(neck.centreY, 1.5f);
    EXPECT_EQ(model.Group(3).pointCount, 0);
    // Every data block opens with the colour sub-chunk, the one that had none too.
    ASSERT_GE(model.Materials()[22].dataBlock.size(), 9u);
    EXPECT_EQ(model.Materials()[22].dataBlock[6], 127);
}

TEST_F(ConverterModelTest, RefusalsNameTheFaultAndKeepThePreviousObject) {
    ASSERT_TRUE(Take(Tube(4, {0, 7})));
    Mark({5});
    model.selectedBodyPart = 7;

    struct Case {
        const char* name;
        PreparedObject object;
        const char* expected;
    };
    std::vector<Case> cases;
    {
        PreparedObject missing = Tube(4, {0, 7});
        missing.hasBodyPartMaterial[1] = false;
        missing.hasBodyPartMaterial[5] = false;
        cases.push_back({"missing materials", missing, "it has none for: Left ear, Nose."});
    }
    {
        PreparedObject triangle = Tube(4, {0, 7});
        triangle.AddPolygon({0, 1, 2}, 0);
        cases.push_back({"triangle", triangle,
                         "Polygon 8 has 3 corners; every polygon must be a quadrilateral."});
    }
    {
        PreparedObject outside = Tube(4, {0, 7});
        outside.corners[5] = 99;
        cases.push_back({"point index", outside, "Polygon 1 uses point 99, but the object has 12"});
    }
    {
        PreparedObject badMaterial = Tube(4, {0, 7});
        badMaterial.polygonMaterial[0] = 40;
        cases.push_back({"material index", badMaterial, "uses material 40, but the object has 22"});
    }
    {
        // Five bands around one point: the grid's centre point is used by five materials.
        PreparedObject crowded = Grid(2, 2, 1, 0, 1);
        crowded.polygonMaterial = {2, 3, 4, 5};
        crowded.AddPolygon({4, 0, 1, 4}, 6);
        cases.push_back({"crowded point", crowded, "Point 4 is used by more than 4 materials"});
    }
    {
        PreparedObject infinite = Tube(4, {0, 7});
        infinite.points[2].y = std::numeric_limits<float>::infinity();
        cases.push_back({"infinite point", infinite, "Point 2 is not a finite position."});
    }
    {
        PreparedObject longName = Tube(4, {0, 7});
        longName.materials[3].name = std::string(256, 'x');
        cases.push_back({"long name", longName, "longer than 255 characters"});
    }
    for (const Case& c : cases) {
        std::string problem;
        EXPECT_FALSE(Take(c.object, &problem)) << c.name;
        EXPECT_THAT(problem, HasSubstr(c.expected)) << c.name;
        EXPECT_EQ(model.PointCount(), 12) << c.name;
        EXPECT_EQ(model.Group(7).polygonCount, 4) << c.name;
        EXPECT_THAT(model.MarkedPointIndices(), ElementsAre(5)) << c.name;
        EXPECT_EQ(model.ModelPoints()[5].selected, 1) << c.name;
    }
}

TEST_F(ConverterModelTest, LoadingReportsUnreadableAndMalformedFilesUnderOneCaption) {
    NoProgress progress;
    const std::string good = directory.Write("good.bwo", ObjectFileOf(Tube(4, {0, 7})));
    ASSERT_TRUE(model.LoadPreparedObject(good, progress));
    EXPECT_TRUE(notifier.messages.empty());

    const std::string missing = directory.Path() + "/missing.bwo";
    EXPECT_FALSE(model.LoadPreparedObject(missing, progress));
    const std::string garbage = directory.Write("garbage.bwo", std::string("not an object"));
    EXPECT_FALSE(model.LoadPreparedObject(garbage, progress));
    PreparedObject few = Tube(4, {0, 7});
    few.materials.resize(20);  // surfaces 20 and 21 are missing from the file
    for (auto& p : few.polygonMaterial) p = 0;
    const std::string short_ = directory.Write("short.bwo", ObjectFileOf(few));
    EXPECT_FALSE(model.LoadPreparedObject(short_, progress));

    ASSERT_EQ(notifier.messages.size(), 3u);
    for (const RecordedMessage& m : notifier.messages) {
        EXPECT_EQ(m.caption, "Unable to take object");
        EXPECT_EQ(m.icon, MessageIcon::Warning);
    }
    EXPECT_THAT(notifier.messages[0].text, HasSubstr(missing + "\ncannot open"));
    EXPECT_THAT(notifier.messages[1].text, HasSubstr("not an object file"));
    EXPECT_THAT(notifier.messages[2].text, HasSubstr("none for: Right leg, Right foot."));
    EXPECT_EQ(model.PointCount(), 12);
    EXPECT_EQ(model.ObjectLoaded(), 1);
}

TEST_F(ConverterModelTest, CancellingTheChoiceChangesNothing) {
    NoProgress progress;
    EXPECT_FALSE(model.TakeSelectedObject([] { return std::nullopt; }, progress));
    EXPECT_EQ(model.ObjectLoaded(), 0);
    EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(ConverterModelTest, TakingANewObjectClearsTheSelectionAndSavedSets) {
    ASSERT_TRUE(Take(Tube(4, {0, 7})));
    Mark({4, 5});
    ASSERT_TRUE(Take(Tube(6, {0, 7})));
    EXPECT_EQ(model.MarkedPoints().Count(), 0);
    for (const ConverterPoint& p : model.ModelPoints()) EXPECT_EQ(p.selected, 0);
    for (const ConverterPoint& p : model.DisplayPoints()) EXPECT_EQ(p.selected, 0);
}

TEST_F(ConverterModelTest, FlipKeepsTheFirstEntryAndReversesTheRest) {
    ASSERT_TRUE(Take(Tube(4, {0, 7})));
    Mark({1, 2});
    model.FlipSelection();
    EXPECT_THAT(model.MarkedPointIndices(), ElementsAre(1, 2));
    model.Unselect();
    Mark({1, 2, 3});
    model.FlipSelection();
    EXPECT_THAT(model.MarkedPointIndices(), ElementsAre(1, 3, 2));
    model.Unselect();
    Mark({1, 2, 3, 4});  // A, B, C, D
    model.FlipSelection();
    EXPECT_THAT(model.MarkedPointIndices(), ElementsAre(1, 4, 3, 2));
    model.Unselect();
    Mark({1, 2, 3, 4, 5});
    model.FlipSelection();
    EXPECT_THAT(model.MarkedPointIndices(), ElementsAre(1, 5, 4, 3, 2));

    EXPECT_TRUE(model.Unselect());
    EXPECT_EQ(model.MarkedPoints().Count(), 0);
    for (const ConverterPoint& p : model.ModelPoints()) EXPECT_EQ(p.selected, 0);
}

TEST_F(ConverterModelTest, ColoursGoToTheFloatsAndTheColourBytes) {
    PreparedObject object = Tube(4, {0, 7});
    object.materials.push_back({"Extra", {0.2f, 0.2f, 0.2f}, {}});
    ASSERT_TRUE(Take(object));
    model.selectedBodyPart = 7;
    model.SetPartColour(1.0f, 0.5f, 0.0f);
    float r = 0, g = 0, b = 0;
    model.GetPartColour(r, g, b);
    EXPECT_EQ(r, 1.0f);
    EXPECT_EQ(g, 0.5f);
    const auto block = model.Materials()[7].dataBlock;
    EXPECT_EQ(block[6], 255);
    EXPECT_EQ(block[7], 127);
    EXPECT_EQ(block[8], 0);

    model.ApplyColourToAll(0.25f, 0.25f, 0.25f);
    for (int m = 0; m < 22; ++m) EXPECT_EQ(model.Materials()[std::size_t(m)].colour[0], 0.25f);
    EXPECT_EQ(model.Materials()[22].colour[0], 0.2f);
    EXPECT_EQ(model.Materials()[22].dataBlock[6], 51);
    // Out-of-range components are kept within a byte instead of wrapping around.
    model.SetPartColour(2.0f, -1.0f, 0.5f);
    EXPECT_EQ(model.Materials()[7].dataBlock[6], 255);
    EXPECT_EQ(model.Materials()[7].dataBlock[7], 0);
}

}  // namespace
}  // namespace bw::test
