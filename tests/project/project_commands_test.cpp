// What the Project page's commands rest on without widgets: a load shown in the part lists
// (clearing, each record's entry found without regard to case, no entry for an unknown file,
// nothing loaded through the lists) and the confirmation of a save.
#include <gtest/gtest.h>

#include "model/creature.h"
#include "model/file_enumerator.h"
#include "project/list_selecting_load_listener.h"
#include "project/saved_project_message.h"
#include "select/part_selection.h"
#include "support/recording_notifier.h"

namespace bw::test {
namespace {

class ListSelectingLoadListenerTest : public testing::Test {
  protected:
    ListSelectingLoadListenerTest() {
        for (BodyPartId i = 0; i < kBodyPartCount; ++i) {
            lists[i].entries = {kNoneEntry, "Fantasy-Horned.bwo", "Male-Round.bwo",
                                "male-round.bwo"};
            lists[i].current = 1;
            selection.SetList(i, &lists[i]);
        }
    }

    RecordingNotifier notifier;
    Creature creature{notifier};
    DirectoryFileEnumerator files;
    PartSelection selection{creature, files};
    std::array<MemoryPartList, kBodyPartCount> lists;
    ListSelectingLoadListener listener{selection};
};

TEST_F(ListSelectingLoadListenerTest, ClearingShowsNoneAndRecordsSelectTheirFirstEntry) {
    listener.ClearSelection(3);
    EXPECT_EQ(lists[3].current, 0);
    EXPECT_EQ(lists[4].current, 1) << "only the named list";

    listener.SelectFile(5, "MALE-ROUND.BWO");
    EXPECT_EQ(lists[5].current, 2) << "the first entry equal without regard to case";
    listener.SelectFile(6, "Missing.bwo");
    EXPECT_EQ(lists[6].current, -1) << "no entry: no selection";
    listener.SelectFile(7, "");
    EXPECT_EQ(lists[7].current, -1);
    // Out-of-range body parts are ignored.
    listener.SelectFile(-1, "Male-Round.bwo");
    listener.SelectFile(kBodyPartCount, "Male-Round.bwo");
    listener.ClearSelection(kBodyPartCount);

    EXPECT_EQ(creature.PartCount(), 0) << "selecting never loads through the lists";
    EXPECT_TRUE(notifier.messages.empty());
    EXPECT_EQ(selection.ChosenSelection(5), 0) << "nor counts as the user's choice";
}

TEST(SavedProjectMessageTest, NamesTheFileWithoutDirectoryAndExtension) {
    EXPECT_EQ(SavedProjectMessage("/home/ann/Projects/Dragon.bwp"),
              "Project file \"Dragon\" has been saved.");
    EXPECT_EQ(SavedProjectMessage("/home/ann/My.Dragon.bwp"),
              "Project file \"My.Dragon\" has been saved.");
    EXPECT_EQ(SavedProjectMessage("/home/ann.d/Dragon"), "Project file \"Dragon\" has been saved.");
    EXPECT_EQ(SavedProjectMessage("Dragon.bwp"), "Project file \"Dragon\" has been saved.");
}

}  // namespace
}  // namespace bw::test
