// Tracing a seam from the first marked point: closed and open seams, the refusals, and the
// ordered seam the cut uses where a third material meets the seam.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "converter/converter_model.h"
#include "converter/converter_objects.h"
#include "converter/seam_points.h"
#include "support/recording_notifier.h"

namespace bw::test {
namespace {

using testing::ElementsAre;
using testing::ElementsAreArray;

class SeamTraceTest : public testing::Test {
  protected:
    void Take(const PreparedObject& object) {
        NoProgress progress;
        std::string problem;
        ASSERT_TRUE(model.TakeObject(object, progress, &problem)) << problem;
    }

    RecordingNotifier notifier;
    ConverterModel model{notifier};
};

TEST_F(SeamTraceTest, ClosedSeamYieldsEveryPointOnceFromTheStart) {
    // Head below ring 1, neck above: ring 1 is a closed seam of six points.
    Take(Tube(6, {0, 7}));
    const int start = TubePoint(6, 1, 2);
    ASSERT_TRUE(model.MarkPoint(start));
    ASSERT_TRUE(model.AutoSelect());
    // Along the head's quads, which run ring 1 from point i to point i + 1.
    EXPECT_THAT(model.MarkedPointIndices(),
                ElementsAre(start, TubePoint(6, 1, 3), TubePoint(6, 1, 4), TubePoint(6, 1, 5),
                            TubePoint(6, 1, 0), TubePoint(6, 1, 1)));
    for (int i = 0; i < 6; ++i) EXPECT_EQ(model.DisplayPoints()[TubePoint(6, 1, i)].selected, 1);
    EXPECT_EQ(model.DisplayPoints()[TubePoint(6, 0, 0)].selected, 0);
    EXPECT_TRUE(notifier.messages.empty());

    // Again without unselecting: the next seam point is already selected, nothing is added.
    ASSERT_TRUE(model.AutoSelect());
    EXPECT_EQ(model.MarkedPoints().Count(), 6);
}

TEST_F(SeamTraceTest, OpenSeamIsFollowedToItsEndOrNotAtAll) {
    // Columns 0-1 head, 2-3 neck: the seam is column 2, from row 0 to row 3.
    Take(Grid(4, 3, 2, 0, 7));
    // The head's quads run the seam column upwards (from row r to row r + 1).
    ASSERT_TRUE(model.MarkPoint(GridPoint(4, 2, 1)));
    ASSERT_TRUE(model.AutoSelect());
    EXPECT_THAT(model.MarkedPointIndices(),
                ElementsAre(GridPoint(4, 2, 1), GridPoint(4, 2, 2), GridPoint(4, 2, 3)));

    model.Unselect();
    ASSERT_TRUE(model.MarkPoint(GridPoint(4, 2, 3)));  // the seam's end: nothing follows
    ASSERT_TRUE(model.AutoSelect());
    EXPECT_THAT(model.MarkedPointIndices(), ElementsAre(GridPoint(4, 2, 3)));
    EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(SeamTraceTest, RefusesWithoutAMarkedSeamPoint) {
    Take(Grid(4, 3, 2, 0, 7));
    EXPECT_FALSE(model.AutoSelect());
    ASSERT_TRUE(model.MarkPoint(GridPoint(4, 0, 1)));  // inside the head only
    EXPECT_FALSE(model.AutoSelect());
    EXPECT_THAT(model.MarkedPointIndices(), ElementsAre(GridPoint(4, 0, 1)));
    ASSERT_EQ(notifier.messages.size(), 2u);
    EXPECT_EQ(notifier.messages[0].text, "Need atleast 1 marked point!");
    EXPECT_EQ(notifier.messages[1].text,
              "There must be 2 diffrent materials in the intersection area");
    for (const RecordedMessage& m : notifier.messages) {
        EXPECT_EQ(m.caption, "Error");
        EXPECT_EQ(m.icon, MessageIcon::Warning);
    }
}

TEST_F(SeamTraceTest, OrderedSeamWalksPastAThirdMaterialTheSameWayFromBothSides) {
    // Column 2 is the seam of head (0) and neck (7); the top row of quads on the neck side
    // is upper body (8), so the seam's top point also touches a third material.
    PreparedObject object = Grid(4, 3, 2, 0, 7);
    object.polygonMaterial[10] = 8;  // quad (2, 2)
    object.polygonMaterial[11] = 8;  // quad (3, 2)
    Take(object);
    EXPECT_THAT(SeamPoints(model, 7, 0),
                ElementsAre(GridPoint(4, 2, 0), GridPoint(4, 2, 1), GridPoint(4, 2, 2)));
    // Row 3's point has the head and the upper body only; row 2's has all three.
    const std::vector<std::int32_t> fromNeck = OrderedSeam(model, 7, 0);
    EXPECT_THAT(fromNeck, ElementsAreArray(OrderedSeam(model, 0, 7)));
    EXPECT_THAT(fromNeck, ElementsAre(GridPoint(4, 2, 0), GridPoint(4, 2, 1), GridPoint(4, 2, 2)));

    // The trace from the junction point stops at once: its neighbour has other materials.
    ASSERT_TRUE(model.MarkPoint(GridPoint(4, 2, 2)));
    ASSERT_TRUE(model.AutoSelect());
    EXPECT_EQ(model.MarkedPoints().Count(), 1);
}

}  // namespace
}  // namespace bw::test
