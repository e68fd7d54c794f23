// The main dialog's undo and redo: hears the steps the pages report, records the creature's
// state after each one in a CreatureHistory, and puts earlier states back on Undo and later
// ones on Redo.
//
// At the start of an outermost step the state as it stands replaces the history's current
// one (so a change of the part being edited since the last step is kept); at its end the new
// state is recorded. Undo and Redo are refused while a step is under way. Every part is put
// back from memory: no file is read. When memory runs out while a state is stored, the
// history starts over from the state as it stands.
#pragma once

#include <chrono>
#include <functional>
#include <memory>

#include "history/creature_history.h"
#include "history/creature_state.h"
#include "model/mesh_pool.h"
#include "model/step_listener.h"

namespace bw {

class UndoSteps : public StepListener {
  public:
    struct Hooks {
        // The part the Edit Parts page shows now, if any.
        std::function<std::optional<BodyPartId>()> editedPart;
        // After a state was put back: show `editedPart` on the Edit Parts page, the symmetry
        // state on its controls, and repaint the preview.
        std::function<void(std::optional<BodyPartId> editedPart)> restored;
        // Time for merging steps; a steady clock when empty.
        std::function<std::chrono::milliseconds()> clock;
        // After a step was recorded, undone or redone (`creatureChanged` true), or the history
        // was cleared (false): what can be undone or redone may have changed.
        std::function<void(bool creatureChanged)> changed;
    };

    // Records the state as it stands as the first, with nothing to undo.
    UndoSteps(const CreatureStateSources& sources, Hooks hooks);

    void StepBegins() override;
    void StepEnds(StepMergeKey mergeKey = kSeparateStep) override;

    // False when there was nothing to undo or redo, or a step is under way.
    bool Undo();
    bool Redo();
    bool CanUndo() const { return usable_ && depth_ == 0 && history_->CanUndo(); }
    bool CanRedo() const { return usable_ && depth_ == 0 && history_->CanRedo(); }
    // Forgets every step (the object directory changed, the paths no longer apply).
    void Clear();

    const CreatureHistory& History() const { return *history_; }

  private:
    CreatureState Capture();
    bool PutBack(const CreatureState* state);
    void Changed(bool creatureChanged) const {
        if (hooks_.changed) hooks_.changed(creatureChanged);
    }

    CreatureStateSources sources_;
    Hooks hooks_;
    MeshPool pool_;
    std::unique_ptr<CreatureHistory> history_;
    int depth_ = 0;
    bool usable_ = true;  // false while no state could be stored for want of memory
};

}  // namespace bw
