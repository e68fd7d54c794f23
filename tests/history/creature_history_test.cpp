// The history over plain states: steps recorded, undone and redone, the branch dropped after
// an undo, the step limit, merged clicks, and states that change nothing.
#include "history/creature_history.h"

#include <gtest/gtest.h>

namespace bw {
namespace {

using std::chrono::milliseconds;

// States told apart by the first list's chosen entry alone.
CreatureState State(int n) {
    CreatureState state;
    state.chosenSelection[0] = n;
    return state;
}

TEST(CreatureHistoryTest, UndoAndRedoWalkTheStepsAndANewStepDropsTheRedoBranch) {
    CreatureHistory history(State(0));
    EXPECT_FALSE(history.CanUndo());
    EXPECT_EQ(history.Undo(), nullptr);
    history.Record(State(1));
    history.Record(State(1));  // changes nothing: no step
    history.Record(State(2));
    EXPECT_EQ(history.UndoCount(), 2u);

    ASSERT_NE(history.Undo(), nullptr);
    EXPECT_EQ(history.Current().chosenSelection[0], 1);
    EXPECT_EQ(history.Undo()->chosenSelection[0], 0);
    EXPECT_FALSE(history.CanUndo());
    EXPECT_EQ(history.Redo()->chosenSelection[0], 1);
    EXPECT_TRUE(history.CanRedo());

    history.Record(State(7));
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.Redo(), nullptr);
    EXPECT_EQ(history.Undo()->chosenSelection[0], 1);
    EXPECT_EQ(history.Undo()->chosenSelection[0], 0);
}

TEST(CreatureHistoryTest, KeepsTheLastTwoHundredStepsAndClearStartsOver) {
    CreatureHistory history(State(0));
    for (int n = 1; n <= 250; ++n) history.Record(State(n));
    EXPECT_EQ(history.UndoCount(), CreatureHistory::kStepLimit);
    const CreatureState* oldest = nullptr;
    while (const CreatureState* state = history.Undo()) oldest = state;
    ASSERT_NE(oldest, nullptr);
    EXPECT_EQ(oldest->chosenSelection[0], 50);

    history.Clear(State(99));
    EXPECT_FALSE(history.CanUndo());
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.Current().chosenSelection[0], 99);
}

TEST(CreatureHistoryTest, ClicksInARowOnOneBarAreOneStep) {
    CreatureHistory history(State(0));
    constexpr int kBarX = 1;
    constexpr int kBarY = 2;
    history.Record(State(1), StepMergeKey{kBarX}, milliseconds(1000));
    history.Record(State(2), StepMergeKey{kBarX}, milliseconds(1400));
    history.Record(State(3), StepMergeKey{kBarX},
                   milliseconds(1800));  // within the window of the one before
    EXPECT_EQ(history.UndoCount(), 1u);
    history.Record(State(4), StepMergeKey{kBarX},
                   milliseconds(2400));  // too late: a step of its own
    history.Record(State(5), StepMergeKey{kBarY}, milliseconds(2500));  // another bar
    history.Record(State(6), kSeparateStep, milliseconds(2510));
    history.Record(State(7), kSeparateStep, milliseconds(2520));
    EXPECT_EQ(history.UndoCount(), 5u);
    EXPECT_EQ(history.Undo()->chosenSelection[0], 6);
    EXPECT_EQ(history.Undo()->chosenSelection[0], 5);
    EXPECT_EQ(history.Undo()->chosenSelection[0], 4);
    EXPECT_EQ(history.Undo()->chosenSelection[0], 3);
    EXPECT_EQ(history.Undo()->chosenSelection[0], 0);

    // After an undo the next click starts a new step even within the window.
    history.Redo();
    history.Record(State(8), StepMergeKey{kBarX}, milliseconds(1900));
    EXPECT_EQ(history.UndoCount(), 2u);
}

TEST(CreatureHistoryTest, ARowOfClicksThatEndsWhereItBeganLeavesNoStep) {
    CreatureHistory history(State(0));
    history.Record(State(1));
    history.Record(State(2), StepMergeKey{1}, milliseconds(100));
    history.Record(State(1), StepMergeKey{1}, milliseconds(200));
    EXPECT_EQ(history.UndoCount(), 1u);
    EXPECT_EQ(history.Current().chosenSelection[0], 1);

    // The next click, still within the window, is a step of its own: undoing it comes back to
    // the step before the row (a part choice), never further.
    history.Record(State(3), StepMergeKey{1}, milliseconds(300));
    EXPECT_EQ(history.UndoCount(), 2u);
    ASSERT_NE(history.Undo(), nullptr);
    EXPECT_EQ(history.Current().chosenSelection[0], 1);
}

TEST(CreatureHistoryTest, AmendReplacesTheCurrentStateAndEndsARow) {
    CreatureHistory history(State(0));
    history.Record(State(1), StepMergeKey{1}, milliseconds(100));
    history.Amend(State(5));
    history.Record(State(2), StepMergeKey{1}, milliseconds(200));
    EXPECT_EQ(history.UndoCount(), 2u);
    EXPECT_EQ(history.Undo()->chosenSelection[0], 5);
    EXPECT_EQ(history.Undo()->chosenSelection[0], 0);
}

}  // namespace
}  // namespace bw
