// The undo history of the creature: the states after each of the user's last steps, the
// current one among them, and the steps undone that can still be redone. A new step after an
// undo drops those. At most kStepLimit steps are kept; the oldest go first.
//
// Steps recorded with the same merge key, each within kMergeWindow of the one before, count as
// one (clicks in a row on one Adjust bar): the later state replaces the earlier.
#pragma once

#include <chrono>
#include <cstddef>
#include <deque>

#include "history/creature_state.h"
#include "model/step_listener.h"

namespace bw {

class CreatureHistory {
  public:
    static constexpr std::size_t kStepLimit = 200;
    static constexpr std::chrono::milliseconds kMergeWindow{500};

    explicit CreatureHistory(CreatureState initial);

    // The state after a step, recorded at `now`. Nothing when it equals the current state;
    // false then, true when the history changed.
    bool Record(CreatureState after, StepMergeKey mergeKey = kSeparateStep,
                std::chrono::milliseconds now = std::chrono::milliseconds{0});
    // The current state changed without a step (the part being edited): it replaces the
    // current state, so undoing the step after it comes back to it. Ends a row of merged steps.
    void Amend(CreatureState current);
    // Starts over from `current` with nothing to undo or redo.
    void Clear(CreatureState current);

    bool CanUndo() const { return index_ > 0; }
    bool CanRedo() const { return index_ + 1 < states_.size(); }
    // Moves one step back or forward and returns the state to put back; null when there is none.
    const CreatureState* Undo();
    const CreatureState* Redo();

    const CreatureState& Current() const { return states_[index_]; }
    // Steps that can be undone.
    std::size_t UndoCount() const { return index_; }

  private:
    std::deque<CreatureState> states_;  // states_[index_] is the current state
    std::size_t index_ = 0;
    StepMergeKey lastMergeKey_;  // of the step that made the current state, while mergeable
    std::chrono::milliseconds lastTime_{0};
};

}  // namespace bw
